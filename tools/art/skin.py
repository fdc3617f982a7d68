"""The product's dark skin: every bitmap and icon the resources name, drawn at its exact size.

Colours follow the main window: window 0x333333, entry panel 0x525252, gold
RGB(255,204,0) for links and accents. Pieces that meet on screen (band ends and
middle, row slices, frame parts, the category column) are cut from one drawing
so that their touching columns are identical and no seam shows when stretched.
"""

from raster import (Image, rrect, circle, segment, polyline, polygon, rgb, mix, vgrad,
                    dgrad, draw_text, text_mask)

WINDOW = "#333333"
PANEL = "#525252"
GOLD = "#ffcc00"
GOLD_LIGHT = "#ffe066"
GOLD_DARK = "#b38600"
INK = "#1f1a0c"          # dark text on gold
TEXT = "#e8e8e8"
TEXT_DIM = "#c8c8c8"

PRODUCT = "软件安装管理器"
TAGLINE = "光盘软件 · 一键安装"


def label(img, text, size, color, box, margin=(6, 4), limit=None, **kw):
    """draw_text that refuses text running closer than margin (x, y) to the limit (the image)."""
    x0, y0, x1, y1 = draw_text(img, text, size, color, box, **kw)
    lx0, ly0, lx1, ly1 = limit or (0, 0, img.w, img.h)
    mx, my = margin
    if x0 < lx0 + mx or x1 > lx1 - mx or y0 < ly0 + my or y1 > ly1 - my:
        raise SystemExit("make-art: %r does not fit: ink (%d, %d)-(%d, %d) in (%d, %d)-(%d, %d) "
                         "with margins %d, %d" % (text, x0, y0, x1, y1, lx0, ly0, lx1, ly1, mx, my))
    return (x0, y0, x1, y1)


# --- the top band --------------------------------------------------------------

BAND_W_LEFT, BAND_W_RIGHT, BAND_H = 324, 461, 69


def band_row(y):
    """Colour of row y of the band; the middle slice is exactly this column."""
    if y == 0:
        return rgb("#4d4d4d")
    if y <= 64:
        return mix("#3d3d3d", "#232323", (y - 1) / 63.0)
    return rgb({65: GOLD, 66: "#7a6114", 67: "#1d1d1d", 68: "#2a2a2a"}[y])


def band(width):
    img = Image(width, BAND_H)
    for y in range(BAND_H):
        c = band_row(y)
        for x in range(width):
            img.put(x, y, c)
    return img


def grooves(img, cx, cy, radii, fade_x0, fade_x1, color, strength):
    """Faint concentric arcs, fading to nothing between fade_x0 and fade_x1 (and above the gold line)."""
    lo, hi = min(fade_x0, fade_x1), max(fade_x0, fade_x1)

    def weight(x, y):
        t = (x - fade_x0) / float(fade_x1 - fade_x0)
        return max(0.0, min(1.0, t)) if lo <= x <= hi else (0.0 if (x < lo) == (fade_x0 < fade_x1) else 1.0)

    for r in radii:
        ring = circle(cx, cy, r).stroke(1.0)
        x0, y0, x1, y1 = ring.bbox
        for py in range(max(1, int(y0) - 1), min(64, int(y1) + 2)):
            for px in range(max(0, int(x0) - 1), min(img.w, int(x1) + 2)):
                cov = 0.5 - ring.fn(px + 0.5, py + 0.5)
                if cov > 0:
                    img.blend(py * img.w + px, rgb(color), min(cov, 1.0) * strength * weight(px + 0.5, py))


