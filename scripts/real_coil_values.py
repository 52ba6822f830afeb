#!/usr/bin/env python3
"""Reference values for the real coil (calc/real_coil.h, calc/winding.h),
computed straight from the formulas at 40 digits with mpmath, independently of
the C++ code: the current sheet from Nagaoka's coefficient (elliptic integrals),
Rosa's corrections from their defining sums, Medhurst's fit, the window's
resonance formula. tests/real_coil_test.cpp holds what this prints.

    python3 scripts/real_coil_values.py
"""
from mpmath import mp, mpf, ellipk, ellipe, log, pi, sqrt

mp.dps = 40
INCH = mpf("0.0254")
MU0 = 4 * pi * mpf("1e-7")
GAUGES = [(20, ".0345"), (22, ".0286"), (24, ".0222"), (26, ".0179"), (28, ".0143"), (30, ".0105")]


def awg_bare(n):
    return mpf("0.005") * mpf(92) ** (mpf(36 - n) / 39)


def nagaoka(x):  # x = length / diameter (Nagaoka 1909)
    m = 1 / (1 + x * x)
    k, kp = sqrt(m), sqrt(1 - m)
    return 4 / (3 * pi * kp) * (kp**2 / m * (ellipk(m) - ellipe(m)) + ellipe(m) - k)


def sheet_uH(d, n, length):  # inches in, microhenries out
    r = d / 2 * INCH
    return nagaoka(length / d) * MU0 * pi * r * r * n * n / (length * INCH) * mpf(10) ** 6


def km(n):  # Rosa 1906: filaments against bands, pair by pair, k pitches apart
    def f(k):
        ln_gmd = ((k + 1) ** 2 * log(k + 1) + ((k - 1) ** 2 * log(k - 1) if k > 1 else 0)
                  - 2 * k * k * log(k)) / 2 - mpf(3) / 2
        return log(k) - ln_gmd
    return 2 * sum((n - k) * f(mpf(k)) for k in range(1, n)) / n


def rosa_uH(d_form, pitch, bare, n):
    dc = d_form + pitch
    ks = mpf(3) / 2 - log(2 * pitch / bare)  # Rosa 1906 at radio frequency: no internal inductance
    return sheet_uH(dc, n, n * pitch) - MU0 * dc / 2 * INCH * n * (ks + km(n)) * mpf(10) ** 6


def medhurst_pF(dc, length):  # Medhurst 1947
    x = length / dc
    return dc * mpf("2.54") * (mpf("0.1126") * x + mpf("0.08") + mpf("0.27") / sqrt(x))


# Medhurst 1947 (Radiotron Designer's Handbook, ch. 11): l/D, H in pF per cm of diameter.
MEDHURST = [(".1", ".96"), (".15", ".79"), (".2", ".7"), (".25", ".64"), (".3", ".6"), (".35", ".57"), (".4", ".54"),
            (".45", ".52"), (".5", ".5"), (".6", ".48"), (".7", ".47"), (".8", ".46"), (".9", ".46"), ("1", ".46"),
            ("1.5", ".47"), ("2", ".5"), ("2.5", ".56"), ("3", ".61"), ("3.5", ".67"), ("4", ".72"), ("4.5", ".77"),
            ("5", ".81"), ("6", ".92"), ("7", "1.01"), ("8", "1.12"), ("9", "1.22"), ("10", "1.32"), ("15", "1.86"),
            ("20", "2.36"), ("25", "2.9"), ("30", "3.4"), ("40", "4.6"), ("50", "5.8")]
MEDHURST = [(mpf(x), mpf(h)) for x, h in MEDHURST]


def medhurst_h(x):  # linear between rows, held at the ends
    x = min(max(x, MEDHURST[0][0]), MEDHURST[-1][0])
    for (x0, h0), (x1, h1) in zip(MEDHURST, MEDHURST[1:]):
        if x0 <= x <= x1:
            return h0 + (x - x0) / (x1 - x0) * (h1 - h0)


def medhurst_table_pF(dc, length):
    return medhurst_h(length / dc) * dc * mpf("2.54")


# NEMA MW 1000 heavy build, least increment in mils for AWG 6 .. 40.
HEAVY = [mpf(v) for v in "3.5 3.4 3.3 3.2 3.1 3.0 2.9 2.8 3.2 3.0 2.9 2.8 2.6 2.5 2.3 2.2 2.1 2.0 1.9 1.8 1.7 "
                          "1.6 1.6 1.5 1.4 1.3 1.2 1.1 1.0 0.9 0.8 0.8 0.7 0.6 0.6".split()]


