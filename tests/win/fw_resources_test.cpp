// Long use keeps the GDI and USER object counts flat: windows, dialogs, lists with lent image
// lists, tooltips and self-drawn buttons created and destroyed 100 times.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "fw/controls.h"
#include "fw/dialog.h"
#include "fw/gdi.h"
#include "fw/image_list.h"
#include "fw/list_ctrl.h"
#include "tests/win/fw_test_support.h"
#include "tests/win/gui_object_count.h"

namespace {

TEST(FwResources, CountersSeeObjectsComeAndGo) {
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    ASSERT_GT(gdi, 0);  // the stock objects at least
    {
        CBrush brush;
        brush.CreateSolidBrush(RGB(1, 2, 3));
        CWnd w;
        ASSERT_TRUE(w.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
        EXPECT_EQ(GdiObjectCount(), gdi + 1);
        EXPECT_GE(UserObjectCount(), user + 1);
    }
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

// A button that paints through a memory bitmap, in a font of its own.
class BufferedButton : public CButton {
public:
    void DrawItem(DRAWITEMSTRUCT* pDIS) override {
        const RECT& rc = pDIS->rcItem;
        const int w = rc.right - rc.left, h = rc.bottom - rc.top;
        CMemoryDC mem(pDIS->hDC);
        CBitmap canvas(::CreateCompatibleBitmap(pDIS->hDC, w, h));
        CSelectObject selBitmap(mem, canvas);
        LOGFONTW lf{};
        lf.lfHeight = 14;
        lf.lfWeight = FW_BOLD;
        CFont font;
        font.CreateFontIndirect(&lf);
        CSelectObject selFont(mem, font);
        CBrush back;
        back.CreateSolidBrush(RGB(51, 51, 51));
        const RECT local{0, 0, w, h};
        ::FillRect(mem, &local, back);
        ::SetBkMode(mem, TRANSPARENT);
        ::DrawTextW(mem, L"安装", -1, const_cast<RECT*>(&local), DT_CENTER | DT_SINGLELINE);
        ::BitBlt(pDIS->hDC, rc.left, rc.top, w, h, mem, 0, 0, SRCCOPY);
    }
};

const fwtest::DialogTemplate& RichTemplate() {
    static const fwtest::DialogTemplate t(
        fwtest::kDialogStyle, 260, 160, L"资源",
        {{0x0081, WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_READONLY, 7, 7, 120, 40, 1001, L"x"},
         {0x0080, WS_VISIBLE | BS_PUSHBUTTON, 200, 140, 50, 14, IDOK, L"确定"}});
    return t;
}

// Shows its controls, paints them all once and ends.
class RichDlg : public fwtest::ActingDlg {
public:
    RichDlg() : ActingDlg(RichTemplate().Get(), nullptr, 5000, 1) {}

protected:
    BOOL OnInitDialog() override {
        m_edit.SubclassDlgItem(1001, this);
        m_edit.SetWindowText(L"第一行\r\n第二行");
        m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
        m_images.Add(::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)));
        m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED,
                      RECT{10, 90, 300, 200}, this, 1007);
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
        m_list.SetImageList(&m_images, LVSIL_STATE);
        m_list.SetImageList(&m_images, LVSIL_SMALL);
        m_list.InsertColumn(0, L"名称", LVCFMT_LEFT, 200);
        m_list.InsertItem(0, L"甲", 0);
        m_list.SetCheck(0, TRUE);
        m_plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{10, 210, 300, 260}, this, 1008);
        m_plain.SetExtendedStyle(LVS_EX_CHECKBOXES);  // its own check box images only
        m_plain.InsertColumn(0, L"名称", LVCFMT_LEFT, 100);
        m_plain.InsertItem(0, L"乙");
        m_button.Create(L"安装", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, RECT{320, 90, 408, 118},
                        this, 1003);
        m_tip.Create(&m_button);
        m_tip.SetMaxTipWidth(400);
        m_tip.AddTool(&m_button, L"自动安装所选软件", nullptr, 1);
        m_tip.Activate(TRUE);
        m_progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, RECT{10, 270, 300, 290}, this, 1000);
        m_progress.SetRange32(0, 3);
        m_progress.OffsetPos(1);
        m_label.Create(L"秒钟后开始自动安装!", WS_CHILD | WS_VISIBLE, RECT{320, 130, 460, 158},
                       this, 1009);
        return ActingDlg::OnInitDialog();
    }
    void OnAction() override {
        ::RedrawWindow(GetSafeHwnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EndDialog(IDOK);
    }

private:
    CEdit m_edit;
    CImageList m_images;
    CListCtrl m_list, m_plain;
    BufferedButton m_button;
    CToolTipCtrl m_tip;
    CProgressCtrl m_progress;
    CStatic m_label;
};

TEST(FwResources, DialogsAndWindowsLeaveTheCountsFlat) {
    auto cycle = [] {
        RichDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        // Objects that die before their windows (the windows go with them).
        CWnd popup;
        popup.CreateEx(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100}, nullptr, 0);
        CListCtrl list;
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 90, 90}, &popup, 1);
        list.SetExtendedStyle(LVS_EX_CHECKBOXES);
        CImageList images;
        images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
        list.SetImageList(&images, LVSIL_SMALL);
        fwtest::Pump();
    };
    // The first rounds fill caches of the system (fonts, classes, theme data).
    for (int i = 0; i < 3; ++i) cycle();
    const long gdi = GdiObjectCount(), user = UserObjectCount();
    for (int i = 0; i < 100; ++i) cycle();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(UserObjectCount(), user);
}

}  // namespace