def mark(img, cx, cy, R, detail=True, hole_color=None, badge=0.50, hole_r=0.17):
    """The product's mark: a silver disc with a gold install badge carrying a down arrow.

    R is the disc radius; everything scales with it. hole_color None leaves the hole
    transparent on icons (alpha images) and band-coloured on the band.
    """
    disc = circle(cx, cy, R)
    hole = circle(cx, cy, R * hole_r)
    # Soft drop shadow under the disc.
    if R >= 10:
        img.fill(circle(cx + R * 0.04, cy + R * 0.07, R * 1.0) - hole, "#000000", 0.35)
    img.fill(disc - hole, dgrad(cx - R, cy - R, cx + R, cy + R, "#f4f4f4", "#8e8e8e"))
    # A light sweep across the disc, like light caught in the tracks.
    sweep = polygon([(cx, cy), (cx - R * 1.2, cy - R * 0.35), (cx - R * 0.45, cy - R * 1.2)])
    img.fill((disc & sweep) - hole, "#ffffff", 0.45)
    sweep2 = polygon([(cx, cy), (cx + R * 1.2, cy + R * 0.35), (cx + R * 0.45, cy + R * 1.2)])
    img.fill((disc & sweep2) - hole, "#ffffff", 0.22)
    if detail:
        for k in (0.78, 0.62):
            img.fill(circle(cx, cy, R * k).stroke(max(0.6, R * 0.03)), "#6f6f6f", 0.35)
    # Hub.
    img.fill(circle(cx, cy, R * 0.38) - hole, dgrad(cx - R * 0.4, cy - R * 0.4, cx + R * 0.4,
                                                     cy + R * 0.4, "#d9d9d9", "#a8a8a8"))
    img.fill(circle(cx, cy, R * 0.38).stroke(max(0.8, R * 0.04)), "#7d7d7d", 0.8)
    img.fill(hole.stroke(max(0.8, R * 0.04)), "#6a6a6a", 0.9)
    if hole_color is not None:
        img.fill(hole, hole_color)
    img.fill(disc.stroke(max(0.8, R * 0.04)), "#2b2b2b", 0.55)
    # Install badge: gold circle with a dark down arrow, bottom right of the disc.
    bx, by, br = cx + R * 0.62, cy + R * 0.58, R * badge
    img.fill(circle(bx, by, br + max(1.0, R * 0.07)), "#262626", 0.9)
    img.fill(circle(bx, by, br), dgrad(bx, by - br, bx, by + br, GOLD_LIGHT, "#e6a700"))
    img.fill(circle(bx, by, br).inset(max(0.7, R * 0.05)).stroke(max(0.6, R * 0.035)), "#fff2b8", 0.55)
    sw = br * 0.30
    img.fill(segment(bx, by - br * 0.52, bx, by + br * 0.10, sw), "#2a2108")
    img.fill(polygon([(bx - br * 0.46, by - br * 0.02), (bx + br * 0.46, by - br * 0.02),
                      (bx, by + br * 0.52)]), "#2a2108")


def head_left():
    img = band(BAND_W_LEFT)
    grooves(img, 40, 33, range(34, 300, 9), 300, 150, "#ffffff", 0.045)
    mark(img, 40, 33, 24, hole_color=lambda x, y: band_row(int(y)))
    label(img, PRODUCT, 25, "#ffffff", (82, 8, 320, 40), align="left", weight=0.5,
              shadow=("#000000", 0, 1, 0.6))
    label(img, TAGLINE, 12, "#d9b84a", (84, 41, 320, 57), align="left")
    return img


def head_mid():
    return band(1)


HEAD_RIGHT_FORUM_X, HEAD_RIGHT_HELP_X, HEAD_BUTTON_Y = 257, 359, 34   # where the layout puts the buttons


def head_right():
    img = band(BAND_W_RIGHT)
    grooves(img, 470, 120, range(40, 420, 9), 40, 200, "#ffffff", 0.04)
    return img


# --- band buttons (forum, help): tabs standing on the gold line ------------------

