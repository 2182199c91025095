#!/usr/bin/env python3
"""Generate E000130-pes.svg: schematic torsional energy profile (butane-like)
for a dihedral scan over 0-360 degrees, relaxed vs rigid scan.
Convert with:  rsvg-convert -w 480 -h 300 E000130-pes.svg -o E000130-pes.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 50          # plot margins
pw, ph = W - L - R, H - T - B
EMAX = 6.0                           # y-axis top (kcal/mol)
EMIN = -1.0                          # y-axis bottom

def relaxed(phi):                    # schematic V1/V3 torsion potential
    p = math.radians(phi)
    return 1.2 * (1 + math.cos(p)) / 2 + 3.0 * (1 + math.cos(3 * p)) / 2

def rigid(phi):                      # rigid scan: same minima, higher barriers
    p = math.radians(phi)
    return relaxed(phi) + 0.9 * (1 + math.cos(3 * p)) / 2 + 0.5 * (1 + math.cos(p)) / 2

def X(phi): return L + pw * phi / 360.0
def Y(e):   return T + ph * (EMAX - e) / (EMAX - EMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
# grid + ticks
for phi in range(0, 361, 60):
    x = X(phi)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{phi}</text>')
for e in range(0, 7):
    y = Y(e)
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{e}</text>')
# axes
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">C–C–C–C dihedral angle φ / °</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'ΔE / kcal mol⁻¹</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Torsional scan (schematic, butane-like)</text>')
# curves
def path(f, step=2):
    pts = [f'{X(p):.1f},{Y(f(p)):.1f}' for p in range(0, 361, step)]
    return 'M' + ' L'.join(pts)
a(f'<path d="{path(rigid)}" fill="none" stroke="#c00000" stroke-width="1.6" stroke-dasharray="5,3"/>')
a(f'<path d="{path(relaxed)}" fill="none" stroke="#1f4e9a" stroke-width="2.2"/>')
for p in range(0, 361, 10):          # relaxed scan points every 10 degrees
    a(f'<circle cx="{X(p):.1f}" cy="{Y(relaxed(p)):.1f}" r="2.6" fill="#1f4e9a"/>')
# labels for stationary points
def lab(phi, txt, dy, anchor="middle"):
    a(f'<text x="{X(phi):.1f}" y="{Y(relaxed(phi))+dy:.1f}" font-size="11" text-anchor="{anchor}">{txt}</text>')
lab(180, 'anti (global min.)', 14)
lab(60, 'gauche', 16)
lab(300, 'gauche', 16)
lab(120, 'eclipsed (TS)', -8)
lab(240, 'eclipsed (TS)', -8)
lab(4, 'syn', -8, "start")
# legend
lx, ly = L + pw - 150, T + 14
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+24}" y2="{ly}" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<text x="{lx+30}" y="{ly+4}" font-size="11">relaxed scan</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+24}" y2="{ly+16}" stroke="#c00000" stroke-width="1.6" stroke-dasharray="5,3"/>')
a(f'<text x="{lx+30}" y="{ly+20}" font-size="11">rigid scan</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000130-pes.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
