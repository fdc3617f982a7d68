// The catalogue's icon files read ahead, on worker threads, while the main window makes its
// lists and after it appears: under Wine every file costs several round trips to the server,
// which the window's own work can hide. The window takes the icons in the order it gave them.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "app/wstring.h"
#include "ui/main/entry_icon.h"

class CIconPrefetch {
public:
    struct Job {
        WString path;
        // An entry's icon is read for the strips (LoadEntryIcon); a category's is made for the
        // 16 x 16 list (LoadCategoryIcon).
        bool bEntry;
    };

    // nAhead bounds the icons read but not yet taken, and so the memory they hold.
    explicit CIconPrefetch(std::vector<Job> jobs, size_t nWorkers = 1, size_t nAhead = 256);
    // Stops the workers, waits for them, and lets go of every icon not taken.
    ~CIconPrefetch();
    CIconPrefetch(const CIconPrefetch&) = delete;
    CIconPrefetch& operator=(const CIconPrefetch&) = delete;

    // The next job's icon, waiting for it; an empty one after the last job. A job that a
    // worker could not do (or with no worker at all) is done here.
    LoadedIcon Next();
    // True when Next would not wait for a worker: the next icon is read, or every job is
    // taken, or there is no worker to wait for.
    bool NextIsReady();

private:
    enum class State : char { Waiting, Ready, Failed };
    static LoadedIcon Load(const Job& job);
    void Work();

    std::vector<Job> m_jobs;
    std::vector<LoadedIcon> m_icons;  // by job
    std::vector<State> m_states;      // by job
    size_t m_nAhead;
    size_t m_nStarted = 0;  // jobs that workers have taken
    size_t m_nTaken = 0;    // jobs that Next has returned
    bool m_bStop = false;
    std::mutex m_mutex;
    std::condition_variable m_ready;  // a job is done
    std::condition_variable m_room;   // Next took one, or the workers are to stop
    std::vector<std::thread> m_workers;
};
