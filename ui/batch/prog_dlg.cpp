#include "ui/batch/prog_dlg.h"

#include "res/resource.h"
#include "ui/batch/run_threads.h"

CProgDlg* g_pProgDlg = nullptr;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 60;
constexpr int kBarMargin = 7;
constexpr int kAboveWorkAreaBottom = 80;
constexpr const wchar_t* kRunNotStarted =
    L"无法开始处理所选软件 (系统资源不足), 请关闭一些程序后重试!";

}  // namespace

CProgDlg::CProgDlg(CWnd* pParentWnd) : CDialog(IDD_PROGRESS, pParentWnd) {
    g_pProgDlg = this;
}

// A run cannot outlive the window: its close requests are refused while it works. The pointer
// goes with the object, so nothing can reach a destroyed window through it.
CProgDlg::~CProgDlg() {
    if (g_pProgDlg == this) g_pProgDlg = nullptr;
}

BOOL CProgDlg::OnInitDialog() {
    MoveWindow(0, 0, kWidth, kHeight, TRUE);
    RECT rc{};
    GetClientRect(&rc);
    ::InflateRect(&rc, -kBarMargin, -kBarMargin);
    m_progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, rc, this, IDC_PROGRESS_BAR);

    // Centred while the owner is hidden means centred in the work area; then lifted to just
    // above its bottom, above every window that is not topmost.
    CenterWindow();
    RECT rcWindow{};
    GetWindowRect(&rcWindow);
    RECT rcWork{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    SetWindowPos(HWND_TOPMOST, rcWindow.left, rcWork.bottom - kAboveWorkAreaBottom, 0, 0,
                 SWP_NOSIZE);

    m_bRunWorking = true;
    if (!StartWork()) {
        // Without its run the window would stay for ever; the person is told why nothing
        // happened.
        m_bRunWorking = false;
        ::MessageBoxW(::GetParent(GetSafeHwnd()), kRunNotStarted,
                      m_nMode == 1 ? L"保存安装包" : L"软件安装", MB_OK | MB_ICONEXCLAMATION);
        PostMessage(WM_CLOSE);
    }
    return TRUE;
}

BOOL CProgDlg::StartWork() {
    return StartRun(*this);
}

// The run's own close request ends the window; one forced from outside while the run works
// would leave the run without its window, so it is refused.
void CProgDlg::OnClose() {
    if (m_bRunWorking) return;
    CDialog::OnCancel();
}

LRESULT CProgDlg::OnRunFailed(WPARAM, LPARAM lParam) {
    m_arrFailed.Add(CString(reinterpret_cast<const wchar_t*>(lParam)));
    return 0;
}

LRESULT CProgDlg::OnRunEnded(WPARAM, LPARAM) {
    m_bRunWorking = false;
    return 0;
}
