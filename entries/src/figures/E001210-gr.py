#!/usr/bin/env python3
"""Generate E001210-gr.svg: schematic pair distribution functions g(r) of
crystalline and amorphous silicon near room temperature.
Crystal: Gaussian-broadened neighbour shells of the diamond lattice
(a = 5.431 A; 4, 12, 12, 6, 12, 24 neighbours at a*sqrt(3)/4, a/sqrt(2),
a*sqrt(11)/4, a, a*sqrt(19)/4, a*sqrt(3/2)).
Amorphous: the same first shell (3.9 neighbours, slightly broader), a broad
second shell at 3.84 A and no distinct third-neighbour shell; beyond that a
damped oscillation around 1. The curves are illustrative, not fitted to data.
Convert with:  rsvg-convert -w 480 -h 300 E001210-gr.svg -o E001210-gr.png"""
import math, os

A = 5.431
RHO = 8 / A**3                           # atoms per A^3 in the diamond lattice

def shell(r, r0, n, sigma):
    """Contribution of n neighbours at r0 (Gaussian width sigma) to g(r)."""
    return n / (4 * math.pi * r * r * RHO) * math.exp(-0.5 * ((r - r0) / sigma) ** 2) / (sigma * math.sqrt(2 * math.pi))

CRYSTAL = [(A * math.sqrt(3) / 4, 4, 0.055), (A / math.sqrt(2), 12, 0.075),
           (A * math.sqrt(11) / 4, 12, 0.085), (A, 6, 0.09),
           (A * math.sqrt(19) / 4, 12, 0.095), (A * math.sqrt(1.5), 24, 0.10)]

def g_crystal(r):
    return sum(shell(r, r0, n, s) for r0, n, s in CRYSTAL)

def g_amorphous(r):
    g = shell(r, 2.35, 3.9, 0.075) + shell(r, 3.84, 11.5, 0.27)
    if r > 4.0:                          # medium range: damped oscillation around 1
        w = 1 - math.exp(-((r - 4.0) / 0.35) ** 2)
        g += w * (1 + 0.2 * math.cos(2 * math.pi * (r - 5.8) / 2.2) * math.exp(-(r - 5.8) / 2.5))
    return g

W, H = 480, 300
L, R, T, B = 50, 16, 30, 46
pw, ph = W - L - R, H - T - B
RMIN, RMAX, GMAX = 1.5, 7.0, 8.0

def X(r): return L + pw * (r - RMIN) / (RMAX - RMIN)
def Y(g): return T + ph * (GMAX - min(g, GMAX)) / GMAX

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for k in range(2, 8):
    a(f'<line x1="{X(k):.1f}" y1="{T}" x2="{X(k):.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{X(k):.1f}" y="{T+ph+15}" font-size="11" text-anchor="middle">{k}</text>')
for g in range(0, 9, 2):
    a(f'<line x1="{L}" y1="{Y(g):.1f}" x2="{L+pw}" y2="{Y(g):.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{Y(g)+4:.1f}" font-size="11" text-anchor="end">{g}</text>')
a(f'<line x1="{L}" y1="{Y(1):.1f}" x2="{L+pw}" y2="{Y(1):.1f}" stroke="#909090" stroke-dasharray="2,3"/>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">distance r / Å</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">g(r)</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Pair distribution function of silicon (schematic)</text>')

def path(f):
    pts, r = [], RMIN
    while r <= RMAX + 1e-9:
        pts.append(f'{X(r):.1f},{Y(f(r)):.1f}')
        r += 0.01
    return 'M' + ' L'.join(pts)
a(f'<path d="{path(g_crystal)}" fill="none" stroke="#909090" stroke-width="1.4"/>')
a(f'<path d="{path(g_amorphous)}" fill="none" stroke="#1f4e9a" stroke-width="2.2"/>')
# annotations
a(f'<text x="{X(2.42):.1f}" y="{T+14}" font-size="10" text-anchor="start">2.35 Å: bond (both)</text>')
a(f'<text x="{X(4.50):.1f}" y="{Y(g_crystal(4.50))-6:.1f}" font-size="10" text-anchor="middle">4.50 Å</text>')
a(f'<text x="{X(4.50):.1f}" y="{Y(g_crystal(4.50))-18:.1f}" font-size="10" text-anchor="middle">crystal only</text>')
a(f'<text x="{X(3.84)-10:.1f}" y="{Y(g_amorphous(3.84))-8:.1f}" font-size="10" text-anchor="end">3.84 Å</text>')
# legend
lx, ly = L + pw - 150, T + 40
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+24}" y2="{ly}" stroke="#909090" stroke-width="1.4"/>')
a(f'<text x="{lx+30}" y="{ly+4}" font-size="11">crystalline Si</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+24}" y2="{ly+16}" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<text x="{lx+30}" y="{ly+20}" font-size="11">amorphous Si</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001210-gr.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
