// The catalogue list's records under Wine: columns numbered with gaps, link sets added,
// replaced and freed, the full link-set table, refused cells, auto-width columns, ticks of
// entry rows only, row heights, the locked header divider and hidden scroll bars.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "tests/win/gui_object_count.h"
#include "tests/win/list_ex_support.h"

namespace {

CStringArray Links(std::initializer_list<const wchar_t*> texts) {
    CStringArray links;
    for (const wchar_t* t : texts) links.Add(t);
    return links;
}

std::wstring SetText(const CStringArray& set) {
    std::wstring joined;
    for (const CString& s : set) joined += s.Str() + L"|";
    return joined;
}

class ListExModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_owner.Create()); }

    // A list with nColumns text columns of 60 pixels and nRows entry rows.
    void Make(int nColumns, int nRows, DWORD dwStyle = lxtest::kListStyle) {
        ASSERT_TRUE(m_list.Create(dwStyle, RECT{0, 0, 700, 400}, &m_owner, lxtest::kListId));
        m_font.Attach(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                    L"Tahoma"));
        m_list.SetFont(m_font, FALSE);
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT |
                                LVS_EX_CHECKBOXES);
        for (int c = 0; c < nColumns; ++c) m_list.AddColumn(c, L"列", LVCFMT_LEFT, 60);
        for (int r = 0; r < nRows; ++r) m_list.AddRow(r, L"条目");
        m_owner.m_pList = &m_list;
    }

    lxtest::Owner m_owner;
    CListEx m_list;
    CFont m_font;
};

TEST_F(ListExModel, ColumnNumbersWithGapsKeepTheirRecordsAtTheNumbersGiven) {
    Make(0, 0);
    EXPECT_EQ(m_list.AddColumn(0, L"软件名称", LVCFMT_LEFT, 200), 0);
    EXPECT_EQ(m_list.AddColumn(1, L"软件大小", LVCFMT_CENTER, 100, CListEx::COL_LINK, TRUE), 1);
    EXPECT_EQ(m_list.AddColumn(3, L"相关操作", LVCFMT_CENTER, 180, 3), 2);
    EXPECT_EQ(m_list.AddColumn(4, L"", LVCFMT_RIGHT, 30, CListEx::COL_TEXT, TRUE), 3);
    LVCOLUMNW col{};
    col.mask = LVCF_WIDTH;
    EXPECT_TRUE(m_list.GetColumn(3, &col));
    EXPECT_FALSE(m_list.GetColumn(4, &col)) << "the list view has four columns";
    ASSERT_EQ(m_list.GetColumnRecordCount(), 5);
    EXPECT_EQ(m_list.GetColumnKind(1), CListEx::COL_LINK);
    EXPECT_EQ(m_list.GetColumnKind(2), CListEx::COL_TEXT);
    EXPECT_FALSE(m_list.IsAutoWidth(2));
    EXPECT_EQ(m_list.GetColumnKind(3), 3u);
    EXPECT_TRUE(m_list.IsAutoWidth(1));
    EXPECT_TRUE(m_list.IsAutoWidth(4));
}

TEST_F(ListExModel, RowsKeepTheirKindsAndDetailLinesInStep) {
    Make(2, 0);
    EXPECT_EQ(m_list.AddRow(0, L"办公软件", CListEx::NO_IMAGE, CListEx::ROW_HEADER), 0);
    EXPECT_EQ(m_list.AddRow(1, L"WPS", 0, CListEx::ROW_ENTRY, L"办公套件"), 1);
    // Past the end: the row and its records go to the end together.
    EXPECT_EQ(m_list.AddRow(9, L"福昕", 1, CListEx::ROW_ENTRY, L"PDF 阅读"), 2);
    // In front: the records move with the rows.
    EXPECT_EQ(m_list.AddRow(0, L"系统工具", CListEx::NO_IMAGE, CListEx::ROW_HEADER), 0);
    ASSERT_EQ(m_list.GetItemCount(), 4);
    EXPECT_EQ(m_list.GetHeaderRowCount(), 2);
    const UINT kinds[] = {CListEx::ROW_HEADER, CListEx::ROW_HEADER, CListEx::ROW_ENTRY,
                          CListEx::ROW_ENTRY};
    const wchar_t* details[] = {L"", L"", L"办公套件", L"PDF 阅读"};
    const wchar_t* names[] = {L"系统工具", L"办公软件", L"WPS", L"福昕"};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(m_list.GetRowKind(r), kinds[r]) << r;
        EXPECT_EQ(m_list.GetRowDetail(r), details[r]) << r;
        EXPECT_EQ(m_list.GetItemText(r, 0), names[r]) << r;
    }
    // A new text for column 0 drops the detail line: the entry becomes a one-line row.
    EXPECT_TRUE(m_list.SetCellText(3, 0, L"福昕 PDF 阅读器"));
    EXPECT_EQ(m_list.GetRowDetail(3), L"");
    EXPECT_EQ(m_list.GetRowDetail(2), L"办公套件");
}

