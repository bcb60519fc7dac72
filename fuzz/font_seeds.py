#!/usr/bin/python3
"""Font seeds from real installed faces: small subsets (fontTools' subsetter, every table kept)
of a TrueType face with kerning, a CFF OpenType face, a face of a collection with embedded
bitmap strikes, and the TrueType subset again with a VDMX table, which no installed face has.
Run by zemtra_fuzz_seeds (fuzz/make_seeds.cpp): font_seeds.py OUT_DIR. Needs python3-fonttools;
a face that is not installed is left out."""
import sys
from pathlib import Path

from fontTools import subset
from fontTools.ttLib import TTFont, newTable

TEXT = "AVTog0\u00e9\u0301\u4f60\u597d"
FACES = [
    ("kerning.ttf", "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", 0),
    ("cff.otf", "/usr/share/fonts/opentype/font-awesome/FontAwesome.otf", 0),
    ("strikes.ttf", "/usr/share/fonts/truetype/arphic/uming.ttc", 0),
]


def subset_of(path, number):
    options = subset.Options()
    options.layout_features = ["*"]
    options.hinting = True
    options.notdef_outline = True
    options.drop_tables = []
    options.font_number = number
    font = subset.load_font(path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=TEXT + "".join(chr(c) for c in range(0xF000, 0xF010)))
    subsetter.subset(font)
    return font


def add_vdmx(font):
    """One ratio (any aspect) and the y extents of three sizes, as a face tuned for screens."""
    vdmx = newTable("VDMX")
    vdmx.version = 1
    vdmx.ratRanges = [{"bCharSet": 1, "xRatio": 0, "yStartRatio": 0, "yEndRatio": 0,
                       "groupIndex": 0}]
    vdmx.groups = [{8: (7, -2), 12: (11, -3), 16: (15, -4)}]
    vdmx.numRecs = len(vdmx.groups)
    vdmx.numRatios = len(vdmx.ratRanges)
    font["VDMX"] = vdmx


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    for name, path, number in FACES:
        if not Path(path).exists():
            continue
        font = subset_of(path, number)
        font.save(out / name)
        if name == "kerning.ttf":
            add_vdmx(font)
            font.save(out / "vdmx.ttf")


if __name__ == "__main__":
    main(sys.argv[1])