def band_tab(x_in_right, hovered, glyph, text):
    base = head_right().crop(x_in_right, HEAD_BUTTON_Y, 95, 31)
    tab = rrect(1, 1, 94, 34, (6, 6, 0, 0))
    if hovered:
        base.fill(tab, vgrad(1, 31, "#ffe27a", "#f2b600"))
        base.fill(tab.inset(1).stroke(1.0), "#fff4c2", 0.7)
        base.fill(tab.stroke(1.0), "#1a1a1a", 0.8)
        fg, text_color, shadow = "#2a2108", "#1f1a0c", ("#fff0b0", 0, 1, 0.6)
    else:
        base.fill(tab, vgrad(1, 31, "#4b4b4b", "#333333"), 0.92)
        base.fill(tab.inset(1).stroke(1.0), "#6a6a6a", 0.55)
        base.fill(tab.stroke(1.0), "#161616", 0.8)
        fg, text_color, shadow = GOLD, TEXT, ("#000000", 0, 1, 0.7)
    label_w = text_mask(text, 13).w
    gx = (95 - (16 + 6 + label_w)) // 2
    glyph(base, gx, 8, fg, hovered)
    label(base, text, 13, text_color, (gx + 22, 4, 94, 31), align="left", shadow=shadow,
          limit=(1, 1, 94, 31))
    return base


def glyph_forum(img, x, y, color, hovered):
    """Two speech bubbles."""
    back = rrect(x + 5, y, x + 16, y + 8, 2.5)
    img.fill(back, color, 0.55)
    front = rrect(x, y + 3, x + 12, y + 12, 2.5) | polygon([(x + 3, y + 11), (x + 7, y + 11), (x + 2.5, y + 15.5)])
    img.fill(front.inset(-1.0), "#262626" if not hovered else "#ffe27a", 1.0)
    img.fill(front, color)


def glyph_help(img, x, y, color, hovered):
    """A question mark in a ring."""
    img.fill(circle(x + 8, y + 7.5, 7.0).stroke(1.6), color)
    label(img, "?", 11, color, (x, y - 1, x + 16, y + 16), weight=0.4, margin=(0, 0),
          limit=(x, y - 1, x + 16, y + 16))


def forum_out():
    return band_tab(HEAD_RIGHT_FORUM_X, False, glyph_forum, "论坛")


def forum_in():
    return band_tab(HEAD_RIGHT_FORUM_X, True, glyph_forum, "论坛")


def help_out():
    return band_tab(HEAD_RIGHT_HELP_X, False, glyph_help, "帮助")


def help_in():
    return band_tab(HEAD_RIGHT_HELP_X, True, glyph_help, "帮助")


# --- frame of the entry pane -------------------------------------------------------
#
# One 12 x 12 drawing of a pane corner-to-corner; the pieces are cut from it.
# Pixels 0 and 1 of every edge lie outside the pane (the frame is centred on the
# pane's border), 2 and 3 under the list.

def frame_sample():
    img = Image(12, 12, WINDOW)
    img.fill(rrect(0, 0, 12, 12, 2.5), "#1e1e1e")
    img.fill(rrect(1, 1, 11, 11, 1.6), "#6c6c6c")
    img.fill(rrect(2, 2, 10, 10, 0.8), "#474747")
    img.fill(rrect(3, 3, 9, 9), PANEL)
    return img


def frame_piece(x, y, w, h):
    return lambda: frame_sample().crop(x, y, w, h)


# --- category column: strips and the previous / next caps ------------------------

COLUMN_OUTER, COLUMN_INNER = "#1e1e1e", "#4a4a4a"


def category_left():
    img = Image(2, 1)
    img.put(0, 0, COLUMN_OUTER)
    img.put(1, 0, COLUMN_INNER)
    return img


def category_right():
    img = Image(2, 1)
    img.put(0, 0, COLUMN_INNER)
    img.put(1, 0, COLUMN_OUTER)
    return img


