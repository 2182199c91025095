#!/usr/bin/env python3
"""Generate E003130-occupations.svg: schematic orbital occupations of a
closed-shell singlet, a doublet radical, a high-spin triplet and a
broken-symmetry singlet, with the ideal or typical <S^2> values.
Convert with:  rsvg-convert -w 480 -h 300 E003130-occupations.svg -o E003130-occupations.png"""
import os

W, H = 480, 300
COLW = W / 4
BLUE, RED, GREY = "#1f4e9a", "#c00000", "#555555"
Y_LOW, Y_MID, Y_HIGH = 224, 150, 95     # y of the three orbital levels

out = []
a = out.append
a(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}" '
  'font-family="DejaVu Sans, Liberation Sans, sans-serif">')
a(f'<rect width="{W}" height="{H}" fill="white"/>')
a(f'<text x="{W/2}" y="18" font-size="13" font-weight="bold" text-anchor="middle">'
  'Orbital occupations (schematic)</text>')

def level(x1, x2, y, dashed=False):
    dash = ' stroke-dasharray="4,3"' if dashed else ''
    a(f'<line x1="{x1:.1f}" y1="{y}" x2="{x2:.1f}" y2="{y}" stroke="black" stroke-width="2"{dash}/>')

def arrow(x, y, up=True, colour=BLUE):
    """Spin arrow centred on the level at height y (alpha = up, beta = down)."""
    if up:
        y1, y2, tip = y + 13, y - 13, y - 13
        head = f'{x-4:.1f},{tip+7} {x+4:.1f},{tip+7} {x:.1f},{tip}'
    else:
        y1, y2, tip = y - 13, y + 13, y + 13
        head = f'{x-4:.1f},{tip-7} {x+4:.1f},{tip-7} {x:.1f},{tip}'
    a(f'<line x1="{x:.1f}" y1="{y1}" x2="{x:.1f}" y2="{y2 + (7 if up else -7)}" '
      f'stroke="{colour}" stroke-width="2"/>')
    a(f'<polygon points="{head}" fill="{colour}"/>')

def text(x, y, s, size=11, anchor="middle", colour="black", weight="normal"):
    a(f'<text x="{x:.1f}" y="{y}" font-size="{size}" text-anchor="{anchor}" '
      f'fill="{colour}" font-weight="{weight}">{s}</text>')

titles = [("Closed-shell", "singlet"), ("Doublet", "radical"),
          ("Triplet", "(high spin)"), ("Broken-symmetry", "singlet")]
s2 = ["⟨S²⟩ = 0", "⟨S²⟩ = 0.75", "⟨S²⟩ = 2", "⟨S²⟩ ≈ 1"]
ms = ["M<tspan baseline-shift=\"sub\" font-size=\"8\">S</tspan> = 0",
      "M<tspan baseline-shift=\"sub\" font-size=\"8\">S</tspan> = ½",
      "M<tspan baseline-shift=\"sub\" font-size=\"8\">S</tspan> = 1",
      "M<tspan baseline-shift=\"sub\" font-size=\"8\">S</tspan> = 0"]

for i in range(4):
    cx = COLW * i + COLW / 2
    lx = cx - 10 if i < 2 else cx    # room for the orbital labels
    if i:
        a(f'<line x1="{COLW*i:.1f}" y1="34" x2="{COLW*i:.1f}" y2="{H-44}" stroke="#dddddd"/>')
    text(cx, 42, titles[i][0], 11, weight="bold")
    text(cx, 56, titles[i][1], 11, weight="bold")
    # lowest level: always doubly occupied
    level(lx - 28, lx + 28, Y_LOW)
    arrow(lx - 8, Y_LOW, True)
    arrow(lx + 8, Y_LOW, False, RED)
    if i == 0:                       # HOMO doubly occupied, LUMO empty
        level(lx - 28, lx + 28, Y_MID)
        arrow(lx - 8, Y_MID, True)
        arrow(lx + 8, Y_MID, False, RED)
        level(lx - 28, lx + 28, Y_HIGH, dashed=True)
        text(lx + 32, Y_HIGH + 4, "LUMO", 9, "start", GREY)
        text(lx + 32, Y_MID + 4, "HOMO", 9, "start", GREY)
    elif i == 1:                     # one singly occupied orbital
        level(lx - 28, lx + 28, Y_MID)
        arrow(lx, Y_MID, True)
        text(lx + 32, Y_MID + 4, "SOMO", 9, "start", GREY)
        level(lx - 28, lx + 28, Y_HIGH, dashed=True)
    elif i == 2:                     # two parallel spins in two orbitals
        level(cx - 46, cx - 6, Y_MID)
        level(cx + 6, cx + 46, Y_MID)
        arrow(cx - 26, Y_MID, True)
        arrow(cx + 26, Y_MID, True)
        text(cx - 26, Y_MID + 30, "φ<tspan baseline-shift=\"sub\" font-size=\"8\">A</tspan>", 11)
        text(cx + 26, Y_MID + 30, "φ<tspan baseline-shift=\"sub\" font-size=\"8\">B</tspan>", 11)
    else:                            # alpha on site A, beta on site B
        level(cx - 46, cx - 6, Y_MID)
        level(cx + 6, cx + 46, Y_MID)
        arrow(cx - 26, Y_MID, True)
        arrow(cx + 26, Y_MID, False, RED)
        text(cx - 26, Y_MID + 30, "φ<tspan baseline-shift=\"sub\" font-size=\"8\">A</tspan>", 11)
        text(cx + 26, Y_MID + 30, "φ<tspan baseline-shift=\"sub\" font-size=\"8\">B</tspan>", 11)
    text(cx, H - 28, s2[i], 11)
    text(cx, H - 12, ms[i], 11, colour=GREY)

# legend for the spin colours
text(8, 18, "↑ α spin", 10, "start", BLUE)
text(W - 8, 18, "↓ β spin", 10, "end", RED)
text(W - COLW / 2, Y_MID + 44, "(on sites A, B)", 9, colour=GREY)
text(COLW * 2.5, Y_MID + 44, "(on sites A, B)", 9, colour=GREY)
a('</svg>')
here = os.path.dirname(os.path.abspath(__file__))
open(os.path.join(here, 'E003130-occupations.svg'), 'w', encoding='utf-8').write('\n'.join(out) + '\n')
