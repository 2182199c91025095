#!/usr/bin/env python3
"""Generate E015230-crossing.svg: schematic ionic/covalent curve crossing of the
NaCl molecule. Ionic curve: Rittner-like model 1.526 eV - 14.40/R - C/R^4 + A exp(-R/rho),
fitted to r_e = 2.36 A and D_e ~ 4.25 eV; covalent curve: Na + Cl, weakly repulsive.
Convert with:  rsvg-convert -w 480 -h 300 E015230-crossing.svg -o E015230-crossing.png"""
import math, os

W, H = 480, 300
L, R, T, B = 56, 16, 30, 46
pw, ph = W - L - R, H - T - B
XMIN, XMAX = 1.5, 12.0
YMIN, YMAX = -5.0, 2.5
DIE = 5.139 - 3.613                  # IE(Na) - EA(Cl) in eV
RHO, R0 = 0.33, 2.36
U = 1.196                            # C/R0^4 from the fit (eV)
C = U * R0 ** 4
A = (0.326 + U) * math.exp(R0 / RHO)

def ionic(r):
    return DIE - 14.40 / r - C / r ** 4 + A * math.exp(-r / RHO)

def covalent(r):
    return 6.0 * math.exp(-(r - 1.5) / 0.45)

def dfa(r):                          # schematic: spurious fractional charge, too low at large R
    e = min(ionic(r), covalent(r))
    return e - 0.35 / (1 + math.exp(-(r - 6.0) / 0.9))

def X(r): return L + pw * (r - XMIN) / (XMAX - XMIN)
def Y(e): return T + ph * (YMAX - e) / (YMAX - YMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<defs><clipPath id="c"><rect x="{L}" y="{T}" width="{pw}" height="{ph}"/></clipPath></defs>')
for r in range(2, 13, 2):
    x = X(r)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+15}" font-size="11" text-anchor="middle">{r}</text>')
for e in range(-5, 3):
    y = Y(e)
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{e}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">Na–Cl distance R / Å</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'E relative to Na + Cl atoms / eV</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'NaCl: ionic and covalent curves cross (schematic)</text>')
# ionic asymptote
a(f'<line x1="{L}" y1="{Y(DIE):.1f}" x2="{L+pw}" y2="{Y(DIE):.1f}" stroke="#1f4e9a" '
  'stroke-width="1" stroke-dasharray="2,3"/>')
a(f'<text x="{L+pw-4}" y="{Y(DIE)-5:.1f}" font-size="11" fill="#1f4e9a" text-anchor="end">'
  'Na⁺ + Cl⁻ limit: IE − EA ≈ 1.53 eV</text>')
def path(f, r1, r2, n=400):
    pts = []
    for i in range(n + 1):
        r = r1 + (r2 - r1) * i / n
        pts.append(f'{X(r):.1f},{Y(max(min(f(r), YMAX + 1), YMIN - 1)):.1f}')
    return 'M' + ' L'.join(pts)
a(f'<g clip-path="url(#c)">')
a(f'<path d="{path(covalent, 1.5, 12)}" fill="none" stroke="#555555" stroke-width="2"/>')
a(f'<path d="{path(ionic, 1.72, 12)}" fill="none" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<path d="{path(dfa, 3.0, 12)}" fill="none" stroke="#c00000" stroke-width="1.6" stroke-dasharray="6,3"/>')
a('</g>')
# crossing marker
rc = 14.40 / DIE
a(f'<circle cx="{X(rc):.1f}" cy="{Y(0):.1f}" r="5" fill="none" stroke="black" stroke-width="1.4"/>')
a(f'<text x="{X(rc):.1f}" y="{Y(0)-10:.1f}" font-size="11" text-anchor="middle">crossing ≈ 9.4 Å</text>')
# labels
a(f'<text x="{X(3.0):.1f}" y="{Y(-4.35):.1f}" font-size="11" fill="#1f4e9a">ionic Na⁺Cl⁻ curve, minimum at 2.36 Å</text>')
a(f'<text x="{X(4.2):.1f}" y="{Y(0)-6:.1f}" font-size="11" fill="#555555">covalent Na + Cl</text>')
a(f'<text x="{X(6.3):.1f}" y="{Y(-1.55):.1f}" font-size="11" fill="#c00000">approximate DFT: fractional</text>')
a(f'<text x="{X(6.3):.1f}" y="{Y(-1.55)+13:.1f}" font-size="11" fill="#c00000">charges, energy too low</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015230-crossing.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
