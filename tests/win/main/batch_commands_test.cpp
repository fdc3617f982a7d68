// The install and save buttons under Wine, in the real window, with the real batch run: the
// ticked entries' commands in catalogue order (an entry in two categories twice), the command
// of the mode switched to, the folder picker with its empty-path question, the confirmation
// cancelled and confirmed.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "res/resource.h"
#include "tests/win/main/commands_support.h"

namespace {

// The lines of a stand-in installer's log that record a start.
int Starts(const std::wstring& path) {
    const std::string log = testmedium::ReadText(path);
    int n = 0;
    for (size_t at = log.find("cmdline:"); at != std::string::npos;
         at = log.find("cmdline:", at + 1))
        ++n;
    return n;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(MainBatch, InstallAndSaveTheTickedEntries) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));  // the folder picker's new style needs it
    const maintest::TempFolder folder(L"bundor_main_batch");
    const std::wstring& f = folder.Path();
    ASSERT_TRUE(
        ::CopyFileW(testmedium::FakeInstaller().c_str(), (f + L"setup.exe").c_str(), FALSE));
    ::CreateDirectoryW((f + L"out").c_str(), nullptr);
    const std::wstring manual = f + L"setup.exe /log=" + f + L"manual.log";
    const std::wstring autoLog = f + L"auto.log";
    // a1 is listed in A and in B and ticked in both; a2 is not ticked.
    CatalogueModel model = maintest::MakeCatalogue(
        maintest::Fill(L"[Config]\nDefault=0\n" +
                           maintest::Categories({{L"A", {L"a1", L"a2"}}, {L"B", {L"a1"}}}) +
                           LR"([a1]
Checked=1
ManualInstall={manual}
AutoInstall={f}setup.exe /log={autoLog} /S
[a2]
)",
                       {{L"{manual}", manual}, {L"{f}", f}, {L"{autoLog}", autoLog}}),
        f);
    maintest::TestDlg dlg(model.config);
    HWND hBox = nullptr;
    // A message box of the window or of its run; the folder picker; the confirmation.
    const auto owned = cmdtest::BoxShown(dlg, hBox);
    const auto picker = [&] {
        hBox = cmdtest::FindOwned(dlg, L"#32770", IDOK);
        return hBox && !::GetDlgItem(hBox, cmdtest::kBoxText);
    };
    const auto any = [&] {
        return (hBox = cmdtest::FindOwned(nullptr, L"#32770", IDC_MSG_TEXT)) != nullptr;
    };
    const auto pick = [&](const wchar_t* pszPath) {
        if (pszPath) {
            ::SendMessageW(hBox, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(pszPath));
        } else {
            PIDLIST_ABSOLUTE pidl = nullptr;  // the computer: no file-system path
            ::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &pidl);
            ::SendMessageW(hBox, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(pidl));
            ::CoTaskMemFree(pidl);
        }
    };
    const std::wstring out = f + L"out";

    std::vector<uitest::Script::Step> steps = {
        {100, [&] { dlg.PostMessage(WM_COMMAND, IDC_BTN_INSTALL); }},
        {0,
         [&] {
             // Interactive mode: a1's ManualInstall once per category, the window hidden.
             const cmdtest::Box b = cmdtest::ReadBox(hBox);
             EXPECT_EQ(b.text, L"所有项目安装完毕!");
             EXPECT_EQ(Starts(f + L"manual.log"), 2);
             EXPECT_FALSE(dlg.IsWindowVisible());
             ASSERT_EQ(dlg.m_arrCommands.GetSize(), 2);
             EXPECT_EQ(dlg.m_arrCommands[1].Str(), manual);
             cmdtest::Press(hBox, IDOK);
         },
         owned},
        {300,
         [&] {
             EXPECT_TRUE(dlg.IsWindowVisible());
             dlg.SendMessage(WM_COMMAND, ID_OPTION_AUTO);
             dlg.PostMessage(WM_COMMAND, IDC_BTN_INSTALL);
         }},
        {0,
         [&] {
             EXPECT_EQ(Starts(autoLog), 2);
             EXPECT_EQ(Starts(f + L"manual.log"), 2);
             cmdtest::Press(hBox, IDOK);
         },
         owned},
        // Saving without SavePath: the picker; the computer has no path, so the question.
        {300, [&] { dlg.PostMessage(WM_COMMAND, IDC_BTN_SAVE); }},
        {200, [&] { pick(nullptr); }, picker},
        {300, [&] { ::PostMessageW(hBox, WM_COMMAND, IDOK, 0); }},
        {0,
         [&] {
             const cmdtest::Box b = cmdtest::ReadBox(hBox);
             EXPECT_EQ(b.caption, L"保存安装包");
             EXPECT_EQ(b.text, L"您选择的路径为空, 是否重新选择?");
             EXPECT_EQ(b.icon, IDI_QUESTION);
             EXPECT_TRUE(b.bYesNo);
             cmdtest::Press(hBox, IDYES);
         },
         owned},
        // Yes: the picker again, now a real folder; the confirmation lists ManualInstall twice.
        {200, [&] { pick(out.c_str()); }, picker},
        {300, [&] { ::PostMessageW(hBox, WM_COMMAND, IDOK, 0); }},
        {0,
         [&] {
             EXPECT_EQ(cmdtest::TextOf(hBox), L"您确定要开始保存如下软件么?");
             EXPECT_EQ(cmdtest::TextOf(::GetDlgItem(hBox, IDC_MSG_TEXT)),
                       manual + L"\r\n" + manual + L"\r\n");
             ::PostMessageW(hBox, WM_COMMAND, IDCANCEL, 0);
         },
         any},
        {300,
         [&] {
             EXPECT_FALSE(Exists(out + L"\\setup.exe"));
             EXPECT_TRUE(dlg.IsWindowVisible());
             // With a SavePath there is no picker: the confirmation, confirmed.
             model.config.strSavePath = out + L"\\";
             dlg.PostMessage(WM_COMMAND, IDC_BTN_SAVE);
         }},
        {0, [&] { ::PostMessageW(hBox, WM_COMMAND, IDOK, 0); }, any},
        {0,
         [&] {
             EXPECT_EQ(cmdtest::ReadBox(hBox).text, L"所有项目保存完毕!");
             EXPECT_TRUE(Exists(out + L"\\setup.exe"));
             cmdtest::Press(hBox, IDOK);
         },
         owned},
        {300, [&] { EXPECT_TRUE(dlg.IsWindowVisible()); }},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps), 40000), 0);
    ::OleUninitialize();
}