TEST_F(ListExModel, LinkSetsAreAddedReplacedAndFreedInColumnOrder) {
    Make(6, 3);
    const CStringArray actions = lxtest::Actions();
    EXPECT_TRUE(m_list.SetCellLinks(0, 3, actions));
    EXPECT_EQ(m_list.GetColumnKind(3), 3u);
    EXPECT_EQ(m_list.GetItemText(0, 3), L"手动安装    自动安装    保存安装包");
    EXPECT_TRUE(m_list.SetCellLinks(0, 5, Links({L"甲", L"乙"})));
    // A set for a column left of both goes first; the others move up.
    EXPECT_TRUE(m_list.SetCellLinks(2, 1, Links({L"一", L"二", L"三", L"四"})));
    ASSERT_EQ(m_list.GetLinkSetCount(), 3);
    EXPECT_EQ(SetText(m_list.GetLinkSet(0)), L"一|二|三|四|");
    EXPECT_EQ(SetText(m_list.GetLinkSet(1)), L"手动安装|自动安装|保存安装包|");
    EXPECT_EQ(SetText(m_list.GetLinkSet(2)), L"甲|乙|");

    // The same column again, any row: its set is replaced and nothing else moves.
    EXPECT_TRUE(m_list.SetCellLinks(1, 3, Links({L"安装", L"保存", L"删除"})));
    ASSERT_EQ(m_list.GetLinkSetCount(), 3);
    EXPECT_EQ(SetText(m_list.GetLinkSet(1)), L"安装|保存|删除|");
    EXPECT_EQ(SetText(m_list.GetLinkSet(2)), L"甲|乙|");

    // Back to text: the column's set goes and the later ones move down.
    EXPECT_TRUE(m_list.SetCellText(0, 3, L"无"));
    EXPECT_EQ(m_list.GetColumnKind(3), CListEx::COL_TEXT);
    ASSERT_EQ(m_list.GetLinkSetCount(), 2);
    EXPECT_EQ(SetText(m_list.GetLinkSet(1)), L"甲|乙|");
    EXPECT_TRUE(m_list.GetLinkSet(2).IsEmpty());
    // ... and a later set for it counts as a new one, in its place.
    EXPECT_TRUE(m_list.SetCellLinks(0, 3, actions));
    ASSERT_EQ(m_list.GetLinkSetCount(), 3);
    EXPECT_EQ(SetText(m_list.GetLinkSet(1)), L"手动安装|自动安装|保存安装包|");

    // One link makes a single-link cell and needs no set.
    EXPECT_TRUE(m_list.SetCellLinks(0, 4, Links({L"主页"})));
    EXPECT_EQ(m_list.GetColumnKind(4), CListEx::COL_LINK);
    EXPECT_EQ(m_list.GetLinkSetCount(), 3);
    EXPECT_EQ(m_list.GetItemText(0, 4), L"主页");
}

TEST_F(ListExModel, TheEleventhLinkSetIsRefusedAndNothingChanges) {
    Make(13, 2);
    for (int c = 1; c <= CListEx::MAX_LINKSETS; ++c)
        ASSERT_TRUE(m_list.SetCellLinks(0, c, Links({L"甲", L"乙"}))) << c;
    ASSERT_EQ(m_list.GetLinkSetCount(), 10);
    m_list.SetCellText(0, 11, L"原文");
    EXPECT_EQ(m_list.SetCellLinks(0, 11, Links({L"丙", L"丁"})), 0);
    EXPECT_EQ(m_list.GetLinkSetCount(), 10);
    EXPECT_EQ(m_list.GetColumnKind(11), CListEx::COL_TEXT);
    EXPECT_EQ(m_list.GetItemText(0, 11), L"原文");
    // A column that has its set keeps being served; one link needs no set at all.
    EXPECT_TRUE(m_list.SetCellLinks(1, 4, Links({L"戊", L"己", L"庚"})));
    EXPECT_EQ(m_list.GetColumnKind(4), 3u);
    EXPECT_EQ(SetText(m_list.GetLinkSet(3)), L"戊|己|庚|");
    EXPECT_TRUE(m_list.SetCellLinks(0, 12, Links({L"主页"})));
    EXPECT_EQ(m_list.GetColumnKind(12), CListEx::COL_LINK);
}

