#!/usr/bin/env python3
"""Draws Merlin and writes his character file (assets/chars/Merlin.vchar).

Every layer is a top-level group of one SVG document; frames name the groups
to draw. Run again after changing the drawing or the animations.
"""
import json
import math
import pathlib

INK = "#1b1f4b"
ROBE = "#3056c8"
ROBE_DARK = "#22409e"
HAT = "#2b4ab5"
GOLD = "#ffd23f"
GOLD_DARK = "#d9a400"
SKIN = "#f9cfab"
CHEEK = "#f4a0a0"
BEARD = "#fbfbff"
BEARD_SHADE = "#d8dcec"
SHOE = "#7a4a2a"
WAND = "#6b3e1f"
CLOUD = "#f3f0ff"
CLOUD_SHADE = "#cfc8f0"


def star(cx, cy, r, points=5, inner=0.45, rot=-90, fill=GOLD, stroke=INK, width=1.2):
    pts = []
    for i in range(points * 2):
        rad = r if i % 2 == 0 else r * inner
        a = math.radians(rot + i * 180 / points)
        pts.append(f"{cx + rad * math.cos(a):.1f},{cy + rad * math.sin(a):.1f}")
    return f'<polygon points="{" ".join(pts)}" fill="{fill}" stroke="{stroke}" stroke-width="{width}" stroke-linejoin="round"/>'


def twinkle(cx, cy, r, fill="#fffbe0"):
    return star(cx, cy, r, points=4, inner=0.3, rot=0, fill=fill, stroke=GOLD_DARK, width=0.8)


def group(gid, *parts):
    return f'<g id="{gid}">' + "".join(parts) + "</g>"


def hand(x, y, r=7):
    return f'<circle cx="{x}" cy="{y}" r="{r}" fill="{SKIN}" stroke="{INK}" stroke-width="2"/>'


def sleeve(path, cuff):
    return (f'<path d="{path}" fill="{ROBE}" stroke="{INK}" stroke-width="2.2" stroke-linejoin="round"/>'
            f'<path d="{cuff}" fill="none" stroke="{GOLD}" stroke-width="3.5" stroke-linecap="round"/>')


def wand(x1, y1, x2, y2, r=7):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
            f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{WAND}" stroke-width="3" stroke-linecap="round"/>'
            + star(x2, y2, r, width=1.5))


def cloud(cx, cy, s):
    bumps = [(-1.0, 0.2, 0.55), (-0.5, -0.2, 0.7), (0.1, -0.35, 0.8), (0.65, -0.1, 0.65), (1.05, 0.25, 0.5)]
    body = "".join(f'<circle cx="{cx + dx * s:.1f}" cy="{cy + dy * s:.1f}" r="{r * s:.1f}"/>' for dx, dy, r in bumps)
    return (f'<g fill="{CLOUD}" stroke="{INK}" stroke-width="2">{body}</g>'
            f'<g fill="{CLOUD}">{body}</g>'
            f'<ellipse cx="{cx}" cy="{cy + 0.35 * s:.1f}" rx="{1.2 * s:.1f}" ry="{0.28 * s:.1f}" fill="{CLOUD_SHADE}"/>')


