#!/usr/bin/env python3
"""Generate E001000-models.svg: the four standard models of a homogeneous
system (isolated molecule, periodic crystal cell, periodic liquid box,
solute in a continuum cavity).
Convert with:  rsvg-convert -w 480 -h 300 E001000-models.svg -o E001000-models.png"""
import math, os, random

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'One phase, four models (schematic)</text>')

PW = W / 4                      # panel width
TOP, BOX = 40, 96               # top of the drawing area, size of a cell
LAB = TOP + BOX + 72             # baseline of the first label line
BLUE, GREY, RED = '#1f4e9a', '#9a9a9a', '#c00000'

def molecule(cx, cy, ang=0.0, s=1.0, col=BLUE, op=1.0):
    """A triatomic molecule (C in the middle, two O) drawn as three discs."""
    dx, dy = 7 * s * math.cos(ang), 7 * s * math.sin(ang)
    a(f'<g opacity="{op}">')
    a(f'<line x1="{cx-dx:.1f}" y1="{cy-dy:.1f}" x2="{cx+dx:.1f}" y2="{cy+dy:.1f}" '
      f'stroke="{col}" stroke-width="{2*s:.1f}"/>')
    for sx in (-1, 1):
        a(f'<circle cx="{cx+sx*dx:.1f}" cy="{cy+sx*dy:.1f}" r="{3.2*s:.1f}" fill="{RED}"/>')
    a(f'<circle cx="{cx:.1f}" cy="{cy:.1f}" r="{3.0*s:.1f}" fill="#404040"/>')
    a('</g>')

def label(cx, lines, y0):
    for i, (txt, bold) in enumerate(lines):
        w = ' font-weight="bold"' if bold else ''
        a(f'<text x="{cx:.1f}" y="{y0 + 16*i}" font-size="{12 if bold else 10.5}" text-anchor="middle"{w}>{txt}</text>')

# ---------------------------------------------------------------- 1 gas
cx = PW * 0.5
cy = TOP + 20 + BOX / 2
a(f'<rect x="{cx-BOX/2:.1f}" y="{cy-BOX/2:.1f}" width="{BOX}" height="{BOX}" fill="#f7f7f7" '
  f'stroke="{GREY}" stroke-dasharray="3,3"/>')
molecule(cx, cy, 0.5, 1.6)
a(f'<text x="{cx:.1f}" y="{cy+BOX/2+13:.1f}" font-size="10" fill="#606060" text-anchor="middle">vacuum</text>')
label(cx, [('Gas', True), ('one molecule', False), ('in vacuum', False), ('ORCA, Gaussian', False)], LAB)

# ---------------------------------------------------------------- 2 crystal
cx = PW * 1.5
c = BOX / 3
x0, y0 = cx - 1.5 * c, cy - 1.5 * c
for i in range(3):
    for j in range(3):
        centre = (i == 1 and j == 1)
        a(f'<rect x="{x0+i*c:.1f}" y="{y0+j*c:.1f}" width="{c:.1f}" height="{c:.1f}" fill="none" '
          f'stroke="{"black" if centre else GREY}" stroke-width="{1.6 if centre else 0.8}"/>')
        for (u, v, ang) in ((0.3, 0.3, 0.8), (0.72, 0.7, -0.8)):
            molecule(x0 + (i + u) * c, y0 + (j + v) * c, ang, 0.8, op=1.0 if centre else 0.35)
a(f'<text x="{cx:.1f}" y="{cy+BOX/2+13:.1f}" font-size="10" fill="#606060" text-anchor="middle">'
  'periodic images</text>')
label(cx, [('Crystal', True), ('unit cell repeated', False), ('+ k-point sampling', False),
           ('VASP, QE, CP2K', False)], LAB)

# ---------------------------------------------------------------- 3 liquid
cx = PW * 2.5
random.seed(7)
a(f'<rect x="{cx-BOX/2:.1f}" y="{cy-BOX/2:.1f}" width="{BOX}" height="{BOX}" fill="none" stroke="black" stroke-width="1.6"/>')
pts = []
while len(pts) < 11:
    p = (random.uniform(-38, 38), random.uniform(-38, 38))
    if all((p[0]-q[0])**2 + (p[1]-q[1])**2 > 20**2 for q in pts):
        pts.append(p)
for (u, v) in pts:
    molecule(cx + u, cy + v, random.uniform(0, math.pi), 0.85)
a(f'<text x="{cx:.1f}" y="{cy+BOX/2+13:.1f}" font-size="10" fill="#606060" text-anchor="middle">'
  'periodic box</text>')
label(cx, [('Liquid', True), ('many molecules', False), ('+ MD or MC sampling', False),
           ('GROMACS, LAMMPS', False)], LAB)

# ---------------------------------------------------------------- 4 solution
cx = PW * 3.5
a(f'<rect x="{cx-BOX/2:.1f}" y="{cy-BOX/2:.1f}" width="{BOX}" height="{BOX}" fill="#deebf7" stroke="none"/>')
a(f'<ellipse cx="{cx:.1f}" cy="{cy:.1f}" rx="27" ry="20" fill="white" stroke="{BLUE}" stroke-width="1.4"/>')
molecule(cx, cy, 0.3, 1.5)
a(f'<text x="{cx:.1f}" y="{cy-BOX/2+14:.1f}" font-size="10" fill="{BLUE}" text-anchor="middle">continuum</text>')
a(f'<text x="{cx:.1f}" y="{cy+BOX/2-6:.1f}" font-size="10" fill="{BLUE}" text-anchor="middle">ε = 78.4 (water)</text>')
label(cx, [('Solution', True), ('solute in a cavity', False), ('+ SMD or CPCM', False),
           ('ORCA, Gaussian', False)], LAB)

# separators
for k in (1, 2, 3):
    a(f'<line x1="{PW*k:.1f}" y1="{TOP}" x2="{PW*k:.1f}" y2="{H-12}" stroke="#e4e4e4"/>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001000-models.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
