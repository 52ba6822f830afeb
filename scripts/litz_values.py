#!/usr/bin/env python3
"""Reference values for Litz wire (calc/litz.h), straight from the formulas at
40 digits with mpmath, independently of the C++ code: the strand by the AWG
definition, NEMA's heavy-build increment interpolated as calc/wire.h states it,
the bundle at Berryman's packing with Sullivan's serving, the DC-equivalent
diameter with IEC 60317-11's k1, and Sullivan's AC resistance ratio with the
strands' losses as Butterworth's F and G from mpmath's Kelvin functions (their
first terms, Sullivan's own, printed beside them).
tests/litz_test.cpp holds what this prints.

    python3 scripts/litz_values.py
"""
from mpmath import mp, mpf, besselj, pi, sqrt, mpc, ber, bei, diff

mp.dps = 40
INCH = mpf("0.0254")
MU0 = 4 * pi * mpf("1e-7")
RHO = mpf("1.7241e-8")
# NEMA MW 1000 heavy build, least increment, mils, AWG 6 .. 40 (calc/wire.cpp)
MILS = [3.5, 3.4, 3.3, 3.2, 3.1, 3.0, 2.9, 2.8, 3.2, 3.0, 2.9, 2.8, 2.6, 2.5, 2.3, 2.2, 2.1, 2.0, 1.9, 1.8,
        1.7, 1.6, 1.6, 1.5, 1.4, 1.3, 1.2, 1.1, 1.0, 0.9, 0.8, 0.8, 0.7, 0.6, 0.6]


def awg_bare(n):
    return mpf("0.005") * mpf(92) ** (mpf(36 - n) / 39)


def increment(bare):  # below AWG 40: in proportion to the bare diameter
    if bare <= awg_bare(40):
        return mpf(MILS[-1]) / 1000 * bare / awg_bare(40)
    for row in range(len(MILS) - 1):
        hi, lo = awg_bare(6 + row), awg_bare(7 + row)
        if lo <= bare <= hi:
            t = (hi - bare) / (hi - lo)
            return (mpf(MILS[row]) + t * (MILS[row + 1] - mpf(MILS[row]))) / 1000
    return mpf(MILS[0]) / 1000


def litz(n, ds):
    bundle = (ds + increment(ds)) * sqrt(n / mpf("0.82"))
    return bundle, bundle + mpf("0.06") / mpf("25.4"), ds * sqrt(n / mpf("1.04"))


def delta(f):  # inches
    return sqrt(RHO / (pi * f * MU0)) / INCH


def butterworth(q):  # Butterworth 1926: F and G of q = d / (delta sqrt 2)
    b, i = ber(0, q), bei(0, q)
    bp, ip = diff(lambda x: ber(0, x), q), diff(lambda x: bei(0, x), q)
    f = q / 2 * (b * ip - i * bp) / (bp**2 + ip**2) - 1
    g = -q / 4 * (ber(2, q) * bp + bei(2, q) * ip) / (b**2 + i**2)
    return f, g


def ratio(n, ds, f, phi):  # Sullivan 1999 with the strands' F and G
    bundle = litz(n, ds)[0]
    fs, gs = butterworth(ds / (delta(f) * sqrt(2)))
    return 1 + fs + 2 * phi * (n * ds / bundle) ** 2 * gs


def first_terms(n, ds, f, phi):
    d = delta(f)
    return 1 + (ds / d) ** 4 / 768 + phi * n * n * ds**6 / (128 * d**4 * litz(n, ds)[0] ** 2)


def bessel_skin(a_over_delta):  # exact R_ac / R_dc of a round wire alone
    ka = mpc(1, -1) * a_over_delta
    return (ka / 2 * besselj(0, ka) / besselj(1, ka)).real


for name, n, ds in [("litz660x46", 660, awg_bare(46)), ("litz330x46", 330, awg_bare(46)),
                    ("litz100x0.1mm", 100, mpf("0.1") / 25.4), ("litz7x30", 7, awg_bare(30))]:
    bundle, outside, bare = litz(n, ds)
    print(f"{name}: strand {mp.nstr(ds, 9)} bundle {mp.nstr(bundle, 9)} outside {mp.nstr(outside, 9)}"
          f" bare-equivalent {mp.nstr(bare, 9)}")
    for f, phi in [(mpf(50e3), 1), (mpf(1e6), 1), (mpf(1e6), mpf(3)), (mpf(1.7e6), mpf(2))]:
        print(f"  {mp.nstr(f, 6)} Hz phi {phi}: ratio {mp.nstr(ratio(n, ds, f, phi), 12)}"
              f" (first terms {mp.nstr(first_terms(n, ds, f, phi), 8)})")
ds = awg_bare(46)
for f in [mpf(1e6), mpf(2e6)]:
    a = ds / 2 / delta(f)
    print(f"skin of AWG 46 at {mp.nstr(f, 3)} Hz: Bessel {mp.nstr(bessel_skin(a) - 1, 6)}"
          f" series {mp.nstr((2 * a)**4 / 768, 6)}")