def layers():
    g = []
    g.append(group("feet",
        f'<path d="M 70 228 Q 62 236 74 238 L 92 238 Q 96 230 88 226 Z" fill="{SHOE}" stroke="{INK}" stroke-width="2"/>',
        f'<path d="M 130 228 Q 138 236 126 238 L 108 238 Q 104 230 112 226 Z" fill="{SHOE}" stroke="{INK}" stroke-width="2"/>'))
    robe_stars = "".join(star(x, y, r, rot=rot) for x, y, r, rot in
                         [(56, 206, 6, -80), (80, 196, 5, -100), (104, 212, 7, -90), (128, 194, 5, -70),
                          (146, 208, 6, -95), (70, 168, 4, -90), (132, 160, 4, -85), (92, 222, 3.5, -90)])
    g.append(group("robe",
        f'<path d="M 74 122 C 62 150 48 190 38 224 Q 100 238 162 224 C 152 190 138 150 126 122 Q 100 114 74 122 Z" '
        f'fill="{ROBE}" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>',
        f'<path d="M 100 130 C 98 170 96 200 94 232" fill="none" stroke="{ROBE_DARK}" stroke-width="2"/>',
        f'<path d="M 41 216 Q 100 230 159 216" fill="none" stroke="{GOLD}" stroke-width="4"/>',
        robe_stars,
        f'<path d="M 120 150 a 6 6 0 1 0 8 8 a 5 5 0 1 1 -8 -8 Z" fill="{GOLD}" stroke="{INK}" stroke-width="1"/>'))
    g.append(group("face",
        f'<circle cx="76" cy="103" r="6" fill="{SKIN}" stroke="{INK}" stroke-width="2"/>',
        f'<circle cx="124" cy="103" r="6" fill="{SKIN}" stroke="{INK}" stroke-width="2"/>',
        f'<ellipse cx="100" cy="100" rx="24" ry="25" fill="{SKIN}" stroke="{INK}" stroke-width="2.2"/>',
        f'<circle cx="84" cy="108" r="4.5" fill="{CHEEK}"/>',
        f'<circle cx="116" cy="108" r="4.5" fill="{CHEEK}"/>',
        f'<ellipse cx="100" cy="106" rx="5.5" ry="5" fill="#f2a585" stroke="{INK}" stroke-width="1.6"/>',
        '<circle cx="98" cy="104" r="1.5" fill="#fff"/>'))
    eye = lambda x: (f'<ellipse cx="{x}" cy="96" rx="4.6" ry="5.6" fill="#fff" stroke="{INK}" stroke-width="1.4"/>'
                     f'<circle cx="{x + 0.6}" cy="97" r="2.9" fill="{INK}"/><circle cx="{x + 1.6}" cy="95.6" r="1.1" fill="#fff"/>')
    g.append(group("eyes_open", eye(90), eye(110)))
    g.append(group("eyes_closed",
        f'<path d="M 85 97 Q 90 100.5 95 97 M 105 97 Q 110 100.5 115 97" fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>'))
    g.append(group("eyes_happy",
        f'<path d="M 85 98.5 Q 90 92 95 98.5 M 105 98.5 Q 110 92 115 98.5" fill="none" stroke="{INK}" stroke-width="2.2" stroke-linecap="round"/>'))
    brow = (f'<path d="M 83 90 Q 90 84 97 89 M 117 90 Q 110 84 103 89" fill="none" stroke="{INK}" stroke-width="5.5" stroke-linecap="round"/>'
            f'<path d="M 83 90 Q 90 84 97 89 M 117 90 Q 110 84 103 89" fill="none" stroke="{BEARD}" stroke-width="3.5" stroke-linecap="round"/>')
    g.append(group("brows", brow))
    g.append(group("beard",
        f'<path d="M 75 96 C 68 104 70 114 76 118 C 70 132 74 150 84 162 C 88 172 94 180 100 188 '
        f'C 106 180 112 172 116 162 C 126 150 130 132 124 118 C 130 114 132 104 125 96 '
        f'C 124 108 120 116 112 118 C 104 114 96 114 88 118 C 80 116 76 108 75 96 Z" '
        f'fill="{BEARD}" stroke="{INK}" stroke-width="2.2" stroke-linejoin="round"/>',
        f'<path d="M 86 134 Q 90 150 96 160 M 114 134 Q 110 150 104 160 M 100 140 L 100 172" fill="none" stroke="{BEARD_SHADE}" stroke-width="2" stroke-linecap="round"/>'))
    mouth = {
        "mouth_rest": f'<path d="M 94 121 Q 100 126 106 121" fill="none" stroke="{INK}" stroke-width="2" stroke-linecap="round"/>',
        "mouth_small": f'<ellipse cx="100" cy="122" rx="4" ry="3" fill="#6b1f2a" stroke="{INK}" stroke-width="1.5"/>',
        "mouth_open": f'<ellipse cx="100" cy="123" rx="6" ry="5" fill="#6b1f2a" stroke="{INK}" stroke-width="1.6"/>'
                      f'<ellipse cx="100" cy="125.5" rx="3.5" ry="2" fill="#e8737f"/>',
        "mouth_wide": f'<path d="M 91 119 Q 100 118 109 119 Q 108 132 100 132 Q 92 132 91 119 Z" fill="#6b1f2a" stroke="{INK}" stroke-width="1.6"/>'
                      f'<ellipse cx="100" cy="128" rx="5" ry="2.6" fill="#e8737f"/>',
    }
    for gid, body in mouth.items():
        g.append(group(gid, body))
    g.append(group("mustache",
        f'<path d="M 100 113 C 93 107 82 108 78 118 C 84 116 93 120 100 117 C 107 120 116 116 122 118 C 118 108 107 107 100 113 Z" '
        f'fill="{BEARD}" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>'))
    hat_stars = star(96, 46, 7) + star(114, 62, 5, rot=-70) + star(112, 24, 3.5)
    g.append(group("hat",
        f'<path d="M 62 80 C 72 52 84 26 112 6 C 118 2 126 4 122 10 C 114 24 118 44 138 80 Z" '
        f'fill="{HAT}" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>',
        f'<path d="M 65 72 Q 100 82 135 72" fill="none" stroke="{GOLD}" stroke-width="6"/>',
        hat_stars,
        f'<path d="M 80 56 a 8 8 0 1 0 10 10 a 6.5 6.5 0 1 1 -10 -10 Z" fill="{GOLD}" stroke="{INK}" stroke-width="1.2"/>',
        f'<ellipse cx="100" cy="80" rx="48" ry="8.5" fill="{HAT}" stroke="{INK}" stroke-width="2.5"/>',
        star(123, 7, 5, width=1.2)))
    # Arms: the viewer's left arm is free, the right one holds the wand.
    g.append(group("arm_l_down",
        sleeve("M 78 124 C 66 140 56 160 50 180 Q 62 190 78 184 C 80 164 84 144 88 130 Z", "M 51 181 Q 63 190 77 184"),
        hand(64, 190)))
    g.append(group("arm_r_down",
        sleeve("M 122 124 C 134 140 144 160 150 180 Q 138 190 122 184 C 120 164 116 144 112 130 Z", "M 149 181 Q 137 190 123 184"),
        wand(128, 198, 164, 156), hand(136, 190)))
    g.append(group("arm_l_up",
        sleeve("M 80 128 C 70 112 60 100 52 86 Q 40 90 36 100 C 48 110 60 124 68 136 Z", "M 52 86 Q 40 90 36 100"),
        hand(44, 88)))
    g.append(group("arm_r_up",
        sleeve("M 120 128 C 130 112 140 100 148 86 Q 160 90 164 100 C 152 110 140 124 132 136 Z", "M 148 86 Q 160 90 164 100"),
        wand(154, 96, 170, 46, 8), hand(156, 88)))
    g.append(group("arm_r_point",
        sleeve("M 118 128 C 130 126 142 122 150 112 Q 160 118 158 130 C 146 138 134 142 124 144 Z", "M 150 112 Q 160 118 158 130"),
        wand(156, 126, 186, 98, 7), hand(158, 120)))
    palm = lambda x, y, a: (f'<g transform="rotate({a} {x} {y})">'
                            + "".join(f'<ellipse cx="{x + dx}" cy="{y - 8}" rx="2.6" ry="5" fill="{SKIN}" stroke="{INK}" stroke-width="1.5"/>'
                                      for dx in (-4.5, 0, 4.5))
                            + f'<ellipse cx="{x - 8}" cy="{y - 1}" rx="4.5" ry="2.4" fill="{SKIN}" stroke="{INK}" stroke-width="1.5"/>'
                            + hand(x, y, 7) + '</g>')
    g.append(group("arm_l_wave1",
        sleeve("M 80 128 C 68 120 58 112 50 100 Q 40 104 40 116 C 52 124 64 134 72 140 Z", "M 50 100 Q 40 104 40 116"),
        palm(44, 102, -20)))
    g.append(group("arm_l_wave2",
        sleeve("M 80 128 C 70 116 62 104 58 90 Q 46 90 42 100 C 52 112 62 126 70 138 Z", "M 58 90 Q 46 90 42 100"),
        palm(50, 90, 15)))
    # Effects.
    g.append(group("flash",
        star(170, 46, 20, points=8, inner=0.5, rot=0, fill="#fff6b0", stroke=GOLD_DARK, width=1.2),
        star(170, 46, 9, width=1.4)))
    sparkle_sets = {
        "sparkle1": [(150, 30, 6), (186, 40, 5), (178, 18, 4), (160, 62, 3.5)],
        "sparkle2": [(156, 20, 5), (190, 58, 6), (170, 12, 3.5), (146, 48, 4)],
        "sparkle3": [(144, 34, 4), (184, 26, 6), (190, 72, 4), (164, 8, 5)],
    }
    for gid, pts in sparkle_sets.items():
        g.append(group(gid, *(twinkle(x, y, r) for x, y, r in pts)))
    dust = {
        "dust1": [(192, 84, 5), (178, 78, 3.5), (194, 104, 3)],
        "dust2": [(188, 70, 4), (170, 60, 5.5), (196, 90, 3.5), (182, 112, 3)],
        "dust3": [(176, 48, 4), (158, 40, 6), (190, 56, 5), (194, 78, 3)],
    }
    for gid, pts in dust.items():
        g.append(group(gid, *(twinkle(x, y, r, fill=c) for (x, y, r), c in zip(pts, ["#fffbe0", "#ffe0f4", "#dff6ff", "#fffbe0"]))))
    colours = [GOLD, "#ff8fc8", "#7fe3ff", "#b8ff8a", "#ffb35c", "#ffffff"]
    for i, radius in enumerate((54, 72, 90), start=1):
        pts = []
        for k in range(12):
            a = math.radians(k * 30 + i * 10)
            pts.append(star(100 + radius * math.cos(a) * 0.95, 104 + radius * math.sin(a) * 0.9,
                            3 + i * 1.3, fill=colours[k % len(colours)], width=1))
        g.append(group(f"burst{i}", *pts))
    confetti = {
        "confetti1": [(30, 40), (60, 18), (150, 22), (176, 58), (20, 110), (186, 120), (46, 70), (132, 10)],
        "confetti2": [(36, 58), (66, 30), (142, 34), (170, 76), (26, 130), (180, 140), (52, 92), (126, 24)],
    }
    for n, (gid, pts) in enumerate(confetti.items()):
        bits = []
        for k, (x, y) in enumerate(pts):
            c = colours[(k + n) % len(colours)]
            if k % 2:
                bits.append(f'<rect x="{x - 3}" y="{y - 2}" width="6" height="4" rx="1" fill="{c}" stroke="{INK}" '
                            f'stroke-width="0.8" transform="rotate({(k * 37 + n * 50) % 180} {x} {y})"/>')
            else:
                bits.append(star(x, y, 4, fill=c, width=0.8))
        g.append(group(gid, *bits))
    g.append(group("puff1", cloud(100, 216, 22), twinkle(80, 196, 5), twinkle(124, 190, 4)))
    g.append(group("puff2", cloud(100, 200, 46), cloud(100, 150, 34), twinkle(50, 150, 6), twinkle(152, 126, 5),
                   twinkle(140, 200, 5)))
    g.append(group("puff3", cloud(52, 214, 20), cloud(150, 216, 18), twinkle(36, 170, 5), twinkle(166, 160, 6),
                   twinkle(100, 20, 5)))
    g.append(group("ride1", cloud(100, 226, 30), twinkle(40, 214, 4), twinkle(28, 196, 3)))
    g.append(group("ride2", cloud(100, 227, 31), twinkle(34, 206, 4), twinkle(160, 210, 3)))
    return g