TEST_F(ListExModel, CellsOutOfRangeAreRefusedWithoutChange) {
    Make(3, 2);
    const CStringArray actions = lxtest::Actions();
    EXPECT_EQ(m_list.SetCellText(2, 1, L"x"), 0);
    EXPECT_EQ(m_list.SetCellText(0, 3, L"x"), 0);
    EXPECT_EQ(m_list.SetCellText(-1, 1, L"x"), 0);
    EXPECT_EQ(m_list.SetCellLinks(2, 1, actions), 0);
    EXPECT_EQ(m_list.SetCellLinks(0, 3, actions), 0);
    EXPECT_EQ(m_list.SetCellLinks(0, 1, CStringArray{}), 0);
    EXPECT_EQ(m_list.SetCellLinks(2, 1, Links({L"主页"})), 0);
    EXPECT_EQ(m_list.GetLinkSetCount(), 0);
    EXPECT_EQ(m_list.GetColumnKind(1), CListEx::COL_TEXT);
    EXPECT_EQ(m_list.AutoSizeColumn(3), 0);
}

TEST_F(ListExModel, AutoWidthColumnsFitTheirWidestText) {
    Make(0, 0);
    m_list.AddColumn(0, L"软件名称", LVCFMT_LEFT, 200);
    m_list.AddColumn(1, L"软件大小", LVCFMT_CENTER, 100);
    // An empty list: width 0, and the column is auto-width from now on.
    EXPECT_TRUE(m_list.AutoSizeColumn(1));
    EXPECT_EQ(m_list.GetColumnWidth(1), 0);
    EXPECT_TRUE(m_list.IsAutoWidth(1));

    m_list.AddRow(0, L"一");
    m_list.AddRow(1, L"二");
    m_list.SetCellText(0, 1, L"8.27 MB");
    const std::wstring widest = L"112.40 MB（安装包）";
    m_list.SetCellText(1, 1, widest.c_str());
    SIZE size{};
    {
        CClientDC dc(m_list);
        CSelectObject font(dc, m_font);
        ::GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &size);
    }
    EXPECT_EQ(m_list.GetColumnWidth(1), size.cx + 12) << "refitted after the text changed";
}

TEST_F(ListExModel, CheckAllEntriesLeavesHeaderRowsAlone) {
    Make(2, 0);
    const UINT kinds[] = {CListEx::ROW_HEADER, CListEx::ROW_ENTRY, CListEx::ROW_ENTRY,
                          CListEx::ROW_HEADER, CListEx::ROW_ENTRY};
    for (int r = 0; r < 5; ++r) m_list.AddRow(r, L"行", CListEx::NO_IMAGE, kinds[r]);
    const int header0 = m_list.GetCheck(0), header3 = m_list.GetCheck(3);
    EXPECT_EQ(m_list.CheckAllEntries(TRUE), 5);
    for (int r : {1, 2, 4}) EXPECT_EQ(m_list.GetCheck(r), 1) << r;
    EXPECT_EQ(m_list.GetCheck(0), header0);
    EXPECT_EQ(m_list.GetCheck(3), header3);
    for (const auto& change : m_owner.TickChanges())
        EXPECT_EQ(m_list.GetRowKind(change.item), CListEx::ROW_ENTRY) << change.item;
    EXPECT_EQ(m_owner.TickChanges().size(), 3u);
    EXPECT_EQ(m_list.CheckAllEntries(FALSE), 5);
    for (int r : {1, 2, 4}) EXPECT_EQ(m_list.GetCheck(r), 0) << r;
    EXPECT_EQ(m_list.GetCheck(0), header0);
}

TEST_F(ListExModel, SetItemHeightMeasuresTheRowsAgainAtOnce) {
    Make(2, 3);
    for (int height : {65, 23, 40}) {
        m_list.SetItemHeight(height);
        const RECT rc = lxtest::ItemRect(m_list, 1, LVIR_BOUNDS);
        EXPECT_EQ(rc.bottom - rc.top, height);
        EXPECT_EQ(rc.top, height);
    }
}

