#!/usr/bin/env python3
"""Reference values of the current-sheet inductance, from mpmath at high precision.

Nagaoka's coefficient (Nagaoka 1909) straight from the complete elliptic
integrals, with no series and no asymptotic form, at enough digits that
1 - k^2 keeps its own: the values the core's table of current-sheet
inductances is checked against. K and E come from Carlson's symmetric forms
(Carlson 1979) with k'^2 passed as such, K = R_F(0, k'^2, 1) and
E = K - k^2/3 R_D(0, k'^2, 1): mpmath's ellipe(m) loses digits next to m = 1
(E(1 - 1e-40) - 1 comes out negative at 60 digits).

  L = C mu0 pi r^2 N^2 / l,  C = 4/(3 pi k') (k'^2/k^2 (K - E) + E - k),
  k^2 = d^2 / (d^2 + l^2),   mu0 = 4 pi 1e-7 H/m, inches and microhenries.

Usage: scripts/current_sheet_reference.py [DIAMETER TURNS LENGTH ...]
(with no arguments, the rows of the core's table); prints each coil with the
current sheet and Wheeler's deviation from it in percent (Wheeler 1928:
r^2 N^2 / (9r + 10l)), to 20 digits.
"""
import sys

import mpmath as mp

ROWS = [
    ("1", "20", "0.69"), ("1", "10", "1"), ("4", "10", "0.105"),
    # short- and long-coil extremes, the regimes' edges, and ratios beyond a double
    ("1", "1", "1e-200"), ("1", "1", "1e155"), ("1", "1", "1e-160"), ("2", "3", "1e-9"),
    ("1", "1", "0.57735026918962573"), ("1", "1", "1.7320508075688772"), ("1", "7", "3e8"),
    ("1e300", "1e-150", "1e-300"), ("1e-300", "1e300", "1e300"), ("1e-160", "1e170", "1e-160"),
]


def current_sheet(d, n, l):
    d, n, l = mp.mpf(d), mp.mpf(n), mp.mpf(l)
    # enough digits for k'^2 = l^2 / (d^2 + l^2) to survive 1 - k^2 at either end
    mp.mp.dps = 60 + int(abs(mp.log10(l / d))) * 2
    m, m1 = d**2 / (d**2 + l**2), l**2 / (d**2 + l**2)
    k, kp = mp.sqrt(m), mp.sqrt(m1)
    K = mp.elliprf(0, m1, 1)
    E = K - m / 3 * mp.elliprd(0, m1, 1)
    c = 4 / (3 * mp.pi * kp) * (kp**2 / m * (K - E) + E - k)
    r = d / 2
    sheet = c * 4 * mp.pi**2 * mp.mpf("1e-7") * mp.mpf("0.0254") * mp.mpf("1e6") * r**2 * n**2 / l
    wheeler = r**2 * n**2 / (9 * r + 10 * l)
    return sheet, (wheeler - sheet) / sheet * 100


def main(args):
    rows = [tuple(args[i:i + 3]) for i in range(0, len(args) - 2, 3)] if args else ROWS
    for d, n, l in rows:
        sheet, deviation = current_sheet(d, n, l)
        print(f"{d} {n} {l}  sheet {mp.nstr(sheet, 20)}  Wheeler diff % {mp.nstr(deviation, 20)}")


if __name__ == "__main__":
    main(sys.argv[1:])
