#!/usr/bin/env python3
"""Renders the installer's pictures in the interface's own colours and with its icon:
the side picture of the welcome and finish pages (164 x 314) and the header picture of the
other pages (150 x 57), as 24-bit BMP files, which is what NSIS takes.

usage: render_installer_pictures.py ASSET_TOOLS_DIR OUTDIR
"""

import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, sys.argv[1])
import artwork as art  # noqa: E402  (found through ASSET_TOOLS_DIR)


def side_picture():
    width, height = 164, 314
    image = art.gradient((width, height), art.HEADER_LEFT, art.HEADER_RIGHT)
    icon = art.app_icon(96)
    image.paste(icon, ((width - 96) // 2, 64), icon)
    face = art.fit_font("Tapestrique", width - 16, 22)
    art.draw_text_centered(image, (0, 176, width, 206), "Tapestrique", face, (255, 255, 255))
    return image


def header_picture():
    width, height = 150, 57
    image = Image.new("RGB", (width, height), (255, 255, 255))
    icon = art.app_icon(40)
    image.paste(icon, (width - 40 - 8, (height - 40) // 2), icon)
    face = art.fit_font("Tapestrique", width - 40 - 20, 15)
    width_of_text = art.text_size("Tapestrique", face)[0]
    x = width - 40 - 14 - width_of_text
    ascent, descent = face.getmetrics()
    ImageDraw.Draw(image).text((x, (height - ascent - descent) // 2), "Tapestrique", font=face,
                               fill=art.ACCENT_DARK)
    return image


def main():
    out = sys.argv[2]
    art.save_bmp(side_picture(), os.path.join(out, "installer_side.bmp"))
    art.save_bmp(header_picture(), os.path.join(out, "installer_header.bmp"))


if __name__ == "__main__":
    main()