def column_cap(top):
    """The previous (top) or next (bottom) button, closing the category column's walls."""
    w, h = 144, 26
    img = Image(w, h, WINDOW)
    radii = (5, 5, 0, 0) if top else (0, 0, 5, 5)
    y0, y1 = (0, h + 6) if top else (-6, h)
    outer = rrect(0, y0, w, y1, radii)
    img.fill(outer, COLUMN_OUTER)
    img.fill(rrect(1, y0 + 1, w - 1, y1 - 1, tuple(max(0, r - 1) for r in radii)), COLUMN_INNER)
    inner = rrect(2, y0 + 2, w - 2, y1 - 2, tuple(max(0, r - 2) for r in radii))
    img.fill(inner, vgrad(2, h - 2, "#4a4a4a", "#393939"))
    # Where the cap meets the list: a dark line, so the cap reads as a separate bar.
    sep_y = h - 1 if top else 0
    img.fill(rrect(2, sep_y, w - 2, sep_y + 1), "#262626")
    text = "上一分类" if top else "下一分类"
    lw = text_mask(text, 12).w
    gx = (w - (9 + 6 + lw)) // 2
    cy = 13 if top else 13
    if top:
        tri = polygon([(gx, cy + 3.5), (gx + 9, cy + 3.5), (gx + 4.5, cy - 3.5)])
    else:
        tri = polygon([(gx, cy - 3.5), (gx + 9, cy - 3.5), (gx + 4.5, cy + 3.5)])
    img.fill(tri, GOLD)
    label(img, text, 12, TEXT_DIM, (gx + 15, 0, w, h), align="left",
              shadow=("#000000", 0, 1, 0.6))
    return img


def prev_button():
    return column_cap(True)


def next_button():
    return column_cap(False)


def category_background():
    """The category list's background bitmap: the window colour the list's rows sit on.

    Even, because the list would shrink it from 160 to its 140-pixel width with the
    default stretch mode, which ANDs the columns it drops.
    """
    return Image(160, 1, WINDOW)


# --- list rows ---------------------------------------------------------------------
#
# Each row kind is drawn once at a virtual width (left + middle + right) and cut
# into its slices; a 1-pixel middle is a column where nothing varies sideways.

def entry_row(selected):
    left, right, h = 86, 69, 65
    w = left + 1 + right
    img = Image(w, h, PANEL)
    card = rrect(3, 2, w - 3, h - 2, 5)
    if selected:
        img.fill(card, vgrad(2, h - 2, "#707070", "#5e5e5e"))
        img.fill(card.inset(1).stroke(1.0), "#868686", 0.55)
        img.fill(card.stroke(1.0), GOLD, 0.85)
        img.fill(rrect(4, 3, 8, h - 3, (4, 0, 0, 4)), vgrad(3, h - 3, GOLD_LIGHT, "#e6a700"))
    else:
        img.fill(card, vgrad(2, h - 2, "#5d5d5d", "#575757"))
        img.fill(card.inset(1).stroke(1.0), "#686868", 0.45)
        img.fill(card.stroke(1.0), "#434343", 0.9)
    # A groove between the tick box and icon and the name.
    for yy in range(12, h - 12):
        t = min(yy - 12, h - 13 - yy) / 10.0
        a = max(0.0, min(1.0, t))
        img.blend(yy * w + 82, rgb("#000000"), 0.22 * a)
        img.blend(yy * w + 83, rgb("#ffffff"), 0.10 * a)
    return img, left, right


def header_row():
    left, right, h = 16, 19, 65
    w = left + 1 + right
    img = Image(w, h, PANEL)
    plate = rrect(3, 19, w - 3, 52, 4)
    img.fill(plate.inset(-1), "#2f2f2f", 0.7)
    img.fill(plate, vgrad(19, 52, "#e2e2e2", "#b9b9b9"))
    img.fill(rrect(4, 20, w - 4, 21), "#f8f8f8", 0.8)
    img.fill(plate & rrect(0, 0, 8, h), vgrad(19, 52, GOLD_LIGHT, "#e0a300"))
    img.fill(rrect(7, 20, 8, 51), GOLD_DARK, 0.6)
    return img, left, right


