// The catalogue's icons put into the main window's image lists: before the window appears,
// those its first view shows; afterwards the rest, as the reader has them. Under Wine every
// icon file costs several round trips to the server, so a catalogue of thousands of entries
// would otherwise keep the window from appearing for seconds.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <span>
#include <vector>

#include "app/catalogue.h"
#include "fw/image_list.h"
#include "ui/main/icons/icon_prefetch.h"

class CIconFeed {
public:
    // Where the icons go, all made beforehand at their final size: the category list's 16 x 16
    // images (all software first, so category k's icon is image k + 1) and the n + 1 entry
    // lists' 32 x 32 images (list 0 every entry in catalogue order, list k + 1 category k's).
    // An icon that cannot be loaded is replaced by hFallback.
    struct Targets {
        CImageList* pCategoryImages;
        CImageList* pEntryImages;
        HICON hFallback;
    };

    // Starts reading at once, on nWorkers threads, at most nAhead icons ahead of those added.
    // The icons of the first nFirstCategories categories and of the first nFirstEntries
    // entries are read first.
    CIconFeed(const CatalogueConfig& config, size_t nWorkers, size_t nAhead,
              size_t nFirstCategories, size_t nFirstEntries);

    // Adds the first icons, waiting for them at most the time given: an icon still not read by
    // then (a share that does not answer, a disc that spins up) keeps the window from
    // appearing no longer; it and those after it come in through AddReady.
    void AddFirst(const Targets& targets, std::chrono::milliseconds wait);
    // Adds the icons read by now, at most nMax, without waiting.
    void AddReady(const Targets& targets, size_t nMax);
    // Every icon is in.
    bool Done() const { return m_nNext >= m_places.size(); }

private:
    // Where one icon goes: category nCategory's own (nEntry < 0), or its entry nEntry, which
    // also goes to list 0 (the entries come in catalogue order).
    struct Place {
        int nCategory;
        int nEntry;
    };
    struct Order {
        std::vector<CIconPrefetch::Job> jobs;
        std::vector<Place> places;
        size_t nFirst = 0;  // the jobs of the first icons
    };
    static Order MakeOrder(std::span<const CategoryInfo> categories, size_t nFirstCategories,
                           size_t nFirstEntries);
    CIconFeed(Order order, size_t nWorkers, size_t nAhead);
    // Adds icons while bMore says so, the entries' in strips of consecutive icons of one
    // category.
    template <class More>
    void AddWhile(const Targets& targets, More bMore);

    std::vector<Place> m_places;  // by job
    size_t m_nFirst;              // jobs that AddFirst adds
    size_t m_nNext = 0;           // the next job to add
    CIconPrefetch m_reader;
};
