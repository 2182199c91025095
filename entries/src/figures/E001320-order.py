#!/usr/bin/env python3
"""Generate E001320-order.svg: schematic isotropic, nematic and smectic-A phases of
rod-like molecules, the director n, the angle theta of one molecule and the order
parameter P2.
Convert with:  rsvg-convert -w 480 -h 300 E001320-order.svg -o E001320-order.png"""
import math, os, random

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<defs><marker id="arr" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#1f4e9a"/></marker></defs>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Orientational order of rod-like molecules (schematic)</text>')

PW, PT, PH = 150, 28, 172            # panel width, top, height
panels = [(10, 'isotropic', 'S ≈ 0'), (165, 'nematic', 'S ≈ 0.3–0.7'),
          (320, 'smectic A', 'S > 0 and layers')]

def rod(cx, cy, ang, col='#7f7f7f', rx=13, ry=3.6):
    # ang: angle of the long axis from the vertical, degrees
    a(f'<ellipse cx="{cx:.1f}" cy="{cy:.1f}" rx="{ry}" ry="{rx}" fill="{col}" '
      f'transform="rotate({ang:.1f} {cx:.1f} {cy:.1f})"/>')

rng = random.Random(4)
for x0, name, sval in panels:
    a(f'<rect x="{x0}" y="{PT}" width="{PW}" height="{PH}" fill="#f7f7f7" stroke="#999"/>')
    a(f'<text x="{x0+PW/2}" y="{PT+PH+15}" font-size="12" font-weight="bold" '
      f'text-anchor="middle">{name}</text>')
    a(f'<text x="{x0+PW/2}" y="{PT+PH+29}" font-size="11" text-anchor="middle">{sval}</text>')

# isotropic: random positions and orientations
x0 = panels[0][0]
for i in range(5):
    for j in range(5):
        cx = x0 + 18 + i * 28.5 + rng.uniform(-5, 5)
        cy = PT + 19 + j * 33.5 + rng.uniform(-5, 5)
        rod(cx, cy, rng.uniform(0, 180))

# nematic: random positions, angles spread about the vertical director
x0 = panels[1][0]
hl = None
for i in range(5):
    for j in range(5):
        cx = x0 + 18 + i * 28.5 + rng.uniform(-6, 6)
        cy = PT + 19 + j * 33.5 + rng.uniform(-8, 8)
        ang = rng.gauss(0, 16)
        if (i, j) == (3, 2):
            hl = (cx, cy)
            continue
        rod(cx, cy, ang)
# highlighted molecule with its axis u and the angle theta
cx, cy = hl
th = 32.0
rod(cx, cy, th, col='#c00000')
L = 26
ux, uy = math.sin(math.radians(th)), -math.cos(math.radians(th))
a(f'<line x1="{cx:.1f}" y1="{cy:.1f}" x2="{cx+L*ux:.1f}" y2="{cy+L*uy:.1f}" stroke="#c00000" '
  'stroke-width="1.4"/>')
a(f'<line x1="{cx:.1f}" y1="{cy:.1f}" x2="{cx:.1f}" y2="{cy-L:.1f}" stroke="#1f4e9a" '
  'stroke-width="1.2" stroke-dasharray="3,2"/>')
r = 15
a(f'<path d="M{cx:.1f},{cy-r:.1f} A{r},{r} 0 0 1 {cx+r*ux:.1f},{cy+r*uy:.1f}" fill="none" '
  'stroke="black" stroke-width="1"/>')
a(f'<text x="{cx+4:.1f}" y="{cy-r-3:.1f}" font-size="11" font-style="italic">θ</text>')
a(f'<text x="{cx+L*ux+2:.1f}" y="{cy+L*uy-1:.1f}" font-size="11" fill="#c00000" '
  'font-weight="bold">u</text>')
# director arrow for the nematic panel
dx = x0 + 10
a(f'<line x1="{dx}" y1="{PT+PH-12}" x2="{dx}" y2="{PT+14}" stroke="#1f4e9a" stroke-width="2.2" '
  'marker-end="url(#arr)"/>')
a(f'<text x="{dx+7}" y="{PT+34}" font-size="13" font-weight="bold" fill="#1f4e9a">n</text>')

# smectic A: three layers, molecules nearly parallel to n
x0 = panels[2][0]
for k, ly in enumerate((PT + 31, PT + 87, PT + 143)):
    a(f'<line x1="{x0+4}" y1="{ly-29:.1f}" x2="{x0+PW-4}" y2="{ly-29:.1f}" stroke="#bbb" '
      'stroke-dasharray="4,3"/>')
    for i in range(6):
        cx = x0 + 30 + i * 21 + rng.uniform(-3, 3)
        cy = ly + rng.uniform(-3, 3)
        rod(cx, cy, rng.gauss(0, 8))
dx = x0 + 12
a(f'<line x1="{dx}" y1="{PT+PH-12}" x2="{dx}" y2="{PT+14}" stroke="#1f4e9a" stroke-width="2.2" '
  'marker-end="url(#arr)"/>')
a(f'<text x="{dx+7}" y="{PT+34}" font-size="13" font-weight="bold" fill="#1f4e9a">n</text>')

# formula
a(f'<text x="{W/2}" y="{H-36}" font-size="12" text-anchor="middle">'
  'S = P<tspan dy="3" font-size="9">2</tspan><tspan dy="-3"> = ⟨(3 cos²θ − 1)/2⟩</tspan></text>')
a(f'<text x="{W/2}" y="{H-20}" font-size="11" text-anchor="middle" fill="#333">'
  'θ: angle between the molecular long axis u and the director n</text>')
a(f'<text x="{W/2}" y="{H-5}" font-size="11" text-anchor="middle" fill="#333">'
  'S = 1: perfect alignment;  S = 0: no orientational order</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001320-order.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