def category_row(selected):
    left, right, h = 16, 16, 23
    mid = 109 if selected else 1
    w = left + mid + right
    img = Image(w, h, WINDOW)
    if selected:
        pill = rrect(2, 1, w - 2, h - 1, 4)
        # Only a vertical gradient: the middle is drawn a pixel or so narrower than it is, and
        # the default stretch mode ANDs the columns it drops, which is harmless only when
        # neighbouring columns are equal.
        img.fill(pill, vgrad(1, h - 1, "#6c6c6c", "#4c4c4c"))
        img.fill(pill.inset(1).stroke(1.0), "#858585", 0.5)
        img.fill(pill.stroke(1.0), "#1c1c1c", 0.8)
        img.fill(rrect(3, 2, 6, h - 2, (3, 0, 0, 3)), vgrad(2, h - 2, GOLD_LIGHT, "#e0a300"))
        ax = w - 11
        img.fill(polygon([(ax, 7.5), (ax + 4.5, 11.5), (ax, 15.5)]), GOLD)
    else:
        for x in range(w):
            d = min(x - 4, w - 5 - x) / 6.0
            a = max(0.0, min(1.0, d))
            img.blend((h - 1) * w + x, rgb("#222222"), 0.75 * a)
            img.blend(0 * w + x, rgb("#444444"), 0.75 * a)
    return img, left, mid, right


def slice_of(drawing, which):
    """Cuts a drawn row into 'left', 'mid' or 'right'."""
    def make():
        res = drawing()
        img, left = res[0], res[1]
        right = res[-1]
        mid = res[2] if len(res) == 4 else 1
        if which == "left":
            return img.crop(0, 0, left, img.h)
        if which == "mid":
            return img.crop(left, 0, mid, img.h)
        return img.crop(left + mid, 0, right, img.h)
    return make


# --- command buttons -------------------------------------------------------------

def dark_button(w, h, text, hovered, size=13):
    img = Image(w, h, WINDOW)
    body = rrect(0, 0, w, h, 5)
    img.fill(body, "#1a1a1a")
    inner = rrect(1, 1, w - 1, h - 1, 4)
    if hovered:
        img.fill(body, GOLD, 0.9)
        img.fill(inner, vgrad(1, h - 1, "#696969", "#4b4b4b"))
        img.fill(rrect(2, 1, w - 2, 2), "#8a8a8a", 0.8)
        color = GOLD
    else:
        img.fill(inner, vgrad(1, h - 1, "#5a5a5a", "#424242"))
        img.fill(rrect(2, 1, w - 2, 2), "#757575", 0.8)
        color = TEXT
    label(img, text, size, color, (0, 0, w, h), shadow=("#000000", 0, 1, 0.65), margin=(10, 6))
    return img


def save_out():
    return dark_button(104, 28, "保存安装包", False)


def save_in():
    return dark_button(104, 28, "保存安装包", True)


def close_out():
    return dark_button(83, 28, "关闭", False)


def close_in():
    return dark_button(83, 28, "关闭", True)


def gold_fill(hovered, y0, y1):
    if hovered:
        return vgrad(y0, y1, "#fff1b3", "#ffc61a")
    return vgrad(y0, y1, "#ffd34a", "#d99a00")


def install_button(text, hovered):
    """The install button; its right edge joins the options button with no gap."""
    w, h = 88, 28
    img = Image(w, h, WINDOW)
    body = rrect(0, 0, w + 6, h, (5, 0, 0, 5))
    img.fill(body, "#6e5200")
    inner = rrect(1, 1, w + 6, h - 1, (4, 0, 0, 4))
    img.fill(inner, gold_fill(hovered, 1, h - 1))
    img.fill(rrect(2, 1, w, 2), "#fff3c4", 0.8)
    if hovered:
        img.fill(inner.inset(1).stroke(1.0), "#ffffff", 0.35)
    label(img, text, 14, INK, (0, 0, w - 2, h), weight=0.35, shadow=("#fff0a8", 0, 1, 0.55),
          margin=(10, 6))
    return img