UPPER = ["face", "eyes_open", "brows", "beard", "mouth_rest", "mustache", "hat"]


def pose(arms=("arm_l_down", "arm_r_down"), eyes="eyes_open", mouth="mouth_rest", lift=0.0, under=(), over=(),
         feet=True, body_lift=0.0):
    ls = []
    base = (["feet"] if feet else []) + list(under) + ["robe"]
    for layer in base:
        ls.append(layer if not body_lift else {"id": layer, "dy": body_lift})
    for layer in UPPER:
        name = {"eyes_open": eyes, "mouth_rest": mouth}.get(layer, layer)
        dy = lift + body_lift
        ls.append(name if not dy else {"id": name, "dy": dy})
    for arm in arms:
        ls.append(arm if not (lift or body_lift) else {"id": arm, "dy": body_lift + lift / 2})
    ls.extend(over)
    return ls


def frame(ms, layers, scale=None):
    f = {"ms": ms, "layers": layers}
    if scale is not None:
        f["scale"] = scale
    return f


def animations():
    up2 = ("arm_l_up", "arm_r_up")
    a = {}
    a["Rest"] = [frame(1000, pose())]
    a["Idle"] = [frame(1700, pose()), frame(260, pose(lift=1)), frame(1300, pose(lift=2)), frame(260, pose(lift=1))]
    a["Appear"] = [frame(110, ["puff1"]), frame(120, ["puff2"]),
                   frame(110, pose() + ["puff2"], 0.55), frame(110, pose() + ["puff3"], 0.85),
                   frame(160, pose(eyes="eyes_happy", over=["puff3"])),
                   frame(200, pose(eyes="eyes_happy", over=["sparkle1"]))]
    a["Glide"] = [frame(180, pose(feet=False, body_lift=-4, over=["ride1"])),
                  frame(180, pose(feet=False, body_lift=-5, over=["ride2"]))]
    a["Announce"] = [frame(140, pose(arms=("arm_l_down", "arm_r_up"))),
                     frame(160, pose(arms=("arm_l_down", "arm_r_up"), mouth="mouth_small", over=["flash"])),
                     frame(220, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open", over=["flash", "sparkle1"])),
                     frame(220, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", over=["sparkle2"])),
                     frame(220, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open", over=["sparkle3"])),
                     frame(200, pose(arms=up2, mouth="mouth_small", over=["sparkle1"])),
                     frame(160, pose(arms=("arm_l_down", "arm_r_point"))),
                     frame(120, pose())]
    wave = lambda n, **k: pose(arms=(f"arm_l_wave{n}", "arm_r_down"), **k)
    a["Greet"] = [frame(160, wave(1)),
                  frame(180, wave(2, eyes="eyes_happy", mouth="mouth_small")),
                  frame(180, wave(1, eyes="eyes_happy", mouth="mouth_open")),
                  frame(180, wave(2, eyes="eyes_happy", mouth="mouth_open")),
                  frame(180, wave(1, eyes="eyes_happy", mouth="mouth_small")),
                  frame(180, wave(2, eyes="eyes_happy")),
                  frame(260, pose(eyes="eyes_happy", lift=3)),
                  frame(140, pose())]
    a["Congratulate"] = [frame(140, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open")),
                         frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", body_lift=-6, over=["confetti1"])),
                         frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", over=["confetti2"])),
                         frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", body_lift=-6, over=["confetti1"])),
                         frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open", over=["confetti2"])),
                         frame(220, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open", over=["confetti1", "sparkle2"])),
                         frame(200, pose(eyes="eyes_happy", over=["confetti2"])),
                         frame(120, pose())]
    point = ("arm_l_down", "arm_r_point")
    a["DoMagic1"] = [frame(160, pose(arms=point, mouth="mouth_small")),
                     frame(160, pose(arms=point, mouth="mouth_small", over=["dust1"])),
                     frame(160, pose(arms=point, eyes="eyes_happy", mouth="mouth_open", over=["dust1", "dust2"])),
                     frame(160, pose(arms=point, eyes="eyes_happy", mouth="mouth_open", over=["dust2", "dust3"])),
                     frame(160, pose(arms=point, eyes="eyes_happy", mouth="mouth_wide", over=["dust3", "sparkle3"])),
                     frame(180, pose(arms=point, eyes="eyes_happy", mouth="mouth_wide", over=["sparkle3", "sparkle1"])),
                     frame(180, pose(arms=point, over=["sparkle2"])),
                     frame(120, pose())]
    a["DoMagic2"] = [frame(180, pose(arms=up2, eyes="eyes_closed", mouth="mouth_small")),
                     frame(180, pose(arms=up2, eyes="eyes_closed", mouth="mouth_small", over=["flash"])),
                     frame(160, pose(arms=up2, eyes="eyes_open", mouth="mouth_open", over=["flash", "burst1"])),
                     frame(160, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", over=["burst2"])),
                     frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_wide", over=["burst3"])),
                     frame(180, pose(arms=up2, eyes="eyes_happy", mouth="mouth_open", over=["burst2", "sparkle1"])),
                     frame(200, pose(arms=up2, eyes="eyes_happy", over=["burst3", "sparkle3"])),
                     frame(200, pose(eyes="eyes_happy", over=["sparkle2"])),
                     frame(120, pose())]
    return a


def main():
    here = pathlib.Path(__file__).resolve().parent
    # The soles rest on y = 240, 24 units above the foot of the frame: the
    # game stands him just above the answer box, his feet clear of it, and
    # he grows and glides about that ground line.
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 264" width="200" height="264">'
           + "".join(layers()) + "</svg>")
    manifest = {
        "format": "vortana-character",
        "version": 1,
        "name": "Merlin",
        "height": 205,
        "ground": 240,
        "voice": {"voice": "it", "rate": 145, "pitch": 38, "range": 60, "volume": 100},
        "eyes": {"open": "eyes_open", "closed": "eyes_closed"},
        "mouths": ["mouth_rest", "mouth_small", "mouth_open", "mouth_wide"],
        "animations": animations(),
        "art": svg,
    }
    out = here.parent.parent / "assets" / "chars" / "Merlin.vchar"
    out.write_text(json.dumps(manifest, ensure_ascii=False, separators=(",", ":")) + "\n")
    print(out, out.stat().st_size, "bytes")


if __name__ == "__main__":
    main()
