#!/usr/bin/env python3
"""Renders every picture of Tapestrique.dat and of the skins into OUTDIR as BMP files.

usage: render_pictures.py SKINS_DIR OUTDIR

Button pictures follow the skins' descriptions (SKINS_DIR/*.json): their places and sizes,
their captions (the element texts, per language) and the "art" hints that skin-build ignores.
"""

import json
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

import artwork as art
from artwork import STATES, save_bmp

LANGUAGES = ["CA", "EN", "ES", "FR"]
DIALOG_FACE = (240, 240, 240)


def load_skin(skins, name):
    with open(os.path.join(skins, name), encoding="utf-8") as f:
        return json.load(f)


def card(image, box, radius=10):
    """A white card with a soft shadow and a thin edge."""
    x0, y0, x1, y1 = box
    shadow = Image.new("L", image.size, 0)
    ImageDraw.Draw(shadow).rounded_rectangle([x0, y0 + 2, x1, y1 + 2], radius=radius, fill=60)
    shadow = shadow.filter(ImageFilter.GaussianBlur(3))
    dark = Image.new("RGB", image.size, (120, 140, 160))
    image.paste(dark, (0, 0), shadow)
    layer = art.shapes(image.size, lambda d, s: d.rounded_rectangle(
        [s(x0), s(y0), s(x1), s(y1)], radius=s(radius), fill=art.CARD + (255,), outline=art.CARD_EDGE + (255,),
        width=s(1)))
    art.over(image, layer)


def frame(image, box, colour=(200, 210, 220)):
    ImageDraw.Draw(image).rectangle(box, outline=colour)


def header(image, height, title_size, logo_size, logo_at):
    width = image.size[0]
    image.paste(art.gradient((width, height), art.HEADER_LEFT, art.HEADER_RIGHT, horizontal=True), (0, 0))
    highlight = Image.new("RGB", (width, 1), art.mix(art.HEADER_LEFT, (255, 255, 255), .15))
    image.paste(highlight, (0, 0))
    art.over(image, art.app_icon(logo_size), logo_at)
    face = art.font(title_size, True)
    x = logo_at[0] + logo_size + 10
    ascent, descent = face.getmetrics()
    y = (height - ascent - descent) // 2 + 1
    ImageDraw.Draw(image).text((x, y), "Tapestrique", font=face, fill=(255, 255, 255))


def window_edge(image):
    width, height = image.size
    ImageDraw.Draw(image).rectangle([0, 0, width - 1, height - 1], outline=(24, 44, 70))


def landscape(size, soft=True):
    """The picture shown while there is no picture: a quiet landscape in pale tones."""
    width, height = size
    top, bottom = ((214, 228, 242), (244, 248, 251)) if soft else ((255, 190, 120), (240, 110, 130))
    image = art.gradient(size, top, bottom).convert("RGBA")
    def paint(d, s):
        d.ellipse([s(width * .66), s(height * .18), s(width * .8), s(height * .18 + width * .14)],
                  fill=(255, 255, 255, 230))
        d.polygon([(0, s(height)), (0, s(height * .72)), (s(width * .3), s(height * .42)), (s(width * .52), s(height * .68)),
                   (s(width * .7), s(height * .5)), (s(width), s(height * .8)), (s(width), s(height))],
                  fill=(184, 202, 220, 255))
        d.polygon([(0, s(height)), (0, s(height * .86)), (s(width * .45), s(height * .64)), (s(width), s(height * .92)),
                   (s(width), s(height))], fill=(160, 182, 204, 255))
    art.over(image, art.shapes(size, paint))
    return image.convert("RGB")


def render_buttons(skin, background, out_dir, face_colour=None):
    for element in skin["elements"]:
        if element["kind"] != "button":
            continue
        hints = element.get("art", {})
        box = (element["x"], element["y"], element["x"] + element["width"], element["y"] + element["height"])
        if background is not None:
            backdrop = background.crop(box)
        else:
            backdrop = Image.new("RGB", (element["width"], element["height"]), face_colour or DIALOG_FACE)
        pattern = element["statePictures"]
        for language in element.get("languages", [None]):
            caption = element["text"][language] if language else None
            for state_name, _ in STATES:
                if hints.get("style") == "round":
                    picture = art.round_button(backdrop, hints["icon"], state_name, danger=hints.get("danger", False))
                else:
                    picture = art.button(backdrop, caption, hints.get("icon"), hints.get("style", "plain"), state_name)
                name = pattern.replace("{lang}", language or "").replace("{state}", state_name)
                save_bmp(picture, os.path.join(out_dir, name))


