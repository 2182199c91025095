#!/usr/bin/env python3
"""Generate E015310-funnel.svg: the conformer-search funnel for a flexible
molecule (CREST/GFN2-xTB -> r2SCAN-3c -> hybrid DFT -> Boltzmann average).
Convert with:  rsvg-convert -w 480 -h 300 E015310-funnel.svg -o E015310-funnel.png"""
import os

W, H = 480, 300
CX = 200                                 # funnel centre line
stages = [  # (title, detail, typical number of structures)
    ("CREST / GFN2-xTB", "search; window 6 kcal/mol", "100–1000"),
    ("r2SCAN-3c or B97-3c", "re-optimise; window ≈ 4 kcal/mol", "10–50"),
    ("hybrid DFT + G(RRHO)", "window ≈ 2–3 kcal/mol", "2–10"),
    ("Boltzmann average", "weights from ΔG at T", "result"),
]
colors = ["#dbe8f6", "#b9d3ee", "#8fb8e3", "#5b93cf"]
top, band = 40, 58
widths = [360, 290, 220, 150, 110]        # funnel width at each band edge

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="20" font-size="13" font-weight="bold" text-anchor="middle">'
  'Conformer-search funnel (typical numbers)</text>')
for i, (title, detail, n) in enumerate(stages):
    y0, y1 = top + i * band, top + (i + 1) * band - 4
    w0, w1 = widths[i] / 2, widths[i + 1] / 2
    pts = f'{CX-w0},{y0} {CX+w0},{y0} {CX+w1},{y1} {CX-w1},{y1}'
    a(f'<polygon points="{pts}" fill="{colors[i]}" stroke="#1f4e9a" stroke-width="1.2"/>')
    tc = "white" if i == 3 else "black"
    a(f'<text x="{CX}" y="{y0+22}" font-size="12" font-weight="bold" text-anchor="middle" fill="{tc}">{title}</text>')
    a(f'<text x="{CX}" y="{y0+39}" font-size="10" text-anchor="middle" fill="{tc}">{detail}</text>')
    a(f'<text x="{W-12}" y="{y0+31}" font-size="12" text-anchor="end">{n}</text>')
# right-hand column header and cost arrow
a(f'<text x="{W-12}" y="{top-6}" font-size="10" text-anchor="end" fill="#444">structures</text>')
ax = 395
a(f'<line x1="{ax}" y1="{top+4}" x2="{ax}" y2="{top+4*band-14}" stroke="#c00000" stroke-width="2"/>')
a(f'<polygon points="{ax-5},{top+4*band-16} {ax+5},{top+4*band-16} {ax},{top+4*band-6}" fill="#c00000"/>')
a(f'<text transform="translate({ax-8},{top+2*band}) rotate(-90)" font-size="10" text-anchor="middle" '
  'fill="#c00000">cost per structure</text>')
a(f'<text x="{W/2}" y="{H-10}" font-size="10" text-anchor="middle" fill="#444">'
  'Each step keeps only the conformers inside its energy window.</text>')
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E015310-funnel.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
