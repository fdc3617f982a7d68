#include "ui/controls/list_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace listgeo;

namespace {

// A fixed-pitch font: ASCII and each surrogate unit `narrow` pixels ('.' `dot`), others `wide`.
TextMeasure FixedFont(int narrow, int wide, int dot) {
    return [=](WStringView s) {
        int w = 0;
        for (WChar c : s) {
            w += c == '.' ? dot : (c < 0x80 || (c >= 0xD800 && c <= 0xDFFF)) ? narrow : wide;
        }
        return w;
    };
}
const TextMeasure kNormal = FixedFont(7, 14, 7);
const TextMeasure kBold = FixedFont(8, 16, 8);

// A 65-pixel entry-list row as Wine's list view reports it (32 x 32 icons, check boxes) with
// the columns 200, 100, 180 and 30 pixels wide; the icon rectangle is only as tall as the icon.
RowRects EntryRowAt(int top, int column0Right = 200, int rowRight = 510) {
    return {
        {18, top, 50, top + 32}, {50, top, column0Right, top + 65}, {0, top, rowRight, top + 65}};
}

const std::vector<WString> kActions = {WSTR("手动安装"), WSTR("自动安装"), WSTR("保存安装包")};

// Shortening the way it is written down: drop the last character until it fits.
WString CompactByDropping(WStringView text, int width, const TextMeasure& w) {
    if (text.empty() || w(text) <= width) return WString(text);
    if (w(WSTR("...")) > width) return {};
    WString rest(text);
    do {
        const bool pair = rest.size() >= 2 && rest.back() >= 0xDC00 && rest.back() <= 0xDFFF &&
                          rest[rest.size() - 2] >= 0xD800 && rest[rest.size() - 2] <= 0xDBFF;
        rest.resize(rest.size() - (pair ? 2 : 1));
    } while (!rest.empty() && w(rest) + w(WSTR("...")) > width);
    return rest + WSTR("...");
}

}  // namespace

TEST(ListGeometryCompactText, ShortensToTheWidth) {
    const WString abc = WSTR("abcdefghij");  // 70 px, "..." 21 px
    EXPECT_EQ(CompactText(abc, 70, kNormal), abc);
    EXPECT_EQ(CompactText(abc, 69, kNormal), WSTR("abcdef..."));
    EXPECT_EQ(CompactText(abc, 21, kNormal), WSTR("..."));
    EXPECT_EQ(CompactText(abc, 20, kNormal), WSTR(""));  // not even "..." fits
    EXPECT_EQ(CompactText(WSTR(""), -3, kNormal), WSTR(""));
    EXPECT_EQ(CompactText(WSTR("软件安装程序"), 62, kNormal), WSTR("软件..."));
    // "ab" with the high surrogate alone would measure 21 and fit beside "..." into 48.
    EXPECT_EQ(CompactText(WSTR("ab\U0001F600cde"), 48, kNormal), WSTR("ab..."));

    const WString text = WSTR("安装ab包\U0001F600de软件x");
    for (const TextMeasure& font : {kNormal, FixedFont(7, 14, 2)}) {  // also a narrow "..."
        for (int width = -1; width <= font(text) + 1; ++width) {
            const WString cut = CompactText(text, width, font);
            EXPECT_EQ(cut, CompactByDropping(text, width, font)) << "width " << width;
            EXPECT_LE(font(cut), std::max(width, 0));
        }
    }
}

