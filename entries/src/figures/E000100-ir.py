#!/usr/bin/env python3
"""Generate E000100-ir.svg: schematic computed IR spectrum (sticks + Lorentzian
broadening), wavenumber axis from 4000 to 500 cm-1 (decreasing, as in experiment).
Convert: rsvg-convert -w 480 -h 300 E000100-ir.svg -o E000100-ir.png, then to JPEG."""
import os

W, H = 480, 300
L, R, T, B = 50, 18, 30, 50
pw, ph = W - L - R, H - T - B
# schematic (not real) scaled wavenumbers / cm-1 and relative intensities
sticks = [(3060, 0.08), (2975, 0.22), (2935, 0.15), (1715, 1.00), (1460, 0.25),
          (1365, 0.35), (1220, 0.55), (1100, 0.20), (950, 0.10), (780, 0.12), (530, 0.10)]
FWHM = 20.0

def X(nu): return L + pw * (4000 - nu) / 3500.0
def Y(i):  return T + ph * (1 - i / 1.15)

def lorentz(nu):
    g = FWHM / 2
    return sum(I * g * g / ((nu - n0) ** 2 + g * g) for n0, I in sticks)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for nu in range(4000, 499, -500):
    x = X(nu)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e6e6e6"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{nu}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">wavenumber ν̃ / cm⁻¹</text>')
a(f'<text transform="translate(20,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'IR intensity (relative)</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Computed IR spectrum (schematic)</text>')
pts = []
nu = 4000.0
while nu >= 500:
    pts.append(f'{X(nu):.1f},{Y(min(lorentz(nu), 1.12)):.1f}')
    nu -= 2.5
for n0, I in sticks:
    a(f'<line x1="{X(n0):.1f}" y1="{Y(0):.1f}" x2="{X(n0):.1f}" y2="{Y(I):.1f}" '
      'stroke="#c00000" stroke-width="1.5"/>')
a(f'<path d="M{" L".join(pts)}" fill="none" stroke="#1f4e9a" stroke-width="1.6"/>')
a(f'<text x="{X(1715)+6:.1f}" y="{Y(1.0)+10:.1f}" font-size="11">C=O stretch</text>')
a(f'<text x="{X(2950):.1f}" y="{Y(0.22)-8:.1f}" font-size="11" text-anchor="middle">C–H stretches</text>')
lx, ly = L + 12, T + 50
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+22}" y2="{ly}" stroke="#c00000" stroke-width="2"/>')
a(f'<text x="{lx+28}" y="{ly+4}" font-size="11">computed modes (sticks, scaled)</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+22}" y2="{ly+16}" stroke="#1f4e9a" stroke-width="1.6"/>')
a(f'<text x="{lx+28}" y="{ly+20}" font-size="11">Lorentzian broadening, FWHM {FWHM:.0f} cm⁻¹</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000100-ir.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
