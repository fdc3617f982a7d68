// The resources as compiled into a program: bitmaps, icons, dialog templates, menus, strings,
// version and manifest, read back from this test program, which links the same resource
// object as the launcher.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"

namespace {

HMODULE Self() {
    return ::GetModuleHandleW(nullptr);
}

// The raw bytes of a resource, or an empty view.
std::pair<const BYTE*, DWORD> RawResource(LPCWSTR type, UINT nID) {
    const HRSRC hRes = ::FindResourceW(Self(), MAKEINTRESOURCEW(nID), type);
    if (!hRes) return {nullptr, 0};
    const HGLOBAL hData = ::LoadResource(Self(), hRes);
    return {static_cast<const BYTE*>(::LockResource(hData)), ::SizeofResource(Self(), hRes)};
}

TEST(Resources, EveryBitmapHasItsIdSizeAndDepth) {
    struct Expected {
        UINT id;
        LONG cx, cy;
    };
    const Expected bitmaps[] = {
        {130, 88, 28},  {131, 88, 28},  {132, 324, 69}, {133, 1, 69},   {134, 83, 28},
        {135, 83, 28},  {136, 1, 4},    {137, 4, 4},    {138, 4, 4},    {139, 4, 1},
        {140, 4, 1},    {141, 1, 4},    {142, 4, 4},    {143, 4, 4},    {144, 95, 31},
        {145, 95, 31},  {146, 95, 31},  {147, 95, 31},  {148, 1, 65},   {149, 86, 65},
        {150, 69, 65},  {151, 1, 65},   {152, 86, 65},  {153, 69, 65},  {154, 1, 65},
        {155, 16, 65},  {156, 19, 65},  {158, 88, 28},  {159, 88, 28},  {160, 19, 28},
        {161, 104, 28}, {162, 104, 28}, {163, 140, 24}, {164, 140, 24}, {165, 160, 1},
        {166, 1, 23},   {167, 16, 23},  {168, 16, 23},  {169, 109, 23}, {170, 16, 23},
        {171, 16, 23},  {179, 144, 26}, {180, 144, 26}, {181, 461, 69}, {182, 2, 1},
        {183, 2, 1},
    };
    for (const Expected& e : bitmaps) {
        SCOPED_TRACE(e.id);
        const auto [data, size] = RawResource(RT_BITMAP, e.id);
        ASSERT_NE(data, nullptr);
        ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
        const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(data);
        EXPECT_EQ(bih->biWidth, e.cx);
        EXPECT_EQ(bih->biHeight, e.cy);  // bottom-up, as a BMP file stores it
        EXPECT_EQ(bih->biBitCount, 24);
        // And the system loads it at that size.
        const HBITMAP hbm = ::LoadBitmapW(Self(), MAKEINTRESOURCEW(e.id));
        ASSERT_NE(hbm, nullptr);
        BITMAP bm{};
        ASSERT_TRUE(::GetObjectW(hbm, sizeof bm, &bm));
        EXPECT_EQ(bm.bmWidth, e.cx);
        EXPECT_EQ(bm.bmHeight, e.cy);
        ::DeleteObject(hbm);
    }
    // Nothing else: the ids in between are unused.
    for (UINT id : {129u, 157u, 172u, 176u, 178u, 184u})
        EXPECT_EQ(::FindResourceW(Self(), MAKEINTRESOURCEW(id), RT_BITMAP), nullptr) << id;
}

TEST(Resources, IconsCarryTheirSmallAndLargeImages) {
    for (UINT id : {128u, 174u, 175u, 177u}) {
        const auto [dir, size] = RawResource(RT_GROUP_ICON, id);
        ASSERT_NE(dir, nullptr) << id;
        for (int px : {16, 32}) {
            // The image the system picks for the size is exactly that size.
            const int nImage = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(dir), TRUE, px, px,
                                                             LR_DEFAULTCOLOR);
            const auto [bits, cb] = RawResource(RT_ICON, nImage);
            ASSERT_NE(bits, nullptr) << id << " " << px;
            const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
            EXPECT_EQ(bih->biWidth, px) << id;
            EXPECT_EQ(bih->biBitCount, 32) << id;
        }
    }
    // The application icon also has the large sizes: 16, 32, 48 and 256.
    const auto [dir, size] = RawResource(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_NE(dir, nullptr);
    EXPECT_EQ(reinterpret_cast<const WORD*>(dir)[2], 4);
}

// --- dialog templates ------------------------------------------------------------------------

struct DlgItemInfo {
    DWORD style, exStyle;
    short x, y, cx, cy;
    DWORD id;
    std::wstring cls;
    std::wstring text;
};
struct DlgInfo {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::wstring menu, cls, title, face;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::vector<DlgItemInfo> items;
};

class Reader {
public:
    explicit Reader(const BYTE* p) : m_p(p), m_start(p) {}
    WORD Word() {
        WORD w;
        memcpy(&w, m_p, 2);
        m_p += 2;
        return w;
    }
    DWORD Dword() {
        DWORD d;
        memcpy(&d, m_p, 4);
        m_p += 4;
        return d;
    }
    BYTE Byte() { return *m_p++; }
    // sz_Or_Ord: a string, or 0xFFFF and an ordinal (given as "#n").
    std::wstring SzOrOrd() {
        const WORD first = Word();
        if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
        std::wstring s;
        for (WORD c = first; c; c = Word()) s += static_cast<wchar_t>(c);
        return s;
    }
    void AlignDword() {
        while ((m_p - m_start) % 4) ++m_p;
    }
    void Skip(size_t n) { m_p += n; }

private:
    const BYTE* m_p;
    const BYTE* m_start;
};

DlgInfo ReadDialog(UINT nID) {
    const auto [data, size] = RawResource(RT_DIALOG, nID);
    DlgInfo d{};
    if (!data) return d;
    Reader r(data);
    EXPECT_EQ(r.Word(), 1);       // dlgVer: DIALOGEX
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature
    r.Dword();                    // help id
    d.exStyle = r.Dword();
    d.style = r.Dword();
    const WORD nItems = r.Word();
    d.x = static_cast<short>(r.Word());
    d.y = static_cast<short>(r.Word());
    d.cx = static_cast<short>(r.Word());
    d.cy = static_cast<short>(r.Word());
    d.menu = r.SzOrOrd();
    d.cls = r.SzOrOrd();
    d.title = r.SzOrOrd();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        d.weight = r.Word();
        d.italic = r.Byte();
        d.charset = r.Byte();
        d.face = r.SzOrOrd();
    }
    for (WORD i = 0; i < nItems; ++i) {
        r.AlignDword();
        DlgItemInfo it{};
        r.Dword();  // help id
        it.exStyle = r.Dword();
        it.style = r.Dword();
        it.x = static_cast<short>(r.Word());
        it.y = static_cast<short>(r.Word());
        it.cx = static_cast<short>(r.Word());
        it.cy = static_cast<short>(r.Word());
        it.id = r.Dword();
        it.cls = r.SzOrOrd();
        it.text = r.SzOrOrd();
        r.Skip(r.Word());  // creation data
        d.items.push_back(it);
    }
    return d;
}

