#!/usr/bin/env python3
"""Generate E001520-density.svg: schematic mass-density profiles across a
water/n-hexane biphasic box with two interfaces (periodic along z).
Convert with:  rsvg-convert -w 480 -h 300 E001520-density.svg -o E001520-density.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 50
pw, ph = W - L - R, H - T - B
ZMAX = 10.0                       # box length along z / nm
RMAX = 1.2                        # y-axis top / g cm-3
Z1, Z2 = 2.5, 7.5                 # Gibbs dividing surfaces / nm
WIDTH = 0.18                      # tanh width parameter / nm
RHO_W, RHO_H = 1.00, 0.655        # bulk densities / g cm-3

def f_water(z):                   # 1 inside the water slab, 0 outside
    return 0.5 * (math.tanh((z - Z1) / WIDTH) - math.tanh((z - Z2) / WIDTH))

def water(z):  return RHO_W * f_water(z)
SHIFT = 0.15                      # hexane recedes a little: density dip
def hexane(z):
    g = 0.5 * (math.tanh((z - Z1 + SHIFT) / WIDTH) - math.tanh((z - Z2 - SHIFT) / WIDTH))
    return RHO_H * (1.0 - g)
def total(z):  return water(z) + hexane(z)

def X(z): return L + pw * z / ZMAX
def Y(r): return T + ph * (RMAX - r) / RMAX

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for z in range(0, 11, 2):
    x = X(z)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{z}</text>')
for i in range(0, 7):
    r = 0.2 * i
    y = Y(r)
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{r:.1f}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">position along the box normal z / nm</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'mass density / g cm⁻³</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Water / n-hexane box: density profile (schematic)</text>')
# dividing surfaces
for z in (Z1, Z2):
    a(f'<line x1="{X(z):.1f}" y1="{T}" x2="{X(z):.1f}" y2="{T+ph}" stroke="#555" '
      'stroke-width="1" stroke-dasharray="3,3"/>')
a(f'<text x="{X(Z1)+4:.1f}" y="{T+12}" font-size="10" fill="#555">interface 1</text>')
a(f'<text x="{X(Z2)+4:.1f}" y="{T+12}" font-size="10" fill="#555">interface 2</text>')
def path(f, n=400):
    pts = [f'{X(ZMAX*i/n):.1f},{Y(f(ZMAX*i/n)):.1f}' for i in range(n + 1)]
    return 'M' + ' L'.join(pts)
a(f'<path d="{path(total)}" fill="none" stroke="#888" stroke-width="1.4" stroke-dasharray="5,3"/>')
a(f'<path d="{path(hexane)}" fill="none" stroke="#c55a11" stroke-width="2.2"/>')
a(f'<path d="{path(water)}" fill="none" stroke="#1f4e9a" stroke-width="2.2"/>')
# phase labels
a(f'<text x="{X(5.0):.1f}" y="{Y(1.0)+18:.1f}" font-size="11" text-anchor="middle" fill="#1f4e9a">water</text>')
a(f'<text x="{X(1.1):.1f}" y="{Y(0.655)-8:.1f}" font-size="11" text-anchor="middle" fill="#c55a11">hexane</text>')
a(f'<text x="{X(8.9):.1f}" y="{Y(0.655)-8:.1f}" font-size="11" text-anchor="middle" fill="#c55a11">hexane</text>')
a(f'<text x="{X(5.0):.1f}" y="{Y(0.62):.1f}" font-size="10" text-anchor="middle" fill="#555">'
  'z = 0 and z = 10 nm are</text>')
a(f'<text x="{X(5.0):.1f}" y="{Y(0.62)+13:.1f}" font-size="10" text-anchor="middle" fill="#555">'
  'the same plane (periodic box)</text>')
# legend
lx, ly = X(3.0), Y(0.25)
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+22}" y2="{ly}" stroke="#888" stroke-width="1.4" stroke-dasharray="5,3"/>')
a(f'<text x="{lx+28}" y="{ly+4}" font-size="10">total (dip at interfaces)</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001520-density.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
