#include "ops/run_log.h"

#include <chrono>
#include <cstdio>
#include <system_error>

#include "app/utf.h"

namespace runlog {

WString Exited(uint32_t exitCode, bool accepted) {
    const std::string text = "exit " + std::to_string(exitCode) + (accepted ? "" : " (failure)");
    return WString(text.begin(), text.end());
}

}  // namespace runlog

namespace {

void AppendField(std::string& line, const WString& field) {
    WString clean = field;
    for (WChar& c : clean)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    line += WideToUtf8(clean);
}

const char* KindWord(RunLogKind kind) {
    switch (kind) {
        case RunLogKind::BatchInstall:
            return "batch-install";
        case RunLogKind::BatchSave:
            return "batch-save";
        case RunLogKind::LinkInstall:
            return "link-install";
        case RunLogKind::LinkSave:
            return "link-save";
    }
    return "";
}

}  // namespace

std::string FormatRunLogLine(const RunLogRecord& record, const std::string& dateTime) {
    std::string line = dateTime;
    line += '\t';
    line += KindWord(record.kind);
    line += '\t';
    AppendField(line, record.command);
    line += '\t';
    AppendField(line, record.file);
    line += '\t';
    AppendField(line, record.outcome);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "\t%.1f\r\n", record.seconds < 0 ? 0.0 : record.seconds);
    line += seconds;
    return line;
}

// What the writer thread shares with the object; the thread keeps it alive after the object
// has gone.
struct CRunLogWriter::Shared {
    Sink sink;
    size_t nMaxQueued;
    std::mutex mutex;
    std::condition_variable wake;     // a line queued, or stop
    std::condition_variable drained;  // the queue is empty and nothing is being written
    std::deque<std::string> queue;
    bool bWriting = false;
    bool bStop = false;
    bool bSinkFailed = false;
};

CRunLogWriter::CRunLogWriter(Clock clock, Sink sink, size_t nMaxQueued)
    : m_clock(std::move(clock)), m_shared(std::make_shared<Shared>()) {
    m_shared->sink = std::move(sink);
    m_shared->nMaxQueued = nMaxQueued;
    try {
        std::thread(Work, m_shared).detach();
    } catch (const std::system_error&) {
        m_shared->bSinkFailed = true;  // no thread, no log: the run goes on without
    }
}

CRunLogWriter::~CRunLogWriter() {
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->bStop = true;
    }
    m_shared->wake.notify_all();
}

void CRunLogWriter::Write(const RunLogRecord& record) {
    std::string line = FormatRunLogLine(record, m_clock());
    {
        const std::lock_guard lock(m_shared->mutex);
        if (m_shared->bSinkFailed || m_shared->queue.size() >= m_shared->nMaxQueued) return;
        m_shared->queue.push_back(std::move(line));
    }
    m_shared->wake.notify_one();
}

bool CRunLogWriter::Flush(unsigned nMilliseconds) {
    std::unique_lock lock(m_shared->mutex);
    return m_shared->drained.wait_for(lock, std::chrono::milliseconds(nMilliseconds), [&] {
        return (m_shared->queue.empty() && !m_shared->bWriting) || m_shared->bSinkFailed;
    });
}

void CRunLogWriter::Work(std::shared_ptr<Shared> shared) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->bStop || !shared->queue.empty(); });
        if (shared->queue.empty()) return;  // stopped with nothing left
        std::string line = std::move(shared->queue.front());
        shared->queue.pop_front();
        shared->bWriting = true;
        lock.unlock();
        bool written = false;
        try {
            written = shared->sink(line);
        } catch (...) {
        }
        lock.lock();
        shared->bWriting = false;
        if (!written) {
            shared->bSinkFailed = true;
            shared->queue.clear();
        }
        if (shared->queue.empty()) shared->drained.notify_all();
        if (shared->bSinkFailed || (shared->bStop && shared->queue.empty())) return;
    }
}
