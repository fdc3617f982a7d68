// The main window at the edges of what it is given: an icon read that never ends, a catalogue
// that asks for a window larger than any screen, and a process at its GDI quota.
#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "tests/win/main/blocking_pipe.h"
#include "tests/win/gdi_quota.h"
#include "tests/win/main/main_test_support.h"

namespace {

using maintest::TestDlg;
using uitest::Pixels;

// The error mode of a thread of this process as its thread block holds it: SetThreadErrorMode
// and GetThreadErrorMode reach the calling thread's only.
DWORD ThreadErrorMode(HANDLE hThread) {
    struct BasicInformation {
        LONG nExitStatus;
        BYTE* pTeb;
        void* ids[2];
        ULONG_PTR affinity;
        LONG priority, basePriority;
    } info{};
    using QueryFn = LONG(NTAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationThread")));
    if (!query || query(hThread, 0, &info, sizeof info, nullptr) != 0 || !info.pTeb) return 0;
    constexpr size_t kHardErrorMode = sizeof(void*) == 8 ? 0x16B0 : 0xF28;
    return *reinterpret_cast<const DWORD*>(info.pTeb + kHardErrorMode);
}

// The thread of this process, other than the caller, whose error mode is dwMode; null if none.
HANDLE FindThreadInMode(DWORD dwMode) {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    HANDLE found = nullptr;
    for (BOOL more = ::Thread32First(snapshot, &entry); more && !found;
         more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != ::GetCurrentProcessId() ||
            entry.th32ThreadID == ::GetCurrentThreadId())
            continue;
        const HANDLE h =
            ::OpenThread(THREAD_QUERY_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ThreadID);
        if (h && ThreadErrorMode(h) == dwMode)
            found = h;
        else if (h)
            ::CloseHandle(h);
    }
    ::CloseHandle(snapshot);
    return found;
}

// The second entry's icon is a pipe that never answers: the window still appears, once it has
// waited its while for the first view's icons, with the icons before that one in; the read
// runs in the quiet error mode; closing the window and dropping it do not wait for the read;
// and the reader, once the read fails, ends on its own, touching nothing of the window that
// went.
TEST(MainWindow, ClosesAtOnceWhileAnIconReadIsBlocked) {
    testpipe::BlockingPipe pipe(L"bundor_blocked_icon", 15000);
    ASSERT_TRUE(pipe.IsOpen());
    const std::wstring zip = lxtest::CheckoutPath(L"demo/icons/zip.ico");
    CatalogueModel model = maintest::MakeCatalogue(
        maintest::Fill(maintest::Categories({{L"常用", {L"甲", L"乙", L"丙"}}}) + LR"([常用]
IconPath={zip}
[甲]
IconPath={zip}
[乙]
IconPath={pipe}
[丙]
IconPath={zip}
)",
                       {{L"{zip}", zip}, {L"{pipe}", pipe.Path()}}),
        L"C:\\");
    // This thread's block shows the quiet mode as the reader's must.
    DWORD dwOld = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &dwOld);
    const DWORD dwQuiet = ThreadErrorMode(::GetCurrentThread());
    ::SetThreadErrorMode(0, nullptr);
    ASSERT_NE(dwQuiet, ThreadErrorMode(::GetCurrentThread()));
    ::SetThreadErrorMode(dwOld, nullptr);

    HANDLE hReader = nullptr;
    ULONGLONG closed = 0;
    {
        TestDlg dlg(model.config);
        const ULONGLONG start = ::GetTickCount64();
        const auto opened = [&] {
            EXPECT_LT(::GetTickCount64() - start, 8000u);
            EXPECT_TRUE(::IsWindowVisible(dlg));
            EXPECT_TRUE(dlg.IconsPending());
            EXPECT_EQ(dlg.m_imgCategory.GetImageCount(), 2);
            EXPECT_EQ(dlg.m_pEntryImages[0].GetImageCount(), 1);
            hReader = FindThreadInMode(dwQuiet);
            EXPECT_NE(hReader, nullptr) << "no thread reads in the quiet error mode";
        };
        EXPECT_EQ(uitest::RunModal(dlg, {{0, opened}}), 0);
        closed = ::GetTickCount64();
    }
    EXPECT_LT(::GetTickCount64() - closed, 1000u) << "the window waited for the read";
    if (!hReader) return;
    pipe.Close();
    EXPECT_EQ(::WaitForSingleObject(hReader, 5000), WAIT_OBJECT_0);
    ::CloseHandle(hReader);
}

// MainWidth and MainHeight of the largest integer: the window takes the work area of its
// screen. Its background then paints the same picture when there is room for one more GDI
// object only (not for both the buffer's device context and its bitmap), and its colours when
// there is none (no device context for the bitmaps either).
TEST(MainWindow, AHugeSizeFitsTheScreenAndPaintsWithoutItsBuffer) {
    CatalogueModel model =
        maintest::MakeCatalogue(L"[Config]\nMainWidth=2147483647\nMainHeight=2147483647\n" +
                                    maintest::Categories({{L"常用", {L"甲"}}}),
                                L"C:\\");
    TestDlg dlg(model.config);
    const auto check = [&] {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoW(::MonitorFromWindow(dlg, MONITOR_DEFAULTTONEAREST), &mi);
        RECT rc{};
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(maintest::Describe(rc), maintest::Describe(mi.rcWork));

        const SIZE client = maintest::ClientSize(dlg);
        const uitest::Canvas target(client.cx, client.cy);
        const auto paint = [&] {
            uitest::Fill(target, target.Rect(), RGB(255, 0, 255));
            dlg.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(target)));
        };
        paint();
        const Pixels buffered = target.Read();
        EXPECT_EQ(buffered.Count(RGB(255, 0, 255)), 0);
        {
            const GdiQuota quota(1);
            ASSERT_GT(quota.Taken(), 1000u);
            paint();
        }
        EXPECT_TRUE(target.Read() == buffered);
        {
            const GdiQuota quota(0);
            paint();
        }
        // The two colours and nothing else: no bitmap, and nothing left unpainted.
        const Pixels bare = target.Read();
        EXPECT_EQ(bare.Count(RGB(51, 51, 51)) + bare.Count(RGB(82, 82, 82)), client.cx * client.cy);
        EXPECT_GT(bare.Count(RGB(82, 82, 82)), 0);
    };
    EXPECT_EQ(uitest::RunModal(dlg, {{0, check}}), 0);
}

}  // namespace
