#!/usr/bin/env python3
"""Generate E015330-morse.svg: harmonic versus anharmonic (Morse) potential of an
O-H-like bond with the vibrational levels n = 0..5, showing that the harmonic
model overestimates the level spacings (and slightly the zero-point energy).
Morse parameters close to the OH radical: w_e = 3738 cm-1, w_e x_e = 84.9 cm-1,
r_e = 0.970 A, reduced mass 0.948 u.
Convert with:  rsvg-convert -w 480 -h 300 E015330-morse.svg -o E015330-morse.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 46
pw, ph = W - L - R, H - T - B
XMIN, XMAX = 0.6, 1.8            # r / angstrom
EMAX = 25.0                      # 1000 cm-1

we, wexe, re, mu = 3738.0, 84.9, 0.970, 0.948
De = we ** 2 / (4 * wexe)                       # cm-1
# Morse range parameter a (1/angstrom) from w_e = a/(2 pi c) sqrt(2 De / mu)
c = 2.99792458e10                               # cm/s
hc = 6.62607015e-34 * c                         # J cm
amu = 1.66053907e-27
De_J = De * hc
a_m = we * 2 * math.pi * c * math.sqrt(mu * amu / (2 * De_J))   # 1/m
a = a_m * 1e-10                                                 # 1/angstrom

def morse(r): return De * (1 - math.exp(-a * (r - re))) ** 2 / 1000.0
def harm(r):  return De * (a * (r - re)) ** 2 / 1000.0          # same curvature

def X(r): return L + pw * (r - XMIN) / (XMAX - XMIN)
def Y(e): return T + ph * (EMAX - e) / EMAX

out = []
A = out.append
A(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
A(f'<rect width="{W}" height="{H}" fill="white"/>')
for k in range(0, 26, 5):
    y = Y(k)
    A(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    A(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{k}</text>')
for i in range(7):
    r = 0.6 + 0.2 * i
    x = X(r)
    A(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{r:.1f}</text>')
A(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
A(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">O–H distance r / Å</text>')
A(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'energy / 1000 cm⁻¹</text>')
A(f'<text x="{L+pw/2}" y="19" font-size="13" font-weight="bold" text-anchor="middle">'
  'Harmonic vs anharmonic (Morse) O–H stretch</text>')

def curve(f, colour, width, dash=""):
    pts, n = [], 600
    for i in range(n + 1):
        r = XMIN + (XMAX - XMIN) * i / n
        e = f(r)
        if e <= EMAX:
            pts.append(f'{X(r):.1f},{Y(e):.1f}')
    d = f' stroke-dasharray="{dash}"' if dash else ''
    A(f'<path d="M{" L".join(pts)}" fill="none" stroke="{colour}" stroke-width="{width}"{d}/>')

def turning(f, e, lo, hi):
    """classical turning points of f at energy e by bisection"""
    def root(x0, x1):
        for _ in range(60):
            xm = 0.5 * (x0 + x1)
            if (f(x0) - e) * (f(xm) - e) <= 0: x1 = xm
            else: x0 = xm
        return 0.5 * (x0 + x1)
    return root(lo, re), root(re, hi)

curve(harm, "#c00000", 1.6, "6,3")
curve(morse, "#1f4e9a", 2.2)
for n in range(6):
    eh = we * (n + 0.5) / 1000.0
    em = (we * (n + 0.5) - wexe * (n + 0.5) ** 2) / 1000.0
    r0, r1 = turning(harm, eh, 0.3, re)[0], turning(harm, eh, re, 3.0)[1]
    A(f'<line x1="{X(r0):.1f}" y1="{Y(eh):.1f}" x2="{X(r1):.1f}" y2="{Y(eh):.1f}" stroke="#c00000" '
      'stroke-width="1" stroke-dasharray="3,2"/>')
    m0, m1 = turning(morse, em, 0.3, re)[0], turning(morse, em, re, 3.0)[1]
    A(f'<line x1="{X(m0):.1f}" y1="{Y(em):.1f}" x2="{X(m1):.1f}" y2="{Y(em):.1f}" stroke="#1f4e9a" stroke-width="1.4"/>')
    lab = f'n = {n}'
    A(f'<text x="{X(m1)+4:.1f}" y="{Y(em)+4:.1f}" font-size="10" fill="#1f4e9a">{lab}</text>')
# legend and annotations (lower right, where the plot is empty)
lx, ly = X(1.45), Y(9.0)
A(f'<rect x="{lx-6:.1f}" y="{ly-13:.1f}" width="{X(1.795)-lx+6:.1f}" height="70" fill="white" stroke="#bfbfbf"/>')
A(f'<line x1="{lx:.1f}" y1="{ly:.1f}" x2="{lx+24:.1f}" y2="{ly:.1f}" stroke="#1f4e9a" stroke-width="2.2"/>')
A(f'<text x="{lx+30:.1f}" y="{ly+4:.1f}" font-size="11">Morse</text>')
A(f'<line x1="{lx:.1f}" y1="{ly+16:.1f}" x2="{lx+24:.1f}" y2="{ly+16:.1f}" stroke="#c00000" stroke-width="1.6" stroke-dasharray="6,3"/>')
A(f'<text x="{lx+30:.1f}" y="{ly+20:.1f}" font-size="11">harmonic</text>')
A(f'<text x="{lx:.1f}" y="{ly+36:.1f}" font-size="10">ZPE ≈ 1850 cm⁻¹</text>')
A(f'<text x="{lx:.1f}" y="{ly+50:.1f}" font-size="10" fill="#595959">D<tspan baseline-shift="sub" font-size="8">e</tspan> ≈ 41 000 cm⁻¹ ↑</text>')
A('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015330-morse.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
