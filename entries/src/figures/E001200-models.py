#!/usr/bin/env python3
"""Generate E001200-models.svg: three ways to model a solid, drawn on the same
2D square lattice: periodic cell, finite cluster with capping atoms, and an
embedded cluster (quantum region + boundary shell + point charges).
Convert with:  rsvg-convert -w 480 -h 300 E001200-models.svg -o E001200-models.png"""
import os

W, H = 480, 300
out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Three models of the same solid (schematic)</text>')

PW = W / 3
N, D = 7, 17                 # lattice points per row, spacing in px
TOP = 46
BLUE, GREY, RED, GREEN = '#1f4e9a', '#b0b0b0', '#c00000', '#2e8b57'

def site(ix, iy):
    return ix * D, iy * D

def atom(x, y, kind):
    if kind == 'qm':
        a(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="5" fill="{BLUE}"/>')
    elif kind == 'img':
        a(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="5" fill="{BLUE}" opacity="0.25"/>')
    elif kind == 'cap':
        a(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="3" fill="white" stroke="black" stroke-width="1"/>')
    elif kind == 'ecp':
        a(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="5" fill="{GREEN}"/>')
    elif kind == 'pc':
        a(f'<text x="{x:.1f}" y="{y+4:.1f}" font-size="11" text-anchor="middle" fill="{RED}">'
          f'{"+" if (round(x/D)+round(y/D)) % 2 else "−"}</text>')

def bonds(x0, y0, cells, alpha=1.0):
    for (ix, iy) in cells:
        for (jx, jy) in ((ix + 1, iy), (ix, iy + 1)):
            if (jx, jy) in cells:
                a(f'<line x1="{x0+ix*D}" y1="{y0+iy*D}" x2="{x0+jx*D}" y2="{y0+jy*D}" '
                  f'stroke="#606060" stroke-width="1.2" opacity="{alpha}"/>')

def label(cx, lines, y0):
    for i, txt in enumerate(lines):
        bold = ' font-weight="bold"' if i == 0 else ''
        a(f'<text x="{cx:.1f}" y="{y0+16*i}" font-size="{12 if i == 0 else 10.5}" text-anchor="middle"'
          f'{bold}>{txt}</text>')

all_sites = {(i, j) for i in range(N) for j in range(N)}
centre = {(i, j) for i in range(2, 5) for j in range(2, 5)}
LAB = TOP + N * D + 34

# 1) periodic cell: every site drawn, the unit cell (2x2 sites) outlined
cx = PW * 0.5
x0 = cx - (N - 1) * D / 2
bonds(x0, TOP, all_sites, 0.25)
for (i, j) in all_sites:
    atom(x0 + i * D, TOP + j * D, 'qm' if (i, j) in {(3, 3), (4, 3), (3, 4), (4, 4)} else 'img')
a(f'<rect x="{x0+2.5*D:.1f}" y="{TOP+2.5*D:.1f}" width="{2*D}" height="{2*D}" fill="none" '
  f'stroke="black" stroke-width="1.6"/>')
label(cx, ['Periodic', 'unit cell + images', 'no surface, k-points', 'VASP, QE, CP2K'], LAB)

# 2) cluster: only a finite piece, dangling bonds capped (e.g. by H)
cx = PW * 1.5
x0 = cx - (N - 1) * D / 2
bonds(x0, TOP, centre)
for (i, j) in centre:
    atom(x0 + i * D, TOP + j * D, 'qm')
for (i, j) in centre:
    for (di, dj) in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        n = (i + di, j + dj)
        if n not in centre:
            xa, ya = x0 + i * D, TOP + j * D
            xb, yb = xa + di * D * 0.6, ya + dj * D * 0.6
            a(f'<line x1="{xa}" y1="{ya}" x2="{xb:.1f}" y2="{yb:.1f}" stroke="#606060" stroke-width="1.2"/>')
            atom(xb, yb, 'cap')
label(cx, ['Cluster', 'finite piece, capped', 'molecular methods', 'ORCA, Gaussian'], LAB)

# 3) embedded cluster: QM centre, boundary shell, point charges outside
cx = PW * 2.5
x0 = cx - (N - 1) * D / 2
shell = {(i, j) for i in range(1, 6) for j in range(1, 6)} - centre
bonds(x0, TOP, centre)
for (i, j) in all_sites:
    x, y = x0 + i * D, TOP + j * D
    if (i, j) in centre:
        atom(x, y, 'qm')
    elif (i, j) in shell:
        atom(x, y, 'ecp')
    else:
        atom(x, y, 'pc')
label(cx, ['Embedded cluster', 'QM centre, boundary', 'shell, point charges', 'e.g. ChemShell + ORCA'], LAB)

# legend
ly = H - 16
items = [('qm', 'computed atoms'), ('cap', 'capping atom (H)'), ('ecp', 'boundary (ECP)'), ('pc', 'point charge')]
x = 22
for kind, txt in items:
    atom(x, ly - 4, kind)
    a(f'<text x="{x+9}" y="{ly}" font-size="10">{txt}</text>')
    x += 116
for k in (1, 2):
    a(f'<line x1="{PW*k:.1f}" y1="{TOP-10}" x2="{PW*k:.1f}" y2="{H-34}" stroke="#e4e4e4"/>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E001200-models.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
