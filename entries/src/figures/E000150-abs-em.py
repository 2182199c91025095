#!/usr/bin/env python3
"""Generate E000150-abs-em.svg: displaced-parabola (Franck-Condon) diagram showing
vertical absorption, relaxation on S1, vertical emission, adiabatic energy and Stokes shift.
Convert: rsvg-convert -w 480 -h 300 E000150-abs-em.svg -o tmp.png, then to JPEG."""
import os

W, H = 480, 300
L, R, T, B = 46, 150, 28, 40
pw, ph = W - L - R, H - T - B
Q0, Q1 = 0.40, 0.56            # minima of S0 and S1 along the coordinate (0..1)
E1 = 0.60                      # S1 minimum energy (S0 minimum = 0)
K = 6.0

def s0(q): return K * (q - Q0) ** 2
def s1(q): return E1 + K * (q - Q1) ** 2
def X(q):  return L + pw * q
def Y(e):  return T + ph * (1 - e / 1.25)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a('<defs><marker id="ah" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="context-stroke"/></marker>'
  '<marker id="ab" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#1f4e9a"/></marker>'
  '<marker id="ag" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#2e8b3a"/></marker>'
  '<marker id="ak" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#555555"/></marker></defs>')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="17" font-size="13" font-weight="bold" text-anchor="middle">'
  'Absorption, relaxation and emission (schematic)</text>')
# axes
a(f'<line x1="{L}" y1="{T+ph}" x2="{L+pw+10}" y2="{T+ph}" stroke="black" marker-end="url(#ak)"/>')
a(f'<line x1="{L}" y1="{T+ph}" x2="{L}" y2="{T-4}" stroke="black" marker-end="url(#ak)"/>')
a(f'<text x="{L+pw/2}" y="{H-12}" font-size="12" text-anchor="middle">nuclear coordinate</text>')
a(f'<text transform="translate(26,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">energy</text>')
def curve(f, lo, hi):
    pts = []
    for i in range(101):
        q = lo + (hi - lo) * i / 100
        pts.append(f'{X(q):.1f},{Y(f(q)):.1f}')
    return 'M' + ' L'.join(pts)
a(f'<path d="{curve(s0, 0.08, 0.72)}" fill="none" stroke="black" stroke-width="2"/>')
a(f'<path d="{curve(s1, 0.26, 0.86)}" fill="none" stroke="black" stroke-width="2"/>')
a(f'<text x="{X(0.02):.1f}" y="{Y(s0(0.08))+4:.1f}" font-size="12" font-weight="bold">S₀</text>')
a(f'<text x="{X(0.87):.1f}" y="{Y(s1(0.86))+4:.1f}" font-size="12" font-weight="bold">S₁</text>')
# absorption (vertical, at Q0)
a(f'<line x1="{X(Q0):.1f}" y1="{Y(0):.1f}" x2="{X(Q0):.1f}" y2="{Y(s1(Q0))+3:.1f}" '
  'stroke="#1f4e9a" stroke-width="2.2" marker-end="url(#ab)"/>')
# relaxation on S1 (dotted along curve)
a(f'<path d="{curve(s1, Q0 + 0.01, Q1 - 0.01)}" fill="none" stroke="#777777" stroke-width="2" '
  'stroke-dasharray="2,3"/>')
# emission (vertical, at Q1)
a(f'<line x1="{X(Q1):.1f}" y1="{Y(E1):.1f}" x2="{X(Q1):.1f}" y2="{Y(s0(Q1))-3:.1f}" '
  'stroke="#2e8b3a" stroke-width="2.2" marker-end="url(#ag)"/>')
# 0-0 dashed levels
a(f'<line x1="{X(Q0)-6:.1f}" y1="{Y(0):.1f}" x2="{L+pw+8:.1f}" y2="{Y(0):.1f}" stroke="#999999" stroke-dasharray="4,3"/>')
a(f'<line x1="{X(Q1)-6:.1f}" y1="{Y(E1):.1f}" x2="{L+pw+8:.1f}" y2="{Y(E1):.1f}" stroke="#999999" stroke-dasharray="4,3"/>')
a(f'<line x1="{L+pw+4:.1f}" y1="{Y(0)-2:.1f}" x2="{L+pw+4:.1f}" y2="{Y(E1)+3:.1f}" stroke="#555555" '
  'stroke-width="1.2" marker-end="url(#ak)"/>')
# labels (right-hand legend area)
tx = L + pw + 16
def t(y, txt, col="black", bold=False):
    w = ' font-weight="bold"' if bold else ''
    a(f'<text x="{tx}" y="{y:.1f}" font-size="11" fill="{col}"{w}>{txt}</text>')
t(Y(E1/2) + 4, 'adiabatic ΔE', "#333333")
t(T + 20, 'absorption:', "#1f4e9a", True)
t(T + 34, 'vertical, at S₀ geometry', "#1f4e9a")
t(T + 56, 'relaxation on S₁', "#555555", True)
t(T + 70, '(excited-state opt.)', "#555555")
t(T + 92, 'emission:', "#2e8b3a", True)
t(T + 106, 'vertical, at S₁ geometry', "#2e8b3a")
t(Y(0) - 8, 'Stokes shift =', "black", True)
t(Y(0) + 6, 'absorption − emission', "black")
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000150-abs-em.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
