#include "calc/elliptic.h"

// A domain error is NaN or infinity (which the checked statements turn into
// their error) rather than an exception whose message Boost.Math formats with
// a stringstream, which would link the C++ library's streams and locales into
// the web page (about 90 KB).
#define BOOST_MATH_DOMAIN_ERROR_POLICY errno_on_error
#define BOOST_MATH_POLE_ERROR_POLICY errno_on_error
#define BOOST_MATH_OVERFLOW_ERROR_POLICY errno_on_error
#define BOOST_MATH_EVALUATION_ERROR_POLICY errno_on_error
#define BOOST_MATH_ROUNDING_ERROR_POLICY errno_on_error
#include <boost/math/special_functions/ellint_1.hpp>
#include <boost/math/special_functions/ellint_2.hpp>

namespace spirelle {
namespace {

// Held in double: the default would widen to long double, which is 80 bits
// here and 128 in WebAssembly, where it runs in software; in double both give
// the same digits.
using DoublePolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

} // namespace

double CompleteK(double k)
{
    return boost::math::ellint_1(k, DoublePolicy());
}

double CompleteE(double k)
{
    return boost::math::ellint_2(k, DoublePolicy());
}

} // namespace spirelle
