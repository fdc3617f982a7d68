// The application object: module and profile file names, start-up through RunApp.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "fw/app.h"

namespace {

TEST(FwApp, ProfileNameDefaultsToTheExecutableNameWithIni) {
    CWinApp app;
    const std::wstring module = app.ModulePath();
    ASSERT_GT(module.size(), 4u);
    EXPECT_EQ(module.substr(1, 2), L":\\");
    EXPECT_EQ(::GetFileAttributesW(module.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    // win_tests.exe -> win_tests.INI, without a folder.
    std::wstring base = module.substr(module.rfind(L'\\') + 1);
    base = base.substr(0, base.rfind(L'.'));
    EXPECT_EQ(app.ProfileName(), base + L".INI");
    app.SetProfileName(L"E:\\setup\\catalogue.ini");
    EXPECT_EQ(app.ProfileName(), L"E:\\setup\\catalogue.ini");
}

class StartApp : public CWinApp {
public:
    int m_nInit = 0;
    BOOL m_bResult = FALSE;
    bool m_bThrow = false;
    BOOL InitInstance() override {
        ++m_nInit;
        if (m_bThrow) throw std::runtime_error("start-up failure");
        if (m_bResult) ::PostQuitMessage(3);
        return m_bResult;
    }
};

TEST(FwApp, RunAppRunsTheOneApplicationObject) {
    EXPECT_EQ(CWinApp::GetApp(), nullptr);
    EXPECT_EQ(fw::RunApp(), 1);  // no application object
    StartApp app;
    StartApp second;  // only the first one constructed is the application
    EXPECT_EQ(CWinApp::GetApp(), &app);
    EXPECT_EQ(fw::RunApp(), 0);
    EXPECT_EQ(app.m_nInit, 1);
    EXPECT_EQ(second.m_nInit, 0);
    // TRUE: a message loop runs until WM_QUIT, whose code is the exit code.
    app.m_bResult = TRUE;
    EXPECT_EQ(fw::RunApp(), 3);
    app.m_bThrow = true;
    EXPECT_EQ(fw::RunApp(), 1);
}

}  // namespace
