// The list view wrapper: an owner-drawn list draws itself while its owner keeps receiving the
// list's notifications; ticks, rectangles and hit tests; image lists lent to several lists.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fw/image_list.h"
#include "fw/list_ctrl.h"
#include "tests/win/fw_test_support.h"

namespace {

class OwnerWnd : public CWnd {
public:
    struct Change {
        UINT id;
        int item;
        UINT newState, oldState;
    };
    std::vector<Change> m_changes;
    int m_nDrawItem = 0;

    BOOL Create() {
        return CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, RECT{40, 40, 640, 440}, nullptr,
                        0);
    }

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    void OnChanged(NMLISTVIEW* p) {
        m_changes.push_back(
            Change{static_cast<UINT>(p->hdr.idFrom), p->iItem, p->uNewState, p->uOldState});
    }
    BOOL OnDrawItem(DRAWITEMSTRUCT*) {
        ++m_nDrawItem;
        return TRUE;
    }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Notify<1007, LVN_ITEMCHANGED, &OwnerWnd::OnChanged>,
        fw::Notify<1008, LVN_ITEMCHANGED, &OwnerWnd::OnChanged>,
        fw::Msg<WM_DRAWITEM, &OwnerWnd::OnDrawItem>,
    };
};

// Draws its rows itself and answers the row-height query with its own height.
class DrawnList : public fwtest::MeasuredCtrl<CListCtrl> {
public:
    using MeasuredCtrl::MeasuredCtrl;
    std::set<UINT> m_rowsDrawn;

    void DrawItem(DRAWITEMSTRUCT* pDIS) override {
        EXPECT_EQ(pDIS->hwndItem, GetSafeHwnd());
        m_rowsDrawn.insert(pDIS->itemID);
        ::FillRect(pDIS->hDC, &pDIS->rcItem, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    }
};

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_NOCOLUMNHEADER |
                             LVS_OWNERDRAWFIXED | LVS_SINGLESEL | LVS_REPORT;

void Fill(CListCtrl& list, int rows) {
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    list.InsertColumn(0, L"软件名称", LVCFMT_LEFT, 200);
    list.InsertColumn(1, L"软件大小", LVCFMT_CENTER, 100);
    for (int i = 0; i < rows; ++i) {
        list.InsertItem(i, L"条目");
        list.SetItemText(i, 1, L"1.00 MB");
    }
}

TEST(FwList, OwnerDrawnListsDrawThemselvesWhileTheOwnerSeesTheirNotifications) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.Create());
    // The row height is asked for while the list is being created: the object already
    // answers it.
    DrawnList all(65), category(23);
    ASSERT_TRUE(all.Create(kListStyle, RECT{0, 0, 300, 380}, &owner, 1007));
    ASSERT_TRUE(category.Create(kListStyle, RECT{300, 0, 600, 380}, &owner, 1008));
    EXPECT_EQ(all.m_nMeasured, 1);
    EXPECT_EQ(category.m_nMeasured, 1);
    Fill(all, 3);
    Fill(category, 2);
    RECT rc{};
    ASSERT_TRUE(all.GetItemRect(1, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.bottom - rc.top, 65);
    ASSERT_TRUE(category.GetItemRect(1, &rc, LVIR_BOUNDS));
    EXPECT_EQ(rc.bottom - rc.top, 23);

    ::RedrawWindow(owner, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump();
    EXPECT_EQ(all.m_rowsDrawn, (std::set<UINT>{0, 1, 2}));
    EXPECT_EQ(category.m_rowsDrawn, (std::set<UINT>{0, 1}));
    EXPECT_EQ(owner.m_nDrawItem, 0);

    owner.m_changes.clear();
    EXPECT_EQ(all.GetCheck(2), 0);
    ASSERT_TRUE(all.SetCheck(2, TRUE));
    EXPECT_EQ(all.GetCheck(2), 1);
    ASSERT_TRUE(category.SetCheck(0, TRUE));
    ASSERT_TRUE(category.SetCheck(0, FALSE));
    ASSERT_EQ(owner.m_changes.size(), 3u);
    EXPECT_EQ(owner.m_changes[0].id, 1007u);
    EXPECT_EQ(owner.m_changes[0].item, 2);
    EXPECT_EQ(owner.m_changes[0].newState, 0x2000u);
    EXPECT_EQ(owner.m_changes[0].oldState, 0x1000u);
    EXPECT_EQ(owner.m_changes[1].id, 1008u);
    EXPECT_EQ(owner.m_changes[2].newState, 0x1000u);
    EXPECT_EQ(owner.m_changes[2].oldState, 0x2000u);
}

// The operations whose arguments the wrapper packs itself.
TEST(FwList, PackedArgumentsReachTheListView) {
    OwnerWnd owner;
    ASSERT_TRUE(owner.Create());
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                            RECT{0, 0, 400, 120}, &owner, 1007));
    EXPECT_EQ(list.InsertColumn(0, L"名称", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(5, L"操作", LVCFMT_CENTER, 180), 1);  // past the end: appended
    LVCOLUMNW col{};
    col.mask = LVCF_FMT | LVCF_WIDTH;
    ASSERT_TRUE(list.GetColumn(1, &col));
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    EXPECT_EQ(col.cx, 180);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(list.InsertItem(i, L"行"), i);

    // A text longer than the first buffer comes back whole.
    const std::wstring longText(700, L'长');
    ASSERT_TRUE(list.SetItemText(3, 1, longText.c_str()));
    EXPECT_EQ(list.GetItemText(3, 1).Str(), longText);
    EXPECT_EQ(list.GetItemText(3, 0), L"行");

    // Without check boxes a row has no tick.
    EXPECT_EQ(list.GetCheck(4), -1);

    // Rectangles: the area code and the subitem travel inside the RECT.
    RECT row{}, label{}, cell{};
    ASSERT_TRUE(list.GetItemRect(1, &row, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
    EXPECT_EQ(row.left, 0);
    EXPECT_GE(label.left, row.left);
    EXPECT_LE(label.right, 120);
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, &cell));
    EXPECT_EQ(cell.left, 120);
    EXPECT_EQ(cell.right, 300);
    EXPECT_EQ(cell.top, row.top);
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(POINT{10, (row.top + row.bottom) / 2}, &flags), 1);
    EXPECT_NE(flags & LVHT_ONITEM, 0u);
    LVHITTESTINFO info{};
    info.pt = POINT{cell.left + 5, (row.top + row.bottom) / 2};
    EXPECT_EQ(list.SubItemHitTest(&info), 1);
    EXPECT_EQ(info.iSubItem, 1);
}