TEST(ListGeometryRowLayout, EntryLook) {
    const EntryRowLayout plain = LayoutEntryRow(EntryRowAt(0), {ROW_ENTRY, 0, 0, true, 32});
    EXPECT_EQ(plain.tick, (Point{12, 23}));  // icon rectangle's left - 6
    EXPECT_EQ(plain.icon, (Point{14, 14}));
    EXPECT_EQ(plain.name, (Rect{51, 17, 180, 33}));    // 15-px band above the middle
    EXPECT_EQ(plain.detail, (Rect{51, 32, 510, 48}));  // ends with the row
    EXPECT_EQ(plain.cellBand, (Band{17, 33}));
    const EntryRowLayout skin = LayoutEntryRow(EntryRowAt(65), {ROW_ENTRY, 0, 0x0E, true, 32});
    EXPECT_EQ(skin.tick, (Point{13, 65 + 23}));  // icon rectangle's left - 5
    EXPECT_EQ(skin.icon, (Point{42, 65 + 14}));  // icon rectangle's left + 24
    EXPECT_EQ(skin.name, (Rect{91, 65 + 17, 180, 65 + 33}));
    EXPECT_EQ(skin.detail, (Rect{91, 65 + 32, 510, 65 + 48}));
    EXPECT_EQ(LayoutEntryRow(EntryRowAt(0), {ROW_ENTRY, 0, SKIN_THREESLICE, true}).tick,
              (Point{12, 23}));  // slices without entry-row bitmaps move nothing
    const EntryRowLayout one = LayoutEntryRow(EntryRowAt(0), {ROW_ENTRY, 0, 0, false, 32});
    EXPECT_FALSE(one.drawDetail);
    EXPECT_EQ(one.name, (Rect{51, 1, 180, 65}));

    // Parts drop out in turn as column 0 narrows.
    auto at = [](int right0) {
        return LayoutEntryRow(EntryRowAt(0, right0), {ROW_ENTRY, 0, 0, true, 32});
    };
    EXPECT_FALSE(at(12).drawTick);  // needs the icon box's left, 13
    EXPECT_TRUE(at(13).drawTick && !at(13).drawIcon);
    EXPECT_EQ(at(49).detail.left, 55);  // no icon: the detail line starts right of column 0
    EXPECT_TRUE(at(50).drawIcon && !at(50).drawName);
    EXPECT_TRUE(at(51).drawName);
}

TEST(ListGeometryRowLayout, PanelLookAndHeaderRows) {
    const RowRects cat{{4, 0, 20, 16}, {20, 0, 140, 23}, {0, 0, 140, 23}};
    const EntryRowLayout l = LayoutEntryRow(cat, {ROW_ENTRY, LOOK_PANEL, 0x0A, false, 16});
    EXPECT_TRUE(l.drawIcon && l.drawName && l.nameShadow && !l.drawTick);
    EXPECT_EQ(l.icon, (Point{16, 3}));
    EXPECT_EQ(l.name, (Rect{43, 1, 124, 23}));  // icon width + 27 to column 0's end - 16

    const HeaderRowLayout sliced = LayoutHeaderRow(EntryRowAt(0), 0x0E);
    EXPECT_EQ(sliced.caption, (Rect{31, 3, 180, 67}));  // moved to icon left + 13, same width
    EXPECT_EQ(sliced.shadow, (Rect{32, 4, 181, 68}));
    EXPECT_EQ(LayoutHeaderRow(EntryRowAt(0), 0).caption, (Rect{13, 3, 200, 67}));
    EXPECT_TRUE(LayoutHeaderRow(EntryRowAt(0, 50), 0).drawCaption);
    EXPECT_FALSE(LayoutHeaderRow(EntryRowAt(0, 49), 0).drawCaption);

    EXPECT_EQ(SliceRowBox({0, 65, 510, 130}, 10, 12).middle, (Rect{10, 65, 498, 130}));
    EXPECT_EQ(SliceRowBox({0, 0, 15, 23}, 10, 12).middle.Width(), 0);  // never mirrored
}

TEST(ListGeometryRowLayout, TextsAreShortenedInTheirDrawingFonts) {
    const WString name = WSTR("abcdefghijklmnopqr");  // 126 normal, 144 bold
    const WString detail(60, WChar('d'));             // 420 normal, 480 bold
    const EntryRowLayout two = LayoutEntryRow(EntryRowAt(0), {ROW_ENTRY, 0, 0, true, 32});
    const EntryRowTexts t = ShortenEntryTexts(two, name, detail, kNormal, kBold);
    EXPECT_EQ(t.name, WSTR("abcdefghijklm..."));  // bold into 129: 104 + 24
    EXPECT_EQ(t.detail, detail);                  // normal into 459
    const EntryRowLayout one = LayoutEntryRow(EntryRowAt(0), {ROW_ENTRY, 0, 0, false, 32});
    EXPECT_EQ(ShortenEntryTexts(one, name, detail, kNormal, kBold).name, name);
}

