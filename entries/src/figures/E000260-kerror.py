#!/usr/bin/env python3
"""Generate E000260-kerror.svg: factor by which an equilibrium constant K is
wrong, as a function of the error in the reaction free energy ΔG°, from
K = exp(-ΔG°/RT), at 298.15 K and 373.15 K (log scale).
Convert with:  rsvg-convert -w 480 -h 300 E000260-kerror.svg -o E000260-kerror.png"""
import math, os

W, H = 480, 300
L, R, T, B = 70, 20, 30, 50
pw, ph = W - L - R, H - T - B
XMAX = 12.0                           # error in ΔG° / kJ mol-1
YMIN, YMAX = 0.0, 3.0                 # log10(factor)
RGAS = 8.314462618e-3                 # kJ mol-1 K-1

def factor_log10(dg, t):              # log10 of the error factor in K
    return dg / (RGAS * t * math.log(10))

def X(dg): return L + pw * dg / XMAX
def Y(lg): return T + ph * (YMAX - lg) / (YMAX - YMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for dg in range(0, 13, 2):
    x = X(dg)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{dg}</text>')
for lg, lab in ((0, '1'), (1, '10'), (2, '100'), (3, '1000')):
    y = Y(lg)
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">×{lab}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-12}" font-size="12" text-anchor="middle">error in ΔG° / kJ mol⁻¹  (4.184 kJ mol⁻¹ = 1 kcal mol⁻¹)</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'factor by which K is wrong</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'How a free-energy error propagates into K</text>')
def line(t, colour, dash=''):
    pts = [f'{X(d/10):.1f},{Y(min(factor_log10(d/10, t), YMAX)):.1f}' for d in range(0, 121)]
    extra = f' stroke-dasharray="{dash}"' if dash else ''
    a(f'<path d="M{" L".join(pts)}" fill="none" stroke="{colour}" stroke-width="2.2"{extra}/>')
line(298.15, '#1f4e9a')
line(373.15, '#c00000', '6,3')
# marked points at 298 K
for dg, txt in ((4.184, '1 kcal mol⁻¹ → ×5.4'), (5.708, '5.7 kJ mol⁻¹ → ×10')):
    lg = factor_log10(dg, 298.15)
    a(f'<circle cx="{X(dg):.1f}" cy="{Y(lg):.1f}" r="3.5" fill="#1f4e9a"/>')
    a(f'<text x="{X(dg)-8:.1f}" y="{Y(lg)-6:.1f}" font-size="11" text-anchor="end">{txt}</text>')
# legend
lx, ly = L + 14, T + 16
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+24}" y2="{ly}" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<text x="{lx+30}" y="{ly+4}" font-size="11">298 K</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+24}" y2="{ly+16}" stroke="#c00000" stroke-width="2.2" stroke-dasharray="6,3"/>')
a(f'<text x="{lx+30}" y="{ly+20}" font-size="11">373 K</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000260-kerror.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