def render_main(skins, out):
    skin = load_skin(skins, "main.json")
    image = Image.new("RGB", (620, 440), art.BODY)
    header(image, 56, 22, 32, (14, 12))
    card(image, (14, 70, 290, 426))
    card(image, (302, 70, 606, 426))
    elements = {e["id"]: e for e in skin["elements"]}
    for control in (107, 106):
        e = elements[control]
        frame(image, (e["x"] - 1, e["y"] - 1, e["x"] + e["width"], e["y"] + e["height"]))
    ImageDraw.Draw(image).line([(316, 326), (592, 326)], fill=(227, 233, 239))
    ImageDraw.Draw(image).line([(28, 334), (276, 334)], fill=(227, 233, 239))
    window_edge(image)
    save_bmp(image, os.path.join(out, "main/background.bmp"))
    preview = elements[106]
    save_bmp(landscape((preview["width"], preview["height"])), os.path.join(out, "main/preview_default.bmp"))
    render_buttons(skin, image, out)


def render_initialization(out):
    image = Image.new("RGB", (320, 110), (255, 255, 255))
    header(image, 44, 18, 26, (12, 9))
    window_edge(image)
    save_bmp(image, os.path.join(out, "initialization/background.bmp"))


def render_new_image(skins, out):
    skin = load_skin(skins, "new_image.json")
    image = Image.new("RGB", (300, 210), (255, 255, 255))
    header(image, 36, 14, 22, (8, 7))
    thumb = next(e for e in skin["elements"] if e["id"] == 124)
    frame(image, (thumb["x"] - 1, thumb["y"] - 1, thumb["x"] + thumb["width"], thumb["y"] + thumb["height"]))
    window_edge(image)
    save_bmp(image, os.path.join(out, "new_image/background.bmp"))
    save_bmp(landscape((thumb["width"], thumb["height"])), os.path.join(out, "new_image/thumbnail_default.bmp"))
    render_buttons(skin, image, out)


def render_picture_set(skins, out):
    skin = load_skin(skins, "settings_screensaver.json")
    render_buttons(skin, None, out)


# ---------------------------------------------------------------------------------------
# Bitmaps of the dialogs, keyed on magenta.

GROUP_ICONS = {
    "BitmapSettingsGeneralProgram_": ("app", (44, 110, 160)),
    "BitmapSettingsGeneralNewImagesAvailable_": ("star", (230, 150, 40)),
    "BitmapSettingsGeneralKeyboardShortcuts_": ("keyboard", (90, 100, 120)),
    "BitmapSettingsGeneralLanguage_": ("globe", (40, 150, 120)),
    "BitmapSettingsWallpaperChangeWallpaper_": ("change", (44, 110, 160)),
    "BitmapSettingsWallpaperImagesSelectionMode_": ("list", (120, 90, 170)),
    "BitmapSettingsWallpaperNotifications_": ("bell", (230, 150, 40)),
    "BitmapSettingsWallpaperWallpaperPresentation_": ("frame", (40, 150, 120)),
    "BitmapSettingsWallpaperDesktop_": ("wallpaper", (60, 90, 140)),
    "BitmapSettingsWallpaperImageSettings_": ("sliders", (200, 80, 90)),
    "BitmapSettingsScreensaverImagesSelectionMode_": ("list", (120, 90, 170)),
    "BitmapSettingsScreensaverDelayBetweenChanges_": ("clock", (44, 110, 160)),
    "BitmapSettingsScreensaverImagesPresentation_": ("frame", (40, 150, 120)),
    "BitmapSettingsScreensaverAudio_": ("note", (230, 120, 50)),
    "BitmapSettingsScreensaverVideo_": ("film", (90, 100, 120)),
    "BitmapSettingsScreensaverImageSettings_": ("sliders", (200, 80, 90)),
}

# Two looks of the same pictures: "32bpp" for flat-menu systems (soft shading), "8bpp" for the
# rest (flat colours, hard edges, on the classic dialog grey).
VARIANTS = {"32bpp": (236, 236, 236), "8bpp": (212, 208, 200)}


def hard_edges(layer):
    r, g, b, a = layer.split()
    a = a.point(lambda v: 255 if v >= 128 else 0)
    return Image.merge("RGBA", (r, g, b, a))