def options_button():
    w, h = 19, 28
    img = Image(w, h, WINDOW)
    body = rrect(-6, 0, w, h, (0, 5, 5, 0))
    img.fill(body, "#6e5200")
    img.fill(rrect(-6, 1, w - 1, h - 1, (0, 4, 4, 0)), gold_fill(False, 1, h - 1))
    img.fill(rrect(0, 1, w - 2, 2), "#fff3c4", 0.8)
    # Divider from the install button: a dark line with a light one beside it.
    img.fill(rrect(0, 4, 1, h - 4), "#9a7200", 0.9)
    img.fill(rrect(1, 4, 2, h - 4), "#fff0a8", 0.7)
    cx = 10.0
    img.fill(polygon([(cx - 4, 12), (cx + 4, 12), (cx, 17)]), INK)
    return img


def select_all(ticked):
    w, h = 140, 24
    img = Image(w, h, WINDOW)
    draw_tick_box(img, 6, 5, ticked, 14)
    label(img, "全选", 13, "#ffffff" if ticked else TEXT, (28, 0, w, h), align="left",
              shadow=("#000000", 0, 1, 0.6))
    return img


# --- tick boxes and small icons ----------------------------------------------------

def draw_tick_box(img, x, y, ticked, s=16):
    """A tick box of s x s pixels with its top-left corner at (x, y)."""
    box = rrect(x + 1, y + 1, x + s - 1, y + s - 1, 2.5)
    if ticked:
        img.fill(box, vgrad(y + 1, y + s - 1, GOLD_LIGHT, "#e6a700"))
        img.fill(box.stroke(1.0), "#7a5a00")
        k = s / 16.0
        img.fill(polyline([(x + 4.2 * k, y + 8.3 * k), (x + 7.0 * k, y + 11.0 * k),
                           (x + 12.0 * k, y + 5.2 * k)], 2.1 * k), "#231b05")
    else:
        img.fill(box, vgrad(y + 1, y + s - 1, "#2a2a2a", "#3a3a3a"))
        img.fill(box.inset(0.5).stroke(1.0), "#d0d0d0")


def tick_icon(ticked):
    img = Image(16, 16, alpha=True)
    draw_tick_box(img, 0, 0, ticked)
    return img


def all_software_icon():
    """Four tiles: the whole catalogue."""
    img = Image(16, 16, alpha=True)
    tiles = [(1, 1, GOLD_LIGHT, "#e6a700"), (9, 1, "#f0f0f0", "#b4b4b4"),
             (1, 9, "#f0f0f0", "#b4b4b4"), (9, 9, "#f0f0f0", "#b4b4b4")]
    for x, y, c0, c1 in tiles:
        t = rrect(x, y, x + 6, y + 6, 1.5)
        img.fill(t.inset(-0.8), "#1a1a1a", 0.7)
        img.fill(t, vgrad(y, y + 6, c0, c1))
    return img


def app_icon(size):
    img = Image(size, size, alpha=True)
    if size >= 32:
        R = size * 0.40
        mark(img, size * 0.45, size * 0.44, R, detail=size >= 48)
    else:
        # At 16 pixels the badge must be big enough for its arrow to read.
        mark(img, 6.9, 6.9, 6.5, detail=False, badge=0.66, hole_r=0.24)
    return img


def nearest_2x(draw):
    """The 16-pixel design and its exact double, so a 32-pixel load scaled back to 16 stays crisp."""
    def make():
        small = draw()
        return [small, small.scaled_nearest(2)]
    return make


# --- the table of outputs ------------------------------------------------------------

def _entry(which, selected):
    return slice_of(lambda: entry_row(selected), which)


def _category(which, selected):
    return slice_of(lambda: category_row(selected), which)


