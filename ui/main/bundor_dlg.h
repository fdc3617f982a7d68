// CBundorDlg: the main window. It shows the catalogue in a category list beside a stack of
// entry lists, in its own skin, with the command buttons and the optional countdown labels.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/catalogue.h"
#include "fw/arrays.h"
#include "fw/dialog.h"
#include "fw/gdi.h"
#include "fw/image_list.h"
#include "ops/package_check.h"
#include "res/resource.h"
#include "ui/controls/list_ex.h"
#include "ui/controls/static_time.h"
#include "ui/controls/xp_style_button_st.h"
#include "ui/main/entry_panes.h"

class CIconFeed;

class CBundorDlg : public CDialog {
public:
    CBundorDlg();
    ~CBundorDlg() override;

    // Every control is created by OnInitDialog; the set of controls, lists, rows and columns
    // never changes afterwards. The members are the window's state as the other windows and
    // the tests read it.
    CListEx m_listCategory;  // 1000; row 0 all software, row k + 1 category k
    CXPStyleButtonST m_btnPrev;
    CXPStyleButtonST m_btnNext;
    CXPStyleButtonST m_btnSelectAll;
    CXPStyleButtonST m_btnSave;
    CXPStyleButtonST m_btnInstall;
    CXPStyleButtonST m_btnOptions;
    CXPStyleButtonST m_btnForum;
    CXPStyleButtonST m_btnHelp;
    // The entry lists with their image lists and row counts, and the ticks (see CEntryPanes).
    CEntryPanes m_panes;
    // n + 1 lists for n categories: list 0 shows every entry under header rows, list k + 1
    // category k alone; list i has the id 1007 + i. Null without categories array. Owned by
    // m_panes.
    const std::unique_ptr<CListEx[]>& m_pEntryLists = m_panes.Lists();
    CStaticTime m_lblSeconds;    // only with the countdown
    CStaticTime m_lblCountdown;  // only with the countdown
    int m_nCountdown = 0;
    // Set by the application before DoModal; never null while the window exists.
    CatalogueConfig* m_pConfig = nullptr;
    // Whether a found package may be started or copied, by the catalogue's [Hashes] and
    // RequireHashes; set by the application, lives as long as the process. Null: always.
    const CPackageCheck* m_pPackageCheck = nullptr;
    HICON m_hIcon = nullptr;
    CImageList m_imgCategory;  // 16 x 16: all software, then one icon per category
    CImageList m_imgCheck;     // 16 x 16: unticked, ticked
    // 32 x 32 entry icons, indexed like m_pEntryLists; owned by m_panes.
    const std::unique_ptr<CImageList[]>& m_pEntryImages = m_panes.ImageLists();
    COLORREF m_crWindowBk = RGB(51, 51, 51);
    COLORREF m_crPanelBk = RGB(82, 82, 82);
    COLORREF m_crLinkNormal = RGB(255, 204, 0);
    COLORREF m_crLinkSelected = RGB(255, 204, 0);
    CBitmap m_bmpCategoryBk;
    CBitmap m_bmpHeadLeft;
    CBitmap m_bmpHeadMid;
    CBitmap m_bmpHeadRight;
    CBitmap m_bmpFrameTop;
    CBitmap m_bmpFrameBottom;
    CBitmap m_bmpFrameLeft;
    CBitmap m_bmpFrameRight;
    CBitmap m_bmpFrameTopLeft;
    CBitmap m_bmpFrameBottomLeft;
    CBitmap m_bmpFrameTopRight;
    CBitmap m_bmpFrameBottomRight;
    CBitmap m_bmpCategoryLeft;
    CBitmap m_bmpCategoryRight;
    RECT m_rcCategory{};  // written by every layout, read by the background painting
    RECT m_rcEntries{};
    int m_nCurList = 0;          // index of the shown entry list
    CStringArray m_arrActions;   // the three action links of every entry row
    CStringArray m_arrCommands;  // the commands handed to a batch run

