#!/usr/bin/env python3
"""Generate E015210-nics.svg: where the ghost atoms (Bq) for NICS(0) and NICS(1)
are placed relative to a benzene ring (perspective side view).
Convert with:  rsvg-convert -w 480 -h 300 E015210-nics.svg -o E015210-nics.png"""
import math, os

W, H = 480, 300
CX, CY = 178, 205          # ring centre on the drawing
RX, RY = 110, 34           # ellipse radii of the hexagon in perspective
UNIT = 95                  # pixels per 1 Angstrom along the ring normal

def P(k, r=1.0):
    a = math.radians(60 * k + 0)
    return CX + r * RX * math.cos(a), CY + r * RY * math.sin(a)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<defs><marker id="ah" viewBox="0 0 10 10" refX="9" refY="5" markerWidth="7" markerHeight="7" '
  'orient="auto-start-reverse"><path d="M0,0 L10,5 L0,10 z" fill="#333333"/></marker></defs>')
a(f'<text x="{W/2}" y="20" font-size="13" font-weight="bold" text-anchor="middle">'
  'Ghost atoms (Bq) for NICS above a benzene ring</text>')
# ring normal (z axis), drawn behind everything
a(f'<line x1="{CX}" y1="{CY+40}" x2="{CX}" y2="{CY-UNIT-62}" stroke="#333333" stroke-width="1.2" '
  'stroke-dasharray="5,3" marker-end="url(#ah)"/>')
a(f'<text x="{CX+8}" y="{CY-UNIT-52}" font-size="12" font-style="italic">z (ring normal)</text>')
# ring bonds (C-H first, then C-C)
for k in range(6):
    x1, y1 = P(k); x2, y2 = P(k, 1.55)
    a(f'<line x1="{x1:.1f}" y1="{y1:.1f}" x2="{x2:.1f}" y2="{y2:.1f}" stroke="#888888" stroke-width="1.5"/>')
    a(f'<circle cx="{x2:.1f}" cy="{y2:.1f}" r="5" fill="white" stroke="#888888"/>')
pts = ' '.join(f'{P(k)[0]:.1f},{P(k)[1]:.1f}' for k in range(6))
a(f'<polygon points="{pts}" fill="#deebf7" fill-opacity="0.7" stroke="#1f4e9a" stroke-width="2.2"/>')
for k in range(6):
    x, y = P(k)
    a(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="7" fill="#1f4e9a"/>')
    a(f'<text x="{x:.1f}" y="{y+4:.1f}" font-size="9" fill="white" text-anchor="middle">C</text>')
# ghost atoms
def ghost(y, label, sub, ly):
    a(f'<circle cx="{CX}" cy="{y:.1f}" r="8" fill="#c00000"/>')
    a(f'<text x="{CX}" y="{y+4:.1f}" font-size="8" fill="white" text-anchor="middle">Bq</text>')
    a(f'<line x1="{CX+9}" y1="{y:.1f}" x2="{LX-6}" y2="{ly:.1f}" stroke="#c00000" stroke-width="0.8"/>')
    a(f'<text x="{LX}" y="{ly-2:.1f}" font-size="12" fill="#c00000" font-weight="bold">{label}</text>')
    a(f'<text x="{LX}" y="{ly+13:.1f}" font-size="11">{sub}</text>')
LX = 322
ghost(CY, 'NICS(0)', 'at the ring centre', CY + 48)
ghost(CY - UNIT, 'NICS(1), NICS(1)zz', '1 Å above the centre', CY - UNIT)
# 1 Angstrom dimension
x = CX + 28
a(f'<line x1="{x}" y1="{CY-3}" x2="{x}" y2="{CY-UNIT+3}" stroke="#333333" stroke-width="1" '
  'marker-start="url(#ah)" marker-end="url(#ah)"/>')
a(f'<text x="{x+6}" y="{CY-UNIT/2+4}" font-size="12">1.0 Å</text>')
# footnote
a(f'<text x="20" y="{H-12}" font-size="11">NICS = −σ at the ghost atom;  zz = component along the ring normal.</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015210-nics.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
