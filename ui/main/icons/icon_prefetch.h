// The catalogue's icon files read ahead, on worker threads, while the main window makes its
// lists and after it appears: under Wine every file costs several round trips to the server,
// which the window's own work can hide. The window takes the icons in the order it gave them.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <vector>

#include "app/wstring.h"
#include "ui/main/icons/loaded_icon.h"

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
    // Drops the jobs not started and lets go of every icon not taken, without waiting for the
    // workers: a read may hang for long on a share that does not answer. A worker in the middle
    // of a read finishes it on its own, lets go of what it read and ends; it shares nothing
    // with this object's owner, and at process exit it is simply ended.
    ~CIconPrefetch();
    CIconPrefetch(const CIconPrefetch&) = delete;
    CIconPrefetch& operator=(const CIconPrefetch&) = delete;

    // The next job's icon, waiting for it; an empty one after the last job. A job that a
    // worker could not do (or with no worker at all) is done here.
    LoadedIcon Next();
    // True when Next would not wait for a worker: the next icon is read, or every job is
    // taken, or there is no worker to wait for.
    bool NextIsReady();
    // Waits until NextIsReady, at most until the deadline; what NextIsReady then says.
    bool WaitForNext(std::chrono::steady_clock::time_point deadline);

private:
    // The jobs, the icons read and the counters, held by the owner and by every worker: the
    // last of them to let go frees them.
    struct Shared;
    static LoadedIcon Load(const Job& job);
    static void Work(const std::shared_ptr<Shared>& shared);
    bool IsReady() const;  // NextIsReady, with the lock held

    std::shared_ptr<Shared> m_shared;
    size_t m_nWorkers = 0;
};
