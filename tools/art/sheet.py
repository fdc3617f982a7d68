"""Contact sheet of the art at 100 %: the pieces placed as the main window and the about window paint them.

Usage: sheet.py ARTDIR OUT.png

The placement repeats the window's own arithmetic for a client area of 800 x 480
(and the band alone at 1024), with sample rows drawn over the row skins at the
offsets the list uses (the list view's icon rectangle starts at x 18, as Wine's list view reports it).
Text of the sample rows stands in for the dialog font with the same CJK font at 12 px.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import raster  # noqa: E402
from raster import Image, rrect, draw_text, text_mask  # noqa: E402
import skin  # noqa: E402

ART = None


def bmp(name):
    return raster.read_bmp(os.path.join(ART, name))


def blit(dst, src, x, y, w=None, h=None):
    """StretchBlt with SRCCOPY: nearest-neighbour, no blending."""
    if w is not None and (w != src.w or h != src.h):
        if w <= 0 or h <= 0:
            return
        src = src.stretched(w, h)
    dst.paste(src, x, y)


def icon(name, size):
    for _, fname, _, draw, _, _ in skin.ICONS:
        if fname == name:
            for im in draw():
                if im.w == size:
                    return im
    raise KeyError(name)


def band(img, W, x0=0, y0=0):
    left, mid, right = bmp("head-left.bmp"), bmp("head-mid.bmp"), bmp("head-right.bmp")
    blit(img, left, x0, y0)
    blit(img, mid, x0 + left.w, y0, W, left.h)
    blit(img, right, x0 + W - right.w, y0)


def text(img, s, x, y0, y1, color, size=12, underline=False, shadow=None, clip=None):
    x0, _, x1, _ = draw_text(img, s, size, color, (x, y0, 10000, y1), align="left", shadow=shadow)
    if underline:
        base = (y0 + y1) // 2 + size // 2 + 1
        img.fill(rrect(x0, base, x1, base + 1), color)
    return x1


def three_slice(img, x, y, w, left, mid, right):
    blit(img, left, x, y)
    blit(img, right, x + w - right.w, y)
    blit(img, mid, x + left.w, y, w - right.w - left.w, mid.h)


def entry_rows(img, x, y, width, rows):
    """Rows of the entry list; width is the sum of the column widths (RB.right)."""
    ic_left = 18
    lb_left = ic_left + 32
    col0 = width - 310
    normal = [bmp(n) for n in ("entry-row-left.bmp", "entry-row-mid.bmp", "entry-row-right.bmp")]
    sel = [bmp(n) for n in ("entry-row-sel-left.bmp", "entry-row-sel-mid.bmp", "entry-row-sel-right.bmp")]
    head = [bmp(n) for n in ("header-row-left.bmp", "header-row-mid.bmp", "header-row-right.bmp")]
    app32 = icon("app.ico", 32)
    ticks = [icon("tick-off.ico", 16), icon("tick-on.ico", 16)]
    for kind, name, detail, ticked, selected in rows:
        if kind == "header":
            three_slice(img, x, y, width, *head)
            cx = x + ic_left + 13
            text(img, name, cx + 1, y + 3 + 1, y + 65 + 2 + 1, (141, 141, 141))
            text(img, name, cx, y + 3, y + 65 + 2, (0, 0, 0))
        else:
            three_slice(img, x, y, width, *(sel if selected else normal))
            img.paste(ticks[1 if ticked else 0], x + ic_left - 5, y + (65 - 16) // 2 - 1)
            img.paste(app32, x + ic_left + 24, y + (65 - 32) // 2 - 2)
            nb = x + lb_left + 1 + 40
            half = 65 // 2
            if detail:
                text(img, name, nb, y + half - 15, y + half, "#ffffff")
                text(img, detail, nb, y + half, y + half + 15, "#cccccc")
                band_y0, band_y1 = y + half - 15, y + half
            else:
                # one-line layout: the name box spans the row; other columns follow it
                nb = x + lb_left + 1 + 40
                text(img, name, nb, y + 1, y + 65, "#ffffff")
                band_y0, band_y1 = y + 1, y + 65
            # size column, centred in its 100 pixels, in the name band
            m = text_mask("12.35 MB", 12)
            tw = m.w - 2
            text(img, "12.35 MB", x + col0 + (100 - tw) // 2, band_y0, band_y1, "#ffffff")
            links = ["手动安装", "自动安装", "保存安装包"]
            sp = 12
            ws = [text_mask(l, 12).w - 2 for l in links]
            total = sum(ws) + sp * 2
            lx = x + col0 + 100 + (180 - total) // 2
            for l, lw in zip(links, ws):
                text(img, l, lx, band_y0, band_y1, skin.GOLD, underline=True)
                lx += lw + sp
        y += 65
    return y


def category_rows(img, x, y, rows):
    normal = [bmp(n) for n in ("category-row-left.bmp", "category-row-mid.bmp", "category-row-right.bmp")]
    sel = [bmp(n) for n in ("category-row-sel-left.bmp", "category-row-sel-mid.bmp",
                            "category-row-sel-right.bmp")]
    for n, (label, selected) in enumerate(rows):
        three_slice(img, x, y, 140, *(sel if selected else normal))
        ic = icon("all-software.ico", 16) if n == 0 else icon("app.ico", 16)
        img.paste(ic, x + 16, y + (23 - 16) // 2)
        color = "#ffffff" if selected else "#cccccc"
        text(img, label, x + 43 + 1, y + 1 + 1, y + 23 + 1, (35, 35, 35))
        text(img, label, x + 43, y + 1, y + 23, color)
        y += 23


def main_window(W=800, H=480, hover=None, countdown=False):
    img = Image(W, H, skin.WINDOW)
    yb = H - 5
    EL, ET, ER, EB = 161, 77, W - 14, yb - 28 - 7
    img.fill(rrect(EL, ET, ER, EB), skin.PANEL)
    band(img, W)
    # frame
    blit(img, bmp("frame-top-left.bmp"), EL - 2, ET - 2)
    blit(img, bmp("frame-bottom-left.bmp"), EL - 2, EB - 2)
    blit(img, bmp("frame-top-right.bmp"), ER - 2, ET - 2)
    blit(img, bmp("frame-bottom-right.bmp"), ER - 2, EB - 2)
    blit(img, bmp("frame-top.bmp"), EL, ET - 2, ER - EL, 4)
    blit(img, bmp("frame-bottom.bmp"), EL, EB - 2, ER - EL, 4)
    blit(img, bmp("frame-left.bmp"), EL - 2, ET, 4, EB - ET)
    blit(img, bmp("frame-right.bmp"), ER - 2, ET, 4, EB - ET)
    CL, CT, CR, CB = 12, 103, 152, EB - 28
    blit(img, bmp("category-left.bmp"), CL - 2, CT, 2, CB - CT + 2)
    blit(img, bmp("category-right.bmp"), CR, CT, 2, CB - CT + 2)
    # entry list (covers the pane, frame's inner half included)
    list_img = Image(ER - EL, EB - ET, skin.PANEL)
    entry_rows(list_img, 0, 0, ER - EL - 1, [
        ("header", "办公软件 (2款)", "", 0, False),
        ("entry", "文字处理套件 2024", "文档、表格与演示文稿", 1, True),
        ("entry", "PDF 阅读器", "阅读、批注和打印 PDF 文件", 0, False),
        ("header", "系统工具 (3款)", "", 0, False),
        ("entry", "解压缩工具", "支持常见压缩格式", 1, False),
        ("entry", "磁盘清理大师", "", 0, False),
    ])
    img.paste(list_img, EL, ET)
    # category column
    cat = Image(CR - CL, CB - CT, skin.WINDOW)
    category_rows(cat, 0, 0, [("全部软件 (5)", True), ("办公软件 (2)", False),
                              ("系统工具 (3)", False), ("网络工具 (0)", False)])
    img.paste(cat, CL, CT)
    blit(img, bmp("btn-prev.bmp"), 10, 77)
    blit(img, bmp("btn-next.bmp"), 10, EB - 26)
    hv = hover or ()
    # bottom row
    sel_x = EL + 166 if countdown else EL + 16
    blit(img, bmp("btn-select-all-in.bmp" if "select" in hv else "btn-select-all-out.bmp"),
         sel_x, yb - 28 + 2)
    blit(img, bmp("btn-options.bmp"), ER - 19, yb - 28)
    blit(img, bmp("btn-install-auto-in.bmp" if "install" in hv else "btn-install-auto-out.bmp"),
         ER - 19 - 88, yb - 28)
    blit(img, bmp("btn-save-in.bmp" if "save" in hv else "btn-save-out.bmp"),
         ER - 19 - 88 - 6 - 104, yb - 28)
    blit(img, bmp("btn-help-in.bmp" if "help" in hv else "btn-help-out.bmp"), W - 7 - 95, 34)
    blit(img, bmp("btn-forum-in.bmp" if "forum" in hv else "btn-forum-out.bmp"), W - 14 - 95 - 95, 34)
    if countdown:
        draw_text(img, "10", 14, "#ff0000", (80, yb - 25, 100, yb), weight=0.6)
        draw_text(img, "秒钟后开始自动安装!", 12, skin.GOLD, (104, yb - 24, 244, yb), align="left",
                  weight=0.4)
    return img


def about_window():
    W, H = 334, 171
    img = Image(W, H, skin.WINDOW)
    head, strip = bmp("head-left.bmp"), bmp("head-mid.bmp")
    blit(img, head, 0, 0)
    blit(img, strip, head.w, 0, W, head.h)
    text(img, "欢迎访问Norvane技术论坛", 30, 92, 110, "#ffffff")
    text(img, "http://bbs.example.com/", 30, 108, 126, "#ffffff")
    text(img, "Copyright © Norvane", 30, 135, 150, "#ffffff")
    blit(img, bmp("btn-close-out.bmp"), 225, 125)
    return img


def pairs_strip():
    """Every button in its Out and In state, on the colour it stands on."""
    items = [("btn-select-all-out.bmp", "btn-select-all-in.bmp"), ("btn-save-out.bmp", "btn-save-in.bmp"),
             ("btn-install-auto-out.bmp", "btn-install-auto-in.bmp"),
             ("btn-install-manual-out.bmp", "btn-install-manual-in.bmp"),
             ("btn-options.bmp", "btn-options.bmp"), ("btn-close-out.bmp", "btn-close-in.bmp"),
             ("btn-prev.bmp", "btn-next.bmp")]
    img = Image(1024, 90, skin.WINDOW)
    x = 8
    for a, b in items:
        ia, ib = bmp(a), bmp(b)
        blit(img, ia, x, 8)
        blit(img, ib, x, 48)
        x += max(ia.w, ib.w) + 12
    return img


def tabs_strip():
    """The band at 1024 pixels (a long stretched middle) with the forum button hovered."""
    img = Image(1024, 69, skin.WINDOW)
    band(img, 1024)
    blit(img, bmp("btn-forum-in.bmp"), 1024 - 204, 34)
    blit(img, bmp("btn-help-out.bmp"), 1024 - 102, 34)
    return img


def icons_strip():
    img = Image(1024, 280, skin.WINDOW)
    img.fill(rrect(512, 0, 1024, 280), "#f0f0f0")
    x = 10
    for bgx in (0, 512):
        x = bgx + 10
        for s in (256, 48, 32, 16):
            img.paste(icon("app.ico", s), x, 10)
            x += s + 10
        y = 10
        for name in ("tick-off.ico", "tick-on.ico", "all-software.ico"):
            img.paste(icon(name, 16), x, y)
            img.paste(icon(name, 32), x + 24, y)
            y += 40
    return img


def sheet(out):
    parts = [main_window(), main_window(hover=("install", "save", "forum"), countdown=True),
             tabs_strip(), pairs_strip(), about_window(), icons_strip()]
    W = max(max(p.w for p in parts), 1024) + 20
    H = sum(p.h + 10 for p in parts[:2]) + sum(p.h + 10 for p in parts[2:]) + 10
    img = Image(W, H, "#181818")
    y = 10
    img.paste(parts[0], 10, y)
    img.paste(parts[1], 10 + 0, y + parts[0].h + 10)
    y += parts[0].h + parts[1].h + 20
    for p in parts[2:]:
        img.paste(p, 10, y)
        y += p.h + 10
    raster.write_png(img, out)


def main(argv):
    global ART
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    ART = argv[1]
    sheet(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
