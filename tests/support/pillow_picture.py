"""Prints a picture, or resized copies of it, as binary PPM (8-bit RGB), one after the other.

Usage: pillow_picture.py SOURCE                                the picture itself
       pillow_picture.py SOURCE FILTER WIDTH HEIGHT [...]     one copy per group of three, resized
                                                              with Pillow's FILTER (BOX, BILINEAR,
                                                              HAMMING, BICUBIC, LANCZOS)
"""
import sys

from PIL import Image

image = Image.open(sys.argv[1]).convert("RGB")
jobs = sys.argv[2:]
copies = [image] if not jobs else [
    image.resize((int(jobs[i + 1]), int(jobs[i + 2])), getattr(Image.Resampling, jobs[i]))
    for i in range(0, len(jobs), 3)
]
for copy in copies:
    sys.stdout.buffer.write(b"P6 %d %d 255\n" % copy.size + copy.tobytes())
