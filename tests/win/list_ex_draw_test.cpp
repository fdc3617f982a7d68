// The catalogue list's drawing under Wine, read back from the screen: header captions, bold
// names over detail lines, link colours by row state, the narrowest drawn cell, shortened
// names, whole-row repaints, the three ways of erasing, and flat GDI use over many repaints.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/win/gui_object_count.h"
#include "tests/win/list_ex_support.h"

namespace {

using lxtest::Entry;
using lxtest::Pixels;

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Pixels of exactly one colour inside a part of a picture.
int CountIn(const Pixels& px, const RECT& rc, COLORREF cr) {
    return px.Crop(rc).Count(cr);
}

RECT BoundsOf(const Pixels& px, const RECT& rc, COLORREF cr, int tolerance = 0) {
    RECT b = px.Crop(rc).Bounds([&](COLORREF c) { return Near(c, cr, tolerance); });
    if (b.right > 0) ::OffsetRect(&b, rc.left, rc.top);
    return b;
}

// The x ranges of the groups of columns that hold a pixel near cr, left to right (columns
// without any such pixel separate the groups).
std::vector<std::pair<int, int>> Clusters(const Pixels& px, const RECT& rc, COLORREF cr,
                                          int tolerance) {
    std::vector<std::pair<int, int>> runs;
    int start = -1;
    for (int x = rc.left; x <= rc.right; ++x) {
        bool hit = false;
        for (int y = rc.top; x < rc.right && y < rc.bottom && !hit; ++y)
            hit = Near(px.At(x, y), cr, tolerance);
        if (hit && start < 0) start = x;
        if (!hit && start >= 0) {
            runs.emplace_back(start, x);
            start = -1;
        }
    }
    return runs;
}

class ListExDraw : public ::testing::Test, protected lxtest::ListBench {
protected:
    void SetUp() override { ASSERT_TRUE(Open()); }
    void Build(const lxtest::Groups& groups, bool bSkinned = true) {
        ASSERT_TRUE(BuildEntries(groups, bSkinned));
    }
    RECT Row(int nRow) const {
        RECT rc = lxtest::ItemRect(m_list, nRow, LVIR_BOUNDS);
        rc.left = 0;
        return rc;
    }
    // Where the entry look draws texts of column 0 under the entry skin.
    RECT NameColumn(int nRow, int yFrom, int yTo) const {
        const RECT rc = Row(nRow);
        return RECT{91, rc.top + yFrom, 200, rc.top + yTo};
    }
    RECT ActionsCell(int nRow) const {
        const RECT rc = Row(nRow);
        return RECT{300, rc.top, 480, rc.bottom};
    }
};

TEST_F(ListExDraw, AHeaderCaptionIsBlackOverItsGreyShadowWhateverTheTextColour) {
    Build({{L"系统工具 (2款)", {{L"磁盘清理助手", L"", L"0.96 MB"}}}});
    m_list.SetTextColors(kMagenta, kMagenta, kMagenta);
    const Pixels px = lxtest::Shot(m_list);
    const RECT row = Row(0);
    const RECT black = BoundsOf(px, row, RGB(0, 0, 0));
    const RECT grey = BoundsOf(px, row, RGB(141, 141, 141));
    ASSERT_GT(black.right, 0) << "black caption";
    ASSERT_GT(grey.right, 0) << "grey shadow";
    EXPECT_EQ(grey.right, black.right + 1) << "the shadow lies one pixel right";
    EXPECT_EQ(grey.bottom, black.bottom + 1) << "and one pixel down";
    // Right of the gold tab of the header skin, never shortened, not in the text colour.
    EXPECT_GE(black.left, 31);
    EXPECT_EQ(CountIn(px, row, kMagenta), 0);
    // The entry row below does use the text colour.
    EXPECT_GT(CountIn(px, Row(1), kMagenta), 0);
}

// A caption longer than column 0 runs on across the row, up to the skin's right-hand end; one
// longer than the row ends in three dots there rather than in a cut character.
TEST_F(ListExDraw, ALongHeaderCaptionSpansTheRow) {
    Build({{L"压缩解压、输入法与文本编辑等常用工具 (3款)", {}},
           {L"压缩解压、输入法与文本编辑等常用工具，以及系统维护与安全防护、网络下载与浏览器、"
            L"图形图像与多媒体播放 (42款)",
            {}}});
    const Pixels px = lxtest::Shot(m_list);
    const int end = Row(0).right - 19;  // the header skin's right slice
    const RECT first = BoundsOf(px, Row(0), RGB(0, 0, 0));
    EXPECT_GT(first.right, 200);
    EXPECT_LT(first.right, end - 40) << "whole, with room to spare";
    const RECT text = BoundsOf(px, RECT{25, Row(1).top, end, Row(1).bottom}, RGB(0, 0, 0));
    const RECT row{25, text.top, end, text.bottom};  // the caption's lines of pixels
    EXPECT_EQ(CountIn(px, RECT{end, text.top, Row(1).right, text.bottom}, RGB(0, 0, 0)), 0);
    const auto clusters = Clusters(px, row, RGB(0, 0, 0), 60);
    ASSERT_GE(clusters.size(), 4u);
    const size_t n = clusters.size();
    EXPECT_GT(clusters[n - 1].second, end - 20) << "the caption uses the row";
    for (size_t i = n - 3; i < n; ++i) {
        const RECT dot =
            BoundsOf(px, RECT{clusters[i].first, row.top, clusters[i].second, row.bottom}, 0, 60);
        EXPECT_LE(dot.right - dot.left, 3) << i;
        EXPECT_LE(dot.bottom - dot.top, 3) << i;
    }
}

TEST_F(ListExDraw, ATwoLineRowHasABoldNameOverADetailLineInTheDetailColour) {
    Build(
        {{nullptr, {{L"测试名称", L"详细说明文字", L"8.27 MB"}, {L"测试名称", L"", L"8.27 MB"}}}});
    constexpr COLORREF kDetail = RGB(0, 200, 255);
    m_list.SetDetailColors(kDetail, kDetail, kDetail);
    const Pixels px = lxtest::Shot(m_list);
    const RECT two = Row(0), one = Row(1);
    // Two lines: the name above the row's middle, the detail line below it.
    const RECT name2 = BoundsOf(px, NameColumn(0, 0, 65), lxtest::kWhite, 40);
    const RECT detail = BoundsOf(px, NameColumn(0, 0, 65), kDetail, 20);
    ASSERT_GT(name2.right, 0);
    ASSERT_GT(detail.right, 0);
    EXPECT_GE(name2.top, two.top + 17);
    EXPECT_LE(name2.bottom, two.top + 33);
    EXPECT_GE(detail.top, two.top + 32);
    EXPECT_LE(detail.bottom, two.top + 48);
    EXPECT_NEAR(detail.left, 91, 3) << "from the name's left edge";
    EXPECT_NEAR(name2.left, 91, 3);
    // One line: the same name centred in the row, in the normal font: narrower.
    const RECT name1 = BoundsOf(px, NameColumn(1, 0, 65), lxtest::kWhite, 40);
    ASSERT_GT(name1.right, 0);
    EXPECT_EQ(CountIn(px, NameColumn(1, 0, 65), kDetail), 0);
    EXPECT_LT(name1.top - one.top, 32);
    EXPECT_GT(name1.bottom - one.top, 32);
    EXPECT_GT(name2.right - name2.left, name1.right - name1.left) << "bold is wider";
    // The size cell follows the name band in both rows.
    const RECT size2 = BoundsOf(px, RECT{206, two.top, 294, two.bottom}, lxtest::kWhite, 40);
    const RECT size1 = BoundsOf(px, RECT{206, one.top, 294, one.bottom}, lxtest::kWhite, 40);
    EXPECT_LE(size2.bottom, two.top + 33);
    // Texts are drawn over the row skin, not on boxes of their own.
    const int box = (size2.right - size2.left) * (size2.bottom - size2.top);
    EXPECT_LT(CountIn(px, size2, lxtest::kWhite) * 2, box);
    EXPECT_LT(size1.top - one.top, 32);
    EXPECT_GT(size1.bottom - one.top, 32);
}

TEST_F(ListExDraw, LinksTakeTheLinkColourOfTheirRowState) {
    Build({{nullptr,
            {{L"一", L"", L"1.00 MB"}, {L"二", L"", L"2.00 MB"}, {L"三", L"", L"3.00 MB"}}}});
    m_list.SetLinkColors(lxtest::kLinkGold, kGreen, kMagenta);
    m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetFocus();
    Pixels px = lxtest::Shot(m_list);
    EXPECT_GT(CountIn(px, ActionsCell(0), lxtest::kLinkGold), 20);
    EXPECT_GT(CountIn(px, ActionsCell(1), kGreen), 20);
    EXPECT_EQ(CountIn(px, ActionsCell(1), lxtest::kLinkGold), 0);

    // Losing the focus repaints the selected row at once, without a repaint asked for.
    ::SetFocus(m_owner);
    px = Pixels::FromWindow(m_list);
    EXPECT_GT(CountIn(px, ActionsCell(1), kMagenta), 20);
    EXPECT_EQ(CountIn(px, ActionsCell(1), kGreen), 0);
    m_list.SetFocus();
    px = Pixels::FromWindow(m_list);
    EXPECT_GT(CountIn(px, ActionsCell(1), kGreen), 20);

    // A 0 keeps a colour.
    m_list.SetLinkColors(0, kBlue, kBlue);
    px = lxtest::Shot(m_list);
    EXPECT_GT(CountIn(px, ActionsCell(0), lxtest::kLinkGold), 20);
    EXPECT_GT(CountIn(px, ActionsCell(1), kBlue), 20);
}

TEST_F(ListExDraw, ACellOf11PixelsDrawsNothingAndOneOf12Does) {
    Build({{nullptr, {{L"一", L"", L"1.00 MB"}}}});
    const RECT row = Row(0);
    m_list.SetColumnWidth(2, 11);
    Pixels px = lxtest::Shot(m_list);
    EXPECT_EQ(CountIn(px, RECT{300, row.top, 311, row.bottom}, lxtest::kLinkGold), 0);
    m_list.SetColumnWidth(2, 12);
    px = lxtest::Shot(m_list);
    EXPECT_GT(CountIn(px, RECT{300, row.top, 312, row.bottom}, lxtest::kLinkGold), 0);
}

// The name is shortened in the font it is drawn in (bold over a detail line): it ends in three
// whole dots inside its box.
TEST_F(ListExDraw, ANameTooLongEndsInThreeDots) {
    // The bold name in Latin letters, whose Tahoma Bold widths differ from the normal ones;
    // the other texts in Chinese, as catalogues have them. Wine's own Tahoma draws Latin
    // letters up to a pixel wider each than it measures them, which Windows does not.
    Build({{nullptr,
            {{L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", L"说明", L"1.00 MB"},
             {L"名称名称名称名称名称名称名称名称名称名称名称名称名称名称", L"", L"1.00 MB"},
             {L"短名",
              L"说明说明说明说明说明说明说明说明说明说明说明说明说明说明说明说明说明说明"
              L"说明说明说明说明说明说明说明说明说明说明说明说明说明说明",
              L"1.00 MB"}}}});
    const Pixels px = lxtest::Shot(m_list);
    struct Case {
        int row;
        RECT area;
        COLORREF colour;
        int right;
        size_t dots;
    };
    // So the bold name's last dot may be clipped by its box under Wine; a name shortened in
    // the normal font would lose all three.
    const Case cases[] = {
        {0, NameColumn(0, 17, 33), lxtest::kWhite, 180, 2},
        {1, NameColumn(1, 1, 65), lxtest::kWhite, 180, 3},
        {2, RECT{91, Row(2).top + 32, 640, Row(2).top + 48}, lxtest::kDetailGrey, 510, 3},
    };
    for (const Case& c : cases) {
        const auto clusters = Clusters(px, c.area, c.colour, 60);
        ASSERT_GE(clusters.size(), 4u) << "row " << c.row;
        const size_t n = clusters.size();
        EXPECT_LE(clusters[n - 1].second, c.right) << "row " << c.row << ": inside its box";
        for (size_t i = n - c.dots; i < n; ++i) {
            const RECT dot =
                BoundsOf(px, RECT{clusters[i].first, c.area.top, clusters[i].second, c.area.bottom},
                         c.colour, 60);
            EXPECT_LE(dot.right - dot.left, 3) << "row " << c.row << " dot " << i;
            EXPECT_LE(dot.bottom - dot.top, 3) << "row " << c.row << " dot " << i;
            const RECT last = BoundsOf(
                px, RECT{clusters[n - 1].first, c.area.top, clusters[n - 1].second, c.area.bottom},
                c.colour, 60);
            EXPECT_EQ(dot.bottom, last.bottom) << "row " << c.row << ": on one line";
        }
    }
}

TEST_F(ListExDraw, AnyPartOfARowToRepaintIsRepaintedAcrossTheWholeRow) {
    Build({{nullptr, {{L"一", L"说明", L"1.00 MB"}, {L"二", L"说明", L"2.00 MB"}}}});
    const Pixels before = lxtest::Shot(m_list);
    const RECT row = Row(1);
    {
        CClientDC dc(m_list);
        CBrush brush;
        brush.CreateSolidBrush(kMagenta);
        ::FillRect(dc, &row, brush);
    }
    ::ValidateRect(m_list, nullptr);
    const RECT bit{240, row.top + 20, 250, row.top + 30};
    ::InvalidateRect(m_list, &bit, FALSE);
    ::UpdateWindow(m_list);
    const Pixels after = Pixels::FromWindow(m_list);
    const RECT band{0, bit.top, row.right, bit.bottom};
    EXPECT_EQ(CountIn(after, band, kMagenta), 0);
    EXPECT_TRUE(after.Crop(band) == before.Crop(band));
}

// WM_ERASEBKGND on a device context of known content: a background bitmap stretched over the
// client area, nothing at all, or the back colour.
TEST_F(ListExDraw, ErasingPaintsTheBitmapNothingOrTheBackColour) {
    Build({{nullptr, {}}});
    RECT client{};
    m_list.GetClientRect(&client);
    const uitest::Canvas mem(client.right, client.bottom);
    auto erase = [&] {
        return m_list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(HDC(mem)), 0);
    };
    const int w = client.right, h = client.bottom;

    // Two pixels, red then blue: the left half red, the right half blue.
    CBitmap back(uitest::MakeBitmap(2, 1, kBlue, RGB(255, 0, 0)));
    m_list.SetBkBitmap(&back);
    m_list.SetSkinFlags(CListEx::SKIN_BKBITMAP);
    uitest::Fill(mem, client, kMagenta);
    EXPECT_EQ(erase(), TRUE);
    Pixels px = mem.Read();
    EXPECT_EQ(px.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(px.At(w / 2 - 1, h - 1), RGB(255, 0, 0));
    EXPECT_EQ(px.At(w / 2, 0), kBlue);
    EXPECT_EQ(px.At(w - 1, h - 1), kBlue);

    m_list.SetBkBitmap(nullptr);
    uitest::Fill(mem, client, kMagenta);
    EXPECT_EQ(erase(), FALSE) << "no bitmap: not erased";
    EXPECT_EQ(mem.Read().Count(kMagenta), w * h);

    m_list.SetSkinFlags(CListEx::SKIN_NOERASE | CListEx::SKIN_ENTRYROWS);
    EXPECT_EQ(erase(), TRUE);
    EXPECT_EQ(mem.Read().Count(kMagenta), w * h);

    m_list.SetSkinFlags(CListEx::SKIN_ENTRYROWS);
    m_list.SetBackColor(RGB(10, 20, 30));
    EXPECT_EQ(erase(), TRUE);
    EXPECT_EQ(mem.Read().Count(RGB(10, 20, 30)), w * h);
}

TEST_F(ListExDraw, ThousandRepaintsOfAFullListLeaveTheGdiObjectCountAsItWas) {
    std::vector<Entry> entries;
    for (int i = 0; i < 4; ++i) {
        entries.push_back(
            {L"Windows 优化大师 完整版", L"系统清理、注册表优化与开机加速", L"8.27 MB"});
        entries.push_back({L"磁盘清理助手", L"", L"0.96 MB"});
    }
    Build({{L"系统工具 (8款)", entries}, {L"办公软件 (8款)", entries}});
    m_list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    lxtest::Shot(m_list);
    const long before = GdiObjectCount();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 1000; ++i) {
        if (i % 100 == 0) ::SetFocus(i % 200 ? m_owner.GetSafeHwnd() : m_list.GetSafeHwnd());
        ::RedrawWindow(m_list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    fwtest::Pump();
    EXPECT_EQ(GdiObjectCount(), before);
}

// The category list: icon at x 16, the name over its dark shadow in the row state's colour.
TEST_F(ListExDraw, ThePanelLookDrawsIconAndNameOverItsShadowInTheStateColour) {
    ASSERT_TRUE(lxtest::BuildCategoryList(m_list, m_owner, m_art, RECT{0, 0, 140, 200},
                                          lxtest::kListId,
                                          {L"全部软件 (8)", L"系统工具 (3)", L"办公软件 (2)"}));
    m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.SetFocus();
    m_list.SetTextColors(kMagenta, kGreen, kBlue);
    const Pixels px = lxtest::Shot(m_list);
    for (int row = 0; row < 3; ++row) {
        const RECT rc = Row(row);
        EXPECT_EQ(rc.bottom - rc.top, 23);
        const RECT name{43, rc.top, 124, rc.bottom};
        const COLORREF text = row == 0 ? kGreen : kMagenta;
        const RECT drawn = BoundsOf(px, name, text);
        const RECT shadow = BoundsOf(px, name, RGB(35, 35, 35));
        ASSERT_GT(drawn.right, 0) << row;
        ASSERT_GT(shadow.right, 0) << row;
        // One pixel right and down: inside the text's box moved so, reaching its right edge.
        EXPECT_EQ(shadow.right, drawn.right + 1) << row;
        EXPECT_GE(shadow.left, drawn.left + 1) << row;
        EXPECT_GE(shadow.top, drawn.top + 1) << row;
        EXPECT_LE(shadow.bottom, drawn.bottom + 1) << row;
        EXPECT_EQ(CountIn(px, name, row == 0 ? kMagenta : kGreen), 0) << row;
        // The icon: the only strongly coloured pixels between the skin's left slice (with its
        // gold bar when selected) and the name.
        const RECT icon = px.Crop(RECT{8, rc.top, 43, rc.bottom}).Bounds([](COLORREF c) {
            const int hi = std::max({GetRValue(c), GetGValue(c), GetBValue(c)});
            const int lo = std::min({GetRValue(c), GetGValue(c), GetBValue(c)});
            return hi - lo > 80;
        });
        ASSERT_GT(icon.right, 0) << row;
        EXPECT_NEAR(icon.left + 8, 16, 1) << row;
        EXPECT_LE(icon.right + 8, 32) << row;
        EXPECT_NEAR(icon.top, (23 - 16) / 2, 1) << row;
    }
}

// Whatever a row draws, the device context goes back to the list view as it came: its font
// (one the list made and deleted would otherwise stay selected), colours and background mode.
TEST_F(ListExDraw, DrawingHandsTheDeviceContextBackAsItCame) {
    Build({{L"系统工具 (2款)",
            {{L"Windows 优化大师 完整版", L"系统清理、注册表优化与开机加速", L"8.27 MB"},
             {L"磁盘清理助手", L"", L"0.96 MB"}}}});
    m_list.SetCheck(1, TRUE);
    RECT client{};
    m_list.GetClientRect(&client);
    const uitest::Canvas mem(client.right, client.bottom);
    const HGDIOBJ font = ::GetStockObject(ANSI_VAR_FONT);
    const CSelectObject selectFont(mem, font);
    uitest::Fill(mem, client, kMagenta);
    ::SetTextColor(mem, RGB(1, 2, 3));
    ::SetBkMode(mem, OPAQUE);
    for (UINT row = 0; row < 3; ++row) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = lxtest::kListId;
        dis.itemID = row;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = m_list;
        dis.hDC = mem;
        dis.rcItem = Row(static_cast<int>(row));
        m_list.DrawItem(&dis);
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_FONT), font) << row;
        EXPECT_EQ(::GetCurrentObject(mem, OBJ_BITMAP), mem.Bitmap()) << row;
        EXPECT_EQ(::GetTextColor(mem), RGB(1, 2, 3)) << row;
        EXPECT_EQ(::GetBkColor(mem), kMagenta) << row;
        EXPECT_EQ(::GetBkMode(mem), OPAQUE) << row;
    }
    // The rows were drawn (over the whole of their width).
    const Pixels px = mem.Read();
    for (int row = 0; row < 3; ++row) EXPECT_EQ(CountIn(px, Row(row), kMagenta), 0) << row;
}

}  // namespace