def heavy_increment(bare):  # inches; interpolated in bare diameter over AWG 6 .. 40
    rows = [(awg_bare(6 + i), HEAVY[i] / 1000) for i in range(len(HEAVY))]
    if bare >= rows[0][0]:
        return rows[0][1]
    if bare <= rows[-1][0]:
        return rows[-1][1] * bare / rows[-1][0]
    for (d0, i0), (d1, i1) in zip(rows, rows[1:]):
        if d0 >= bare >= d1:
            return i0 + (d0 - bare) / (d0 - d1) * (i1 - i0)


def km_fractional(n):
    whole = int(mp.floor(n))
    return km(whole) + (n - whole) * (km(whole + 1) - km(whole)) if n != whole else km(whole)


def solenoid(d_form, od, bare, n, pitch):  # the forward coil, every field
    dc = d_form + od
    length = n * pitch
    ks = mpf(3) / 2 - log(2 * pitch / bare)
    l_rosa = sheet_uH(dc, n, length) - MU0 * dc / 2 * INCH * n * (ks + km_fractional(n)) * mpf(10) ** 6
    c = medhurst_table_pF(dc, length)
    wire_in = n * sqrt((pi * dc) ** 2 + pitch ** 2)
    r_ohm = mpf("1.7241e-8") * wire_in * INCH / (pi * (bare * INCH / 2) ** 2)
    srf_khz = 1 / (2 * pi * sqrt(l_rosa * mpf(10) ** -6 * c * mpf(10) ** -12)) / 1000
    return dict(dc=dc, length=length, L=l_rosa, wheeler=wheeler_uH(dc, n, length), sheet=sheet_uH(dc, n, length),
                C=c, srf_kHz=srf_khz, wire_in=wire_in, R=r_ohm)


def khz(l_uH, c_pF):
    return 1000 / (mpf("6.283") * sqrt(l_uH * c_pF)) * 1000


def wheeler_uH(d, n, length):
    r = d / 2
    return r * r * n * n / (9 * r + 10 * length)


def row(d_form, pitch, bare, n, cmin, cmax, stray):
    dc = d_form + pitch
    length = n * pitch
    l = rosa_uH(d_form, pitch, bare, n)
    c = medhurst_table_pF(dc, length)
    return dict(n=n, dc=dc, length=length, L=l, wheeler=wheeler_uH(dc, n, length), C=c,
                high=khz(l, cmin + stray + c), low=khz(l, cmax + stray + c), wire_in=n * pi * dc)


def tune(d_form, pitch, bare, cmin, cmax, stray, top):
    n = 1
    if khz(rosa_uH(d_form, pitch, bare, 1), cmin + stray + medhurst_table_pF(d_form + pitch, pitch)) < top:
        return None
    while True:
        nxt = n + 1
        if khz(rosa_uH(d_form, pitch, bare, nxt), cmin + stray + medhurst_table_pF(d_form + pitch, nxt * pitch)) < top:
            return row(d_form, pitch, bare, n, cmin, cmax, stray)
        n = nxt


def wind(target, d_form, pitch, bare):
    n = 1
    while rosa_uH(d_form, pitch, bare, n + 1) < target:
        n += 1
    best = min((n, n + 1), key=lambda m: abs(rosa_uH(d_form, pitch, bare, m) - target))
    return best, rosa_uH(d_form, pitch, bare, best)


