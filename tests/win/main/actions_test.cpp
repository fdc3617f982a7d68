// The action links of the entry rows under Wine, in the real window: a found installer started
// without a wait and without a message, a missing and an unstartable one reported, a package
// saved through the save-as dialog (cancelled; confirmed onto an existing file), from the
// all-entries list and from a category's own list.
#include <windows.h>

#include "tests/win/main/commands_support.h"

namespace {

ULONGLONG SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Posts a click on link k (1 to 3) of a row, found where the list says the link is hot.
bool ClickLink(const CListEx& list, int nRow, int k) {
    list.EnsureVisible(nRow, FALSE);
    RECT rc{};
    ListView_GetSubItemRect(list.GetSafeHwnd(), nRow, 2, LVIR_BOUNDS, &rc);
    for (int y = rc.top + 17; y < rc.top + 34; y += 4)
        for (int x = rc.left; x < rc.right; x += 2) {
            const LPARAM at = MAKELPARAM(x, y);
            list.SendMessage(WM_MOUSEMOVE, 0, at);
            if (list.GetHotLink() != k) continue;
            list.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
            list.PostMessage(WM_LBUTTONUP, 0, at);
            return true;
        }
    return false;
}

TEST(MainActions, StartAndSaveOneEntry) {
    const maintest::TempFolder folder(L"bundor_main_actions");
    const std::wstring& f = folder.Path();
    ASSERT_TRUE(
        ::CopyFileW(testmedium::FakeInstaller().c_str(), (f + L"setup.exe").c_str(), FALSE));
    ASSERT_TRUE(folder.WriteFile(L"readme.bundor-no-association", 10));  // no program opens it
    ::CreateDirectoryW((f + L"pkg").c_str(), nullptr);
    ASSERT_TRUE(folder.WriteFile(L"pkg\\old.exe", 5));
    const std::wstring log = f + L"started.log";
    const std::wstring missing = f + L"missing.exe";
    // A is the first category, so b1 in the all-entries list lies past two header rows.
    CatalogueModel model = maintest::MakeCatalogue(
        maintest::Fill(L"[Config]\nDefault=0\nSavePath={f}pkg\\\n" +
                           maintest::Categories({{L"A", {L"a1", L"a2"}}, {L"B", {L"b0", L"b1"}}}) +
                           LR"([a1]
ManualInstall={f}setup.exe
AutoInstall={missing}
[a2]
ManualInstall={f}readme.bundor-no-association
AutoInstall={f}readme.bundor-no-association
[b0]
[b1]
AutoInstall={f}setup.exe /log={log} /S
ManualInstall={missing}
)",
                       {{L"{f}", f}, {L"{missing}", missing}, {L"{log}", log}}),
        f);
    maintest::TestDlg dlg(model.config);
    const CListEx* lists = nullptr;
    HWND hBox = nullptr, hSave = nullptr, hAsk = nullptr;
    const auto box = [&] { return (hBox = cmdtest::FindOwned(dlg)) != nullptr; };
    const auto save = [&] { return (hSave = cmdtest::FindOwned(dlg)) != nullptr; };
    const auto expectBox = [&](const wchar_t* pszCaption, const std::wstring& text, LPCWSTR icon) {
        const cmdtest::Box b = cmdtest::ReadBox(hBox);
        EXPECT_EQ(b.caption, pszCaption);
        EXPECT_EQ(b.text, text);
        EXPECT_EQ(b.icon, icon);
        EXPECT_TRUE(b.bOk);
        cmdtest::Press(hBox, IDOK);
    };
    const wchar_t* kNotFound = L"文件没找到, 请检查安装文件路径!\n\n文件原始路径: ";

    std::vector<uitest::Script::Step> steps = {
        {100,
         [&] {
             lists = dlg.m_pEntryLists.get();
             // b1's "自动安装" in the all-entries list (row 5): started with its parameters.
             ASSERT_TRUE(ClickLink(lists[0], 5, 2));
         }},
        {0,
         [&] {
             EXPECT_NE(testmedium::ReadText(log).find("/log="), std::string::npos);
             EXPECT_NE(testmedium::ReadText(log).find(" /S"), std::string::npos);
             EXPECT_EQ(cmdtest::FindOwned(dlg), nullptr);  // no message
             // b1's "手动安装": its installer is missing.
             ASSERT_TRUE(ClickLink(lists[0], 5, 1));
         },
         [&] { return testmedium::ReadText(log).find("end") != std::string::npos; }},
        {0, [&] { expectBox(L"手动安装", kNotFound + missing, IDI_EXCLAMATION); }, box},
        {100,
         [&] {
             // a2's "自动安装": the file is there, but nothing can start it.
             ASSERT_TRUE(ClickLink(lists[0], 2, 2));
         }},
        // The shell's own question about a program for the file comes first: declined.
        {0, [&] { ::PostMessageW(hBox, WM_CLOSE, 0, 0); },
         [&] { return (hBox = cmdtest::FindOwned(nullptr)) != nullptr; }},
        {0,
         [&] {
             expectBox(L"自动安装",
                       L"文件运行失败, 请检查安装文件路径!\n\n文件原始路径: " + f +
                           L"readme.bundor-no-association",
                       IDI_EXCLAMATION);
         },
         box},
        {100,
         [&] {
             // In A's own list: a1's package, proposed under SavePath; the dialog cancelled.
             dlg.m_listCategory.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED,
                                             LVIS_SELECTED | LVIS_FOCUSED);
             ASSERT_EQ(dlg.m_nCurList, 1);
             ASSERT_TRUE(ClickLink(lists[1], 0, 3));
         }},
        {300,
         [&] {
             EXPECT_NE(cmdtest::TextOf(::GetDlgItem(hSave, 0x47C)).find(L"setup.exe"),
                       std::wstring::npos);
             ::PostMessageW(hSave, WM_COMMAND, IDCANCEL, 0);
         },
         save},
        {300,
         [&] {
             EXPECT_EQ(cmdtest::FindOwned(dlg), nullptr);
             EXPECT_EQ(::GetFileAttributesW((f + L"pkg\\setup.exe").c_str()),
                       INVALID_FILE_ATTRIBUTES);
             ASSERT_TRUE(ClickLink(lists[1], 0, 3));
         }},
        {300,
         [&] {
             // Onto an existing file: the dialog asks, and yes overwrites it.
             ::SetWindowTextW(::GetDlgItem(hSave, 0x47C), (f + L"pkg\\old.exe").c_str());
             cmdtest::Press(hSave, IDOK);
         },
         save},
        {0,
         [&] {
             EXPECT_TRUE(cmdtest::ReadBox(hAsk).bYesNo);
             cmdtest::Press(hAsk, IDYES);
         },
         [&] { return (hAsk = cmdtest::FindOwned(hSave)) != nullptr; }},
        {0,
         [&] {
             expectBox(L"保存安装包", L"安装文件保存完毕!\n\n文件保存路径: " + f + L"pkg\\old.exe",
                       IDI_INFORMATION);
             EXPECT_EQ(SizeOf(f + L"pkg\\old.exe"), SizeOf(f + L"setup.exe"));
         },
         [&] { return box() && hBox != hSave && ::IsWindowVisible(hBox) && !::IsWindow(hSave); }},
        {200,
         [&] {
             // a1's "自动安装" names a missing file.
             ASSERT_TRUE(ClickLink(lists[1], 0, 2));
         }},
        {0, [&] { expectBox(L"自动安装", kNotFound + missing, IDI_EXCLAMATION); }, box},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps), 30000), 0);
}

}  // namespace
