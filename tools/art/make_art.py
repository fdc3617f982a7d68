"""Writes the skin bitmaps, icons and their README into a folder, checks them, or previews them.

Usage: make_art.py build OUTDIR      draw everything into OUTDIR
       make_art.py check ARTDIR      draw again in a scratch folder and compare byte for byte,
                                     and check every file's format and size against the table
       make_art.py preview ARTDIR DIR  write a PNG of every bitmap and icon image into DIR
"""

import os
import shutil
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import raster  # noqa: E402
import skin  # noqa: E402

README_HEAD = """# Art

Skin bitmaps and icons of the main window and the about window. They are drawn
by `tools/make-art`, which writes every file in this folder (this README too);
do not edit them by hand: change the drawing in `tools/art/skin.py` and run
`tools/make-art` again. `tools/make-art --check` redraws everything in a
scratch folder and fails when a file here differs or has the wrong size.

Bitmaps are 24-bit Windows 3.x BMP files without metadata. Icons hold 32-bit
images with an alpha channel and an AND mask; the 256-pixel image of the
application icon is stored as PNG. The tick boxes and the all-software icon are
designed at 16 x 16; their 32 x 32 image is the same picture doubled pixel for
pixel, so an icon loaded at the default size and shrunk into a 16 x 16 image
list looks exactly like the 16 x 16 design.

Colours: window 0x333333, entry panel 0x525252, gold RGB(255,204,0) for links
and accents. Text is WenQuanYi Micro Hei.

"In" is the image a button shows while hovered or pressed (for the select-all
check button: while ticked or pressed), "Out" the one it shows otherwise. A
button that shows the same picture in both states gets the same bitmap loaded
twice (the button deletes both handles).

## Bitmaps

| ID | File | Size (px) | What it is | Where it is used |
|---:|---|---|---|---|
"""

README_ICONS = """
## Icons

| ID | File | Sizes (px) | What it is | Where it is used |
|---:|---|---|---|---|
"""

README_TAIL = """
## How the pieces fit

- Top band: `head-left` at x 0, `head-mid` stretched from x 324 to the right
  edge, `head-right` at W - 461 over it. The three share every row colour at
  the columns where they meet, so the stretched middle shows no seam. The gold
  line is row 65; the forum and help buttons stand on it (their images are cut
  from `head-right` at x 257 and 359, y 34, where the layout puts them, so
  their corners match the band behind them).
- Entry pane frame: 4-pixel pieces centred on the pane's border; the outer two
  pixels (a dark edge and a light ring) show, the inner two lie under the list.
- Category column: `btn-prev` and `btn-next` are its top and bottom caps and
  `category-left` / `category-right` its walls, so the column reads as one
  framed panel.
- Rows: entry and header rows are 65 pixels high, category rows 23; each is
  drawn whole and cut into left / middle / right slices. The middle slices are
  one pixel wide, except the selected category row's 109-pixel middle. Every
  middle is the same in each column: the lists stretch it to the row's width,
  and where that means shrinking (109 to the 108 pixels of a 140-pixel
  category row, or the 160-pixel category background to 140) GDI's default
  stretch mode ANDs the columns it drops, which leaves equal columns unchanged.
- Header rows are light because the list draws their captions in black over a
  grey shadow; the caption starts at about x 31, right of the gold tab.
- Entry rows: with the list view's icon rectangle at x 18 (as Wine reports it
  for a 16-pixel state image list), the tick box lands at x 13, the 32-pixel
  icon at x 42 to 74 and the name at x 91; the faint groove at x 82 separates
  icon and name. The selected row (with or without focus) has a gold outline
  and a gold bar at its left end.

## Sizes fixed by the windows

Button images fill their buttons, so the code-drawn captions ("(&A)", "(&S)",
"(&I)", "&C") serve as access keys only and the wording is in the images:
全选 (140 x 24 in a 140 x 28 button, centred vertically), 保存安装包, 自动安装 /
手动安装, 关闭, 论坛, 帮助, 上一分类, 下一分类. Every text keeps at least 10
pixels from the sides of the command buttons; `tools/make-art` stops with an
error when a text does not fit.
"""


