// Helpers of the main window's tests: catalogues built from text, a main window that records
// the tick changes it is told of, control rectangles, images as image lists draw them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/catalogue.h"
#include "app/profile.h"
#include "tests/win/list_ex_support.h"
#include "tests/win/main/test_medium.h"
#include "ui/main/bundor_dlg.h"

namespace maintest {

using testmedium::TempFolder;

// The catalogue as the launcher reads it from a file with this text beside exeFolder.
inline CatalogueModel MakeCatalogue(const std::wstring& text, const std::wstring& exeFolder) {
    return BuildCatalogue(CProfile(text), exeFolder);
}

// The text with every placeholder replaced by its value: catalogues are written out as raw
// strings, with the paths that only the test knows as placeholders such as {f}.
inline std::wstring Fill(std::wstring text,
                         std::initializer_list<std::pair<std::wstring, std::wstring>> values) {
    for (const auto& [name, value] : values)
        for (size_t at = text.find(name); at != std::wstring::npos;
             at = text.find(name, at + value.size()))
            text.replace(at, name.size(), value);
    return text;
}

// The [Type] section and a [<category>.List] section for each category, listing the entries'
// sections in order: Categories({{L"A", {L"a1", L"a2"}}}) for one category A of a1 and a2.
inline std::wstring Categories(
    std::initializer_list<std::pair<const wchar_t*, std::initializer_list<const wchar_t*>>>
        categories) {
    std::wstring type = L"[Type]\n", lists;
    int nSort = 0;
    for (const auto& [pszName, entries] : categories) {
        type += L"Sort" + std::to_wstring(++nSort) + L"=" + pszName + L"\n";
        lists += L"[" + std::wstring(pszName) + L".List]\n";
        int nList = 0;
        for (const wchar_t* pszEntry : entries)
            lists += L"List" + std::to_wstring(++nList) + L"=" + pszEntry + L"\n";
    }
    return type + lists;
}

// One LVN_ITEMCHANGED that moved a list's state image, as the window received it.
struct TickChange {
    UINT nID;
    int nItem;
    UINT nNew, nOld;
};

// The main window, recording the tick changes of every list before it acts on them.
class TestDlg : public CBundorDlg {
public:
    TestDlg() = default;
    explicit TestDlg(CatalogueConfig& config) { m_pConfig = &config; }
    std::vector<TickChange> m_ticks;

    using CBundorDlg::Layout;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const auto* pNM = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (pNM->hdr.code == LVN_ITEMCHANGED && ((pNM->uNewState ^ pNM->uOldState) & 0xF000))
            m_ticks.push_back(
                {static_cast<UINT>(pNM->hdr.idFrom), pNM->iItem, pNM->uNewState, pNM->uOldState});
        return CBundorDlg::OnNotify(wParam, lParam, pResult);
    }
};

// Lets the window add the icons it adds after it appears; false if they take too long.
inline bool WaitForIcons(const CBundorDlg& dlg, DWORD timeoutMs = 20000) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (dlg.IconsPending() && ::GetTickCount64() < end) {
        fwtest::Pump();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return !dlg.IconsPending();
}

// A control's rectangle in its parent's client coordinates.
inline RECT ClientRectOf(HWND hParent, HWND hChild) {
    RECT rc{};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(HWND_DESKTOP, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

inline bool operator==(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != 0;
}

inline std::string Describe(const RECT& rc) {
    return "(" + std::to_string(rc.left) + ", " + std::to_string(rc.top) + ") - (" +
           std::to_string(rc.right) + ", " + std::to_string(rc.bottom) + ")";
}

#define EXPECT_AT(parent, child, l, t, r, b)                                     \
    EXPECT_EQ(::maintest::Describe(::maintest::ClientRectOf((parent), (child))), \
              ::maintest::Describe(RECT{(l), (t), (r), (b)}))                    \
        << #child

// Makes the client area exactly cx x cy pixels.
inline void SetClientSize(HWND hWnd, int cx, int cy) {
    RECT rc{0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

inline SIZE ClientSize(HWND hWnd) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return SIZE{rc.right, rc.bottom};
}

// The texts of column `col` of every row.
inline std::vector<std::wstring> Column(const CListEx& list, int col) {
    std::vector<std::wstring> texts;
    for (int r = 0; r < list.GetItemCount(); ++r) texts.push_back(list.GetItemText(r, col).Str());
    return texts;
}

inline std::vector<int> Ticks(const CListEx& list) {
    std::vector<int> ticks;
    for (int r = 0; r < list.GetItemCount(); ++r) ticks.push_back(list.GetCheck(r));
    return ticks;
}

inline std::vector<int> Images(const CListEx& list) {
    std::vector<int> images;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        list.GetItem(&item);
        images.push_back(item.iImage);
    }
    return images;
}

// The tooltip text of an image button.
inline std::wstring TipText(const CButtonST& button) {
    wchar_t text[128] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = button.GetSafeHwnd();
    ti.uId = 1;
    ti.lpszText = text;
    ::SendMessageW(button.GetToolTipHwnd(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    return text;
}

// True when the button's In and Out images show the given bitmap resources.
inline bool ShowsImages(const CButtonST& button, UINT nIn, UINT nOut) {
    const HBITMAP hIn = uitest::LoadResBitmap(nIn);
    const HBITMAP hOut = uitest::LoadResBitmap(nOut);
    const bool same =
        uitest::Pixels::FromBitmap(button.GetImageIn()) == uitest::Pixels::FromBitmap(hIn) &&
        uitest::Pixels::FromBitmap(button.GetImageOut()) == uitest::Pixels::FromBitmap(hOut);
    ::DeleteObject(hIn);
    ::DeleteObject(hOut);
    return same;
}

// An image of an image list drawn with the given style over a background colour.
inline uitest::Pixels ImagePixels(HIMAGELIST hList, int nImage, int nSize = 32,
                                  UINT nStyle = ILD_TRANSPARENT, COLORREF bk = RGB(255, 255, 255)) {
    const uitest::Canvas canvas(nSize, nSize);
    uitest::Fill(canvas, canvas.Rect(), bk);
    ::ImageList_Draw(hList, nImage, canvas, 0, 0, nStyle);
    return canvas.Read();
}

// An empty image list of nSize x nSize images with masks, over white, as the window makes them.
inline CImageList WhiteImageList(int nSize = 32) {
    CImageList list;
    list.Create(nSize, nSize, ILC_COLOR32 | ILC_MASK, 0, 0);
    list.SetBkColor(RGB(255, 255, 255));
    return list;
}

}  // namespace maintest
