"""Drawing helpers shared by the picture renderers: fonts, supersampled shapes, glyphs,
buttons in their seven states, and BMP output. Everything is deterministic: the same
sources and the same Pillow/FreeType give the same files."""

import math
import os

from PIL import Image, ImageDraw, ImageFont

# The build passes the folder that tools/tool_paths.sh names.
FONT_DIR = os.environ.get("TQ_FONT_DIR", "/usr/share/fonts/truetype/liberation")
SCALE = 4  # supersampling factor for shapes; text is drawn at 1x by FreeType

MAGENTA = (255, 0, 255)

# The palette of the interface.
INK = (35, 56, 79)
INK_SOFT = (90, 107, 125)
ACCENT = (44, 110, 160)
ACCENT_DARK = (31, 58, 95)
HEADER_LEFT = (31, 58, 95)
HEADER_RIGHT = (44, 118, 150)
BODY = (236, 241, 246)
CARD = (255, 255, 255)
CARD_EDGE = (206, 216, 226)

# Button states: file-name suffix and number as stored in skins.
STATES = [("disabled", 0), ("normal", 1), ("normalFocused", 2), ("hover", 5),
          ("hoverFocused", 6), ("pressed", 7), ("pressedFocused", 8)]


def font(size, bold=False):
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def save_bmp(image, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.convert("RGB").save(path, "BMP")


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def gradient(size, top, bottom, horizontal=False):
    width, height = size
    image = Image.new("RGB", size)
    pixels = image.load()
    steps = width if horizontal else height
    for i in range(steps):
        colour = mix(top, bottom, i / max(1, steps - 1))
        if horizontal:
            for y in range(height):
                pixels[i, y] = colour
        else:
            for x in range(width):
                pixels[x, i] = colour
    return image


def shapes(size, paint):
    """Draws with `paint(draw, s)` on a transparent canvas SCALE times larger (s scales a
    coordinate) and returns the RGBA result at `size`, smoothly anti-aliased."""
    width, height = size
    big = Image.new("RGBA", (width * SCALE, height * SCALE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    paint(draw, lambda v: v * SCALE)
    return big.resize(size, Image.LANCZOS)


def over(base, layer, at=(0, 0)):
    base.paste(layer, at, layer)
    return base


def text_size(text, face):
    left, top, right, bottom = face.getbbox(text)
    return right - left, bottom - top, left, top


def draw_text_centered(image, box, text, face, colour, dy=0):
    draw = ImageDraw.Draw(image)
    x0, y0, x1, y1 = box
    width, height, left, top = text_size(text, face)
    ascent, descent = face.getmetrics()
    x = x0 + (x1 - x0 - width) / 2 - left
    y = y0 + (y1 - y0 - (ascent + descent)) / 2 + dy + 1
    draw.text((round(x), round(y)), text, font=face, fill=colour)


def fit_font(text, width, size, bold=True, minimum=8):
    while size > minimum and text_size(text, font(size, bold))[0] > width:
        size -= 1
    return font(size, bold)


def on_magenta(layer, matte):
    """Flattens an RGBA layer for a magenta-keyed bitmap: clear pixels become magenta, edges
    are blended towards `matte`, the colour the picture is expected to sit on."""
    width, height = layer.size
    out = Image.new("RGB", layer.size, MAGENTA)
    source = layer.load()
    target = out.load()
    for y in range(height):
        for x in range(width):
            r, g, b, a = source[x, y]
            if a < 96:
                continue
            t = a / 255
            target[x, y] = mix(matte, (r, g, b), t)
    return out


# ---------------------------------------------------------------------------------------
# Glyphs: small line drawings on a transparent canvas, in one colour.

def glyph(name, size, colour, stroke=None):
    """A glyph `size` pixels square. Names: import, export, rename, delete, wallpaper, change,
    current, remove, download, settings, help, about, close, add, play, stop, minus."""
    w = stroke if stroke is not None else max(1.5, size / 9)
    c = tuple(colour) + (255,) if len(colour) == 3 else colour

    def paint(d, s):
        S = size
        line = dict(fill=c, width=int(round(s(w))))
        if name in ("import", "export", "download"):
            # a tray with an arrow into it (import, download) or out of it (export)
            d.line([(s(S*.18), s(S*.62)), (s(S*.18), s(S*.84)), (s(S*.82), s(S*.84)), (s(S*.82), s(S*.62))], **line, joint="curve")
            top, bottom = (S*.12, S*.62) if name != "export" else (S*.62, S*.12)
            d.line([(s(S*.5), s(top)), (s(S*.5), s(bottom))], **line)
            tip = bottom
            sign = 1 if bottom > top else -1
            d.line([(s(S*.32), s(tip - sign*S*.18)), (s(S*.5), s(tip)), (s(S*.68), s(tip - sign*S*.18))], **line, joint="curve")
        elif name == "rename":
            d.polygon([(s(S*.22), s(S*.62)), (s(S*.62), s(S*.22)), (s(S*.78), s(S*.38)), (s(S*.38), s(S*.78))], fill=c)
            d.polygon([(s(S*.18), s(S*.82)), (s(S*.22), s(S*.66)), (s(S*.34), s(S*.78))], fill=c)
            d.line([(s(S*.18), s(S*.9)), (s(S*.82), s(S*.9))], **line)
        elif name == "delete":
            d.line([(s(S*.2), s(S*.26)), (s(S*.8), s(S*.26))], **line)
            d.line([(s(S*.4), s(S*.26)), (s(S*.42), s(S*.14)), (s(S*.58), s(S*.14)), (s(S*.6), s(S*.26))], **line)
            d.line([(s(S*.28), s(S*.32)), (s(S*.32), s(S*.86)), (s(S*.68), s(S*.86)), (s(S*.72), s(S*.32))], **line, joint="curve")
            d.line([(s(S*.5), s(S*.42)), (s(S*.5), s(S*.76))], **line)
        elif name in ("wallpaper", "remove", "current"):
            d.rounded_rectangle([s(S*.1), s(S*.18), s(S*.9), s(S*.72)], radius=s(S*.06), outline=c, width=int(round(s(w))))
            d.line([(s(S*.5), s(S*.72)), (s(S*.5), s(S*.84))], **line)
            d.line([(s(S*.3), s(S*.86)), (s(S*.7), s(S*.86))], **line)
            if name == "wallpaper":
                d.polygon([(s(S*.2), s(S*.64)), (s(S*.4), s(S*.38)), (s(S*.55), s(S*.56)), (s(S*.64), s(S*.46)), (s(S*.8), s(S*.64))], fill=c)
                d.ellipse([s(S*.62), s(S*.26), s(S*.74), s(S*.38)], fill=c)
            elif name == "remove":
                d.line([(s(S*.36), s(S*.3)), (s(S*.64), s(S*.6))], **line)
                d.line([(s(S*.64), s(S*.3)), (s(S*.36), s(S*.6))], **line)
            else:
                d.ellipse([s(S*.38), s(S*.33), s(S*.62), s(S*.57)], outline=c, width=int(round(s(w))))
                d.ellipse([s(S*.46), s(S*.41), s(S*.54), s(S*.49)], fill=c)
        elif name == "change":
            r = S * .3
            cx, cy = S * .5, S * .5
            d.arc([s(cx - r), s(cy - r), s(cx + r), s(cy + r)], 200, 340, **line)
            d.arc([s(cx - r), s(cy - r), s(cx + r), s(cy + r)], 20, 160, **line)
            for angle, turn in ((340, 1), (160, 1)):
                a = math.radians(angle)
                px, py = cx + r * math.cos(a), cy + r * math.sin(a)
                t = a + math.pi / 2 * turn
                k = S * .16
                d.polygon([(s(px + k*math.cos(t) * .0 + k*.6*math.cos(a)), s(py + k*.6*math.sin(a))),
                           (s(px - k*.6*math.cos(a)), s(py - k*.6*math.sin(a))),
                           (s(px + k*math.cos(t)), s(py + k*math.sin(t)))], fill=c)
        elif name == "settings":
            cx, cy = S * .5, S * .5
            teeth = []
            for i in range(16):
                a = math.pi * 2 * i / 16
                r = S * (.42 if i % 2 == 0 else .3)
                teeth.append((s(cx + r * math.cos(a)), s(cy + r * math.sin(a))))
            d.polygon(teeth, fill=c)
            d.ellipse([s(cx - S*.3), s(cy - S*.3), s(cx + S*.3), s(cy + S*.3)], fill=c)
            d.ellipse([s(cx - S*.12), s(cy - S*.12), s(cx + S*.12), s(cy + S*.12)], fill=(0, 0, 0, 0))
        elif name == "close":
            d.line([(s(S*.28), s(S*.28)), (s(S*.72), s(S*.72))], **line)
            d.line([(s(S*.72), s(S*.28)), (s(S*.28), s(S*.72))], **line)
        elif name == "add":
            d.line([(s(S*.5), s(S*.2)), (s(S*.5), s(S*.8))], **line)
            d.line([(s(S*.2), s(S*.5)), (s(S*.8), s(S*.5))], **line)
        elif name == "minus":
            d.line([(s(S*.2), s(S*.5)), (s(S*.8), s(S*.5))], **line)
        elif name == "play":
            d.polygon([(s(S*.3), s(S*.2)), (s(S*.8), s(S*.5)), (s(S*.3), s(S*.8))], fill=c)
        elif name == "stop":
            d.rounded_rectangle([s(S*.26), s(S*.26), s(S*.74), s(S*.74)], radius=s(S*.05), fill=c)
        elif name in ("help", "about"):
            d.ellipse([s(S*.1), s(S*.1), s(S*.9), s(S*.9)], outline=c, width=int(round(s(w))))
        elif name == "star":
            points = []
            for i in range(10):
                a = -math.pi / 2 + math.pi * i / 5
                r = S * (.42 if i % 2 == 0 else .18)
                points.append((s(S*.5 + r*math.cos(a)), s(S*.54 + r*math.sin(a))))
            d.polygon(points, fill=c)
        elif name == "keyboard":
            d.rounded_rectangle([s(S*.08), s(S*.26), s(S*.92), s(S*.76)], radius=s(S*.06), outline=c, width=int(round(s(w))))
            for row, y in enumerate((.38, .5)):
                for k in range(5):
                    x = .2 + k * .15
                    d.rectangle([s(S*x), s(S*y), s(S*(x+.08)), s(S*(y+.06))], fill=c)
            d.rectangle([s(S*.3), s(S*.62), s(S*.7), s(S*.68)], fill=c)
        elif name == "globe":
            d.ellipse([s(S*.12), s(S*.12), s(S*.88), s(S*.88)], outline=c, width=int(round(s(w))))
            d.ellipse([s(S*.32), s(S*.12), s(S*.68), s(S*.88)], outline=c, width=int(round(s(w))))
            d.line([(s(S*.12), s(S*.5)), (s(S*.88), s(S*.5))], **line)
            d.line([(s(S*.5), s(S*.12)), (s(S*.5), s(S*.88))], **line)
        elif name == "list":
            for y in (.28, .5, .72):
                d.ellipse([s(S*.14), s(S*(y-.06)), s(S*.26), s(S*(y+.06))], fill=c)
                d.line([(s(S*.36), s(S*y)), (s(S*.86), s(S*y))], **line)
        elif name == "bell":
            d.chord([s(S*.22), s(S*.16), s(S*.78), s(S*.72)], 180, 360, fill=c)
            d.polygon([(s(S*.22), s(S*.44)), (s(S*.78), s(S*.44)), (s(S*.86), s(S*.74)), (s(S*.14), s(S*.74))], fill=c)
            d.ellipse([s(S*.42), s(S*.72), s(S*.58), s(S*.88)], fill=c)
        elif name == "sliders":
            for x, knob in ((.28, .36), (.5, .64), (.72, .44)):
                d.line([(s(S*x), s(S*.14)), (s(S*x), s(S*.86))], **line)
                d.rounded_rectangle([s(S*(x-.1)), s(S*(knob-.07)), s(S*(x+.1)), s(S*(knob+.07))], radius=s(S*.03), fill=c)
        elif name == "clock":
            d.ellipse([s(S*.12), s(S*.12), s(S*.88), s(S*.88)], outline=c, width=int(round(s(w))))
            d.line([(s(S*.5), s(S*.26)), (s(S*.5), s(S*.5)), (s(S*.68), s(S*.62))], **line, joint="curve")
        elif name == "note":
            d.ellipse([s(S*.14), s(S*.62), s(S*.38), s(S*.82)], fill=c)
            d.ellipse([s(S*.56), s(S*.54), s(S*.8), s(S*.74)], fill=c)
            d.line([(s(S*.36), s(S*.72)), (s(S*.36), s(S*.2)), (s(S*.78), s(S*.12)), (s(S*.78), s(S*.64))], **line, joint="curve")
            d.polygon([(s(S*.36), s(S*.2)), (s(S*.78), s(S*.12)), (s(S*.78), s(S*.26)), (s(S*.36), s(S*.34))], fill=c)
        elif name == "film":
            d.rounded_rectangle([s(S*.1), s(S*.22), s(S*.9), s(S*.78)], radius=s(S*.05), fill=c)
            for k in range(5):
                x = .16 + k * .15
                for y in (.26, .68):
                    d.rectangle([s(S*x), s(S*y), s(S*(x+.07)), s(S*(y+.06))], fill=(0, 0, 0, 0))
        elif name == "frame":
            d.rectangle([s(S*.14), s(S*.2), s(S*.86), s(S*.8)], outline=c, width=int(round(s(w))))
            d.polygon([(s(S*.24), s(S*.7)), (s(S*.42), s(S*.44)), (s(S*.56), s(S*.6)), (s(S*.64), s(S*.52)), (s(S*.76), s(S*.7))], fill=c)
        else:
            raise ValueError(name)

    layer = shapes((size, size), paint)
    if name in ("help", "about"):
        face = font(int(size * .62), True)
        draw_text_centered(layer, (0, 0, size, size), "?" if name == "help" else "i", face, c)
    return layer


# ---------------------------------------------------------------------------------------
# Buttons.

BUTTON_STYLES = {
    # state: (face top, face bottom, edge, text)
    "plain": {
        "normal": ((255, 255, 255), (241, 245, 249), (190, 202, 215), INK),
        "hover": ((236, 245, 253), (221, 236, 250), (91, 155, 213), ACCENT_DARK),
        "pressed": ((208, 226, 244), (220, 233, 247), (63, 124, 184), ACCENT_DARK),
        "disabled": ((246, 248, 250), (246, 248, 250), (221, 226, 231), (170, 180, 191)),
    },
    "primary": {
        "normal": ((56, 140, 206), (38, 110, 175), (30, 92, 150), (255, 255, 255)),
        "hover": ((76, 160, 224), (48, 126, 193), (34, 104, 168), (255, 255, 255)),
        "pressed": ((31, 94, 152), (40, 110, 172), (24, 76, 126), (235, 243, 250)),
        "disabled": ((196, 210, 224), (196, 210, 224), (180, 196, 212), (240, 244, 248)),
    },
}


def button(backdrop, caption, icon, style, state_name, caption_size=12):
    """A push button drawn over `backdrop` (the window's pixels under it, so the rounded
    corners blend in). `state_name` is one of STATES' names."""
    width, height = backdrop.size
    kind = "disabled" if state_name == "disabled" else "pressed" if state_name.startswith("pressed") else \
        "hover" if state_name.startswith("hover") else "normal"
    focused = state_name.endswith("Focused")
    top, bottom, edge, ink = BUTTON_STYLES[style][kind]
    image = backdrop.convert("RGB").copy()
    face = gradient((width, height), top, bottom)
    mask = shapes((width, height), lambda d, s: d.rounded_rectangle(
        [0, 0, s(width) - 1, s(height) - 1], radius=s(6), fill=(255, 255, 255, 255)))
    image.paste(face, (0, 0), mask.split()[3])
    ring = shapes((width, height), lambda d, s: d.rounded_rectangle(
        [s(.5), s(.5), s(width - .5), s(height - .5)], radius=s(6), outline=edge + (255,), width=s(1)))
    over(image, ring)
    if focused:
        focus_colour = (255, 255, 255, 200) if style == "primary" else ACCENT + (255,)
        focus = shapes((width, height), lambda d, s: d.rounded_rectangle(
            [s(2.5), s(2.5), s(width - 2.5), s(height - 2.5)], radius=s(4), outline=focus_colour, width=int(s(1.25))))
        over(image, focus)
    shift = 1 if kind == "pressed" else 0
    glyph_size = 16 if height >= 26 else 14
    text_face = fit_font(caption, width - (glyph_size + 22 if icon else 12), caption_size) if caption else None
    content = (text_size(caption, text_face)[0] if caption else 0)
    if icon:
        content += glyph_size + (6 if caption else 0)
    x = (width - content) // 2
    if icon:
        mark = glyph(icon, glyph_size, ink)
        over(image, mark, (x + shift, (height - glyph_size) // 2 + shift))
        x += glyph_size + 6
    if caption:
        draw = ImageDraw.Draw(image)
        ascent, descent = text_face.getmetrics()
        left = text_face.getbbox(caption)[0]
        draw.text((x - left + shift, (height - ascent - descent) // 2 + shift + 1), caption, font=text_face, fill=ink)
    return image


def round_button(backdrop, icon, state_name, danger=False, ink=(255, 255, 255)):
    """A round icon button for a dark header: the glyph alone, a soft disc on hover."""
    width, height = backdrop.size
    image = backdrop.convert("RGB").copy()
    kind = "disabled" if state_name == "disabled" else "pressed" if state_name.startswith("pressed") else \
        "hover" if state_name.startswith("hover") else "normal"
    disc = {"normal": None, "disabled": None,
            "hover": (217, 83, 79, 255) if danger else (255, 255, 255, 56),
            "pressed": (180, 60, 56, 255) if danger else (255, 255, 255, 96)}[kind]
    if disc:
        over(image, shapes((width, height), lambda d, s: d.ellipse([s(1), s(1), s(width - 1), s(height - 1)], fill=disc)))
    if state_name.endswith("Focused"):
        over(image, shapes((width, height), lambda d, s: d.ellipse(
            [s(1), s(1), s(width - 1), s(height - 1)], outline=(255, 255, 255, 220), width=int(s(1.25)))))
    colour = ink if kind != "disabled" else mix(ink, (120, 140, 160), .6)
    size = min(width, height) - 10
    over(image, glyph(icon, size, colour, stroke=1.7), ((width - size) // 2, (height - size) // 2))
    return image


# ---------------------------------------------------------------------------------------
# The program's own mark: a framed landscape at dusk, used for the icon and the logos.

def app_icon(size):
    def paint(d, s):
        S = size
        r = S * .2
        d.rounded_rectangle([s(S*.03), s(S*.03), s(S*.97), s(S*.97)], radius=s(r), fill=(31, 58, 95, 255))
    base = shapes((size, size), paint)
    sky = gradient((size, size), (255, 184, 108), (236, 96, 124))
    inner = shapes((size, size), lambda d, s: d.rounded_rectangle(
        [s(size*.1), s(size*.1), s(size*.9), s(size*.9)], radius=s(size*.12), fill=(255, 255, 255, 255)))
    art = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    art.paste(sky, (0, 0))
    def scene(d, s):
        S = size
        d.ellipse([s(S*.56), s(S*.2), s(S*.76), s(S*.4)], fill=(255, 243, 200, 255))
        d.polygon([(s(S*.06), s(S*.94)), (s(S*.06), s(S*.7)), (s(S*.34), s(S*.42)), (s(S*.58), s(S*.74)), (s(S*.94), s(S*.94))], fill=(44, 110, 160, 255))
        d.polygon([(s(S*.3), s(S*.94)), (s(S*.66), s(S*.52)), (s(S*.94), s(S*.78)), (s(S*.94), s(S*.94))], fill=(31, 78, 120, 255))
    over(art, shapes((size, size), scene))
    alpha = inner.split()[3]
    base.paste(art, (0, 0), alpha)
    return base
