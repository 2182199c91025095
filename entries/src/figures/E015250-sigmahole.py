#!/usr/bin/env python3
"""Generate E015250-sigmahole.svg: schematic of a halogen bond R-X...B with the
sigma-hole (positive electrostatic potential on the extension of the C-X bond)
and the negative belt around the halogen.  Schematic, not computed.
Convert with:  rsvg-convert -w 480 -h 300 E015250-sigmahole.svg -o E015250-sigmahole.png"""
import math, os

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a('<text x="240" y="22" font-size="13" font-weight="bold" text-anchor="middle">'
  'Halogen bond and σ-hole (schematic)</text>')

cy = 150
xc, xx, xn = 85, 185, 405          # C, halogen X, base N
rx = 44                               # radius of the halogen

def arc(cx, cy, r, a0, a1, colour, width):
    """Arc from angle a0 to a1 (degrees, 0 = +x, counter-clockwise on screen = negative y)."""
    x0, y0 = cx + r * math.cos(math.radians(a0)), cy - r * math.sin(math.radians(a0))
    x1, y1 = cx + r * math.cos(math.radians(a1)), cy - r * math.sin(math.radians(a1))
    large = 1 if abs(a1 - a0) > 180 else 0
    a(f'<path d="M{x0:.1f},{y0:.1f} A{r},{r} 0 {large} 0 {x1:.1f},{y1:.1f}" fill="none" '
      f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round"/>')

# substituents on carbon (three F, drawn as small circles)
for ang in (120, 180, 240):
    fx = xc + 48 * math.cos(math.radians(ang))
    fy = cy - 48 * math.sin(math.radians(ang))
    a(f'<line x1="{xc}" y1="{cy}" x2="{fx:.1f}" y2="{fy:.1f}" stroke="black" stroke-width="2"/>')
    a(f'<circle cx="{fx:.1f}" cy="{fy:.1f}" r="12" fill="#c6e0b4" stroke="black"/>')
    a(f'<text x="{fx:.1f}" y="{fy+4:.1f}" font-size="11" text-anchor="middle">F</text>')
# C-X bond, carbon, halogen
a(f'<line x1="{xc}" y1="{cy}" x2="{xx}" y2="{cy}" stroke="black" stroke-width="2"/>')
a(f'<circle cx="{xc}" cy="{cy}" r="16" fill="#bfbfbf" stroke="black"/>')
a(f'<text x="{xc}" y="{cy+5}" font-size="13" text-anchor="middle">C</text>')
a(f'<circle cx="{xx}" cy="{cy}" r="{rx}" fill="#f2f2f2" stroke="black"/>')
arc(xx, cy, rx + 6, 55, 150, "#c00000", 9)       # negative belt (top)
arc(xx, cy, rx + 6, -150, -55, "#c00000", 9)     # negative belt (bottom)
arc(xx, cy, rx + 6, -28, 28, "#1f4e9a", 9)       # sigma-hole
a(f'<text x="{xx}" y="{cy+6}" font-size="18" text-anchor="middle">X</text>')
a(f'<text x="{xx}" y="{cy+24}" font-size="10" text-anchor="middle" fill="#595959">Cl, Br, I</text>')
# Lewis base: N with lone pair and three H
a(f'<ellipse cx="{xn-24}" cy="{cy}" rx="14" ry="9" fill="#fff2cc" stroke="#7f6000"/>')
a(f'<text x="{xn-24}" y="{cy+3}" font-size="10" text-anchor="middle">··</text>')
for ang in (50, 0, -50):
    hx = xn + 40 * math.cos(math.radians(ang))
    hy = cy - 40 * math.sin(math.radians(ang))
    a(f'<line x1="{xn}" y1="{cy}" x2="{hx:.1f}" y2="{hy:.1f}" stroke="black" stroke-width="2"/>')
    a(f'<circle cx="{hx:.1f}" cy="{hy:.1f}" r="9" fill="white" stroke="black"/>')
    a(f'<text x="{hx:.1f}" y="{hy+4:.1f}" font-size="10" text-anchor="middle">H</text>')
a(f'<circle cx="{xn}" cy="{cy}" r="15" fill="#9dc3e6" stroke="black"/>')
a(f'<text x="{xn}" y="{cy+5}" font-size="13" text-anchor="middle">N</text>')
# the halogen bond
a(f'<line x1="{xx+rx+14}" y1="{cy}" x2="{xn-40}" y2="{cy}" stroke="black" stroke-width="2" '
  'stroke-dasharray="5,4"/>')
# labels
a(f'<text x="{xx+rx+4}" y="{cy-52}" font-size="11" fill="#1f4e9a">σ-hole: V &gt; 0</text>')
a(f'<line x1="{xx+rx+10}" y1="{cy-48}" x2="{xx+rx+8}" y2="{cy-16}" stroke="#1f4e9a"/>')
a(f'<text x="{xx-10}" y="{cy-74}" font-size="11" fill="#c00000" text-anchor="middle">negative belt: V &lt; 0</text>')
a(f'<text x="{(xx+rx+xn-24)/2:.0f}" y="{cy+24}" font-size="11" text-anchor="middle">halogen bond</text>')
a(f'<text x="{(xx+rx+xn-24)/2:.0f}" y="{cy+40}" font-size="11" text-anchor="middle">C–X···N ≈ 180°</text>')
a(f'<text x="240" y="{H-38}" font-size="11" text-anchor="middle">'
  'σ-hole grows with polarisability and electron-withdrawing R:  I &gt; Br &gt; Cl ≫ F</text>')
a(f'<text x="240" y="{H-20}" font-size="11" text-anchor="middle" fill="#595959">'
  'colour: electrostatic potential V on the surface (blue &gt; 0, red &lt; 0)</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015250-sigmahole.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