def main():
    print("km (Grover 1946 table, and the limit ln(2 pi) - 3/2 =", mp.nstr(log(2 * pi) - mpf(3) / 2, 17), ")")
    for n in (1, 2, 3, 5, 10, 15, 16, 17, 20, 50, 100, 1000):
        print(f"  {n:5d} {mp.nstr(km(n), 17)}")
    print("AWG bare diameters:", ", ".join(f"#{g} {mp.nstr(awg_bare(g), 17)}" for g, _ in GAUGES))
    for name, (d, cmin, cmax, low, high) in {"tune 2 15 365": (2, 15, 365, 530, 1700),
                                             "tune 1.5 12 450 --band 531-1602": (1.5, 12, 450, 531, 1602)}.items():
        print(name, "(stray 10 pF)")
        for g, od in GAUGES:
            r = tune(mpf(d), mpf(od), awg_bare(g), cmin, cmax, 10, high)
            print(f"  #{g} N {r['n']} Dc {mp.nstr(r['dc'], 17)} len {mp.nstr(r['length'], 17)} "
                  f"L {mp.nstr(r['L'], 17)} Wh {mp.nstr(r['wheeler'], 17)} C {mp.nstr(r['C'], 17)} "
                  f"high {mp.nstr(r['high'], 17)} low {mp.nstr(r['low'], 17)} covered {r['low'] <= low} "
                  f"wire_in {mp.nstr(r['wire_in'], 17)}")
    print("tune 2 300 365: #20", tune(mpf(2), mpf(".0345"), awg_bare(20), 300, 365, 10, 1700))
    print("wind 250 2")
    for g, od in GAUGES:
        n, l = wind(250, mpf(2), mpf(od), awg_bare(g))
        print(f"  #{g} N {n} L {mp.nstr(l, 17)}")
    r20 = tune(mpf(2), mpf(".0345"), awg_bare(20), 15, 365, 10, 1700)
    print("custom wire OD 0.05 in, bare 0.046 in, tune 2 15 365:")
    r = tune(mpf(2), mpf("0.05"), mpf("0.046"), 15, 365, 10, 1700)
    print(f"  N {r['n']} L {mp.nstr(r['L'], 17)} C {mp.nstr(r['C'], 17)} high {mp.nstr(r['high'], 17)}")
    print("the design window (2 in = 50.8 mm, # 20, 15-365 pF): Dc", mp.nstr(r20['dc'] * mpf("25.4"), 17),
          "mm, length", mp.nstr(r20['length'] * mpf("25.4"), 17), "mm, wire", mp.nstr(r20['wire_in'] * INCH, 17),
          "m,", mp.nstr(r20['wire_in'] / 12, 17), "ft")
    print("the capacitor alone (the window's resonance formula), stray 10 pF, 530-1700 kHz:")
    for cmin, cmax in ((15, 365), (15, 200)):
        c_low, c_high = mpf(cmin + 10), mpf(cmax + 10)
        ratio = (mpf(1700) / 530) ** 2
        l = 1 / ((mpf("6.283") * mpf("1.7")) ** 2 * c_low) * 10**6
        lowest = khz(l, c_high)
        print(f"  {cmin}-{cmax} pF: needed ratio {mp.nstr(ratio, 17)}, given {mp.nstr(c_high / c_low, 17)}, "
              f"L {mp.nstr(l, 17)}, lowest {mp.nstr(lowest, 17)} kHz, short by {mp.nstr(lowest - 530, 17)}, "
              f"CMAX to cover {mp.nstr(c_low * ratio - 10, 17)} pF")


def forward():
    print("AWG bare by definition:", ", ".join(f"{g} {mp.nstr(awg_bare(g), 12)}" for g in (-3, 0, 10, 36, 46)))
    for g in (20, 24, 40, 44, -3):
        print(f"awg{g}: outside {mp.nstr(awg_bare(g) + heavy_increment(awg_bare(g)), 12)}")
    for name, bare in (("swg22", mpf(".028")), ("swg7/0", mpf(".5")), ("swg36", mpf(".0076"))):
        print(f"{name}: bare {bare} outside {mp.nstr(bare + heavy_increment(bare), 12)}")
    print("Medhurst H:", ", ".join(f"{x} {mp.nstr(medhurst_h(mpf(x)), 12)}" for x in
                                   ("0.06", "0.125", "2.75", "12.5", "45", "80")))
    print("Grover's G = 5/4 - ln(2p/d) against d/p:",
          ", ".join(f"{r} {mp.nstr(mpf(5) / 4 - log(2 / mpf(r)), 6)}" for r in ("1", ".8", ".5", ".2")))
    od, bare = awg_bare(24) + heavy_increment(awg_bare(24)), awg_bare(24)
    for n, pitch in ((mpf(40), mpf("0.05")), (mpf("40.5"), mpf("0.05")), (mpf(1), od)):
        r = solenoid(mpf("1.5"), od, bare, n, pitch)
        print(f"awg24 on 1.5 in, N {n}, pitch {mp.nstr(pitch, 8)}: " +
              " ".join(f"{k} {mp.nstr(v, 15)}" for k, v in r.items()))
    r = tune(mpf(2), mpf(".0345"), awg_bare(20), 15, 365, 10, 1700)
    print("table: #20 tune 2 15 365: C", mp.nstr(medhurst_table_pF(r["dc"], r["length"]), 15))


if __name__ == "__main__":
    main()
    forward()
