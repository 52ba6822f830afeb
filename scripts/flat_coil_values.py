#!/usr/bin/env python3
"""Reference values for the flat coils (calc/flat_coil.h), computed at 40
digits with mpmath, independently of the C++ code: N concentric rings of round
wire, each ring's own inductance at radio frequency, mu0 R (ln(8R/r) - 2)
(Rosa 1908; Grover 1946), and Maxwell's mutual inductance of every pair of
coplanar coaxial circles with mpmath's elliptic integrals (parameter m = k^2).
tests/flat_coil_test.cpp holds what this prints.

    python3 scripts/flat_coil_values.py
"""
from mpmath import mp, mpf, ellipk, ellipe, log, pi, sqrt

mp.dps = 40
MU0_UH_PER_INCH = 4 * pi * mpf("1e-7") * mpf("0.0254") * mpf(10) ** 6


def awg_bare(n):
    return mpf("0.005") * mpf(92) ** (mpf(36 - n) / 39)


def ring(R, bare):
    return MU0_UH_PER_INCH * R * (log(8 * R / (bare / 2)) - 2)


def mutual(a, b):
    m = 4 * a * b / (a + b) ** 2
    k = sqrt(m)
    return MU0_UH_PER_INCH * sqrt(a * b) * ((2 / k - k) * ellipk(m) - 2 / k * ellipe(m))


def spiral(inner, od, bare, n, p):
    radii = [inner / 2 + od / 2 + i * p for i in range(n)]
    total = sum(ring(r, bare) for r in radii)
    total += 2 * sum(mutual(radii[i], radii[j]) for i in range(n) for j in range(i + 1, n))
    return total


# (inner diameter in, wire OD in, bare in, turns, pitch in)
CASES = [
    ("1", "0.0220", awg_bare(24), 1, "0.0220"),
    ("1", "0.0220", awg_bare(24), 20, "0.0220"),
    ("2", "0.0345", awg_bare(20), 50, "0.0345"),
    ("0.5", "0.0105", awg_bare(30), 100, "0.05"),
]
for inner, od, bare, n, p in CASES:
    print(f"{{{inner}, {od}, {mp.nstr(bare, 17)}, {n}, {p}, {mp.nstr(spiral(mpf(inner), mpf(od), bare, n, mpf(p)), 17)}}},")

# The band design: the most whole turns whose top, at CMIN + stray (no
# self-capacitance), reaches the band's top; a spiderweb of awg24 on a 2 in hub
# (its pitch the wire's outside diameter), 15-365 pF + 10 pF, 530-1700 kHz.
def top_kHz(L_uH, C_pF):
    return 1 / (2 * pi * sqrt(L_uH * mpf("1e-6") * C_pF * mpf("1e-12"))) / 1000


od, bare = mpf("0.0222"), awg_bare(24)
n = 1
while top_kHz(spiral(mpf(2), od, bare, n + 1, od), 25) >= 1700:
    n += 1
print("spider band design:", n, "turns,", mp.nstr(spiral(mpf(2), od, bare, n, od), 17), "uH")
