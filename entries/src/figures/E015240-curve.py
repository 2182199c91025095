#!/usr/bin/env python3
"""Generate E015240-curve.svg: schematic interaction-energy curve of a small
dispersion-bound dimer (methane-dimer-like) computed with a density functional
without dispersion, the D3(BJ) dispersion term alone, the dispersion-corrected
functional, and reference points.  The curves are model functions, not data.
Convert with:  rsvg-convert -w 480 -h 300 E015240-curve.svg -o E015240-curve.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 50
pw, ph = W - L - R, H - T - B
RMIN, RMAX = 3.0, 6.0
EMIN, EMAX = -1.6, 1.6

def rep(r):    # functional without dispersion: purely repulsive (schematic)
    return 1.6 * math.exp(-2.2 * (r - 3.4))

def disp(r):   # Becke-Johnson-damped -C6/R^6 term (schematic)
    return -4600.0 / (r ** 6 + 3.0 ** 6)   # minimum near 3.7 A, -0.55 kcal/mol, as (CH4)2

def total(r):
    return rep(r) + disp(r)

def ref(r):    # "reference" points: close to, but not identical with, DFT-D
    return 1.04 * total(r + 0.03)

def X(r): return L + pw * (r - RMIN) / (RMAX - RMIN)
def Y(e): return T + ph * (EMAX - e) / (EMAX - EMIN)
def clip(e): return max(EMIN, min(EMAX, e))

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for i in range(7):
    r = 3.0 + 0.5 * i
    x = X(r)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{r:.1f}</text>')
for k in range(-3, 4):
    e = 0.5 * k
    y = Y(e)
    col = "#999999" if k == 0 else "#e4e4e4"
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="{col}"/>')
    lab = f'{e:+.1f}'.replace('-', '−') if k else '0'
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{lab}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-12}" font-size="12" text-anchor="middle">intermolecular distance R / Å</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'ΔE<tspan baseline-shift="sub" font-size="9">int</tspan> / kcal mol⁻¹</text>')
a(f'<text x="{L+pw/2}" y="19" font-size="13" font-weight="bold" text-anchor="middle">'
  'Dispersion-bound dimer (schematic)</text>')

def path(f, r0=RMIN, r1=RMAX, n=300):
    pts = []                          # only the part inside the plot window
    for i in range(n + 1):
        r = r0 + (r1 - r0) * i / n
        if EMIN <= f(r) <= EMAX:
            pts.append(f'{X(r):.1f},{Y(f(r)):.1f}')
    return 'M' + ' L'.join(pts)

a(f'<path d="{path(disp)}" fill="none" stroke="#7f7f7f" stroke-width="1.6" stroke-dasharray="2,3"/>')
a(f'<path d="{path(rep)}" fill="none" stroke="#c00000" stroke-width="1.8" stroke-dasharray="6,3"/>')
a(f'<path d="{path(total)}" fill="none" stroke="#1f4e9a" stroke-width="2.4"/>')
for i in range(0, 13):
    r = 3.2 + 0.2 * i
    a(f'<circle cx="{X(r):.1f}" cy="{Y(ref(r)):.1f}" r="3" fill="white" stroke="black" stroke-width="1.3"/>')
# legend
lx, ly = L + pw - 168, T + 16
a(f'<rect x="{lx-8}" y="{ly-12}" width="170" height="66" fill="white" stroke="#bfbfbf"/>')
a(f'<circle cx="{lx+12}" cy="{ly}" r="3" fill="white" stroke="black" stroke-width="1.3"/>')
a(f'<text x="{lx+30}" y="{ly+4}" font-size="11">CCSD(T)/CBS reference</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+24}" y2="{ly+16}" stroke="#1f4e9a" stroke-width="2.4"/>')
a(f'<text x="{lx+30}" y="{ly+20}" font-size="11">DFT-D3(BJ)</text>')
a(f'<line x1="{lx}" y1="{ly+32}" x2="{lx+24}" y2="{ly+32}" stroke="#c00000" stroke-width="1.8" stroke-dasharray="6,3"/>')
a(f'<text x="{lx+30}" y="{ly+36}" font-size="11">same functional, no D3</text>')
a(f'<line x1="{lx}" y1="{ly+48}" x2="{lx+24}" y2="{ly+48}" stroke="#7f7f7f" stroke-width="1.6" stroke-dasharray="2,3"/>')
a(f'<text x="{lx+30}" y="{ly+52}" font-size="11">dispersion term</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015240-curve.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
