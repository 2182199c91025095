#!/usr/bin/env python3
"""Generate E015170-levels.svg: schematic energy-level hierarchy of a Ce(III)
ion (4f1) in a complex: term -> spin-orbit multiplets -> crystal-field
(Kramers) doublets. Not to scale.
Convert with:  rsvg-convert -w 480 -h 300 E015170-levels.svg -o E015170-levels.png"""
import os

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="20" font-size="13" font-weight="bold" text-anchor="middle">'
  'Ce(III), 4f¹: which interaction splits what (not to scale)</text>')

def lev(x, y, w=70, col="black", sw=2.2):
    a(f'<line x1="{x}" y1="{y}" x2="{x+w}" y2="{y}" stroke="{col}" stroke-width="{sw}"/>')

def link(x1, y1, x2, y2):
    a(f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="#999" stroke-dasharray="3,3"/>')

# column 1: term 2F (14 states)
x1, x2, x3 = 40, 190, 340
y_term = 165
lev(x1, y_term)
a(f'<text x="{x1+35}" y="{y_term+18}" font-size="12" text-anchor="middle">²F</text>')
a(f'<text x="{x1+35}" y="{y_term+32}" font-size="10" text-anchor="middle" fill="#444">14 states</text>')
# column 2: spin-orbit multiplets
y72, y52 = 95, 215
for y, lab, n in ((y72, "²F₇/₂", "8 states"), (y52, "²F₅/₂", "6 states")):
    lev(x2, y)
    link(x1 + 70, y_term, x2, y)
    a(f'<text x="{x2+35}" y="{y+18}" font-size="12" text-anchor="middle">{lab}</text>')
    a(f'<text x="{x2+35}" y="{y+32}" font-size="10" text-anchor="middle" fill="#444">{n}</text>')
# column 3: crystal-field (Kramers) doublets
for yc, k in ((y72, 4), (y52, 3)):
    ys = [yc - 14 + 28 * i / (k - 1) for i in range(k)]
    for y in ys:
        lev(x3, y, w=60, col="#1f4e9a", sw=2)
        link(x2 + 70, yc, x3, y)
    a(f'<text x="{x3+66}" y="{yc+4}" font-size="10" text-anchor="start">{k} Kramers</text>')
    a(f'<text x="{x3+66}" y="{yc+16}" font-size="10" text-anchor="start">doublets</text>')
# size arrows
def arrow(x, ya, yb, text, color):
    a(f'<line x1="{x}" y1="{ya}" x2="{x}" y2="{yb}" stroke="{color}" stroke-width="1.4"/>')
    for y, s in ((ya, 1), (yb, -1)):
        a(f'<polygon points="{x-3},{y+5*s} {x+3},{y+5*s} {x},{y}" fill="{color}"/>')
    a(f'<text x="{x+6}" y="{(ya+yb)/2+4}" font-size="10" text-anchor="start" fill="{color}">{text}</text>')
arrow(x2 - 6, y72, y52, "≈ 2200 cm⁻¹", "#c00000")
arrow(x3 - 8, y52 - 14, y52 + 14, "", "#1f4e9a")
a(f'<text x="{x3+30}" y="{y52+46}" font-size="10" text-anchor="middle" fill="#1f4e9a">crystal field: ≈ 100–500 cm⁻¹</text>')
# column headings
for x, t in ((x1 + 35, "free-ion term"), (x2 + 35, "+ spin–orbit"), (x3 + 30, "+ ligand field")):
    a(f'<text x="{x}" y="48" font-size="11" font-weight="bold" text-anchor="middle">{t}</text>')
a(f'<text x="{W/2}" y="{H-12}" font-size="10" text-anchor="middle" fill="#444">'
  'For 3d ions the order is reversed: ligand field (≈ 10⁴ cm⁻¹) ≫ spin–orbit coupling.</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015170-levels.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
