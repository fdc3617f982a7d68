// Helpers of the catalogue list's window tests: an owner window that records what the list
// tells it, the real art and demo icons loaded from the checkout, and lists set up the way the
// main window sets up its entry lists and its category list.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "fw/gdi.h"
#include "fw/image_list.h"
#include "fw/wnd.h"
#include "tests/win/fw_test_support.h"
#include "tests/win/ui/ui_test_support.h"
#include "ui/controls/list_ex.h"

namespace lxtest {

using uitest::Pixels;

inline constexpr UINT kListId = 1007;
inline constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                                    LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_OWNERDRAWFIXED;
// The main window's colours.
inline constexpr COLORREF kWindowBk = RGB(51, 51, 51);
inline constexpr COLORREF kPanelBk = RGB(82, 82, 82);
inline constexpr COLORREF kLinkGold = RGB(255, 204, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kDetailGrey = RGB(204, 204, 204);

// A file of the checkout as Wine sees it (drive Z:), from a path relative to its root.
inline std::wstring CheckoutPath(const wchar_t* pszRelative) {
    std::string here = __FILE__;  // <root>/tests/win/list_ex_support.h
    for (int i = 0; i < 3; ++i) here.erase(here.find_last_of("/\\"));
    std::wstring path = L"Z:" + std::wstring(here.begin(), here.end()) + L"/" + pszRelative;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

inline HBITMAP LoadArtBitmap(const wchar_t* pszName) {
    const std::wstring path = CheckoutPath((std::wstring(L"res/art/") + pszName).c_str());
    return static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

inline HICON LoadIconFile(const std::wstring& path, int size) {
    return static_cast<HICON>(
        ::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
}

// The list bitmaps, tick boxes, entry icons and font of the main window.
struct Art {
    CBitmap entryMid, entryLeft, entryRight, entrySelMid, entrySelLeft, entrySelRight;
    CBitmap headerMid, headerLeft, headerRight;
    CBitmap categoryMid, categoryLeft, categoryRight, categorySelMid, categorySelLeft,
        categorySelRight, categoryBack;
    CImageList check;          // 16 x 16: unticked, ticked
    CImageList entryIcons;     // 32 x 32: the demo icons
    CImageList categoryIcons;  // 16 x 16: all software, then the demo icons
    CFont font;

    // The bitmaps come from the art files (or from wherever loadBitmap takes their file names
    // to, such as the program's resources).
    bool Load(HBITMAP (*loadBitmap)(const wchar_t* pszFile) = &LoadArtBitmap) {
        entryMid.Attach(loadBitmap(L"entry-row-mid.bmp"));
        entryLeft.Attach(loadBitmap(L"entry-row-left.bmp"));
        entryRight.Attach(loadBitmap(L"entry-row-right.bmp"));
        entrySelMid.Attach(loadBitmap(L"entry-row-sel-mid.bmp"));
        entrySelLeft.Attach(loadBitmap(L"entry-row-sel-left.bmp"));
        entrySelRight.Attach(loadBitmap(L"entry-row-sel-right.bmp"));
        headerMid.Attach(loadBitmap(L"header-row-mid.bmp"));
        headerLeft.Attach(loadBitmap(L"header-row-left.bmp"));
        headerRight.Attach(loadBitmap(L"header-row-right.bmp"));
        categoryMid.Attach(loadBitmap(L"category-row-mid.bmp"));
        categoryLeft.Attach(loadBitmap(L"category-row-left.bmp"));
        categoryRight.Attach(loadBitmap(L"category-row-right.bmp"));
        categorySelMid.Attach(loadBitmap(L"category-row-sel-mid.bmp"));
        categorySelLeft.Attach(loadBitmap(L"category-row-sel-left.bmp"));
        categorySelRight.Attach(loadBitmap(L"category-row-sel-right.bmp"));
        categoryBack.Attach(loadBitmap(L"category-back.bmp"));

        check.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
        check.SetBkColor(kPanelBk);
        for (const wchar_t* name : {L"res/art/tick-off.ico", L"res/art/tick-on.ico"}) {
            const HICON icon = LoadIconFile(CheckoutPath(name), 16);
            check.Add(icon);
            ::DestroyIcon(icon);
        }
        entryIcons.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 0);
        entryIcons.SetBkColor(kWhite);
        categoryIcons.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
        categoryIcons.SetBkColor(kPanelBk);
        const HICON all = LoadIconFile(CheckoutPath(L"res/art/all-software.ico"), 16);
        categoryIcons.Add(all);
        ::DestroyIcon(all);
        for (const wchar_t* name :
             {L"demo/icons/system.ico", L"demo/icons/office.ico", L"demo/icons/zip.ico",
              L"demo/icons/viewer.ico", L"demo/icons/ime.ico", L"demo/icons/notepad.ico",
              L"demo/icons/cleaner.ico", L"demo/icons/common.ico"}) {
            const HICON icon = LoadIconFile(CheckoutPath(name), 32);
            entryIcons.Add(icon);
            categoryIcons.Add(icon);
            ::DestroyIcon(icon);
        }
        // The dialog font of the main window's template (9 point Tahoma, linked to the CJK
        // font for Chinese text).
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpyW(lf.lfFaceName, L"Tahoma");
        font.CreateFontIndirect(&lf);
        return entryMid.GetSafeHandle() && entrySelRight.GetSafeHandle() &&
               headerRight.GetSafeHandle() && categorySelRight.GetSafeHandle() &&
               categoryBack.GetSafeHandle() && check.GetImageCount() == 2 &&
               entryIcons.GetImageCount() == 8 && categoryIcons.GetImageCount() == 9 &&
               font.GetSafeHandle();
    }

    CListEx::RowBitmaps EntrySet() {
        return {&entryMid,     &entrySelMid, &entrySelMid,   &entryLeft,    &entrySelLeft,
                &entrySelLeft, &entryRight,  &entrySelRight, &entrySelRight};
    }
    CListEx::RowBitmaps HeaderSet() {
        return {&headerMid,  &headerMid,   &headerMid,   &headerLeft, &headerLeft,
                &headerLeft, &headerRight, &headerRight, &headerRight};
    }
    CListEx::RowBitmaps CategorySet() {
        return {&categoryMid,   &categorySelMid,   &categorySelMid,
                &categoryLeft,  &categorySelLeft,  &categorySelLeft,
                &categoryRight, &categorySelRight, &categorySelRight};
    }
};

// A topmost popup at a fixed place of the screen that owns the lists under test, paints its
// client area in one colour and records the lists' notifications as the main window gets them.
class Owner : public CWnd {
public:
    struct Change {
        int item;
        UINT newState, oldState;
        bool IsTick() const { return ((newState ^ oldState) & LVIS_STATEIMAGEMASK) != 0; }
    };
    struct Click {
        int item, subItem;
        int hotLink;  // GetHotLink() as the owner reads it on NM_CLICK
    };

    BOOL Create(const RECT& rcScreen = RECT{40, 40, 760, 480}) {
        if (!CreateEx(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                      rcScreen, nullptr, 0))
            return FALSE;
        ::SetForegroundWindow(GetSafeHwnd());
        return TRUE;
    }

    std::vector<Change> m_changes;
    std::vector<Click> m_clicks;
    CListEx* m_pList = nullptr;

    std::vector<Change> TickChanges() const {
        std::vector<Change> ticks;
        for (const Change& c : m_changes) {
            if (c.IsTick()) ticks.push_back(c);
        }
        return ticks;
    }

protected:
    bool ProcessMessageTable(fw::MsgContext& ctx) override {
        return ctx.Run(*this, kMessages) || CWnd::ProcessMessageTable(ctx);
    }

private:
    void OnChanged(NMLISTVIEW* p) { m_changes.push_back({p->iItem, p->uNewState, p->uOldState}); }
    void OnClick(NMITEMACTIVATE* p) {
        m_clicks.push_back({p->iItem, p->iSubItem, m_pList ? m_pList->GetHotLink() : -1});
    }
    BOOL OnEraseBkgnd(HDC hDC) { return uitest::EraseBackground(GetSafeHwnd(), hDC, kWindowBk); }
    static constexpr fw::MsgEntry kMessages[] = {
        fw::Notify<kListId, LVN_ITEMCHANGED, &Owner::OnChanged>,
        fw::Notify<kListId, NM_CLICK, &Owner::OnClick>,
        fw::Msg<WM_ERASEBKGND, &Owner::OnEraseBkgnd>,
    };
};

// One catalogue entry as the lists show it.
struct Entry {
    const wchar_t* name;
    const wchar_t* detail;
    const wchar_t* size;
};

inline CStringArray Actions() {
    CStringArray links;
    links.Add(L"手动安装");
    links.Add(L"自动安装");
    links.Add(L"保存安装包");
    return links;
}

// Captions of header rows (null for none), each followed by its entries.
using Groups = std::vector<std::pair<const wchar_t*, std::vector<Entry>>>;

// Creates an entry list the way the main window does (columns, extended style, image lists,
// font, colours, skins, 65-pixel rows) and fills it: a header row per caption given, followed
// by its entries, each with its size and the three action links. The owner reads its links.
inline bool BuildEntryList(CListEx& list, Owner& owner, Art& art, const RECT& rc,
                           const Groups& groups, bool bSkinned = true) {
    if (!list.Create(kListStyle, rc, &owner, kListId)) return false;
    owner.m_pList = &list;
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
    list.SetImageList(&art.entryIcons, LVSIL_SMALL);
    list.SetImageList(&art.check, LVSIL_STATE);
    list.SetFont(art.font, FALSE);
    list.SetLook(0);
    list.AddColumn(0, L"软件名称", LVCFMT_LEFT, 200);
    list.AddColumn(1, L"软件大小", LVCFMT_CENTER, 100);
    list.AddColumn(2, L"相关操作", LVCFMT_CENTER, 180);
    list.AddColumn(3, L"", LVCFMT_CENTER, 30);
    const CStringArray actions = Actions();
    int r = 0, image = 0;
    for (const auto& group : groups) {
        if (group.first) list.AddRow(r++, group.first, CListEx::NO_IMAGE, CListEx::ROW_HEADER);
        for (const Entry& e : group.second) {
            list.AddRow(r, e.name, image++ % 8, CListEx::ROW_ENTRY, e.detail);
            list.SetCellText(r, 1, e.size);
            list.SetCellLinks(r, 2, actions);
            ++r;
        }
    }
    list.SetItemHeight(65);
    list.SetBackColor(kPanelBk);
    list.SetTextColors(kWhite, kWhite, kWhite);
    list.SetDetailColors(kDetailGrey, kDetailGrey, kDetailGrey);
    list.SetLinkColors(kLinkGold, kLinkGold, kLinkGold);
    if (bSkinned) {
        list.SetEntryRowBitmaps(art.EntrySet());
        list.SetHeaderRowBitmaps(art.HeaderSet());
        list.SetSkinFlags(CListEx::SKIN_ENTRYROWS | CListEx::SKIN_HEADERROWS |
                          CListEx::SKIN_THREESLICE);
    }
    return true;
}

// Creates the category list the way the main window does (panel look, 23-pixel rows, no
// scroll bars, 16 x 16 icons) with one row per text; row i shows icon i.
inline bool BuildCategoryList(CListEx& list, CWnd& owner, Art& art, const RECT& rc, UINT nID,
                              const std::vector<const wchar_t*>& rows) {
    if (!list.Create(kListStyle, rc, &owner, nID)) return false;
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    list.SetImageList(&art.categoryIcons, LVSIL_SMALL);
    list.SetFont(art.font, FALSE);
    list.ShowScrollBars(FALSE);
    list.SetIconSize(16, 16);
    list.SetLook(CListEx::LOOK_PANEL);
    list.AddColumn(0, L"软件分类", LVCFMT_CENTER, rc.right - rc.left);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i);
        list.AddRow(r, L"", r);
        list.SetCellText(r, 0, rows[i]);
    }
    list.SetBkBitmap(&art.categoryBack);
    list.SetItemHeight(23);
    list.SetBackColor(kWindowBk);
    list.SetTextColors(RGB(204, 204, 204), kWhite, kWhite);
    list.SetEntryRowBitmaps(art.CategorySet());
    list.SetSkinFlags(CListEx::SKIN_ENTRYROWS | CListEx::SKIN_THREESLICE);
    return true;
}

// What the list's window tests start from: the art, an owner shown at its place and the list
// under test, with the pointer parked away from them.
struct ListBench {
    // Parks the pointer, loads the art and shows the owner.
    bool Open() {
        uitest::MouseTo(POINT{2, 2});
        return m_art.Load() && m_owner.Create();
    }
    // The list as an entry list, 640 x 420 at the owner's top left.
    bool BuildEntries(const Groups& groups, bool bSkinned = true) {
        return BuildEntryList(m_list, m_owner, m_art, RECT{0, 0, 640, 420}, groups, bSkinned);
    }

    Art m_art;
    Owner m_owner;
    CListEx m_list;
};

// Handles what is waiting, then keeps handling messages for about ms milliseconds.
inline void PumpFor(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        fwtest::Pump();
        ::Sleep(5);
    } while (::GetTickCount64() < end);
    fwtest::Pump();
}

// Paints the window (and its children) now and reads back its client area from the screen.
inline Pixels Shot(HWND hWnd) {
    ::RedrawWindow(hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump();
    return Pixels::FromWindow(hWnd);
}

inline RECT ItemRect(const CListCtrl& list, int nRow, UINT nCode) {
    RECT rc{};
    list.GetItemRect(nRow, &rc, nCode);
    return rc;
}

// A press and release of the left button at a client point, as messages.
inline void ClickAt(const CWnd& list, POINT pt) {
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    list.SendMessage(WM_MOUSEMOVE, 0, at);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
    fwtest::Pump();
}

inline void MoveTo(const CWnd& list, POINT pt) {
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

}  // namespace lxtest
