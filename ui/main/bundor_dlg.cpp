// CBundorDlg: construction, destruction and the initialisation that builds the window.
#include "ui/main/bundor_dlg.h"

#include "res/resource.h"
#include "ui/main/icons/icons.h"
#include "ui/main/list_art.h"
#include "ui/main/main_layout.h"

CBundorDlg::CBundorDlg() : CDialog(IDD_BUNDOR_DIALOG) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_bmpCategoryBk.LoadBitmap(IDB_CATEGORY_BACK);
    m_bmpHeadLeft.LoadBitmap(IDB_HEAD_LEFT);
    m_bmpHeadMid.LoadBitmap(IDB_HEAD_MID);
    m_bmpHeadRight.LoadBitmap(IDB_HEAD_RIGHT);
    m_bmpFrameTop.LoadBitmap(IDB_FRAME_TOP);
    m_bmpFrameBottom.LoadBitmap(IDB_FRAME_BOTTOM);
    m_bmpFrameLeft.LoadBitmap(IDB_FRAME_LEFT);
    m_bmpFrameRight.LoadBitmap(IDB_FRAME_RIGHT);
    m_bmpFrameTopLeft.LoadBitmap(IDB_FRAME_TOP_LEFT);
    m_bmpFrameBottomLeft.LoadBitmap(IDB_FRAME_BOTTOM_LEFT);
    m_bmpFrameTopRight.LoadBitmap(IDB_FRAME_TOP_RIGHT);
    m_bmpFrameBottomRight.LoadBitmap(IDB_FRAME_BOTTOM_RIGHT);
    m_bmpCategoryLeft.LoadBitmap(IDB_CATEGORY_LEFT);
    m_bmpCategoryRight.LoadBitmap(IDB_CATEGORY_RIGHT);
    // A string that cannot be loaded leaves the working text as it was, and that is added.
    CString strAction;
    for (UINT nID : {IDS_ACTION_MANUAL, IDS_ACTION_AUTO, IDS_ACTION_SAVE}) {
        strAction.LoadString(nID);
        m_arrActions.Add(strAction);
    }
}

CBundorDlg::~CBundorDlg() {
    // The icon reader and the lists go before the image lists they fill or borrow. The reader
    // does not wait for a read in progress: the window goes at once.
    m_pIconFeed.reset();
    m_panes.Destroy();
}

BOOL CBundorDlg::OnInitDialog() {
    StartIcons();
    CDialog::OnInitDialog();
    AddAboutItem();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    FitToCatalogue();

    RECT rcClient{};
    GetClientRect(&rcClient);
    SharedListArt(GetFont());
    CreateImageLists();
    FillLists(rcClient);
    AddFirstIcons();
    CreateCategoryButtons();
    if (m_pConfig->bCountdown) CreateCountdown();
    CreateCommandButtons();

    Layout();
    CenterWindow();
    // Shows entry list 0 through the change notification (OnCategoryChanged).
    SelectCategoryRow(0);
    if (m_pIconFeed) SetTimer(kIconTimer, USER_TIMER_MINIMUM);
    return TRUE;
}

void CBundorDlg::AddAboutItem() {
    const HMENU hSysMenu = GetSystemMenu(FALSE);
    if (!hSysMenu) return;
    CString strAbout;
    strAbout.LoadString(IDS_ABOUTBOX);
    if (strAbout.IsEmpty()) return;
    ::AppendMenuW(hSysMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAbout);
}

void CBundorDlg::FitToCatalogue() {
    RECT rc{};
    GetWindowRect(&rc);
    // The screen the window is on, where it is centred afterwards.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ::GetMonitorInfoW(::MonitorFromWindow(GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &mi);
    const mainlayout::Size size = mainlayout::WindowSize(
        m_pConfig->nMainWidth, m_pConfig->nMainHeight,
        {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top});
    // W x H pixels wherever the window was put (the template puts it at the screen's origin).
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    MoveWindow(rc, TRUE);
    SetWindowText(m_pConfig->strTitleText.c_str());
}