TEST(ListGeometryLinks, LinkBoxes) {
    // 13 CJK units and two gaps of four spaces: 182 + 56 = 238 px.
    const Band band{17, 33};
    auto wide = CellLinkBoxes({300, 0, 560, 65}, 3, WSTR(""), kActions, band, kNormal);
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_EQ(wide[0].box, (Rect{311, 17, 367, 33}));
    EXPECT_EQ(wide[1].box, (Rect{395, 17, 451, 33}));
    EXPECT_EQ(wide[2].box, (Rect{479, 17, 549, 33}));
    // In the 180-px column the set is wider than the cell: drawn and hot only inside it.
    auto narrow = CellLinkBoxes({300, 0, 480, 65}, 3, WSTR(""), kActions, band, kNormal);
    EXPECT_EQ(narrow[0].text, (Rect{271, 17, 327, 33}));
    EXPECT_EQ(narrow[0].box, (Rect{300, 17, 327, 33}));
    EXPECT_EQ(narrow[2].box, (Rect{439, 17, 480, 33}));

    auto one = CellLinkBoxes({200, 0, 300, 65}, COL_LINK, WSTR("官方网站"), {}, band, kNormal);
    EXPECT_EQ(one.at(0).box, (Rect{222, 17, 278, 33}));
    auto over =
        CellLinkBoxes({200, 0, 300, 65}, COL_LINK, WSTR("abcdefghijklmnopq"), {}, band, kNormal);
    EXPECT_EQ(over.at(0).text, (Rect{191, 17, 310, 33}));
    EXPECT_EQ(over.at(0).box, (Rect{206, 17, 294, 33}));  // the text box, 6 px inside the cell

    EXPECT_EQ(LinkSetIndex(std::vector<unsigned>{0, 3, 0, 2, 1, 2}, 5), 2);
    EXPECT_EQ(CellAlign(COL_TEXT, 0x801), Align::Right);  // LVCFMT_IMAGE | LVCFMT_RIGHT
}

namespace {

// The entry list: row 0 a category header, rows 1 to 3 entries; "相关操作" is column 2.
struct EntryList {
    std::vector<int> widths = {200, 100, 260, 30};
    std::vector<unsigned> kinds = {0, 0, 3, 0};
    std::vector<std::vector<WString>> sets = {kActions};
    std::vector<HitRow> rows = {{0, ROW_HEADER, EntryRowAt(0)},
                                {1, ROW_ENTRY, EntryRowAt(65)},
                                {2, ROW_ENTRY, EntryRowAt(130)},
                                {3, ROW_ENTRY, EntryRowAt(195)}};
    std::vector<std::pair<int, int>> textAsked;

    HitResult At(int x, int y) {
        ListCells cells{widths, kinds,
                        [this](int row, int col) {
                            textAsked.push_back({row, col});
                            return WString(WSTR("官方网站"));
                        },
                        [this](int set) {
                            return set < int(sets.size()) ? sets[set] : std::vector<WString>{};
                        }};
        return HitTest({x, y}, rows, cells, kNormal);
    }
    int LinkAt(int x, int y) { return At(x, y).hotLink; }
};

}  // namespace

