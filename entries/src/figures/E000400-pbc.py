#!/usr/bin/env python3
"""Generate E000400-pbc.svg: a two-dimensional sketch of periodic boundary
conditions: the simulation box (centre) surrounded by its periodic images, a
molecule leaving through one face and re-entering through the opposite one,
and a cut-off sphere that must be smaller than half the box length.
Convert with:  rsvg-convert -w 480 -h 300 E000400-pbc.svg -o E000400-pbc.png"""
import os

W, H = 480, 300
S = 80                                 # box edge in px
X0, Y0 = 40, 30                        # top-left corner of the 3 x 3 grid
# fixed particle positions inside one box (fractions of the edge)
parts = [(0.18, 0.22), (0.52, 0.15), (0.80, 0.35), (0.30, 0.55), (0.65, 0.62),
         (0.15, 0.85), (0.45, 0.82), (0.85, 0.80), (0.50, 0.40)]
mover = (0.94, 0.50)                   # particle crossing the right face

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<defs><marker id="ar" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#c00000"/></marker></defs>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Periodic boundary conditions (2D sketch)</text>')
cells = [(i, j) for i in range(3) for j in range(3) if (i, j) != (1, 1)] + [(1, 1)]
for i, j in cells:                     # images first, the simulated cell last (on top)
        cx, cy = X0 + i * S, Y0 + j * S
        centre = (i == 1 and j == 1)
        fill = '#deebf7' if centre else '#f4f4f4'
        stroke = '#1f4e9a' if centre else '#9a9a9a'
        sw = 2.2 if centre else 1.0
        a(f'<rect x="{cx}" y="{cy}" width="{S}" height="{S}" fill="{fill}" stroke="{stroke}" stroke-width="{sw}"/>')
        col = '#1f4e9a' if centre else '#8fa9d0'
        for (fx, fy) in parts:
            a(f'<circle cx="{cx+fx*S:.1f}" cy="{cy+fy*S:.1f}" r="5" fill="{col}"/>')
        mc = '#c00000' if centre else '#e6a0a0'
        a(f'<circle cx="{cx+mover[0]*S:.1f}" cy="{cy+mover[1]*S:.1f}" r="5" fill="{mc}"/>')
# arrow: the red molecule leaves through the right face ...
bx, by = X0 + S, Y0 + S
a(f'<line x1="{bx+mover[0]*S-4:.1f}" y1="{by+mover[1]*S:.1f}" x2="{bx+S+16:.1f}" y2="{by+mover[1]*S:.1f}" '
  'stroke="#c00000" stroke-width="1.6" marker-end="url(#ar)"/>')
# ... and its image enters through the left face
a(f'<line x1="{bx-S+mover[0]*S+6:.1f}" y1="{by+mover[1]*S:.1f}" x2="{bx+16:.1f}" y2="{by+mover[1]*S:.1f}" '
  'stroke="#c00000" stroke-width="1.6" stroke-dasharray="3,2" marker-end="url(#ar)"/>')
# cut-off circle around one particle of the central box, radius < S/2
px, py = bx + 0.52 * S, by + 0.15 * S
a(f'<circle cx="{px:.1f}" cy="{py:.1f}" r="{0.45*S:.1f}" fill="none" stroke="#1f7a1f" stroke-width="1.6" stroke-dasharray="5,3"/>')
a(f'<line x1="{px:.1f}" y1="{py:.1f}" x2="{px+0.45*S*0.8:.1f}" y2="{py-0.45*S*0.6:.1f}" stroke="#1f7a1f" stroke-width="1.2"/>')
a(f'<text x="{px+0.45*S*0.8+4:.1f}" y="{py-0.45*S*0.6-2:.1f}" font-size="12" font-weight="bold" fill="#1f7a1f">r<tspan baseline-shift="sub" font-size="9">c</tspan></text>')
# explanatory text on the right
tx = X0 + 3 * S + 22
lines = [('#1f4e9a', 'blue box: the simulated cell', True),
         ('#555555', 'grey boxes: periodic images', False),
         ('#555555', '(copies, not computed)', False),
         ('#c00000', 'a molecule leaving on one', True),
         ('#c00000', 'side re-enters on the other', False),
         ('#1f7a1f', 'cut-off radius rc must be', True),
         ('#1f7a1f', 'less than half the box edge L;', False),
         ('#1f7a1f', 'it reaches into the images', False)]
y = Y0 + 20
for colour, txt, gap in lines:
    if gap and y > Y0 + 20:
        y += 10
    a(f'<text x="{tx}" y="{y}" font-size="11" fill="{colour}">{txt}</text>')
    y += 15
# edge-length bracket under the central box
a(f'<line x1="{bx}" y1="{Y0+3*S+10}" x2="{bx+S}" y2="{Y0+3*S+10}" stroke="black"/>')
a(f'<line x1="{bx}" y1="{Y0+3*S+5}" x2="{bx}" y2="{Y0+3*S+15}" stroke="black"/>')
a(f'<line x1="{bx+S}" y1="{Y0+3*S+5}" x2="{bx+S}" y2="{Y0+3*S+15}" stroke="black"/>')
a(f'<text x="{bx+S/2}" y="{Y0+3*S+26}" font-size="11" text-anchor="middle">L</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000400-pbc.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