# (resource id, file name, width, height, drawing, what it is, where it is used)
BITMAPS = [
    # top band
    (132, "head-left.bmp", 324, 69, head_left, "left end of the top band: mark and product name",
     "`m_bmpHeadLeft`: top band at x 0; the about window's head image"),
    (133, "head-mid.bmp", 1, 69, head_mid, "middle of the top band",
     "`m_bmpHeadMid`: top band, stretched between the ends; the about window's strip"),
    (181, "head-right.bmp", 461, 69, head_right, "right end of the top band",
     "`m_bmpHeadRight`: top band at x = W - 461; forum and help buttons stand on it"),
    # entry pane frame
    (141, "frame-top.bmp", 1, 4, frame_piece(6, 0, 1, 4), "entry pane frame, top edge",
     "`m_bmpFrameTop`: stretched along the top of the entry pane"),
    (136, "frame-bottom.bmp", 1, 4, frame_piece(6, 8, 1, 4), "entry pane frame, bottom edge",
     "`m_bmpFrameBottom`: stretched along the bottom of the entry pane"),
    (139, "frame-left.bmp", 4, 1, frame_piece(0, 6, 4, 1), "entry pane frame, left edge",
     "`m_bmpFrameLeft`: stretched down the left of the entry pane"),
    (140, "frame-right.bmp", 4, 1, frame_piece(8, 6, 4, 1), "entry pane frame, right edge",
     "`m_bmpFrameRight`: stretched down the right of the entry pane"),
    (142, "frame-top-left.bmp", 4, 4, frame_piece(0, 0, 4, 4), "entry pane frame, top-left corner",
     "`m_bmpFrameTopLeft`"),
    (137, "frame-bottom-left.bmp", 4, 4, frame_piece(0, 8, 4, 4), "entry pane frame, bottom-left corner",
     "`m_bmpFrameBottomLeft`"),
    (143, "frame-top-right.bmp", 4, 4, frame_piece(8, 0, 4, 4), "entry pane frame, top-right corner",
     "`m_bmpFrameTopRight`"),
    (138, "frame-bottom-right.bmp", 4, 4, frame_piece(8, 8, 4, 4), "entry pane frame, bottom-right corner",
     "`m_bmpFrameBottomRight`"),
    # category column
    (182, "category-left.bmp", 2, 1, category_left, "wall left of the category list",
     "`m_bmpCategoryLeft`: stretched down the left of the category list"),
    (183, "category-right.bmp", 2, 1, category_right, "wall right of the category list",
     "`m_bmpCategoryRight`: stretched down the right of the category list"),
    (165, "category-back.bmp", 160, 1, category_background, "category list background (window colour)",
     "`m_bmpCategoryBk`: the category list's background bitmap"),
    (180, "btn-prev.bmp", 144, 26, prev_button, "previous category 上一分类",
     "`m_btnPrev` (1008), In and Out: top cap of the category column"),
    (179, "btn-next.bmp", 144, 26, next_button, "next category 下一分类",
     "`m_btnNext` (1009), In and Out: bottom cap of the category column"),
    # list rows
    (148, "entry-row-mid.bmp", 1, 65, _entry("mid", False), "entry row, normal, middle slice",
     "entry lists"),
    (149, "entry-row-left.bmp", 86, 65, _entry("left", False),
     "entry row, normal, left slice (under tick box and icon)", "entry lists"),
    (150, "entry-row-right.bmp", 69, 65, _entry("right", False), "entry row, normal, right slice",
     "entry lists"),
    (151, "entry-row-sel-mid.bmp", 1, 65, _entry("mid", True),
     "entry row, selected (with or without focus), middle slice", "entry lists"),
    (152, "entry-row-sel-left.bmp", 86, 65, _entry("left", True), "entry row, selected, left slice",
     "entry lists"),
    (153, "entry-row-sel-right.bmp", 69, 65, _entry("right", True), "entry row, selected, right slice",
     "entry lists"),
    (154, "header-row-mid.bmp", 1, 65, slice_of(header_row, "mid"),
     "category header row (every state), middle slice", "all-entries list"),
    (155, "header-row-left.bmp", 16, 65, slice_of(header_row, "left"),
     "category header row (every state), left slice", "all-entries list"),
    (156, "header-row-right.bmp", 19, 65, slice_of(header_row, "right"),
     "category header row (every state), right slice", "all-entries list"),
    (166, "category-row-mid.bmp", 1, 23, _category("mid", False), "category row, normal, middle slice",
     "category list"),
    (167, "category-row-left.bmp", 16, 23, _category("left", False), "category row, normal, left slice",
     "category list"),
    (168, "category-row-right.bmp", 16, 23, _category("right", False),
     "category row, normal, right slice", "category list"),
    (169, "category-row-sel-mid.bmp", 109, 23, _category("mid", True),
     "category row, selected (with or without focus), middle slice", "category list"),
    (170, "category-row-sel-left.bmp", 16, 23, _category("left", True),
     "category row, selected, left slice (gold bar)", "category list"),
    (171, "category-row-sel-right.bmp", 16, 23, _category("right", True),
     "category row, selected, right slice (gold pointer)", "category list"),
    # command buttons
    (163, "btn-select-all-out.bmp", 140, 24, lambda: select_all(False), "select all 全选, unticked (Out)",
     "`m_btnSelectAll` (1001)"),
    (164, "btn-select-all-in.bmp", 140, 24, lambda: select_all(True),
     "select all 全选, ticked or pressed (In)", "`m_btnSelectAll` (1001)"),
    (161, "btn-save-out.bmp", 104, 28, save_out, "save packages 保存安装包 (Out)", "`m_btnSave` (1002)"),
    (162, "btn-save-in.bmp", 104, 28, save_in, "save packages 保存安装包 (In)", "`m_btnSave` (1002)"),
    (130, "btn-install-auto-out.bmp", 88, 28, lambda: install_button("自动安装", False),
     "install, unattended 自动安装 (Out)", "`m_btnInstall` (1003) in unattended mode"),
    (131, "btn-install-auto-in.bmp", 88, 28, lambda: install_button("自动安装", True),
     "install, unattended 自动安装 (In)", "`m_btnInstall` (1003) in unattended mode"),
    (158, "btn-install-manual-out.bmp", 88, 28, lambda: install_button("手动安装", False),
     "install, interactive 手动安装 (Out)", "`m_btnInstall` (1003) in interactive mode"),
    (159, "btn-install-manual-in.bmp", 88, 28, lambda: install_button("手动安装", True),
     "install, interactive 手动安装 (In)", "`m_btnInstall` (1003) in interactive mode"),
    (160, "btn-options.bmp", 19, 28, options_button, "install options arrow (In and Out)",
     "`m_btnOptions` (1004), joined to the right of the install button"),
    (146, "btn-forum-out.bmp", 95, 31, forum_out, "forum 论坛 (Out)", "`m_btnForum` (1005), top band"),
    (147, "btn-forum-in.bmp", 95, 31, forum_in, "forum 论坛 (In)", "`m_btnForum` (1005), top band"),
    (144, "btn-help-out.bmp", 95, 31, help_out, "help 帮助 (Out)", "`m_btnHelp` (1006), top band"),
    (145, "btn-help-in.bmp", 95, 31, help_in, "help 帮助 (In)", "`m_btnHelp` (1006), top band"),
    # about window
    (134, "btn-close-out.bmp", 83, 28, close_out, "close 关闭 (Out)", "about window, `m_btnClose` (1)"),
    (135, "btn-close-in.bmp", 83, 28, close_in, "close 关闭 (In)", "about window, `m_btnClose` (1)"),
]

# (resource id, file name, sizes, drawing, what it is, where it is used)
ICONS = [
    (128, "app.ico", [16, 32, 48, 256], lambda: [app_icon(s) for s in (16, 32, 48, 256)],
     "application icon: the mark",
     "`m_hIcon` (window icon, minimised window); fall-back for category and entry icons"),
    (174, "tick-off.ico", [16, 32], nearest_2x(lambda: tick_icon(False)),
     "tick box, unticked", "`m_imgCheck` image 0: entry lists"),
    (175, "tick-on.ico", [16, 32], nearest_2x(lambda: tick_icon(True)),
     "tick box, ticked", "`m_imgCheck` image 1: entry lists"),
    (177, "all-software.ico", [16, 32], nearest_2x(all_software_icon),
     "all software (four tiles)", "`m_imgCategory` image 0: the category list's first row"),
]
