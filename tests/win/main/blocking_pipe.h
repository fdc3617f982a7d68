// A named pipe that never answers, as an icon path whose read blocks (a share that does not
// answer, a disc that does not come): the reader's CreateFileW connects at once and its
// ReadFile waits. The test answers when it chooses; without an answer the pipe gives up after
// a time, so that code that waits for the read makes its test fail instead of hang.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <utility>

namespace testpipe {

class BlockingPipe {
public:
    BlockingPipe(const std::wstring& name, DWORD nGiveUpMs)
        : m_path(L"\\\\.\\pipe\\" + name),
          m_hPipe(::CreateNamedPipeW(m_path.c_str(), PIPE_ACCESS_OUTBOUND,
                                     PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr)),
          m_hAnswer(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          m_answerer([this, nGiveUpMs] {
              if (::WaitForSingleObject(m_hAnswer, nGiveUpMs) == WAIT_OBJECT_0 &&
                  !m_bytes.empty()) {
                  DWORD written = 0;
                  ::WriteFile(m_hPipe, m_bytes.data(), static_cast<DWORD>(m_bytes.size()), &written,
                              nullptr);
              }
              // The reader reads what was written, then learns that the pipe is closed.
              ::CloseHandle(m_hPipe);
          }) {}
    ~BlockingPipe() {
        ::SetEvent(m_hAnswer);
        m_answerer.join();
        ::CloseHandle(m_hAnswer);
    }
    BlockingPipe(const BlockingPipe&) = delete;
    BlockingPipe& operator=(const BlockingPipe&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool IsOpen() const { return m_hPipe != INVALID_HANDLE_VALUE; }

    // Ends the read with these bytes (none: the read fails). Once only.
    void Answer(std::string bytes) {
        m_bytes = std::move(bytes);
        ::SetEvent(m_hAnswer);
    }

private:
    std::wstring m_path;
    HANDLE m_hPipe;
    HANDLE m_hAnswer;
    std::string m_bytes;  // read by the answerer only once the event is set
    std::thread m_answerer;
};

}  // namespace testpipe