def group_icon(glyph_name, colour, variant):
    size = 32
    if glyph_name == "app":
        layer = art.app_icon(30)
        tile = Image.new("RGBA", (size, size), (0, 0, 0, 0))
        tile.paste(layer, (1, 1), layer)
    else:
        tile = art.shapes((size, size), lambda d, s: d.rounded_rectangle(
            [s(1), s(1), s(31), s(31)], radius=s(7), fill=colour + (255,)))
        if variant == "32bpp":
            shade = art.gradient((size, size), art.mix(colour, (255, 255, 255), .25), art.mix(colour, (0, 0, 0), .15))
            tile = Image.composite(Image.merge("RGBA", (*shade.split(), tile.split()[3])), tile, tile.split()[3])
        mark = art.glyph(glyph_name, 20, (255, 255, 255), stroke=2.2)
        tile.paste(mark, (6, 6), mark)
    if variant == "8bpp":
        tile = hard_edges(tile)
        tile = tile.quantize(colors=16).convert("RGBA") if False else tile
    return art.on_magenta(tile, VARIANTS[variant])


def flag(code, variant):
    width, height = 22, 16
    image = Image.new("RGB", (width, height), (255, 255, 255))
    d = ImageDraw.Draw(image)
    if code == "Ca":
        d.rectangle([0, 0, width, height], fill=(252, 221, 9))
        for i in range(4):
            y = 2 + i * 3.6
            d.rectangle([0, round(y), width, round(y + 1.6)], fill=(218, 18, 26))
    elif code == "Es":
        d.rectangle([0, 0, width, 4], fill=(198, 11, 30))
        d.rectangle([0, 4, width, 11], fill=(255, 196, 0))
        d.rectangle([0, 12, width, height], fill=(198, 11, 30))
    elif code == "Fr":
        d.rectangle([0, 0, 7, height], fill=(0, 85, 164))
        d.rectangle([15, 0, width, height], fill=(239, 65, 53))
    else:
        big = art.shapes((width, height), lambda dd, s: (
            dd.rectangle([0, 0, s(width), s(height)], fill=(1, 33, 105, 255)),
            dd.line([(0, 0), (s(width), s(height))], fill=(255, 255, 255, 255), width=s(3)),
            dd.line([(0, s(height)), (s(width), 0)], fill=(255, 255, 255, 255), width=s(3)),
            dd.line([(0, 0), (s(width), s(height))], fill=(200, 16, 46, 255), width=s(1)),
            dd.line([(0, s(height)), (s(width), 0)], fill=(200, 16, 46, 255), width=s(1)),
            dd.rectangle([s(8.5), 0, s(13.5), s(height)], fill=(255, 255, 255, 255)),
            dd.rectangle([0, s(5.5), s(width), s(10.5)], fill=(255, 255, 255, 255)),
            dd.rectangle([s(9.5), 0, s(12.5), s(height)], fill=(200, 16, 46, 255)),
            dd.rectangle([0, s(6.5), s(width), s(9.5)], fill=(200, 16, 46, 255))))
        image.paste(big.convert("RGB"), (0, 0))
    if variant == "32bpp":
        shine = art.gradient((width, height), (255, 255, 255), (0, 0, 0))
        image = Image.blend(image, shine, .12)
    d = ImageDraw.Draw(image)
    d.rectangle([0, 0, width - 1, height - 1], outline=(110, 110, 110) if variant == "8bpp" else (150, 160, 170))
    return image