// A click sent by an accessibility tool (no key, no press the countdown could see), then, while
// its run works, the about item, the save button and the install button again, and the
// countdown's zero: each waits its turn, so the one installer runs once and the run ends with
// its message instead of the program.
TEST(MainBatch, CommandsGivenDuringARunAreRefused) {
    const maintest::TempFolder folder(L"bundor_main_one_at_a_time");
    const std::wstring& f = folder.Path();
    ASSERT_TRUE(
        ::CopyFileW(testmedium::FakeInstaller().c_str(), (f + L"setup.exe").c_str(), FALSE));
    const std::wstring log = f + L"run.log";
    CatalogueModel model = maintest::MakeCatalogue(
        maintest::Fill(L"[Config]\nWaitime=2\n" + maintest::Categories({{L"A", {L"a1"}}}) + LR"([a1]
Checked=1
AutoInstall={f}setup.exe /log={log} /sleep=3000
)",
                       {{L"{f}", f}, {L"{log}", log}}),
        f);
    maintest::TestDlg dlg(model.config);
    HWND hBox = nullptr;
    const auto owned = cmdtest::BoxShown(dlg, hBox);
    const auto others = [&] {
        const HWND hAbout = cmdtest::FindOwned(dlg, L"#32770", IDOK);
        EXPECT_TRUE(hAbout == nullptr || hAbout == hBox) << "a second command ran";
    };
    const auto knock = [&] {
        dlg.PostMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        dlg.PostMessage(WM_COMMAND, IDC_BTN_SAVE);
        dlg.m_btnInstall.PostMessage(BM_CLICK);
    };
    std::vector<uitest::Script::Step> steps = {
        {100, [&] { dlg.m_btnInstall.PostMessage(BM_CLICK); }},
        {1000,
         [&] {
             EXPECT_EQ(model.config.bCountdown, 0) << "the click stopped the countdown";
             EXPECT_FALSE(dlg.IsWindowVisible());
             knock();
         }},
        {1500, [&] { knock(); }},  // past the countdown's zero
        {0,
         [&] {
             EXPECT_EQ(cmdtest::ReadBox(hBox).text, L"所有项目安装完毕!");
             EXPECT_EQ(Starts(log), 1);
             others();
             cmdtest::Press(hBox, IDOK);
         },
         owned},
        {500,
         [&] {
             EXPECT_TRUE(dlg.IsWindowVisible());
             EXPECT_EQ(Starts(log), 1);
             hBox = nullptr;
             others();
         }},
    };
    EXPECT_EQ(uitest::RunModal(dlg, std::move(steps), 20000), 0);
}

}  // namespace