TEST(ListGeometryHitTest, LinksOfTheActionCell) {
    EntryList list;  // row 1: hot band y 82 to 97, links at x 311-366, 395-450, 479-548
    const HitResult save = list.At(500, 90);
    EXPECT_EQ(save.hotKind, 3u);
    EXPECT_EQ(save.hotLink, 3);
    EXPECT_TRUE(save.HandCursor() && !save.checkZone);
    EXPECT_EQ(save.row, 1);

    // x, y, hot link: the gaps of four spaces, and only the band above the row's middle
    // (also where a one-line row draws its links centred in the whole row).
    const int points[][3] = {{310, 90, 0}, {311, 90, 1}, {366, 90, 1},  {367, 90, 0}, {394, 90, 0},
                             {395, 90, 2}, {548, 90, 3}, {549, 90, 0},  {320, 82, 1}, {320, 97, 1},
                             {320, 81, 0}, {320, 98, 0}, {320, 105, 0}, {250, 90, 0}, {320, 20, 0}};
    for (const auto& p : points) EXPECT_EQ(list.LinkAt(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    EXPECT_FALSE(list.At(380, 90).HandCursor());
    EXPECT_TRUE(list.textAsked.empty());  // no single-link column: no cell text read
}

TEST(ListGeometryHitTest, CheckZoneAndRowBorders) {
    EntryList list;
    EXPECT_TRUE(list.At(0, 70).checkZone);
    EXPECT_TRUE(list.At(49, 70).checkZone);   // up to the icon rectangle's right edge
    EXPECT_FALSE(list.At(50, 70).checkZone);  // the name
    EXPECT_EQ(list.At(12, 120).row, 1);       // below the 32-px icon rectangle: still the row
    EXPECT_FALSE(list.At(10, 20).checkZone);  // header row

    // On the border the upper row is tried first: an entry row with nothing hot there hands
    // the point on, a header row ends the test.
    EXPECT_EQ(list.At(10, 130).row, 2);
    EXPECT_FALSE(list.At(10, 65).checkZone);
    list.rows[0].kind = ROW_ENTRY;
    EXPECT_EQ(list.At(10, 65).row, 1);
    list.rows[2].kind = 7;  // not drawn, never hot
    EXPECT_FALSE(list.At(10, 140).checkZone);
    EXPECT_FALSE(list.At(10, 300).checkZone);  // below the last row
}

TEST(ListGeometryHitTest, OtherLinkColumnsAndNarrowCells) {
    EntryList list;
    list.kinds = {0, 1, 3, 0};  // column 1 a single link: "官方网站" at x 222-277
    EXPECT_EQ(list.At(222, 90).hotKind, 1u);
    EXPECT_EQ(list.textAsked, (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(list.LinkAt(278, 90), 0);

    // Column 1 with two links takes set 0, so the action column reads set 1.
    list.kinds = {0, 2, 3, 0};
    list.sets = {{WSTR("甲"), WSTR("乙")}, kActions};  // 甲 222-235, 乙 264-277
    EXPECT_EQ(list.At(265, 90).hotKind, 2u);
    EXPECT_EQ(list.LinkAt(265, 90), 2);
    EXPECT_EQ(list.At(500, 90).hotKind, 3u);
    list.sets.pop_back();  // the action column's set missing: nothing hot
    EXPECT_EQ(list.At(500, 90).hotKind, 0u);

    list.kinds = {0, 0, 3, 0};
    list.sets = {kActions};
    list.widths = {200, 100, 11, 30};  // link 2 would cover the whole cell at x 300-310
    EXPECT_EQ(list.LinkAt(305, 90), 0);
    list.widths = {200, 100, 12, 30};
    EXPECT_EQ(list.LinkAt(305, 90), 2);
}

TEST(ListGeometryHitTest, TwoLineRowsAreHotExactlyWhereLinksAreDrawn) {
    EntryList list;
    for (int width : {180, 238, 259, 260, 261}) {
        list.widths[2] = width;
        const RowRects rc = EntryRowAt(65);
        const EntryRowLayout layout = LayoutEntryRow(rc, {ROW_ENTRY, 0, 0x0E, true, 32});
        const Rect cell = CellBoxes(rc, list.widths)[2];
        const auto drawn = CellLinkBoxes(cell, 3, WSTR(""), kActions, layout.cellBand, kNormal);
        for (int y = layout.cellBand.top - 1; y <= layout.cellBand.bottom; ++y) {
            for (int x = 250; x < 600; ++x) {
                int expected = 0;
                for (size_t k = 0; k < drawn.size(); ++k) {
                    if (drawn[k].box.Contains({x, y})) expected = int(k) + 1;
                }
                ASSERT_EQ(list.LinkAt(x, y), expected) << width << ": " << x << "," << y;
            }
        }
    }
}
