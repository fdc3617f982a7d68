// A named pipe that never answers, as an icon path whose read blocks (a share that does not
// answer, a disc that does not come): the reader's CreateFileW connects at once and its
// ReadFile waits until the pipe closes. It closes when the test says so, or by itself after a
// time, so that code that waits for the read makes its test fail instead of hang.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace testpipe {

class BlockingPipe {
public:
    BlockingPipe(const std::wstring& name, DWORD nGiveUpMs)
        : m_path(L"\\\\.\\pipe\\" + name),
          m_hPipe(::CreateNamedPipeW(m_path.c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr)),
          m_hClose(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_closer([this, nGiveUpMs] {
              ::WaitForSingleObject(m_hClose, nGiveUpMs);
              ::CloseHandle(m_hPipe);  // the read fails: the pipe is broken
          }) {}
    ~BlockingPipe() {
        Close();
        m_closer.join();
        ::CloseHandle(m_hClose);
    }
    BlockingPipe(const BlockingPipe&) = delete;
    BlockingPipe& operator=(const BlockingPipe&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool IsOpen() const { return m_hPipe != INVALID_HANDLE_VALUE; }
    void Close() { ::SetEvent(m_hClose); }

private:
    std::wstring m_path;
    HANDLE m_hPipe;
    HANDLE m_hClose;
    std::thread m_closer;
};

}  // namespace testpipe
