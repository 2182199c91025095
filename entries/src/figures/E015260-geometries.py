#!/usr/bin/env python3
"""Generate E015260-geometries.svg: side views of the three classic benzene-dimer
geometries (sandwich, parallel-displaced, T-shaped) with their approximate
CCSD(T)/CBS intermolecular distances.  Rings are drawn edge-on to scale.
Convert with:  rsvg-convert -w 480 -h 300 E015260-geometries.svg -o E015260-geometries.png"""
import os

W, H = 480, 300
S = 15.0                        # pixels per angstrom
RC, RH = 1.3915, 2.4715         # ring radius to C and to H (angstrom)
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<text x="240" y="20" font-size="13" font-weight="bold" text-anchor="middle">'
  'Benzene dimer: the three reference geometries (side view)</text>')

def ring_h(cx, cy):
    """benzene edge-on, lying flat (horizontal)"""
    a(f'<line x1="{cx-RH*S:.1f}" y1="{cy}" x2="{cx+RH*S:.1f}" y2="{cy}" stroke="#7f7f7f" stroke-width="1.5"/>')
    a(f'<line x1="{cx-RC*S:.1f}" y1="{cy}" x2="{cx+RC*S:.1f}" y2="{cy}" stroke="black" stroke-width="5" stroke-linecap="round"/>')
    a(f'<circle cx="{cx}" cy="{cy}" r="2.5" fill="#c00000"/>')

def ring_v(cx, cy):
    """benzene edge-on, standing upright (vertical)"""
    a(f'<line x1="{cx}" y1="{cy-RH*S:.1f}" x2="{cx}" y2="{cy+RH*S:.1f}" stroke="#7f7f7f" stroke-width="1.5"/>')
    a(f'<line x1="{cx}" y1="{cy-RC*S:.1f}" x2="{cx}" y2="{cy+RC*S:.1f}" stroke="black" stroke-width="5" stroke-linecap="round"/>')
    a(f'<circle cx="{cx}" cy="{cy}" r="2.5" fill="#c00000"/>')

def dim_v(x, y0, y1, txt, left=False):
    a(f'<line x1="{x}" y1="{y0:.1f}" x2="{x}" y2="{y1:.1f}" stroke="#1f4e9a" stroke-width="1.2" '
      'marker-start="url(#ar)" marker-end="url(#ar)"/>')
    anchor = "end" if left else "start"
    dx = -5 if left else 5
    a(f'<text x="{x+dx}" y="{(y0+y1)/2+4:.1f}" font-size="11" fill="#1f4e9a" text-anchor="{anchor}">{txt}</text>')

a('<defs><marker id="ar" viewBox="0 0 10 10" refX="5" refY="5" markerWidth="5" markerHeight="5" '
  'orient="auto-start-reverse"><path d="M0,0 L10,5 L0,10 z" fill="#1f4e9a"/></marker></defs>')

base = 178                      # y of the lower ring
# sandwich
cx = 80
ring_h(cx, base); ring_h(cx, base - 3.9 * S)
dim_v(cx + RH * S + 8, base, base - 3.9 * S, "R")
# parallel displaced
cx = 222
ring_h(cx, base); ring_h(cx + 1.7 * S, base - 3.5 * S)
dim_v(cx + 1.7 * S + RH * S + 8, base, base - 3.5 * S, "R1")
yb = base - 3.5 * S - 14
a(f'<line x1="{cx}" y1="{yb:.1f}" x2="{cx+1.7*S:.1f}" y2="{yb:.1f}" stroke="#1f4e9a" stroke-width="1.2" '
  'marker-start="url(#ar)" marker-end="url(#ar)"/>')
a(f'<line x1="{cx}" y1="{base:.1f}" x2="{cx}" y2="{yb-4:.1f}" stroke="#1f4e9a" stroke-width="0.8" stroke-dasharray="2,2"/>')
a(f'<text x="{cx+0.85*S:.1f}" y="{yb-6:.1f}" font-size="11" fill="#1f4e9a" text-anchor="middle">R2</text>')
# T-shaped
cx = 400
ring_h(cx, base); ring_v(cx, base - 5.0 * S)
dim_v(cx + 22, base, base - 5.0 * S, "R")
# labels
rows = [(80, "sandwich (D6h)", "R ≈ 3.9 Å", "−1.7 to −1.8"),
        (240, "parallel-displaced", "R1 ≈ 3.4–3.6, R2 ≈ 1.6–1.8 Å", "−2.6 to −2.8"),
        (400, "T-shaped (C2v)", "R ≈ 4.9–5.0 Å", "−2.6 to −2.8")]
for x, name, d, e in rows:
    a(f'<text x="{x}" y="{base+30}" font-size="12" font-weight="bold" text-anchor="middle">{name}</text>')
    a(f'<text x="{x}" y="{base+47}" font-size="10.5" text-anchor="middle">{d}</text>')
    a(f'<text x="{x}" y="{base+64}" font-size="10.5" text-anchor="middle">ΔE ≈ {e} kcal/mol</text>')
a(f'<text x="240" y="{H-10}" font-size="10" fill="#595959" text-anchor="middle">'
  'red dot: ring centroid; R: centroid distance; R1: plane separation; R2: offset</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015260-geometries.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
