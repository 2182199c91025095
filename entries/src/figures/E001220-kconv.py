#!/usr/bin/env python3
"""Generate E001220-kconv.svg: k-point convergence of the total energy for
silicon (insulator; Gamma-centred and shifted Monkhorst-Pack grids) and fcc
copper (metal; Marzari-Vanderbilt smearing 0.02 Ry).
The numbers are total energies (Ry per cell) from Quantum ESPRESSO 6.7 pw.x,
PBE, pslibrary ultrasoft Si (35 Ry / 280 Ry, a = 5.467 A, 2 atoms) and PAW Cu
(45 Ry / 360 Ry, a = 3.63 A, 1 atom). The error is taken relative to the
converged value (Si: shifted 10x10x10 grid; Cu: 24x24x24 grid) and plotted in meV/atom on a log scale.
Convert with:  rsvg-convert -w 480 -h 300 E001220-kconv.svg -o E001220-kconv.png"""
import math, os

RY = 13605.693                        # meV per Ry
si_gamma = {2: -20.25416454, 3: -20.39435339, 4: -20.42545843, 5: -20.43438447,
            6: -20.43730809, 7: -20.43835787, 8: -20.43875642, 9: -20.43892009,
            10: -20.43898715, 12: -20.43902964, 14: -20.43903839, 16: -20.43904038}
si_shift = {2: -20.42722980, 3: -20.43772049, 4: -20.43884336, 5: -20.43900584,
            6: -20.43903317, 7: -20.43903976, 8: -20.43904102, 10: -20.43904105}
cu = {4: -213.20062101, 6: -213.20762883, 8: -213.20982527, 10: -213.21104868, 12: -213.21172977, 14: -213.21202018, 16: -213.21208126, 18: -213.2121145, 20: -213.21213459, 24: -213.2121442}

def errors(d, ref, natoms):
    return {n: max(abs(e - ref) * RY / natoms, 1e-3) for n, e in sorted(d.items())}

si_ref = si_shift[10]                 # both silicon series converge to the same limit
series = [
    ('Si, Γ-centred grid', errors({n: e for n, e in si_gamma.items() if n <= 12}, si_ref, 2), '#1f4e9a', ''),
    ('Si, shifted grid', errors({n: e for n, e in si_shift.items() if n <= 6}, si_ref, 2), '#2e8b57', '5,3'),
    ('Cu (metal), smearing', errors({n: e for n, e in cu.items() if n < max(cu)}, cu[max(cu)], 1), '#c00000', ''),
]

W, H = 480, 300
L, R, T, B = 62, 16, 30, 46
pw, ph = W - L - R, H - T - B
NMIN, NMAX = 2, 22
LMIN, LMAX = -2, 3                    # log10 of meV/atom

def X(n): return L + pw * (n - NMIN) / (NMAX - NMIN)
def Y(err): return T + ph * (LMAX - math.log10(err)) / (LMAX - LMIN)

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
for n in range(NMIN, NMAX + 1, 2):
    a(f'<line x1="{X(n):.1f}" y1="{T}" x2="{X(n):.1f}" y2="{T+ph}" stroke="#e4e4e4"/>')
    a(f'<text x="{X(n):.1f}" y="{T+ph+15}" font-size="11" text-anchor="middle">{n}</text>')
labels = {-2: '0.01', -1: '0.1', 0: '1', 1: '10', 2: '100', 3: '1000'}
for k in range(LMIN, LMAX + 1):
    y = T + ph * (LMAX - k) / (LMAX - LMIN)
    a(f'<line x1="{L}" y1="{y:.1f}" x2="{L+pw}" y2="{y:.1f}" stroke="#e4e4e4"/>')
    a(f'<text x="{L-6}" y="{y+4:.1f}" font-size="11" text-anchor="end">{labels[k]}</text>')
# 1 meV/atom target
a(f'<line x1="{L}" y1="{Y(1):.1f}" x2="{L+pw}" y2="{Y(1):.1f}" stroke="black" stroke-width="1" stroke-dasharray="2,3"/>')
a(f'<text x="{L+pw-4}" y="{Y(1)-4:.1f}" font-size="10" text-anchor="end">1 meV/atom</text>')
a(f'<rect x="{L}" y="{T}" width="{pw}" height="{ph}" fill="none" stroke="black"/>')
a(f'<text x="{L+pw/2}" y="{H-10}" font-size="12" text-anchor="middle">k-point grid n × n × n</text>')
a(f'<text transform="translate(16,{T+ph/2}) rotate(-90)" font-size="12" text-anchor="middle">'
  '|E − E(converged)| / meV per atom</text>')
a(f'<text x="{L+pw/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'k-point convergence (PBE, Quantum ESPRESSO)</text>')
for name, d, col, dash in series:
    pts = ' L'.join(f'{X(n):.1f},{Y(e):.1f}' for n, e in d.items())
    extra = f' stroke-dasharray="{dash}"' if dash else ''
    a(f'<path d="M{pts}" fill="none" stroke="{col}" stroke-width="2"{extra}/>')
    for n, e in d.items():
        a(f'<circle cx="{X(n):.1f}" cy="{Y(e):.1f}" r="3" fill="{col}"/>')
lx, ly = L + pw - 150, T + 16
for i, (name, d, col, dash) in enumerate(series):
    y = ly + 16 * i
    extra = f' stroke-dasharray="{dash}"' if dash else ''
    a(f'<line x1="{lx}" y1="{y}" x2="{lx+22}" y2="{y}" stroke="{col}" stroke-width="2"{extra}/>')
    a(f'<text x="{lx+28}" y="{y+4}" font-size="11">{name}</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001220-kconv.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
