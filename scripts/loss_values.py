#!/usr/bin/env python3
"""Reference values for the coil's losses and Q (calc/losses.h), computed at 30
digits with mpmath's own Kelvin functions (ber, bei of orders 0 and 2, the
derivatives by numerical differentiation), independently of the C++ code, which
sums Bessel series in complex numbers. tests/losses_test.cpp holds what this prints.

    python3 scripts/loss_values.py
"""
from mpmath import mp, mpf, ber, bei, diff, sqrt, pi, hypot

mp.dps = 30
INCH = mpf("0.0254")
MU0 = 4 * pi * mpf("1e-7")
RHO = mpf("1.7241e-8")


def butterworth(q):  # Butterworth 1926: F and G
    b, i = ber(0, q), bei(0, q)
    bp, ip = diff(lambda x: ber(0, x), q), diff(lambda x: bei(0, x), q)
    b2, i2 = ber(2, q), bei(2, q)
    f = q / 2 * (b * ip - i * bp) / (bp**2 + ip**2) - 1
    g = -q / 4 * (b2 * bp + i2 * ip) / (b**2 + i**2)
    return f, g


# Medhurst 1947: rows l/D, columns d/p = 1.0, 0.9, ..., 0.1 (as he printed them).
ROWS = [0, 0.2, 0.4, 0.6, 0.8, 1, 2, 4, 6, 8, 10]
PHI = {2: [4.10, 3.36, 2.74, 2.32, 1.98, 1.74, 1.50, 1.28, 1.13, 1.04],
       4: [3.54, 3.05, 2.60, 2.27, 2.01, 1.78, 1.54, 1.32, 1.15, 1.04]}


def phi(ld, dp):  # only the rows l/D 2 to 4 are needed here
    assert 2 <= ld <= 4 and 0.1 <= dp <= 1
    j = int((1 - dp) * 10 + mpf("1e-12"))
    t = (1 - dp) * 10 - j
    at = {r: PHI[r][j] + t * (PHI[r][min(j + 1, 9)] - PHI[r][j]) for r in PHI}
    return at[2] + (ld - 2) / 2 * (at[4] - at[2])


def coil(turns, bare, pitch, form, l_uH, c_pF, f_kHz):
    dc = form + pitch  # close-wound: the outside diameter is the pitch
    length = turns * pitch
    wire = turns * hypot(pi * dc, pitch) * INCH
    rdc = RHO * wire / (pi * (bare * INCH / 2) ** 2)
    hz = f_kHz * 1000
    delta = sqrt(RHO / (pi * hz * MU0))
    q = bare * INCH / (delta * sqrt(2))
    f, g = butterworth(q)
    p = phi(length / dc, bare / pitch)
    r = rdc * (1 + f + 2 * (p - 1) * g)
    w = 2 * pi * hz
    shrink = 1 - w * w * l_uH * 1e-6 * c_pF * 1e-12
    qc = w * (l_uH * 1e-6 / shrink) / (r / shrink**2)
    return dict(f_kHz=f_kHz, rdc=rdc, q=q, phi=p, r=r, Q=qc, tankQ=w * l_uH * 1e-6 / r)


if __name__ == "__main__":
    print("skin depth at 1 MHz:", mp.nstr(sqrt(RHO / (pi * 1e6 * MU0)), 15))
    for q in [0.5, 1, 2, 3, 5, 10, 20, 100]:
        f, g = butterworth(mpf(q))
        print(f"q {q}: F {mp.nstr(f, 15)}  G {mp.nstr(g, 15)}")
    # 128 turns of # 20 (.0345 over AWG 20's .0319615 bare) on a 2 in form:
    # L and Cs from scripts/real_coil_values.py.
    bare20 = mpf("0.005") * mpf(92) ** (mpf(16) / 39)
    for f_kHz in [530, 1000, 1700]:
        r = coil(128, bare20, mpf("0.0345"), 2, mpf("315.26207293441202"), mpf("2.6895806"), f_kHz)
        print({k: mp.nstr(v, 15) for k, v in r.items()})
