// CBundorDlg: the image buttons and the countdown labels.
#include "res/resource.h"
#include "ui/controls/forum_address.h"
#include "ui/main/bundor_dlg.h"
#include "ui/main/list_art.h"
#include "ui/main/main_texts.h"

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE;
constexpr COLORREF kTopBandButtonBk = 0x17BFFF;
constexpr COLORREF kSecondsText = RGB(255, 0, 0);

struct ButtonSpec {
    const wchar_t* pszCaption;
    DWORD dwStyle;
    int cx, cy;  // created size
    UINT nID;
    UINT nIn, nOut;         // bitmaps
    const wchar_t* pszTip;  // null: no tooltip
    COLORREF crBack;
};

// The background of every state: hovered or pressed, otherwise, focused.
void SetBackColors(CButtonST& button, COLORREF cr) {
    for (int slot : {CButtonST::BTNST_COLOR_BK_IN, CButtonST::BTNST_COLOR_BK_OUT,
                     CButtonST::BTNST_COLOR_BK_FOCUS})
        button.SetColor(slot, cr);
}

// Each button gets its own two bitmap objects, even where In and Out are the same picture.
void CreateButton(CXPStyleButtonST& button, CWnd* pParent, const ButtonSpec& spec) {
    const RECT rc{0, 0, spec.cx, spec.cy};
    button.Create(spec.pszCaption, spec.dwStyle, rc, pParent, spec.nID);
    button.SetFont(SharedListArt(nullptr).font, FALSE);
    button.SetImages(spec.nIn, spec.nOut);
    SetBackColors(button, spec.crBack);
    if (spec.pszTip) button.SetTipText(spec.pszTip);
}

}  // namespace

void CBundorDlg::CreateCategoryButtons() {
    // Both captions stay empty: the bitmaps carry the arrows.
    CreateButton(
        m_btnPrev, this,
        {L"", kButtonStyle, 140, 26, IDC_BTN_PREV, IDB_PREV, IDB_PREV, nullptr, m_crWindowBk});
    CreateButton(
        m_btnNext, this,
        {L"", kButtonStyle, 140, 26, IDC_BTN_NEXT, IDB_NEXT, IDB_NEXT, nullptr, m_crWindowBk});
}

void CBundorDlg::CreateCountdown() {
    m_nCountdown = m_pConfig->nWaitime;
    CString text;
    text.Format(L"%d", m_pConfig->nWaitime);
    m_lblSeconds.Create(text, kLabelStyle, RECT{0, 0, 20, 28}, this, IDC_LBL_SECONDS);
    m_lblSeconds.SetFontHeight(14);
    m_lblSeconds.SetFontWeight(FW_BOLD);
    m_lblSeconds.SetTextColor(kSecondsText);
    m_lblCountdown.Create(maintext::kCountdownLabel, kLabelStyle, RECT{0, 0, 140, 28}, this,
                          IDC_LBL_COUNTDOWN);
    m_lblCountdown.SetFontHeight(12);
    m_lblCountdown.SetFontWeight(FW_BOLD);
    m_lblCountdown.SetTextColor(m_crLinkSelected);
    SetTimer(kCountdownTimer, 1000);
}

void CBundorDlg::CreateCommandButtons() {
    CString strSelectAll, strSave, strInstall;
    strSelectAll.LoadString(IDS_BTN_SELECT_ALL);
    strSave.LoadString(IDS_BTN_SAVE);
    strInstall.LoadString(IDS_BTN_INSTALL);
    CreateButton(m_btnSelectAll, this,
                 {strSelectAll, kButtonStyle | BS_AUTOCHECKBOX, 140, 28, IDC_BTN_SELECT_ALL,
                  IDB_SELECT_ALL_IN, IDB_SELECT_ALL_OUT, maintext::kSelectAllTip, m_crWindowBk});
    CreateButton(m_btnSave, this,
                 {strSave, kButtonStyle, 104, 28, IDC_BTN_SAVE, IDB_SAVE_IN, IDB_SAVE_OUT,
                  maintext::kSaveTip, m_crWindowBk});
    // The install button's images and tooltip follow the install mode; they are set last.
    m_btnInstall.Create(strInstall, kButtonStyle, RECT{0, 0, 88, 28}, this, IDC_BTN_INSTALL);
    m_btnInstall.SetFont(SharedListArt(nullptr).font, FALSE);
    SetBackColors(m_btnInstall, m_crWindowBk);
    CreateButton(m_btnOptions, this,
                 {L"", kButtonStyle, 19, 28, IDC_BTN_OPTIONS, IDB_OPTIONS, IDB_OPTIONS,
                  maintext::kOptionsTip, m_crWindowBk});
    CreateButton(m_btnForum, this,
                 {L"", kButtonStyle, 95, 31, IDC_BTN_FORUM, IDB_FORUM_IN, IDB_FORUM_OUT,
                  maintext::kForumTip, kTopBandButtonBk});
    m_btnForum.SetLink(kForumHomePage);
    CreateButton(m_btnHelp, this,
                 {L"", kButtonStyle, 95, 31, IDC_BTN_HELP, IDB_HELP_IN, IDB_HELP_OUT,
                  maintext::kHelpTip, kTopBandButtonBk});
    ShowInstallMode();
}

// The install button's images and tooltip for the catalogue's install mode.
void CBundorDlg::ShowInstallMode() {
    const bool bAuto = m_pConfig->nDefault != 0;
    m_btnInstall.SetImages(bAuto ? IDB_INSTALL_AUTO_IN : IDB_INSTALL_MANUAL_IN,
                           bAuto ? IDB_INSTALL_AUTO_OUT : IDB_INSTALL_MANUAL_OUT);
    m_btnInstall.SetTipText(bAuto ? maintext::kAutoInstallTip : maintext::kManualInstallTip);
}
