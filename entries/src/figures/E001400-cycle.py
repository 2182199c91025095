#!/usr/bin/env python3
"""Generate E001400-cycle.svg: thermodynamic cycle for an absolute pKa,
HA -> A- + H+, gas phase on top, aqueous solution below.
Convert with:  rsvg-convert -w 480 -h 300 E001400-cycle.svg -o E001400-cycle.png"""
import os

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<defs><marker id="ar" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto">'
  '<path d="M0,0 L8,4 L0,8 z" fill="black"/></marker></defs>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Thermodynamic cycle for an absolute pK<tspan dy="3" font-size="10">a</tspan></text>')

def sub(main, s, rest=''):
    """text with a subscript, e.g. ΔG*_solv(HA)"""
    return (f'{main}<tspan dy="3" font-size="9">{s}</tspan>'
            f'<tspan dy="-3">{rest}</tspan>')

def text(x, y, t, size=12, anchor='middle', bold=False, col='black'):
    w = ' font-weight="bold"' if bold else ''
    a(f'<text xml:space="preserve" x="{x}" y="{y}" font-size="{size}" text-anchor="{anchor}" fill="{col}"{w}>{t}</text>')

def arrow(x1, y1, x2, y2, col='black'):
    a(f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{col}" stroke-width="1.6" '
      'marker-end="url(#ar)"/>')

YG, YA = 62, 192                     # baselines of gas-phase and aqueous rows
XL, XA, XH = 70, 275, 360            # x of HA, A-, H+
# gas phase row
text(XL, YG, 'HA(g)', 14, bold=True)
text(XA, YG, 'A⁻(g)', 14, bold=True)
text((XA + XH) / 2, YG, '+', 14)
text(XH, YG, 'H⁺(g)', 14, bold=True)
arrow(XL + 36, YG - 5, XA - 32, YG - 5)
text((XL + XA) / 2, YG - 13, sub('ΔG°', 'gas', ' (1 atm)'), 12)
text(W - 8, YG - 2, 'gas phase', 11, 'end', col='#555')
# aqueous row
text(XL, YA, 'HA(aq)', 14, bold=True)
text(XA, YA, 'A⁻(aq)', 14, bold=True)
text((XA + XH) / 2, YA, '+', 14)
text(XH, YA, 'H⁺(aq)', 14, bold=True)
arrow(XL + 40, YA - 5, XA - 36, YA - 5)
text((XL + XA) / 2, YA + 14, sub('ΔG*', 'aq'), 12, col='#c00000')
text(W - 8, YA + 16, 'solution, 1 mol L⁻¹', 11, 'end', col='#555')
# vertical solvation arrows
for x in (XL, XA, XH):
    arrow(x, YG + 8, x, YA - 20, '#1f4e9a')
text(XL + 6, (YG + YA) / 2 - 2, sub('ΔG*', 'solv', '(HA)'), 12, 'start', col='#1f4e9a')
text(XA - 6, (YG + YA) / 2 - 2, sub('ΔG*', 'solv', '(A⁻)'), 12, 'end', col='#1f4e9a')
text(XH + 6, (YG + YA) / 2 - 10, sub('ΔG*', 'solv', '(H⁺)'), 12, 'start', col='#1f4e9a')
text(XH + 6, (YG + YA) / 2 + 6, '= −265.9', 12, 'start', col='#1f4e9a')
text(XH + 6, (YG + YA) / 2 + 21, 'kcal mol⁻¹', 12, 'start', col='#1f4e9a')
# equations
text(W / 2, 236, sub('ΔG*', 'aq') + ' = ' + sub('ΔG°', 'gas') + ' + 1.89 + '
     + sub('ΔG*', 'solv', '(A⁻) + ') + sub('ΔG*', 'solv', '(H⁺) − ')
     + sub('ΔG*', 'solv', '(HA)'), 12)
text(W / 2, 258, 'pK<tspan dy="3" font-size="9">a</tspan><tspan dy="-3"> = </tspan>'
     + sub('ΔG*', 'aq') + ' / (RT ln 10) = ' + sub('ΔG*', 'aq') + ' / 1.364 kcal mol⁻¹ (298.15 K)', 12)
text(W / 2, 282, '+1.89 kcal mol⁻¹ = RT ln 24.46: one extra mole of gas taken from 1 atm to 1 mol L⁻¹',
     10, col='#555')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001400-cycle.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
