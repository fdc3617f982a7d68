#include "fw/app.h"

#include <vector>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() {
    if (!g_pApp) g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* CWinApp::GetApp() {
    return g_pApp;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

std::wstring CWinApp::ModulePath() const {
    // GetModuleFileNameW cuts the path short without saying so other than by filling the
    // buffer: grow until the result fits.
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::wstring();
        if (n < buf.size() - 1) return std::wstring(buf.data(), n);
        if (buf.size() >= 32768) return std::wstring();
        buf.resize(buf.size() * 2);
    }
}

std::wstring CWinApp::ProfileName() const {
    if (m_bProfileNameSet) return m_strProfileName;
    std::wstring name = ModulePath();
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name.empty() ? std::wstring() : name + L".INI";
}

void CWinApp::SetProfileName(const std::wstring& path) {
    m_strProfileName = path;
    m_bProfileNameSet = true;
}

int fw::RunApp() {
    CWinApp* pApp = CWinApp::GetApp();
    if (!pApp) return 1;
    try {
        if (!pApp->InitInstance()) return 0;
    } catch (...) {
        return 1;
    }
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
