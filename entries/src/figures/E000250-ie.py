#!/usr/bin/env python3
"""Generate E000250-ie.svg: schematic potential curves of a neutral molecule M
and its cation M+ along one geometry coordinate, showing the vertical and the
adiabatic ionization energy and the zero-point levels.
Convert with:  rsvg-convert -w 480 -h 300 E000250-ie.svg -o E000250-ie.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 44
pw, ph = W - L - R, H - T - B
QMIN, QMAX = 0.0, 10.0               # geometry coordinate (arbitrary units)
EMIN, EMAX = -0.6, 10.0              # energy axis (arbitrary units)

def neutral(q):                       # Morse-like well, minimum at q = 3.5
    return 3.2 * (1 - math.exp(-0.55 * (q - 3.5))) ** 2

def cation(q):                        # shifted, higher well, minimum at q = 5.3
    return 5.0 + 3.0 * (1 - math.exp(-0.42 * (q - 5.3))) ** 2

def X(q): return L + pw * (q - QMIN) / (QMAX - QMIN)
def Y(e): return T + ph * (EMAX - e) / (EMAX - EMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<defs><marker id="ar" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="black"/></marker>'
  '<marker id="ag" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="#1f7a1f"/></marker></defs>')
a(f'<line x1="{L}" y1="{T}" x2="{L}" y2="{T+ph}" stroke="black"/>')
a(f'<line x1="{L}" y1="{T+ph}" x2="{L+pw}" y2="{T+ph}" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-14}" font-size="12" text-anchor="middle">geometry coordinate (e.g. umbrella angle of NH₃)</text>')
a(f'<text transform="translate(20,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">energy</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Vertical and adiabatic ionization (schematic)</text>')

def path(f, q0, q1, emax):
    pts = []
    n = 200
    for i in range(n + 1):
        q = q0 + (q1 - q0) * i / n
        e = f(q)
        if e <= emax:
            pts.append(f'{X(q):.1f},{Y(e):.1f}')
    return 'M' + ' L'.join(pts)
a(f'<path d="{path(neutral, 1.6, 9.8, 4.6)}" fill="none" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<path d="{path(cation, 3.0, 9.8, 9.6)}" fill="none" stroke="#c00000" stroke-width="2.2"/>')
a(f'<text x="{X(8.6):.1f}" y="{Y(neutral(8.6))+18:.1f}" font-size="12" fill="#1f4e9a" text-anchor="middle">neutral M</text>')
a(f'<text x="{X(8.9):.1f}" y="{Y(cation(8.9))-8:.1f}" font-size="12" fill="#c00000" text-anchor="middle">cation M⁺</text>')
# zero-point levels
zn, zc = 0.35, 5.3
a(f'<line x1="{X(3.05):.1f}" y1="{Y(zn):.1f}" x2="{X(4.05):.1f}" y2="{Y(zn):.1f}" stroke="#1f4e9a" stroke-dasharray="3,2"/>')
a(f'<line x1="{X(4.8):.1f}" y1="{Y(zc):.1f}" x2="{X(5.9):.1f}" y2="{Y(zc):.1f}" stroke="#c00000" stroke-dasharray="3,2"/>')
a(f'<text x="{X(2.95):.1f}" y="{Y(zn)+4:.1f}" font-size="10" text-anchor="end">v = 0</text>')
a(f'<text x="{X(6.0):.1f}" y="{Y(zc)-4:.1f}" font-size="10">v = 0</text>')
# vertical arrow at neutral minimum geometry
qv = 3.5
a(f'<line x1="{X(qv):.1f}" y1="{Y(zn):.1f}" x2="{X(qv):.1f}" y2="{Y(cation(qv))+2:.1f}" stroke="black" stroke-width="1.6" marker-end="url(#ar)"/>')
a(f'<text x="{X(qv)-6:.1f}" y="{Y(6.0):.1f}" font-size="12" text-anchor="end">vertical IE</text>')
a(f'<text x="{X(qv)-6:.1f}" y="{Y(6.0)+14:.1f}" font-size="10" text-anchor="end">(band maximum)</text>')
# adiabatic arrow: neutral v=0 to cation v=0, drawn at cation minimum
qa = 5.3
a(f'<line x1="{X(4.05):.1f}" y1="{Y(zn):.1f}" x2="{X(qa)+14:.1f}" y2="{Y(zn):.1f}" stroke="#1f7a1f" stroke-dasharray="2,2"/>')
a(f'<line x1="{X(qa):.1f}" y1="{Y(zn):.1f}" x2="{X(qa):.1f}" y2="{Y(zc)+2:.1f}" stroke="#1f7a1f" stroke-width="1.6" marker-end="url(#ag)"/>')
a(f'<text x="{X(qa)+6:.1f}" y="{Y(3.9):.1f}" font-size="12" fill="#1f7a1f">adiabatic IE</text>')
a(f'<text x="{X(qa)+6:.1f}" y="{Y(3.9)+14:.1f}" font-size="10" fill="#1f7a1f">(0–0 transition, band onset)</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000250-ie.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