void ExpectFrame(const DlgInfo& d, DWORD style, DWORD exStyle, short cx, short cy,
                 const wchar_t* title) {
    EXPECT_EQ(d.style, style);
    EXPECT_EQ(d.exStyle, exStyle);
    EXPECT_EQ(d.x, 0);
    EXPECT_EQ(d.y, 0);
    EXPECT_EQ(d.cx, cx);
    EXPECT_EQ(d.cy, cy);
    EXPECT_EQ(d.menu, L"");
    EXPECT_EQ(d.cls, L"");
    EXPECT_EQ(d.title, title);
    EXPECT_EQ(d.face, L"Tahoma");
    EXPECT_EQ(d.pointSize, 9);
    EXPECT_EQ(d.weight, 0);
    EXPECT_EQ(d.italic, 0);
}

TEST(Resources, DialogTemplatesHaveTheirFramesAndFonts) {
    {
        SCOPED_TRACE("about");
        const DlgInfo d = ReadDialog(IDD_ABOUTBOX);
        ExpectFrame(d, 0x80C800C0, 0, 217, 106, L"关于Norvane软件安装管理器");
        EXPECT_TRUE(d.items.empty());
    }
    {
        SCOPED_TRACE("main");
        const DlgInfo d = ReadDialog(IDD_BUNDOR_DIALOG);
        ExpectFrame(d, 0x90CB00C0, 0x00040000, 375, 227, L"");
        EXPECT_TRUE(d.items.empty());
    }
    {
        SCOPED_TRACE("progress");
        const DlgInfo d = ReadDialog(IDD_PROGRESS);
        ExpectFrame(d, 0x80C00040, 0x80, 263, 67, L"");
        EXPECT_TRUE(d.items.empty());
    }
}

TEST(Resources, ReportTemplateHasItsControlsInTabOrder) {
    const DlgInfo d = ReadDialog(IDD_MSGDLG);
    ExpectFrame(d, 0x80C800C0, 0x80, 290, 187, L"");
    ASSERT_EQ(d.items.size(), 4u);
    struct Expected {
        DWORD id;
        const wchar_t* cls;
        const wchar_t* text;
        short x, y, cx, cy;
        DWORD style;
    };
    // Classes by atom (0x80 button, 0x81 edit, 0x82 static) or by name.
    const Expected expected[] = {
        {1001, L"EDIT", L"", 7, 7, 276, 154, 0x50B108C4},
        {IDCANCEL, L"BUTTON", L"取消(&C)", 233, 166, 50, 14, 0x50010000},
        {IDOK, L"BUTTON", L"确定(&O)", 178, 166, 50, 14, 0x50010000},
        {1004, L"STATIC", L"", 7, 169, 171, 8, 0x50020100},
    };
    const std::wstring atoms[] = {L"#128", L"#129", L"#130"};
    const std::wstring names[] = {L"BUTTON", L"EDIT", L"STATIC"};
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const DlgItemInfo& it = d.items[i];
        const Expected& e = expected[i];
        EXPECT_EQ(it.id, e.id);
        std::wstring cls = it.cls;
        for (int k = 0; k < 3; ++k)
            if (cls == atoms[k]) cls = names[k];
        EXPECT_EQ(::CharUpperW(cls.data()), std::wstring(e.cls));
        EXPECT_EQ(it.text, e.text);
        EXPECT_EQ(it.x, e.x);
        EXPECT_EQ(it.y, e.y);
        EXPECT_EQ(it.cx, e.cx);
        EXPECT_EQ(it.cy, e.cy);
        EXPECT_EQ(it.style, e.style);
        EXPECT_EQ(it.exStyle, 0u);
    }
}