def outputs():
    """(file name, kind, drawing) of every output, in table order."""
    out = [(name, "bmp", (w, h), draw) for _, name, w, h, draw, _, _ in skin.BITMAPS]
    out += [(name, "ico", sizes, draw) for _, name, sizes, draw, _, _ in skin.ICONS]
    return out


def readme_text():
    text = README_HEAD
    for rid, name, w, h, _, what, where in sorted(skin.BITMAPS):
        text += "| %d | `%s` | %d x %d | %s | %s |\n" % (rid, name, w, h, what, where)
    text += README_ICONS
    for rid, name, sizes, _, what, where in sorted(skin.ICONS):
        text += "| %d | `%s` | %s | %s | %s |\n" % (rid, name, ", ".join(str(s) for s in sizes),
                                                    what, where)
    return text + README_TAIL


def build(outdir):
    os.makedirs(outdir, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, kind, size, draw in outputs():
            path = os.path.join(outdir, name)
            if kind == "bmp":
                img = draw()
                if (img.w, img.h) != size:
                    raise SystemExit("%s: drawn %dx%d, must be %dx%d" % (name, img.w, img.h, *size))
                raster.write_bmp(img, path, tmp)
            else:
                images = draw()
                got = [im.w for im in images]
                if got != list(size) or any(im.w != im.h for im in images):
                    raise SystemExit("%s: drawn sizes %s, must be %s" % (name, got, size))
                with open(path, "wb") as f:
                    f.write(raster.ico_bytes(images))
    with open(os.path.join(outdir, "README.md"), "w", encoding="utf-8") as f:
        f.write(readme_text())


def validate(artdir):
    """Checks each file's format and size against the table; returns a list of problems."""
    problems = []
    for rid, name, w, h, _, _, _ in skin.BITMAPS:
        try:
            img = raster.read_bmp(os.path.join(artdir, name))
            if (img.w, img.h) != (w, h):
                problems.append("%s (%d): %dx%d, must be %dx%d" % (name, rid, img.w, img.h, w, h))
        except (OSError, ValueError) as e:
            problems.append("%s (%d): %s" % (name, rid, e))
    for rid, name, sizes, _, _, _ in skin.ICONS:
        try:
            got = raster.read_ico_sizes(os.path.join(artdir, name))
            if [(s, s, 32) for s in sizes] != got:
                problems.append("%s (%d): images %s, must be %s at 32 bits" % (name, rid, got, sizes))
        except (OSError, ValueError) as e:
            problems.append("%s (%d): %s" % (name, rid, e))
    ids = [b[0] for b in skin.BITMAPS] + [i[0] for i in skin.ICONS]
    if len(ids) != len(set(ids)):
        problems.append("a resource id is used twice")
    return problems


def _column(img, x):
    return [img.pixel(x, y)[:3] for y in range(img.h)]


def _row(img, y):
    return [img.pixel(x, y)[:3] for x in range(img.w)]


def _max_diff(a, b):
    return max(max(abs(p[i] - q[i]) for i in range(3)) for p, q in zip(a, b))


# Pieces that touch on screen: (first file, its edge, second file, its edge, largest
# allowed channel difference). Edges: 'L'/'R' first/last column, 'T'/'B' first/last row.
SEAMS = [
    ("head-left.bmp", "R", "head-mid.bmp", "L", 0),
    ("head-mid.bmp", "R", "head-right.bmp", "L", 0),
    ("entry-row-left.bmp", "R", "entry-row-mid.bmp", "L", 0),
    ("entry-row-mid.bmp", "R", "entry-row-right.bmp", "L", 0),
    ("entry-row-sel-left.bmp", "R", "entry-row-sel-mid.bmp", "L", 0),
    ("entry-row-sel-mid.bmp", "R", "entry-row-sel-right.bmp", "L", 0),
    ("header-row-left.bmp", "R", "header-row-mid.bmp", "L", 0),
    ("header-row-mid.bmp", "R", "header-row-right.bmp", "L", 0),
    ("category-row-left.bmp", "R", "category-row-mid.bmp", "L", 0),
    ("category-row-mid.bmp", "R", "category-row-right.bmp", "L", 0),
    ("category-row-sel-left.bmp", "R", "category-row-sel-mid.bmp", "L", 0),
    ("category-row-sel-mid.bmp", "R", "category-row-sel-right.bmp", "L", 0),
    ("frame-top-left.bmp", "R", "frame-top.bmp", "L", 0),
    ("frame-top.bmp", "R", "frame-top-right.bmp", "L", 0),
    ("frame-bottom-left.bmp", "R", "frame-bottom.bmp", "L", 0),
    ("frame-bottom.bmp", "R", "frame-bottom-right.bmp", "L", 0),
    ("frame-top-left.bmp", "B", "frame-left.bmp", "T", 0),
    ("frame-left.bmp", "B", "frame-bottom-left.bmp", "T", 0),
    ("frame-top-right.bmp", "B", "frame-right.bmp", "T", 0),
    ("frame-right.bmp", "B", "frame-bottom-right.bmp", "T", 0),
]


def _edge(img, which):
    return {"L": lambda: _column(img, 0), "R": lambda: _column(img, img.w - 1),
            "T": lambda: _row(img, 0), "B": lambda: _row(img, img.h - 1)}[which]()


def seams(artdir):
    """Problems where pieces that touch on screen would show a seam."""
    problems = []
    load = lambda n: raster.read_bmp(os.path.join(artdir, n))  # noqa: E731
    for a, ea, b, eb, tol in SEAMS:
        d = _max_diff(_edge(load(a), ea), _edge(load(b), eb))
        if d > tol:
            problems.append("%s: its %s edge differs from %s by %d (allowed %d)" % (a, ea, b, d, tol))
    # The band buttons' corners must show the band exactly as it lies behind them.
    right = load("head-right.bmp")
    for name, x in (("btn-forum-out.bmp", skin.HEAD_RIGHT_FORUM_X), ("btn-forum-in.bmp", skin.HEAD_RIGHT_FORUM_X),
                    ("btn-help-out.bmp", skin.HEAD_RIGHT_HELP_X), ("btn-help-in.bmp", skin.HEAD_RIGHT_HELP_X)):
        btn = load(name)
        for cx, cy in ((0, 0), (btn.w - 1, 0)):
            if btn.pixel(cx, cy)[:3] != right.pixel(x + cx, skin.HEAD_BUTTON_Y + cy)[:3]:
                problems.append("%s: corner (%d, %d) does not match the band behind it" % (name, cx, cy))
    return problems


def check(artdir):
    """Runs every check; prints the problems and a closing count. Returns the exit code."""
    checks = 0
    problems = validate(artdir)
    checks += len(skin.BITMAPS) + len(skin.ICONS)
    if not problems:
        problems += seams(artdir)
        checks += len(SEAMS) + 4
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "art")
        build(fresh)
        expected = sorted(os.listdir(fresh))
        present = sorted(n for n in os.listdir(artdir) if not n.startswith("."))
        for n in sorted(set(present) - set(expected)):
            problems.append("%s: not written by make-art" % n)
        for n in expected:
            checks += 1
            p = os.path.join(artdir, n)
            if not os.path.exists(p):
                problems.append("%s: missing" % n)
                continue
            with open(p, "rb") as a, open(os.path.join(fresh, n), "rb") as b:
                if a.read() != b.read():
                    problems.append("%s: differs from a fresh drawing (run tools/make-art)" % n)
    for p in problems:
        print("make-art: " + p, file=sys.stderr)
    failed = min(len(problems), checks)
    print("%d passed, %d failed" % (checks - failed, failed))
    return 1 if problems else 0


def preview(artdir, outdir):
    """PNG copies for looking at the art: bitmaps as they are, icons one PNG per image."""
    os.makedirs(outdir, exist_ok=True)
    for _, name, _, _, _, _, _ in skin.BITMAPS:
        img = raster.read_bmp(os.path.join(artdir, name))
        raster.write_png(img, os.path.join(outdir, name[:-4] + ".png"))
    for _, name, _, draw, _, _ in skin.ICONS:
        for im in draw():
            raster.write_png(im, os.path.join(outdir, "%s-%d.png" % (name[:-4], im.w)))


def main(argv):
    if len(argv) == 3 and argv[1] == "build":
        build(argv[2])
        return 0
    if len(argv) == 3 and argv[1] == "check":
        return check(argv[2])
    if len(argv) == 4 and argv[1] == "preview":
        preview(argv[2], argv[3])
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