def about_logo():
    layer = Image.new("RGBA", (166, 36), (0, 0, 0, 0))
    layer.paste(art.app_icon(32), (2, 2), art.app_icon(32))
    face = art.fit_font("Tapestrique", 166 - 42 - 2, 23)
    ascent, descent = face.getmetrics()
    ImageDraw.Draw(layer).text((42, (36 - ascent - descent) // 2 + 1), "Tapestrique", font=face,
                               fill=art.ACCENT_DARK + (255,))
    return art.on_magenta(layer, DIALOG_FACE)


def tray_picture(xp):
    """The notification area with the program's icon, pointed at by an arrow."""
    width, height = 262, 44
    layer = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    bar_top = 18
    if xp:
        bar = art.gradient((width, height - bar_top), (58, 129, 243), (34, 92, 214))
        tray = art.gradient((110, height - bar_top), (18, 156, 240), (14, 118, 214))
        clock_ink = (255, 255, 255)
    else:
        bar = Image.new("RGB", (width, height - bar_top), (212, 208, 200))
        tray = Image.new("RGB", (110, height - bar_top), (212, 208, 200))
        clock_ink = (0, 0, 0)
    layer.paste(bar, (0, bar_top))
    layer.paste(tray, (width - 110, bar_top))
    d = ImageDraw.Draw(layer)
    if xp:
        d.line([(width - 110, bar_top), (width - 110, height)], fill=(10, 90, 180, 255))
    else:
        d.line([(0, bar_top), (width, bar_top)], fill=(255, 255, 255, 255))
        d.rectangle([width - 108, bar_top + 3, width - 3, height - 4], outline=(128, 128, 128, 255))
    # two other icons, then ours, then the clock
    for i, colour in enumerate(((120, 170, 90), (200, 170, 60))):
        x = width - 102 + i * 22
        d.rounded_rectangle([x, bar_top + 7, x + 14, bar_top + 21], radius=3, fill=colour + (255,))
    ours = art.app_icon(16)
    ours_x = width - 58
    layer.paste(ours, (ours_x, bar_top + 6), ours)
    face = art.font(11, False)
    d.text((width - 36, bar_top + 7), "12:00", font=face, fill=clock_ink + (255,))
    # a curved arrow from the left that comes down onto our icon
    tip = (ours_x + 8, bar_top + 4)
    start = (ours_x - 70, 5)
    curve = []
    for i in range(25):
        t = i / 24
        control = (tip[0] - 4, start[1])
        x = (1 - t) ** 2 * start[0] + 2 * (1 - t) * t * control[0] + t * t * tip[0]
        y = (1 - t) ** 2 * start[1] + 2 * (1 - t) * t * control[1] + t * t * (tip[1] - 5)
        curve.append((x, y))
    arrow = art.shapes((width, height), lambda dd, s: (
        dd.line([(s(x), s(y)) for x, y in curve], fill=art.ACCENT + (255,), width=int(s(3)), joint="curve"),
        dd.polygon([(s(tip[0] - 4.5), s(tip[1] - 6)), (s(tip[0] + 4.5), s(tip[1] - 6)), (s(tip[0]), s(tip[1]))],
                   fill=art.ACCENT + (255,))))
    art.over(layer, arrow)
    return art.on_magenta(layer, DIALOG_FACE)


def no_images(language, captions, preview):
    title = captions["noImages"]["title"][language]
    hint = captions["noImages"]["hint"][language]
    if preview:
        size = (152, 112)
        image = Image.new("RGB", size, (0, 0, 0))
        icon = art.app_icon(40)
        image.paste(icon, ((size[0] - 40) // 2, 18), icon)
        art.draw_text_centered(image, (4, 64, size[0] - 4, 84), title, art.fit_font(title, size[0] - 10, 12), (235, 240, 245))
        return image
    size = (484, 121)
    image = Image.new("RGB", size, (0, 0, 0))
    icon = art.app_icon(64)
    image.paste(icon, (18, (size[1] - 64) // 2), icon)
    art.draw_text_centered(image, (96, 24, size[0] - 8, 62), title, art.fit_font(title, size[0] - 110, 26), (245, 247, 250))
    art.draw_text_centered(image, (96, 64, size[0] - 8, 92), hint, art.fit_font(hint, size[0] - 110, 14, bold=False),
                           (150, 165, 180))
    return image


def render_bitmaps(skins, out):
    folder = os.path.join(out, "bitmaps")
    with open(os.path.join(skins, "captions.json"), encoding="utf-8") as f:
        captions = json.load(f)
    save_bmp(about_logo(), os.path.join(folder, "BitmapAboutTapestrique_TrFF00FF.bmp"))
    save_bmp(tray_picture(False), os.path.join(folder, "BitmapWelcomeTrayIconDescription_TrFF00FF.bmp"))
    save_bmp(tray_picture(True), os.path.join(folder, "BitmapWelcomeTrayIconDescriptionWinXP_TrFF00FF.bmp"))
    for variant in VARIANTS:
        for base, (glyph_name, colour) in GROUP_ICONS.items():
            save_bmp(group_icon(glyph_name, colour, variant), os.path.join(folder, f"{base}{variant}_TrFF00FF.bmp"))
        for code in ("Ca", "En", "Es", "Fr"):
            save_bmp(flag(code, variant), os.path.join(folder, f"BitmapSettingsGeneralLanguage{code}_{variant}_TrFF00FF.bmp"))
    for language in LANGUAGES:
        save_bmp(no_images(language, captions, True), os.path.join(folder, f"BitmapNoImagesAvailablePreview_{language}.bmp"))
        save_bmp(no_images(language, captions, False), os.path.join(folder, f"BitmapNoImagesAvailableNormal_{language}.bmp"))


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: render_pictures.py SKINS_DIR OUTDIR")
    skins, out = sys.argv[1], sys.argv[2]
    render_main(skins, out)
    render_initialization(out)
    render_new_image(skins, out)
    render_picture_set(skins, out)
    render_bitmaps(skins, out)
    with open(os.path.join(out, "pictures.stamp"), "w") as f:
        f.write("rendered\n")


if __name__ == "__main__":
    main()
