#!/usr/bin/env python3
"""Generate E015180-quadruple.svg: schematic d-d molecular-orbital diagram of
the Re-Re quadruple bond in [Re2Cl8]2- (sigma2 pi4 delta2).
Convert with:  rsvg-convert -w 480 -h 300 E015180-quadruple.svg -o E015180-quadruple.png"""
import os

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="20" font-size="13" font-weight="bold" text-anchor="middle">'
  'The quadruple bond of [Re₂Cl₈]²⁻ (schematic)</text>')

def level(xc, y, n=1, w=34, gap=8, color="black"):
    """draw n degenerate levels centred at xc; return x centres"""
    total = n * w + (n - 1) * gap
    xs = []
    for i in range(n):
        x0 = xc - total / 2 + i * (w + gap)
        a(f'<line x1="{x0:.1f}" y1="{y}" x2="{x0+w:.1f}" y2="{y}" stroke="{color}" stroke-width="2.2"/>')
        xs.append(x0 + w / 2)
    return xs

def pair(x, y):                  # two electrons, up and down arrows
    for dx, up in ((-5, True), (5, False)):
        y1, y2 = (y + 9, y - 11) if up else (y - 11, y + 9)
        a(f'<line x1="{x+dx}" y1="{y1}" x2="{x+dx}" y2="{y2}" stroke="#c00000" stroke-width="1.6"/>')
        tip = y2
        s = 4 if up else -4
        a(f'<polygon points="{x+dx-3},{tip+s} {x+dx+3},{tip+s} {x+dx},{tip}" fill="#c00000"/>')

LX, MX, RX = 85, 240, 405
yd = 150                          # d-orbital level of each Re
# atomic d levels (the dx2-y2 orbitals bond to Cl and are not shown)
for x, lab in ((LX, "Re (d⁴)"), (RX, "Re (d⁴)")):
    xs = level(x, yd, 4, w=18, gap=5)
    a(f'<text x="{x}" y="{yd+22}" font-size="11" text-anchor="middle">{lab}</text>')
    a(f'<text x="{x}" y="{yd+36}" font-size="9" text-anchor="middle" fill="#444">d(z²), d(xz), d(yz), d(xy)</text>')
mos = [  # (label, y, degeneracy, filled)
    ("σ*", 50, 1, False), ("π*", 78, 2, False), ("δ*", 112, 1, False),
    ("δ", 166, 1, True), ("π", 206, 2, True), ("σ", 246, 1, True)]
for lab, y, n, filled in mos:
    xs = level(MX, y, n)
    a(f'<text x="{MX+62}" y="{y+4}" font-size="13" text-anchor="start">{lab}</text>')
    if filled:
        for x in xs:
            pair(x, y)
    # correlation lines to the atomic levels
    half = (n * 34 + (n - 1) * 8) / 2
    a(f'<line x1="{LX+50}" y1="{yd}" x2="{MX-half-4}" y2="{y}" stroke="#999" stroke-dasharray="3,3"/>')
    a(f'<line x1="{RX-50}" y1="{yd}" x2="{MX+half+4}" y2="{y}" stroke="#999" stroke-dasharray="3,3"/>')
a(f'<text x="{W/2}" y="{H-24}" font-size="11" text-anchor="middle">'
  'σ²π⁴δ²: formal bond order 4. The δ overlap is weak, so the δ*</text>')
a(f'<text x="{W/2}" y="{H-9}" font-size="11" text-anchor="middle">'
  'is partly occupied and the effective bond order is below 4.</text>')
a(f'<line x1="12" y1="250" x2="12" y2="50" stroke="black" stroke-width="1.2"/>')
a(f'<polygon points="8,56 16,56 12,46" fill="black"/>')
a(f'<text transform="translate(24,150) rotate(-90)" font-size="11" text-anchor="middle">energy</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015180-quadruple.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