// With a visible header: a divider drag and a divider double click resize a text column but
// not a column of links.
TEST_F(ListExModel, TheDividerOfALinkColumnStays) {
    Make(0, 0, lxtest::kListStyle & ~LVS_NOCOLUMNHEADER);
    m_list.AddColumn(0, L"软件名称", LVCFMT_LEFT, 120);
    m_list.AddColumn(1, L"相关操作", LVCFMT_CENTER, 180);
    m_list.AddColumn(2, L"软件大小", LVCFMT_CENTER, 100);
    m_list.AddRow(0, L"一个相当长的软件名称，比列宽得多");
    m_list.SetCellLinks(0, 1, lxtest::Actions());
    m_list.SetCellText(0, 2, L"8.27 MB");
    const HWND hHeader = m_list.GetHeaderCtrl();
    ASSERT_TRUE(hHeader);

    auto divider = [&](int nCol) {
        RECT rc{};
        ::SendMessageW(hHeader, HDM_GETITEMRECT, nCol, reinterpret_cast<LPARAM>(&rc));
        return POINT{rc.right, (rc.top + rc.bottom) / 2};
    };
    auto drag = [&](int nCol, int dx) {
        const POINT p = divider(nCol);
        ::SendMessageW(hHeader, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        ::SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessageW(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + dx, p.y));
        ::SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(p.x + dx, p.y));
        fwtest::Pump();
    };
    auto doubleClick = [&](int nCol) {
        const POINT p = divider(nCol);
        ::SendMessageW(hHeader, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessageW(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        fwtest::Pump();
    };

    drag(1, 40);
    EXPECT_EQ(m_list.GetColumnWidth(1), 180) << "links column, dragged";
    doubleClick(1);
    EXPECT_EQ(m_list.GetColumnWidth(1), 180) << "links column, double-clicked";
    drag(2, 30);
    EXPECT_EQ(m_list.GetColumnWidth(2), 130) << "text column, dragged";
    doubleClick(0);
    EXPECT_GT(m_list.GetColumnWidth(0), 120) << "text column, double-clicked: fitted";
}

TEST_F(ListExModel, WithoutScrollBarsALongListShowsNone) {
    Make(1, 0);
    CListEx category;
    ASSERT_TRUE(category.Create(lxtest::kListStyle, RECT{0, 0, 140, 200}, &m_owner, 1000));
    category.ShowScrollBars(FALSE);
    category.AddColumn(0, L"软件分类", LVCFMT_CENTER, 140);
    for (int r = 0; r < 30; ++r) {
        category.AddRow(r, L"分类");
        m_list.AddRow(r, L"条目");
    }
    category.SetItemHeight(23);
    m_list.SetItemHeight(23);
    fwtest::Pump();
    RECT rc{};
    category.GetClientRect(&rc);
    EXPECT_EQ(rc.right, 140);
    EXPECT_EQ(category.GetStyle() & (WS_VSCROLL | WS_HSCROLL), 0u);
    // The list still scrolls (by keyboard or wheel); only the bars are hidden.
    category.EnsureVisible(29, FALSE);
    fwtest::Pump();
    EXPECT_GT(category.SendMessage(LVM_GETTOPINDEX), 0);
    category.GetClientRect(&rc);
    EXPECT_EQ(rc.right, 140);
    // The entry list beside it keeps its bar.
    EXPECT_NE(m_list.GetStyle() & WS_VSCROLL, 0u);
}

TEST_F(ListExModel, CompactTextMeasuresInTheFontOfTheDeviceContextItIsGiven) {
    Make(1, 0);
    const CString name = L"Windows 优化大师 2024 完整装机版";
    auto width = [](HDC hDC, const CString& s) {
        SIZE size{};
        ::GetTextExtentPoint32W(hDC, s, s.GetLength(), &size);
        return static_cast<int>(size.cx);
    };
    CClientDC dc(m_list);
    CFont bold;
    bold.Attach(
        ::CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    for (HFONT hFont : {m_font.GetSafeHandle(), bold.GetSafeHandle()}) {
        CSelectObject font(dc, hFont);
        const int full = width(dc, name);
        EXPECT_EQ(m_list.CompactText(dc, name, RECT{10, 0, 10 + full, 20}), name);
        const CString shortened = m_list.CompactText(dc, name, RECT{10, 0, 10 + full - 1, 20});
        ASSERT_GT(shortened.GetLength(), 3);
        EXPECT_EQ(shortened.Right(3), L"...");
        EXPECT_LE(width(dc, shortened), full - 1);
    }
    // Without a device context: the desktop's, in its default font (the shortening itself is
    // the portable geometry's, tested there).
    CClientDC desktop(::GetDesktopWindow());
    const int full = width(desktop, name);
    EXPECT_EQ(m_list.CompactText(nullptr, name, RECT{0, 0, full, 20}), name);
    EXPECT_EQ(m_list.CompactText(nullptr, name, RECT{0, 0, full - 1, 20}).Right(3), L"...");
}

// A setter locks the list's updates and ends only its own lock, never another window's.
TEST_F(ListExModel, LockedSettersLeaveAnotherWindowsLockAlone) {
    Make(1, 1);
    EXPECT_TRUE(m_list.LockWindowUpdate());
    CWnd::UnlockWindowUpdate();
    m_list.SetTextColors(1, 2, 3);
    EXPECT_TRUE(m_owner.LockWindowUpdate()) << "the setter ended its own lock";
    m_list.SetLinkColors(RGB(1, 1, 1), 0, 0);
    m_list.SetSkinFlags(CListEx::SKIN_ENTRYROWS);
    EXPECT_FALSE(m_list.LockWindowUpdate()) << "the owner is still locked";
    CWnd::UnlockWindowUpdate();
    EXPECT_TRUE(m_list.LockWindowUpdate());
    CWnd::UnlockWindowUpdate();
}

// A setter turns redrawing off and on only for a list on the screen: WM_SETREDRAW would show
// a hidden one.
TEST_F(ListExModel, SettersLeaveAHiddenListHiddenAndAShownOneShown) {
    Make(2, 2);
    m_owner.ShowWindow(SW_SHOW);
    m_list.ShowWindow(SW_HIDE);
    m_list.SetTextColors(1, 2, 3);
    m_list.SetCellText(0, 1, L"文字");
    EXPECT_FALSE(m_list.GetStyle() & WS_VISIBLE);
    m_list.ShowWindow(SW_SHOW);
    m_list.SetTextColors(4, 5, 6);
    m_list.SetCellLinks(1, 1, lxtest::Actions());
    EXPECT_TRUE(m_list.GetStyle() & WS_VISIBLE);
    // Redrawing is on again: the rows are drawn, in the row colour a setter gave.
    constexpr COLORREF kRowBk = RGB(10, 200, 30);
    m_list.SetRowBackColor(kRowBk);
    RECT rc{};
    ASSERT_TRUE(m_list.GetItemRect(0, &rc, LVIR_LABEL));
    const lxtest::Pixels shot = lxtest::Shot(m_list);
    EXPECT_EQ(shot.At(rc.right - 3, (rc.top + rc.bottom) / 2), kRowBk);
}

// The bold and underlined fonts are made once per font, not per row and paint, and shared by
// every list drawn in the same font; WM_SETFONT makes a new set.
TEST_F(ListExModel, FontsAreMadeOncePerFontAndShared) {
    Make(2, 3);
    m_owner.ShowWindow(SW_SHOW);
    CListEx other;
    ASSERT_TRUE(other.Create(lxtest::kListStyle, RECT{0, 0, 300, 200}, &m_owner, 1008));
    other.SetFont(m_font, FALSE);
    other.AddColumn(0, L"列", LVCFMT_LEFT, 60);
    other.AddRow(0, L"条目");
    const auto paint = [](CListEx& list) {
        list.Invalidate(TRUE);
        list.UpdateWindow();
    };
    paint(m_list);
    const long afterFirst = GdiObjectCount();
    paint(m_list);
    paint(other);
    EXPECT_EQ(GdiObjectCount(), afterFirst);

    CFont bigger(
        ::CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    m_list.SetFont(bigger, FALSE);
    paint(m_list);
    // The new font's bold and underlined forms; the old set stays for the other list.
    EXPECT_EQ(GdiObjectCount(), afterFirst + 3);
    other.SetFont(bigger, FALSE);
    paint(other);
    EXPECT_EQ(GdiObjectCount(), afterFirst + 1) << "the old set went with its last list";
    m_list.DestroyWindow();
    other.DestroyWindow();
}

}  // namespace
