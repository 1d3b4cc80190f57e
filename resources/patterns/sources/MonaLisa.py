#!/usr/bin/env python3
"""Draws MonaLisa.svg: a half-length lady before a winding landscape.

    python3 MonaLisa.py > MonaLisa.svg      (needs python3-shapely)

The picture is drawn back to front in overlapping shapes, then cut into a flat
map: each shape keeps only what the shapes after it leave visible, and parts
too thin to tap join a neighbour. The game outlines every unpainted piece
whole, so overlapping shapes would cross the board with hidden edges.
The SVG is what the library is compiled from; edit here and run again.
"""
import math, sys

W, H = 600, 900
out = []


def fmt(v):
    return ("%.1f" % v).rstrip("0").rstrip(".")


def bezier_points(p0, c1, c2, p3, step=2.0):
    length = math.dist(p0, c1) + math.dist(c1, c2) + math.dist(c2, p3)
    n = max(2, int(length / step))
    pts = []
    for i in range(n):
        t = i / n
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * c1[0] + 3 * u * t * t * c2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * c1[1] + 3 * u * t * t * c2[1] + t * t * t * p3[1]))
    return pts


def smooth(pts, closed=True):
    """Catmull-Rom through the points, as a polygon."""
    n = len(pts)
    out_pts = []
    for i in range(n):
        p0, p1, p2, p3 = pts[(i - 1) % n], pts[i], pts[(i + 1) % n], pts[(i + 2) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        out_pts += bezier_points(p1, c1, c2, p2)
    return out_pts


def poly(pts):
    return list(pts)


shapes = []  # (polygon points, colour, name, group title)
current_group = [""]


def shape(pts, colour, name=None):
    shapes.append((pts, colour, name, current_group[0]))


def group(title):
    current_group[0] = title


# Palette: warm and muted, the varnished look. Colours are shared where
# the picture allows, so the palette stays small.
C = dict(
    sky0="#a1ae9a", sky1="#b6bda4", sky2="#cdcca9",
    farhill="#8d9d97", hill="#6d8077",
    water="#c5c8b0", land="#8a6e3f", olive="#6e6a3c", earth="#54432a", road="#c9a96a", stone="#a0917a",
    umber="#3a2f1f", ledge="#6a583a", black="#221a11", veil="#4e3e29",
    skin="#e2ba80", skinlight="#eecb95", skinmid="#cfa468", ochre="#b48b4e", skindeep="#8d6535", lip="#a8714a",
    gold="#a8884c", sleeve="#987839", sleeveShadow="#70552a", shawl="#3a3822", shawlLight="#56513a",
)
C.update(sky3=C["sky2"], cloud=C["sky2"], crag=C["hill"], waterdark=C["farhill"], field=C["gold"],
         bridge=C["stone"], arch=C["umber"], parapet=C["umber"], hair=C["black"], lock=C["umber"],
         skinshadow=C["ochre"], eye=C["black"], white=C["skinlight"], dress=C["black"], pleat=C["umber"],
         goldDark=C["ledge"], sleeveLight=C["ochre"], chair=C["earth"])

out.append('<?xml version="1.0" encoding="UTF-8"?>')
out.append('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 %d %d" width="%d" height="%d">' % (W, H, W, H))
out.append("  <title>A lady before a winding landscape, in the manner of a Renaissance portrait</title>")

# ---------------------------------------------------------------- sky
group("sky: hazy bands, lighter toward the horizon")
shape(poly([(0, 0), (W, 0), (W, H), (0, H)]), C["sky0"], "sky")


def band(y, amp, colour, name, phase=0.0, waves=2.5):
    pts = [(x, y + amp * math.sin(phase + waves * math.pi * x / W)) for x in range(0, W + 1, 50)]
    pts = [(-1, pts[0][1])] + pts[1:-1] + [(W + 1, pts[-1][1])]
    shape(smooth_open_band(pts), colour, name)


def smooth_open_band(pts):
    n = len(pts)
    out_pts = []
    for i in range(n - 1):
        p0 = pts[max(i - 1, 0)]
        p1, p2 = pts[i], pts[i + 1]
        p3 = pts[min(i + 2, n - 1)]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        out_pts += bezier_points(p1, c1, c2, p2)
    return out_pts + [pts[-1], (W + 1, 600), (-1, 600)]


band(62, 9, C["sky1"], "sky-band-1", 0.3)
band(122, 11, C["sky2"], "sky-band-2", 1.7)
band(178, 8, C["sky3"], "sky-band-3", 2.9)
# wisps of cloud
wisps = [(80, 38, 60, 10), (250, 22, 50, 9), (470, 30, 75, 11), (150, 96, 55, 10), (360, 84, 48, 9),
         (530, 98, 52, 10), (60, 150, 45, 9), (300, 140, 40, 8), (560, 150, 40, 9), (200, 170, 42, 8),
         (420, 176, 36, 8), (30, 100, 36, 8), (580, 60, 30, 8), (110, 200, 40, 8), (470, 130, 34, 8),
         (240, 60, 36, 8), (360, 40, 40, 8), (120, 60, 50, 10), (420, 64, 50, 10), (20, 200, 40, 10),
         (570, 230, 30, 9)]
for i, (cx, cy, rx, ry) in enumerate(wisps):
    shape(smooth([(cx - rx, cy + 2), (cx - rx * 0.4, cy - ry), (cx + rx * 0.5, cy - ry * 0.7),
                  (cx + rx, cy + 1), (cx + rx * 0.2, cy + ry * 0.8), (cx - rx * 0.6, cy + ry * 0.6)]),
          C["sky2"] if cy < 120 else C["sky1"], "cloud-%d" % i)

# ---------------------------------------------------------------- far mountains
group("far blue mountains: lower on the left, higher on the right")
shape(poly([(-1, 238), (30, 222), (55, 230), (80, 204), (102, 214), (128, 196), (150, 212), (178, 200),
            (205, 222), (230, 215), (250, 240), (250, 600), (-1, 600)]), C["farhill"], "far-hills-left")
shape(poly([(360, 200), (385, 170), (405, 178), (430, 140), (452, 152), (475, 128), (500, 146), (528, 132),
            (552, 156), (578, 144), (W + 1, 160), (W + 1, 600), (360, 600)]), C["farhill"], "far-hills-right")
# lit faces of the far peaks
for i, pts in enumerate([
        [(80, 204), (92, 226), (84, 250), (66, 250)],
        [(128, 196), (140, 222), (132, 250), (112, 250)],
        [(178, 200), (192, 226), (184, 250), (166, 250)],
        [(430, 140), (446, 170), (436, 200), (414, 200)],
        [(475, 128), (492, 160), (482, 200), (462, 200)],
        [(528, 132), (542, 162), (534, 196), (514, 196)]]):
    shape(poly(pts), C["sky1"], "far-peak-light-%d" % i)
# nearer crags, darker
shape(poly([(-1, 268), (22, 250), (40, 258), (62, 236), (85, 252), (110, 246), (128, 262), (160, 256),
            (190, 272), (215, 266), (240, 282), (240, 600), (-1, 600)]), C["hill"], "crags-left")
shape(poly([(370, 232), (392, 205), (410, 212), (428, 190), (446, 206), (462, 196), (480, 214),
            (480, 600), (370, 600)]), C["hill"], "crags-right-inner")
shape(poly([(540, 205), (560, 186), (582, 196), (W + 1, 184), (W + 1, 600), (540, 600)]), C["hill"],
      "crags-right-outer")
for i, pts in enumerate([
        [(62, 236), (74, 262), (50, 270), (40, 258)],
        [(160, 256), (176, 276), (150, 282), (140, 264)],
        [(428, 190), (440, 214), (424, 232), (410, 222)],
        [(560, 186), (574, 210), (556, 226), (546, 208)]]):
    shape(poly(pts), C["farhill"], "crag-light-%d" % i)
# high lake on the right, between the crags
shape(smooth([(470, 222), (520, 214), (570, 212), (W + 2, 214), (W + 2, 246), (560, 250), (500, 248),
              (462, 240)]), C["water"], "lake-high")
shape(smooth([(480, 236), (530, 232), (580, 234), (W + 2, 236), (W + 2, 246), (560, 250), (505, 248)]),
      C["waterdark"], "lake-high-shade")
# left lake behind her head
shape(smooth([(-2, 290), (60, 284), (130, 288), (200, 292), (245, 298), (240, 318), (170, 322),
               (90, 320), (-2, 322)]), C["water"], "lake-left")
shape(smooth([(-2, 306), (70, 304), (150, 308), (235, 312), (230, 320), (120, 322), (-2, 324)]),
      C["waterdark"], "lake-left-shade")

# ---------------------------------------------------------------- middle ground, left
group("left valley: rocks, fields and the winding road")
shape(smooth([(-2, 318), (60, 324), (140, 320), (215, 326), (240, 340), (240, 600), (-2, 600)]), C["land"],
      "valley-left")
shape(smooth([(-2, 330), (40, 326), (80, 338), (70, 360), (30, 372), (-2, 368)]), C["olive"], "rocks-left-1")
shape(smooth([(110, 334), (160, 330), (205, 342), (190, 362), (140, 366), (105, 352)]), C["crag"],
      "rocks-left-2")
shape(smooth([(20, 392), (70, 384), (110, 396), (90, 418), (40, 422), (10, 410)]), C["olive"], "rocks-left-3")
shape(smooth([(150, 392), (200, 386), (235, 398), (230, 420), (180, 424), (140, 410)]), C["field"],
      "field-left-1")
shape(smooth([(-2, 440), (40, 436), (90, 446), (80, 468), (20, 472), (-2, 466)]), C["field"], "field-left-2")
shape(smooth([(105, 436), (150, 430), (190, 444), (175, 466), (120, 468)]), C["olive"], "field-left-3")
# the road, snaking down from behind the rocks
road = [(205, 330), (178, 346), (150, 370), (120, 380), (90, 378), (60, 384), (52, 400), (80, 412),
        (118, 420), (128, 436), (100, 452), (60, 462), (20, 478), (-2, 486), (-2, 500), (28, 494), (80, 478),
        (128, 462), (150, 440), (140, 414), (100, 400), (78, 396), (96, 392), (132, 392), (166, 380),
        (196, 352), (222, 336)]
shape(smooth([(60, 350), (100, 346), (120, 362), (96, 376), (62, 372)]), C["field"], "field-left-4")
shape(smooth([(150, 460), (200, 456), (226, 470), (200, 482), (150, 480)]), C["olive"], "field-left-5")
shape(smooth([(-2, 396), (16, 392), (30, 404), (12, 430), (-2, 428)]), C["field"], "field-left-6")
shape(smooth([(50, 296), (110, 292), (136, 304), (100, 316), (50, 314)]), C["sky2"], "lake-left-glint")
shape(smooth(road), C["road"], "road")


def blob(cx, cy, rx, ry, colour, name):
    shape(smooth([(cx - rx, cy), (cx - rx * 0.6, cy - ry), (cx + rx * 0.5, cy - ry * 0.9), (cx + rx, cy + ry * 0.1),
                  (cx + rx * 0.5, cy + ry * 0.9), (cx - rx * 0.5, cy + ry * 0.8)]), colour, name)


# trees and bushes along the road
for i, (cx, cy) in enumerate([(30, 356), (200, 372), (170, 404), (112, 452), (222, 452), (56, 424)]):
    blob(cx, cy, 13, 10, C["olive"] if i % 2 else C["earth"], "tree-left-%d" % i)
shape(smooth([(-2, 332), (20, 330), (16, 348), (-2, 350)]), C["earth"], "rock-edge-left")
shape(smooth([(-2, 480), (60, 474), (140, 470), (210, 476), (240, 490), (240, 600), (-2, 600)]),
      C["earth"], "foreground-left")

# ---------------------------------------------------------------- middle ground, right
group("right valley: the river and the bridge")
shape(smooth([(372, 248), (430, 240), (500, 252), (560, 248), (W + 2, 252), (W + 2, 600), (372, 600)]),
      C["land"], "valley-right")
shape(smooth([(400, 262), (450, 256), (490, 270), (470, 292), (420, 296), (398, 282)]), C["crag"],
      "rocks-right-1")
shape(smooth([(530, 262), (580, 258), (W + 2, 262), (W + 2, 300), (560, 302), (520, 286)]), C["olive"],
      "rocks-right-2")
shape(smooth([(410, 318), (455, 312), (480, 330), (460, 352), (415, 350)]), C["field"], "field-right-1")
shape(smooth([(540, 330), (590, 322), (W + 2, 326), (W + 2, 360), (570, 366), (530, 352)]), C["field"],
      "field-right-2")
shape(smooth([(420, 372), (470, 366), (500, 384), (475, 400), (425, 398)]), C["olive"], "field-right-3")
river = [(505, 250), (522, 268), (508, 290), (488, 306), (500, 324), (530, 338), (520, 356), (492, 368),
         (500, 386), (540, 398), (W + 2, 404), (W + 2, 426), (540, 420), (482, 404), (470, 382), (496, 360),
         (508, 346), (478, 330), (470, 306), (494, 286), (500, 266)]
shape(smooth([(380, 330), (410, 340), (404, 372), (380, 370)]), C["earth"], "field-right-4")
shape(smooth([(510, 300), (560, 296), (590, 310), (560, 320), (520, 316)]), C["field"], "field-right-5")
shape(smooth([(380, 420), (430, 414), (440, 440), (400, 450), (378, 444)]), C["field"], "field-right-6")
shape(smooth([(486, 218), (540, 216), (566, 226), (530, 236), (488, 234)]), C["sky2"], "lake-high-glint")
shape(smooth(river), C["water"], "river")
for i, (cx, cy) in enumerate([(440, 280), (560, 312), (452, 340), (420, 420), (580, 356), (532, 372)]):
    blob(cx, cy, 13, 10, C["olive"] if i % 2 else C["earth"], "tree-right-%d" % i)
shape(smooth([(540, 262), (W + 2, 258), (W + 2, 276), (570, 280)]), C["earth"], "ridge-right")
# the bridge: a long deck on arches across the river
shape(poly([(440, 396), (W + 2, 386), (W + 2, 440), (440, 446)]), C["bridge"], "bridge")
for i, x in enumerate(range(452, 600, 36)):
    shape(smooth([(x, 446), (x, 428), (x + 6, 416), (x + 14, 412), (x + 22, 416), (x + 28, 428),
                   (x + 28, 446)]), C["arch"], "bridge-arch-%d" % i)
shape(poly([(440, 390), (W + 2, 380), (W + 2, 394), (440, 402)]), C["ledge"], "bridge-deck")
shape(smooth([(372, 448), (440, 444), (520, 452), (W + 2, 450), (W + 2, 600), (372, 600)]), C["earth"],
      "foreground-right")

# ---------------------------------------------------------------- loggia
group("the low wall of the loggia behind her")
shape(poly([(-1, 492), (W + 1, 482), (W + 1, H + 1), (-1, H + 1)]), C["parapet"], "parapet")
shape(poly([(-1, 486), (W + 1, 476), (W + 1, 494), (-1, 504)]), C["ledge"], "parapet-ledge")

# joints between the wall's stones
for i, (y, x0, x1) in enumerate([(590, -1, 110), (680, -1, 80), (560, 480, W + 1), (660, 520, W + 1)]):
    shape(poly([(x0, y), (x1, y - 2), (x1, y + 20), (x0, y + 22)]), C["ledge"], "wall-joint-%d" % i)

# ---------------------------------------------------------------- the figure
group("hair falling behind the shoulders")
shape(smooth([(300, 90), (345, 97), (373, 120), (386, 162), (388, 225), (394, 300), (404, 368), (422, 428),
              (446, 470), (400, 484), (330, 440), (270, 440), (200, 486), (160, 470), (180, 414), (194, 344),
              (200, 262), (204, 192), (214, 140), (240, 108), (268, 94)]), C["hair"], "hair")

group("the dark dress, body and arms")
shape(smooth([(250, 400), (350, 396), (410, 440), (470, 470), (510, 540), (548, 640), (580, 760),
              (W + 2, 840), (W + 2, H + 2), (10, H + 2), (30, 780), (60, 640), (100, 540), (150, 474),
              (200, 440)]), C["dress"], "dress")

group("the shawl over her near shoulder")
shape(smooth([(392, 444), (438, 450), (482, 486), (518, 556), (550, 646), (578, 736), (W + 2, 790),
              (W + 2, H + 2), (555, H + 2), (536, 820), (502, 720), (470, 640), (440, 570), (412, 506)]),
      C["shawl"], "shawl")
for i, pts in enumerate([
        [(450, 470), (478, 500), (500, 560), (488, 566), (466, 512)],
        [(470, 600), (500, 660), (520, 730), (506, 736), (484, 672)],
        [(540, 680), (565, 750), (590, 820), (576, 826), (548, 758)],
        [(500, 760), (525, 830), (540, H + 2), (524, H + 2), (508, 840)],
        [(420, 500), (440, 520), (452, 580), (436, 584), (424, 540)],
        [(520, 570), (540, 620), (556, 680), (540, 684), (526, 630)],
        [(560, 800), (580, 850), (590, H + 2), (574, H + 2), (566, 856)]]):
    shape(smooth(pts), C["shawlLight"], "shawl-fold-%d" % i)

group("the sleeve of the near arm, under the other forearm")
near = [(560, 760), (585, 810), (575, 870), (520, 885), (440, 885), (360, 880), (280, 872), (255, 840),
        (300, 822), (380, 812), (460, 800), (520, 770)]
shape(smooth(near), C["sleeve"], "near-sleeve")
for i, pts in enumerate([
        [(520, 790), (560, 800), (565, 850), (545, 852), (530, 812)],
        [(450, 820), (490, 816), (500, 868), (480, 870), (462, 836)],
        [(370, 832), (410, 828), (418, 874), (398, 876), (382, 846)],
        [(300, 840), (330, 836), (340, 868), (318, 870)],
        [(410, 818), (436, 814), (442, 862), (424, 864)],
        [(540, 770), (560, 770), (574, 820), (556, 826)]]):
    shape(smooth(pts), C["sleeveShadow"], "near-sleeve-fold-%d" % i)

group("the chair's arm at the lower left")
shape(smooth([(-2, 818), (80, 806), (170, 798), (250, 804), (246, 836), (160, 840), (80, 846), (-2, 856)]),
      C["chair"], "chair-arm")
shape(poly([(40, 846), (74, 842), (78, H + 2), (36, H + 2)]), C["chair"], "chair-spindle")
shape(poly([(30, 856), (84, 850), (86, 866), (28, 872)]), C["ledge"], "chair-spindle-ring")

group("the left hand, fingers over the chair's arm")
shape(smooth([(272, 800), (236, 788), (196, 790), (164, 804), (150, 828), (166, 848), (204, 854),
              (246, 848), (274, 832)]), C["skin"], "left-hand")
for i, (x, tone) in enumerate([(150, "skinmid"), (174, "skin"), (198, "skinmid"), (222, "skin")]):
    shape(smooth([(x, 832), (x + 22, 834), (x + 24, 862), (x + 16, 876), (x + 4, 874), (x - 2, 856)]),
          C[tone], "left-finger-%d" % i)
shape(smooth([(236, 812), (264, 806), (274, 828), (254, 842), (234, 834)]), C["ochre"], "left-hand-shadow")

group("the far sleeve: upper arm down the left, forearm across on top")
far = [(172, 462), (205, 480), (222, 520), (214, 590), (200, 650), (210, 700), (260, 716), (318, 730),
       (322, 790), (270, 800), (200, 806), (130, 800), (88, 770), (76, 700), (90, 610), (120, 530)]
shape(smooth(far), C["sleeve"], "far-sleeve")
for i, pts in enumerate([
        [(150, 500), (172, 498), (160, 560), (140, 620), (124, 618), (136, 560)],
        [(110, 640), (130, 642), (128, 700), (140, 752), (120, 756), (106, 700)],
        [(176, 560), (196, 556), (188, 620), (176, 680), (160, 676), (166, 620)],
        [(160, 740), (220, 744), (270, 750), (272, 766), (220, 764), (156, 758)],
        [(150, 778), (210, 782), (270, 780), (272, 794), (210, 798), (148, 794)],
        [(92, 560), (112, 548), (104, 610), (90, 640), (80, 630)],
        [(196, 604), (212, 606), (206, 660), (194, 690), (182, 684), (192, 650)]]):
    shape(smooth(pts), C["sleeveShadow"], "far-sleeve-fold-%d" % i)
for i, pts in enumerate([
        [(190, 500), (206, 512), (200, 560), (186, 556)],
        [(96, 700), (112, 704), (116, 760), (100, 760)],
        [(230, 722), (290, 734), (292, 746), (232, 738)]]):
    shape(smooth(pts), C["sleeveLight"], "far-sleeve-light-%d" % i)
shape(smooth([(300, 726), (324, 730), (330, 792), (306, 798), (296, 760)]), C["gold"], "far-cuff")

group("the right hand lying over the left wrist, fingers to the right")
shape(smooth([(320, 742), (360, 736), (398, 742), (420, 756), (418, 786), (390, 800), (350, 802),
              (322, 796)]), C["skin"], "right-hand")
shape(smooth([(330, 786), (370, 788), (410, 782), (400, 800), (360, 806), (326, 800)]), C["skinshadow"],
      "right-hand-shadow")
for i, (y, tone) in enumerate([(744, "skinlight"), (762, "skin"), (780, "skinmid")]):
    shape(smooth([(404, y), (440, y + 2), (470, y + 8), (476, y + 20), (440, y + 22), (404, y + 20)]),
          C[tone], "right-finger-%d" % i)
shape(smooth([(330, 744), (360, 730), (392, 728), (396, 740), (360, 746)]), C["skinlight"], "right-thumb")

group("skin of the breast above the neckline")
shape(smooth([(232, 398), (368, 394), (392, 446), (350, 486), (300, 500), (250, 486), (208, 452)]),
      C["skin"], "breast")
shape(smooth([(214, 446), (246, 430), (262, 470), (244, 482), (216, 462)]), C["skinmid"], "breast-shade")

group("the gathered neckline: pleats and an embroidered band")
# The neckline: a curve from her far shoulder down and up to her near shoulder.
def neck_curve(t):
    # t in 0..1 from the far shoulder (left) to the near shoulder (right)
    x = 204 + 194 * t
    y = 450 + 58 * math.sin(math.pi * t) - 8 * t
    return x, y


def normal_at(t):
    x0, y0 = neck_curve(max(t - 0.01, 0))
    x1, y1 = neck_curve(min(t + 0.01, 1))
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    return -dy / length, dx / length  # points down and away from the skin


# the band of the neckline, then knots of embroidery on it
steps = 24
top = [neck_curve(i / steps) for i in range(steps + 1)]
bottom = []
for i in range(steps, -1, -1):
    x, y = neck_curve(i / steps)
    nx, ny = normal_at(i / steps)
    bottom.append((x + nx * 22, y + ny * 22))
shape(poly(top + bottom), C["gold"], "neckline-band")
knots = 8
for k in range(knots):
    t = (k + 0.5) / knots
    x, y = neck_curve(t)
    nx, ny = normal_at(t)
    cx, cy = x + nx * 11, y + ny * 11
    tx, ty = ny, -nx
    shape(smooth([(cx - tx * 8 - nx * 8, cy - ty * 8 - ny * 8), (cx + tx * 8 - nx * 8, cy + ty * 8 - ny * 8),
                  (cx + tx * 8 + nx * 8, cy + ty * 8 + ny * 8), (cx - tx * 8 + nx * 8, cy - ty * 8 + ny * 8)]),
          C["goldDark"], "embroidery-%d" % k)
# pleats fanning out below the band
pleats = 12
for k in range(pleats):
    t0, t1 = k / pleats, (k + 0.55) / pleats
    a0, a1 = neck_curve(t0), neck_curve(t1)
    n0, n1 = normal_at(t0), normal_at(t1)
    d0, d1 = 22, 60
    shape(poly([(a0[0] + n0[0] * d0, a0[1] + n0[1] * d0), (a1[0] + n1[0] * d0, a1[1] + n1[1] * d0),
                (a1[0] + n1[0] * d1 + 3, a1[1] + n1[1] * d1), (a0[0] + n0[0] * d1 - 3, a0[1] + n0[1] * d1)]),
          C["pleat"], "pleat-%d" % k)

group("folds of the bodice")
for i, pts in enumerate([
        [(250, 560), (270, 556), (262, 640), (246, 700), (232, 700), (244, 630)],
        [(330, 560), (350, 562), (356, 640), (362, 700), (346, 702), (338, 640)],
        [(290, 580), (306, 580), (304, 660), (300, 712), (286, 712), (288, 650)],
        [(400, 540), (420, 550), (440, 640), (460, 720), (444, 724), (420, 640)],
        [(370, 600), (386, 600), (396, 680), (400, 720), (384, 722), (376, 670)],
        [(220, 600), (236, 598), (232, 660), (224, 700), (210, 698), (214, 650)],
        [(266, 660), (282, 660), (280, 700), (268, 712), (258, 700)],
        [(320, 640), (336, 640), (340, 700), (326, 712), (316, 700)],
        [(440, 740), (470, 740), (500, 760), (470, 770), (440, 764)]]):
    shape(smooth(pts), C["umber"], "bodice-fold-%d" % i)

group("the neck")
shape(smooth([(262, 300), (326, 298), (340, 360), (352, 404), (300, 418), (246, 404), (256, 360)]),
      C["skin"], "neck")
shape(smooth([(262, 300), (300, 314), (330, 302), (330, 336), (300, 346), (268, 334)]), C["skinshadow"],
      "neck-shadow")
shape(smooth([(326, 330), (342, 360), (350, 402), (330, 404), (322, 366)]), C["skinmid"], "neck-side")

group("the face, turned a little to her right")
face = [(300, 124), (342, 132), (362, 166), (368, 214), (362, 262), (342, 298), (310, 320), (284, 318),
        (260, 300), (242, 266), (234, 222), (238, 176), (256, 140)]
shape(smooth(face), C["skin"], "face")
shape(smooth([(256, 140), (238, 176), (234, 222), (242, 266), (260, 300), (272, 298), (260, 262),
              (252, 222), (254, 180), (270, 148)]), C["ochre"], "far-cheek-shadow")
shape(smooth([(292, 136), (334, 142), (350, 168), (324, 180), (292, 178), (276, 160)]), C["skinlight"],
      "forehead-light")
shape(smooth([(318, 236), (348, 232), (356, 260), (338, 278), (318, 266)]), C["skinlight"], "near-cheek")
shape(smooth([(262, 236), (280, 238), (282, 266), (270, 276), (260, 258)]), C["skinmid"], "far-cheek")
shape(smooth([(344, 278), (360, 262), (354, 294), (334, 314), (312, 322), (326, 302)]), C["skinmid"],
      "jaw-shade")
# eyes: soft sockets, then the dark eyes under heavy lids
shape(smooth([(248, 196), (270, 184), (294, 192), (294, 216), (270, 222), (250, 214)]), C["skinmid"],
      "far-eye-socket")
shape(smooth([(306, 192), (332, 182), (356, 190), (354, 214), (330, 222), (308, 214)]), C["skinmid"],
      "near-eye-socket")
shape(smooth([(248, 209), (264, 199), (286, 199), (298, 208), (282, 216), (262, 217)]), C["umber"], "far-eye")
shape(smooth([(306, 207), (324, 197), (348, 197), (358, 206), (340, 216), (318, 216)]), C["umber"], "near-eye")
# nose: the shadow on its far side and under it
shape(smooth([(298, 206), (292, 238), (284, 258), (296, 268), (308, 262), (302, 240), (306, 212)]),
      C["ochre"], "nose-side")
shape(smooth([(288, 262), (310, 256), (322, 266), (306, 276), (290, 274)]), C["skindeep"], "nostrils")
# the smile: lips that turn up at the corners
shape(smooth([(266, 288), (290, 286), (308, 289), (334, 280), (330, 294), (306, 300), (280, 299)]),
      C["lip"], "lips")
shape(smooth([(284, 303), (312, 302), (308, 314), (288, 314)]), C["skinmid"], "chin")

group("locks of hair falling beside the face, under the veil")
shape(smooth([(244, 150), (236, 200), (234, 260), (240, 310), (230, 370), (212, 430), (196, 470),
               (178, 462), (194, 410), (204, 340), (208, 260), (214, 190), (226, 150)]), C["lock"], "lock-far-1")
shape(smooth([(356, 160), (366, 220), (370, 290), (378, 350), (392, 410), (416, 456), (400, 462),
              (376, 420), (360, 350), (352, 280), (348, 210)]), C["lock"], "lock-near-1")
for i, pts in enumerate([
        [(206, 300), (196, 360), (186, 420), (172, 452), (166, 440), (180, 380), (194, 320)],
        [(382, 300), (392, 360), (408, 420), (430, 460), (440, 462), (420, 410), (400, 340), (390, 290)],
        [(214, 196), (206, 240), (202, 280), (214, 282), (218, 236)],
        [(374, 200), (380, 250), (384, 290), (396, 286), (390, 236)]]):
    shape(smooth(pts), C["lock"], "lock-%d" % i)
# the waves of the hair, a little lighter, as the veil catches the light
for i, pts in enumerate([
        [(222, 330), (214, 370), (204, 410), (214, 412), (226, 372)],
        [(372, 330), (382, 372), (394, 414), (404, 410), (390, 368)],
        [(232, 380), (224, 420), (212, 452), (222, 456), (236, 420)],
        [(376, 420), (392, 446), (412, 470), (420, 464), (398, 436)],
        [(224, 240), (220, 290), (230, 292), (234, 244)],
        [(366, 240), (370, 290), (382, 292), (376, 240)]]):
    shape(smooth(pts), C["veil"], "hair-wave-%d" % i)

group("the thin veil over the crown and the band at the forehead")
shape(smooth([(300, 94), (342, 100), (370, 122), (382, 160), (370, 150), (344, 132), (300, 124),
              (262, 130), (238, 150), (222, 170), (226, 140), (246, 112), (270, 98)]), C["veil"], "veil")
shape(smooth([(240, 152), (268, 134), (300, 128), (338, 136), (358, 156), (356, 166), (336, 148),
              (300, 140), (268, 146), (246, 162)]), C["hair"], "veil-edge")

# Each shape keeps only what later shapes leave visible, so no outline on
# the unpainted board runs hidden under another piece. The first shape, the
# sky over the whole picture, stays whole beneath everything.
from shapely.geometry import Polygon, MultiPolygon, box
from shapely.ops import unary_union
from shapely.geometry.polygon import orient

frame = box(0, 0, W, H)
geoms = [Polygon(p).buffer(0).intersection(frame) for p, _, _, _ in shapes]
TAP_RADIUS = 8.0  # a part thinner than this cannot be tapped and is left to the shape beneath
# The board draws no number nearer the edge than a thirtieth of its width;
# for a portrait picture on the landscape board that is 44 units here.
inner = box(46, 46, W - 46, H - 46)


def polygons(g):
    if isinstance(g, Polygon):
        return [] if g.is_empty else [g]
    return [p for p in getattr(g, "geoms", []) if isinstance(p, Polygon) and not p.is_empty]


visible = [None] * len(geoms)
cover = Polygon()
for i in range(len(geoms) - 1, -1, -1):
    rest = geoms[i].difference(cover)
    kept = [p for p in polygons(rest) if not p.buffer(-TAP_RADIUS).intersection(inner).is_empty]
    visible[i] = unary_union(kept) if kept else Polygon()
    cover = unary_union([cover] + kept)
# What is left is too thin for any piece of its own: each crumb joins the
# neighbour it shares the longest border with.
for crumb in polygons(frame.difference(cover)):
    if crumb.area < 0.01:
        continue
    grown = crumb.buffer(0.6)
    best = max(range(len(visible)), key=lambda k: grown.intersection(visible[k]).area)
    visible[best] = unary_union([visible[best], crumb.buffer(0.05)])


def ring(coords):
    c = list(coords)[:-1]
    return "M" + " L".join("%s,%s" % (fmt(x), fmt(y)) for x, y in c) + " Z"


last_group = None
for (pts, colour, name, title), g in zip(shapes, visible):
    parts = [g] if isinstance(g, Polygon) else [p for p in getattr(g, "geoms", []) if isinstance(p, Polygon)]
    parts = [orient(p.simplify(0.25), 1.0) for p in parts if p.area > 4.0]
    if not parts:
        continue
    if title != last_group:
        out.append("  <!-- %s -->" % title)
        last_group = title
    d = " ".join(ring(p.exterior.coords) + "".join(" " + ring(h.coords) for h in p.interiors) for p in parts)
    ident = ' id="%s"' % name if name else ""
    out.append('  <path%s fill="%s" fill-rule="evenodd" d="%s"/>' % (ident, colour, d))

out.append("</svg>")
sys.stdout.write("\n".join(out) + "\n")