    // The number of entry lists (categories + 1), 0 without a categories array.
    int GetEntryListCount() const { return m_panes.Count(); }

    // True while icons of the catalogue are still to go into the image lists: those the
    // first view shows are in when the window appears, the others follow as they are read.
    bool IconsPending() const { return m_pIconFeed != nullptr; }

    // A key press or a left click anywhere in the window stops the countdown; the message then
    // goes on as usual.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    // Enter and Escape never close the window.
    void OnOK() override {}
    void OnCancel() override {}
    // Sees every notification before the list it comes from does: tick mirroring and the
    // category list's clicks.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Every command of the buttons and menus: refused while another command is in progress,
    // and otherwise the countdown stops first, however the command was given.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CDialog::ProcessMessageTable(ctx);
    }

    // The layout of every control for the current client size (WM_SIZE).
    void Layout();

private:
    // --- construction (bundor_dlg.cpp, bundor_dlg_fill.cpp) ---
    void AddAboutItem();
    void FitToCatalogue();
    void CreateImageLists();
    void CreateCategoryList(const RECT& rcClient);
    void SetUpEntryList(int nIndex, int nImages, const RECT& rcClient);
    void FillLists(const RECT& rcClient);
    void FinishEntryList(CListEx& list);
    void CreateCategoryButtons();
    void CreateCountdown();
    void CreateCommandButtons();

    // --- the icons that come in after the window appears (icons/bundor_dlg_icons.cpp) ---
    void StartIcons();
    void AddFirstIcons();
    void AddReadIcons();
    void RepaintNewImages(CListEx& list, int nBefore, int nAfter);

    // --- painting and system commands (bundor_dlg_paint.cpp) ---
    void OnSize(UINT nType, int cx, int cy);
    fw::Reply OnGetMinMaxInfo(MINMAXINFO* pInfo);
    BOOL OnEraseBkgnd(HDC hDC);
    void PaintBackground(HDC hDC, int W, int H) const;
    fw::Reply OnPaint();
    HCURSOR OnQueryDragIcon();
    fw::Reply OnSysCommand(UINT nID, LPARAM lParam);
    void OnAbout();

    // --- commands (bundor_dlg_commands.cpp) ---
    void OnSelectAll();
    void OnPrevCategory();
    void OnNextCategory();
    void OnInstallOptions();
    void OnHelpMenu();
    void OnModeAuto();
    void OnModeManual();
    void ShowPopupMenu(UINT nMenu, const CWnd& button, bool bModeChecks);
    void SetInstallMode(int nDefault);
    void ShowInstallMode();

    // --- one command at a time (bundor_dlg_command_scope.cpp) ---
    // A command from its start to its end. Only one exists at a time: one begun while another
    // is in progress is refused (the object is then false) and does nothing.
    class CCommandScope {
    public:
        // A command that a person gave stops the countdown; the countdown's own install
        // passes bStopCountdown false.
        explicit CCommandScope(CBundorDlg& dlg, bool bStopCountdown = true);
        ~CCommandScope();
        CCommandScope(const CCommandScope&) = delete;
        CCommandScope& operator=(const CCommandScope&) = delete;
        explicit operator bool() const { return m_bOwner; }

    private:
        CBundorDlg& m_dlg;
        bool m_bOwner;
    };

    // --- the countdown (bundor_dlg_countdown.cpp) ---
    fw::Reply OnTimer(UINT_PTR nIDEvent);
    void StopCountdown();
    void RelayoutAfterPress(const MSG& msg);

    // --- batch commands (bundor_dlg_batch.cpp) ---
    void OnInstall();
    // The install that the countdown starts when it reaches zero.
    void InstallAtCountdownEnd();
    // An install run of the ticked entries; a countdown run ends the program as the catalogue
    // says.
    void RunInstall(bool bCountdownRun);
    void OnSavePackages();
    // Fills m_arrCommands with the ticked entries' commands in catalogue order; for a save,
    // also the list text shown in the confirmation.
    void CollectTicked(bool bSave, CString* pListText);
    int BrowseForFolder(const wchar_t* pszPrompt, CString& strFolder);

    // --- single-entry actions (bundor_dlg_actions.cpp) ---
    void RunEntryAction(const NMITEMACTIVATE* pNM);
    int BrowseSaveFile(const CString& strInitial, CString& strChosen);
    int MessageBox(const wchar_t* pszText, const wchar_t* pszCaption, UINT nType) const {
        return ::MessageBoxW(GetSafeHwnd(), pszText, pszCaption, nType);
    }

    // --- selection and ticks (bundor_dlg_select.cpp) ---
    void OnCategoryClick(const NMITEMACTIVATE* pNM);
    LRESULT OnCategoryReselect(NMHDR* pNM);
    LRESULT OnCategoryChanged(NMLISTVIEW* pNM);
    void UpdateSelectAllBox();
    void SelectCategoryRow(int nRow);

    static constexpr fw::MsgEntry kMessages[] = {
        fw::Msg<WM_SIZE, &CBundorDlg::OnSize>,
        fw::Msg<WM_GETMINMAXINFO, &CBundorDlg::OnGetMinMaxInfo>,
        fw::Msg<WM_ERASEBKGND, &CBundorDlg::OnEraseBkgnd>,
        fw::Msg<WM_PAINT, &CBundorDlg::OnPaint>,
        fw::Msg<WM_QUERYDRAGICON, &CBundorDlg::OnQueryDragIcon>,
        fw::Msg<WM_SYSCOMMAND, &CBundorDlg::OnSysCommand>,
        fw::Msg<WM_TIMER, &CBundorDlg::OnTimer>,
        fw::Cmd<IDM_ABOUTBOX, &CBundorDlg::OnAbout>,
        fw::Cmd<IDC_BTN_SELECT_ALL, &CBundorDlg::OnSelectAll>,
        fw::Cmd<IDC_BTN_SAVE, &CBundorDlg::OnSavePackages>,
        fw::Cmd<IDC_BTN_INSTALL, &CBundorDlg::OnInstall>,
        fw::Cmd<IDC_BTN_OPTIONS, &CBundorDlg::OnInstallOptions>,
        fw::Cmd<IDC_BTN_HELP, &CBundorDlg::OnHelpMenu>,
        fw::Cmd<IDC_BTN_PREV, &CBundorDlg::OnPrevCategory>,
        fw::Cmd<IDC_BTN_NEXT, &CBundorDlg::OnNextCategory>,
        fw::Cmd<ID_OPTION_AUTO, &CBundorDlg::OnModeAuto>,
        fw::Cmd<ID_OPTION_MANUAL, &CBundorDlg::OnModeManual>,
        fw::Notify<IDC_CATEGORY_LIST, NM_DBLCLK, &CBundorDlg::OnCategoryReselect>,
        fw::Notify<IDC_CATEGORY_LIST, NM_RCLICK, &CBundorDlg::OnCategoryReselect>,
        fw::Notify<IDC_CATEGORY_LIST, NM_RDBLCLK, &CBundorDlg::OnCategoryReselect>,
        fw::Notify<IDC_CATEGORY_LIST, LVN_ITEMCHANGED, &CBundorDlg::OnCategoryChanged>,
    };

    // The window's timers.
    static constexpr UINT_PTR kCountdownTimer = 1;  // a second of the countdown
    static constexpr UINT_PTR kIconTimer = 2;       // icons read since the last tick go in

    // Reads the icons from the start of the initialisation until the last is in.
    std::unique_ptr<CIconFeed> m_pIconFeed;
    // A press on the select-all box stopped the countdown: the box moves with the layout, so
    // the window is laid out again only once the press is over (or the click would miss it).
    bool m_bLayoutAfterPress = false;
    // A command is in progress (see CCommandScope).
    bool m_bCommandActive = false;
};
