#!/usr/bin/env python3
"""Generate E000270-halflife.svg: half-life of a first-order reaction as a
function of the free energy of activation, from the Eyring equation
k = (kB T / h) exp(-ΔG‡/RT) (kappa = 1), at 298.15 K and 373.15 K.
Convert with:  rsvg-convert -w 480 -h 300 E000270-halflife.svg -o E000270-halflife.png"""
import math, os

W, H = 480, 300
L, R, T, B = 58, 20, 30, 50
pw, ph = W - L - R, H - T - B
XMIN, XMAX = 50.0, 130.0              # ΔG‡ / kJ mol-1
YMIN, YMAX = -6.0, 10.0               # log10(t1/2 / s)
KB, HP, RGAS = 1.380649e-23, 6.62607015e-34, 8.314462618

def log_half_life(dg, t):
    k = KB * t / HP * math.exp(-dg * 1000.0 / (RGAS * t))
    return math.log10(math.log(2) / k)

def X(dg): return L + pw * (dg - XMIN) / (XMAX - XMIN)
def Y(lg): return T + ph * (YMAX - lg) / (YMAX - YMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for dg in range(50, 131, 10):
    x = X(dg)
    a(f'<line x1="{x:.1f}" y1="{T}" x2="{x:.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{x:.1f}" y="{T+ph+16}" font-size="11" text-anchor="middle">{dg}</text>')
for lg in range(-6, 11, 2):
    y = Y(lg)
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">10{"⁻" if lg < 0 else ""}'
      f'{"".join("⁰¹²³⁴⁵⁶⁷⁸⁹"[int(c)] for c in str(abs(lg)))}</text>')
# time-scale reference lines
for sec, lab in ((1, '1 s'), (60, '1 min'), (3600, '1 h'), (86400, '1 day'), (3.156e7, '1 year')):
    y = Y(math.log10(sec))
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#b0b0b0" stroke-dasharray="2,3"/>')
    a(f'<text x="{L+pw-4}" y="{y-3:.1f}" font-size="10" fill="#555555" text-anchor="end">{lab}</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-12}" font-size="12" text-anchor="middle">ΔG‡ / kJ mol⁻¹  (κ = 1, first-order reaction)</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  'half-life t½ / s</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Eyring equation: barrier versus half-life</text>')
def curve(t, colour, dash=''):
    pts = []
    for i in range(0, 161):
        dg = XMIN + (XMAX - XMIN) * i / 160
        lg = log_half_life(dg, t)
        if YMIN <= lg <= YMAX:
            pts.append(f'{X(dg):.1f},{Y(lg):.1f}')
    extra = f' stroke-dasharray="{dash}"' if dash else ''
    a(f'<path d="M{" L".join(pts)}" fill="none" stroke="{colour}" stroke-width="2.2"{extra}/>')
curve(298.15, '#1f4e9a')
curve(373.15, '#c00000', '6,3')
lg90 = log_half_life(90.0, 298.15)
a(f'<circle cx="{X(90):.1f}" cy="{Y(lg90):.1f}" r="3.5" fill="#1f4e9a"/>')
a(f'<text x="{X(90)-8:.1f}" y="{Y(lg90)-8:.1f}" font-size="11" text-anchor="end">90 kJ mol⁻¹: ≈ 11 min</text>')
lx, ly = L + 14, T + 16
a(f'<line x1="{lx}" y1="{ly}" x2="{lx+24}" y2="{ly}" stroke="#1f4e9a" stroke-width="2.2"/>')
a(f'<text x="{lx+30}" y="{ly+4}" font-size="11">298 K</text>')
a(f'<line x1="{lx}" y1="{ly+16}" x2="{lx+24}" y2="{ly+16}" stroke="#c00000" stroke-width="2.2" stroke-dasharray="6,3"/>')
a(f'<text x="{lx+30}" y="{ly+20}" font-size="11">373 K</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E000270-halflife.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
