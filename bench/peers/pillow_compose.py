#!/usr/bin/env python3
"""pillow_compose.py OUT.bmp LAYER.png...: the layers over opaque white with
Pillow's alpha_composite, saved as BMP."""
import sys

from PIL import Image


def main():
    out, layers = sys.argv[1], sys.argv[2:]
    picture = None
    for path in layers:
        layer = Image.open(path).convert("RGBA")
        if picture is None:
            picture = Image.new("RGBA", layer.size, (255, 255, 255, 255))
        picture = Image.alpha_composite(picture, layer)
    picture.convert("RGB").save(out, "BMP")


if __name__ == "__main__":
    main()