TEST(FwList, ImageListsLentToSeveralListsOutliveThem) {
    CImageList check, small;
    ASSERT_TRUE(check.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0));
    ASSERT_TRUE(small.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0));
    const HICON icon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    EXPECT_EQ(check.Add(icon), 0);
    EXPECT_EQ(check.Add(icon), 1);
    EXPECT_EQ(small.Add(icon), 0);
    {
        OwnerWnd owner;
        ASSERT_TRUE(owner.Create());
        CListCtrl a, b;
        ASSERT_TRUE(a.Create(kListStyle, RECT{0, 0, 200, 200}, &owner, 1007));
        ASSERT_TRUE(b.Create(kListStyle, RECT{200, 0, 400, 200}, &owner, 1008));
        for (CListCtrl* list : {&a, &b}) {
            Fill(*list, 2);
            // The list's own check box images are replaced, and the list says so.
            EXPECT_EQ(list->SetImageList(&check, LVSIL_STATE), nullptr);
            EXPECT_EQ(list->SetImageList(&small, LVSIL_SMALL), nullptr);
            EXPECT_EQ(list->GetImageList(LVSIL_STATE), check.GetSafeHandle());
        }
        // Lending it again returns the lent list, which stays valid.
        EXPECT_EQ(a.SetImageList(&small, LVSIL_SMALL), small.GetSafeHandle());
        ::DestroyWindow(owner);  // both lists go with their parent
        EXPECT_EQ(a.GetSafeHwnd(), nullptr);
    }
    // Neither list destroyed what it was lent.
    EXPECT_EQ(::ImageList_GetImageCount(check), 2);
    EXPECT_EQ(::ImageList_GetImageCount(small), 1);
    EXPECT_EQ(check.Add(icon), 2);
}

TEST(FwList, MovedImageListIsDestroyedOnce) {
    CImageList a;
    ASSERT_TRUE(a.Create(16, 16, ILC_COLOR32, 0, 1));
    const HIMAGELIST h = a;
    CImageList b(std::move(a));
    EXPECT_EQ(a.GetSafeHandle(), nullptr);
    EXPECT_FALSE(a.DeleteImageList());
    EXPECT_EQ(b.GetSafeHandle(), h);
    EXPECT_EQ(::ImageList_GetImageCount(h), 0);
    CImageList c;
    ASSERT_TRUE(c.Create(16, 16, ILC_COLOR32, 0, 1));
    c = std::move(b);
    EXPECT_EQ(c.GetSafeHandle(), h);
    EXPECT_TRUE(c.DeleteImageList());
}

}  // namespace
