#include "ui/main/icons/icon_prefetch.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "ui/main/icons/category_icon.h"
#include "ui/main/icons/entry_icon.h"

namespace {

enum class State : char { Waiting, Ready, Failed };

}  // namespace

struct CIconPrefetch::Shared {
    Shared(std::vector<Job> jobsIn, size_t nAheadIn)
        : jobs(std::move(jobsIn)),
          icons(jobs.size()),
          states(jobs.size(), State::Waiting),
          nAhead(nAheadIn ? nAheadIn : 1) {}

    const std::vector<Job> jobs;    // never changed: read without the lock
    std::vector<LoadedIcon> icons;  // by job
    std::vector<State> states;      // by job
    const size_t nAhead;
    size_t nStarted = 0;  // jobs that workers have taken
    size_t nTaken = 0;    // jobs that Next has returned
    bool bStop = false;
    std::mutex mutex;
    std::condition_variable ready;  // a job is done
    std::condition_variable room;   // Next took one, or the workers are to stop
};

CIconPrefetch::CIconPrefetch(std::vector<Job> jobs, size_t nWorkers, size_t nAhead)
    : m_shared(std::make_shared<Shared>(std::move(jobs), nAhead)) {
    try {
        for (; m_nWorkers < nWorkers && m_nWorkers < m_shared->jobs.size(); ++m_nWorkers)
            std::thread(&CIconPrefetch::Work, m_shared).detach();
    } catch (const std::system_error&) {
        // Fewer workers, or none: Next does what is left itself.
    }
}

CIconPrefetch::~CIconPrefetch() {
    std::vector<LoadedIcon> untaken;
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->bStop = true;
        untaken.swap(m_shared->icons);
    }
    m_shared->room.notify_all();
    // The icons not taken go here, outside the lock.
}

LoadedIcon CIconPrefetch::Load(const Job& job) {
    return job.bEntry ? LoadEntryIcon(job.path) : LoadCategoryIcon(job.path);
}

LoadedIcon CIconPrefetch::Next() {
    Shared& s = *m_shared;
    std::unique_lock lock(s.mutex);
    if (s.nTaken >= s.jobs.size()) return {};
    const size_t i = s.nTaken++;
    s.room.notify_all();
    // A job no worker has started is done here (there may be no worker at all).
    if (i >= s.nStarted) {
        s.nStarted = i + 1;
        lock.unlock();
        return Load(s.jobs[i]);
    }
    s.ready.wait(lock, [&] { return s.states[i] != State::Waiting; });
    if (s.states[i] == State::Failed) {
        lock.unlock();
        return Load(s.jobs[i]);
    }
    return std::move(s.icons[i]);
}

bool CIconPrefetch::IsReady() const {
    const Shared& s = *m_shared;
    if (s.nTaken >= s.jobs.size() || m_nWorkers == 0) return true;
    return s.nTaken < s.nStarted && s.states[s.nTaken] != State::Waiting;
}

bool CIconPrefetch::NextIsReady() {
    const std::lock_guard lock(m_shared->mutex);
    return IsReady();
}

bool CIconPrefetch::WaitForNext(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_shared->mutex);
    return m_shared->ready.wait_until(lock, deadline, [&] { return IsReady(); });
}

// Holds its own share of the state, so that it may outlive the prefetch that started it.
void CIconPrefetch::Work(const std::shared_ptr<Shared>& shared) {
    Shared& s = *shared;
    std::unique_lock lock(s.mutex);
    for (;;) {
        s.room.wait(lock, [&] {
            return s.bStop || s.nStarted >= s.jobs.size() || s.nStarted < s.nTaken + s.nAhead;
        });
        if (s.bStop || s.nStarted >= s.jobs.size()) return;
        const size_t i = s.nStarted++;
        lock.unlock();
        LoadedIcon icon;
        bool bDone = true;
        try {
            icon = Load(s.jobs[i]);
        } catch (...) {  // out of memory: the window tries again itself
            bDone = false;
        }
        lock.lock();
        // Nobody takes it any more: it goes here, on this thread, when this returns.
        if (s.bStop) return;
        s.icons[i] = std::move(icon);
        s.states[i] = bDone ? State::Ready : State::Failed;
        s.ready.notify_all();
    }
}