// --- menus and strings -----------------------------------------------------------------------

std::wstring MenuText(HMENU hMenu, UINT nPos) {
    wchar_t buf[128] = {};
    ::GetMenuStringW(hMenu, nPos, buf, 128, MF_BYPOSITION);
    return buf;
}

// A menu resource of one popup with its caption, holding the commands given (id, text) in order.
void ExpectMenu(UINT nID, const wchar_t* pszPopup,
                std::initializer_list<std::pair<UINT, const wchar_t*>> commands) {
    const HMENU hMenu = ::LoadMenuW(Self(), MAKEINTRESOURCEW(nID));
    ASSERT_NE(hMenu, nullptr);
    ASSERT_EQ(::GetMenuItemCount(hMenu), 1);
    EXPECT_EQ(MenuText(hMenu, 0), pszPopup);
    const HMENU hPopup = ::GetSubMenu(hMenu, 0);
    ASSERT_NE(hPopup, nullptr);
    ASSERT_EQ(::GetMenuItemCount(hPopup), static_cast<int>(commands.size()));
    UINT nPos = 0;
    for (const auto& [id, pszText] : commands) {
        EXPECT_EQ(::GetMenuItemID(hPopup, nPos), id);
        EXPECT_EQ(MenuText(hPopup, nPos++), pszText);
    }
    ::DestroyMenu(hMenu);
}

TEST(Resources, MenusHoldTheirPopupAndCommands) {
    ExpectMenu(IDR_MENU_OPTIONS, L"安装选项",
               {{32773, L"自动安装 (&A)"}, {32774, L"手动安装 (&M)"}});
    ExpectMenu(IDR_MENU_HELP, L"帮助", {{16, L"关于 (&A)..."}});
}

TEST(Resources, StringTableHoldsTheTwelveTexts) {
    const wchar_t* expected[] = {L"关于(&A)...", L"软件分类", L"全部软件", L"软件名称",
                                 L"软件大小",    L"相关操作", L"手动安装", L"自动安装",
                                 L"保存安装包",  L"(&A)",     L"(&S)",     L"(&I)"};
    for (UINT i = 0; i < 12; ++i) {
        wchar_t buf[64] = {};
        EXPECT_GT(::LoadStringW(Self(), 101 + i, buf, 64), 0) << 101 + i;
        EXPECT_STREQ(buf, expected[i]) << 101 + i;
    }
    wchar_t buf[8] = {};
    EXPECT_EQ(::LoadStringW(Self(), 100, buf, 8), 0);
    EXPECT_EQ(::LoadStringW(Self(), 113, buf, 8), 0);
}

// --- version and manifest --------------------------------------------------------------------

TEST(Resources, VersionInformationNamesTheProduct) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    DWORD handle = 0;
    const DWORD cb = ::GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(cb, 0u);
    std::vector<BYTE> info(cb);
    ASSERT_TRUE(::GetFileVersionInfoW(path, 0, cb, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    wchar_t* text = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\FileDescription",
                                 reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, L"软件安装管理器");
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\OriginalFilename",
                                 reinterpret_cast<void**>(&text), &len));
    EXPECT_STREQ(text, L"Bundor.exe");
}

TEST(Resources, ManifestAsksForCommonControls6AndDeclaresTheProgram) {
    const auto [data, size] = RawResource(RT_MANIFEST, 1);
    ASSERT_NE(data, nullptr);
    const std::string xml(reinterpret_cast<const char*>(data), size);
    for (const char* needle :
         {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          "publicKeyToken=\"6595b64144ccf1df\"",
          "requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
          "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false<"})
        EXPECT_NE(xml.find(needle), std::string::npos) << needle;

    // And the system took it: comctl32 comes from the side-by-side store, version 6.
    const HMODULE hComctl = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(hComctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(hComctl, path, MAX_PATH);
    ::CharLowerW(path);
    EXPECT_NE(std::wstring(path).find(L"\\winsxs\\"), std::wstring::npos) << path;
    EXPECT_NE(std::wstring(path).find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::wstring::npos)
        << path;
    ::FreeLibrary(hComctl);
}

}  // namespace
