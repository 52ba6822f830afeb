#pragma once

// The complete elliptic integrals of the first and second kind, K(k) and E(k),
// of the modulus k (0 <= k < 1), from Boost.Math's Carlson forms held in
// double. Outside that range the result is NaN or infinity, never an exception.
//   CompleteK(0) -> pi/2   CompleteE(0) -> pi/2   CompleteK(0.5) -> 1.685750354812596
namespace spirelle {

double CompleteK(double k);
double CompleteE(double k);

} // namespace spirelle
