#include "ui/main/icon_prefetch.h"

#include <system_error>
#include <utility>

#include "ui/main/category_icon.h"

CIconPrefetch::CIconPrefetch(std::vector<Job> jobs, size_t nWorkers, size_t nAhead)
    : m_jobs(std::move(jobs)),
      m_icons(m_jobs.size()),
      m_states(m_jobs.size(), State::Waiting),
      m_nAhead(nAhead ? nAhead : 1) {
    try {
        for (size_t i = 0; i < nWorkers && i < m_jobs.size(); ++i)
            m_workers.emplace_back(&CIconPrefetch::Work, this);
    } catch (const std::system_error&) {
        // Fewer workers, or none: Next does what is left itself.
    }
}

CIconPrefetch::~CIconPrefetch() {
    {
        const std::lock_guard lock(m_mutex);
        m_bStop = true;
    }
    m_room.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

LoadedIcon CIconPrefetch::Load(const Job& job) {
    return job.bEntry ? LoadEntryIcon(job.path) : LoadCategoryIcon(job.path);
}

LoadedIcon CIconPrefetch::Next() {
    std::unique_lock lock(m_mutex);
    if (m_nTaken >= m_jobs.size()) return {};
    const size_t i = m_nTaken++;
    m_room.notify_all();
    // A job no worker has started is done here (there may be no worker at all).
    if (i >= m_nStarted) {
        m_nStarted = i + 1;
        lock.unlock();
        return Load(m_jobs[i]);
    }
    m_ready.wait(lock, [&] { return m_states[i] != State::Waiting; });
    if (m_states[i] == State::Failed) {
        lock.unlock();
        return Load(m_jobs[i]);
    }
    return std::move(m_icons[i]);
}

bool CIconPrefetch::NextIsReady() {
    const std::lock_guard lock(m_mutex);
    if (m_nTaken >= m_jobs.size() || m_workers.empty()) return true;
    return m_nTaken < m_nStarted && m_states[m_nTaken] != State::Waiting;
}

void CIconPrefetch::Work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_room.wait(lock, [&] {
            return m_bStop || m_nStarted >= m_jobs.size() || m_nStarted < m_nTaken + m_nAhead;
        });
        if (m_bStop || m_nStarted >= m_jobs.size()) return;
        const size_t i = m_nStarted++;
        lock.unlock();
        LoadedIcon icon;
        bool bDone = true;
        try {
            icon = Load(m_jobs[i]);
        } catch (...) {  // out of memory: the window tries again itself
            bDone = false;
        }
        lock.lock();
        m_icons[i] = std::move(icon);
        m_states[i] = bDone ? State::Ready : State::Failed;
        m_ready.notify_all();
    }
}
