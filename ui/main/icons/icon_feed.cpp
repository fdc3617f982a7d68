#include "ui/main/icons/icon_feed.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "ui/main/icons/category_icon.h"
#include "ui/main/icons/entry_icon.h"

CIconFeed::CIconFeed(const CatalogueConfig& config, size_t nWorkers, size_t nAhead,
                     size_t nFirstCategories, size_t nFirstEntries)
    : CIconFeed(MakeOrder(CategoriesOf(config), nFirstCategories, nFirstEntries), nWorkers,
                nAhead) {}

CIconFeed::CIconFeed(Order order, size_t nWorkers, size_t nAhead)
    : m_places(std::move(order.places)),
      m_nFirst(order.nFirst),
      m_reader(std::move(order.jobs), nWorkers, nAhead) {}

// The first categories' icons, the first entries' icons, then the other categories' and the
// other entries', each part in catalogue order: every image list gets its images in order.
CIconFeed::Order CIconFeed::MakeOrder(std::span<const CategoryInfo> categories,
                                      size_t nFirstCategories, size_t nFirstEntries) {
    Order order;
    const auto add = [&](size_t k, const WString& path, int j) {
        order.jobs.push_back({path, j >= 0});
        order.places.push_back({static_cast<int>(k), j});
    };
    const auto categoryIcons = [&](size_t nFrom, size_t nTo) {
        for (size_t k = nFrom; k < nTo && k < categories.size(); ++k)
            add(k, categories[k].strIconPath, -1);
    };
    const auto entryIcons = [&](size_t nFrom, size_t nTo) {
        size_t n = 0;  // entries before category k
        for (size_t k = 0; n < nTo && k < categories.size(); ++k) {
            const std::span<EntryInfo> entries = EntriesOf(categories[k]);
            for (size_t j = 0; n < nTo && j < entries.size(); ++j, ++n)
                if (n >= nFrom) add(k, entries[j].strIconPath, static_cast<int>(j));
        }
    };
    categoryIcons(0, nFirstCategories);
    entryIcons(0, nFirstEntries);
    order.nFirst = order.jobs.size();
    categoryIcons(nFirstCategories, SIZE_MAX);
    entryIcons(nFirstEntries, SIZE_MAX);
    return order;
}

template <class More>
void CIconFeed::AddWhile(const Targets& targets, More bMore) {
    std::optional<CEntryIconStrip> strip;
    int nStripCategory = -1;
    for (; m_nNext < m_places.size() && bMore(); ++m_nNext) {
        const Place place = m_places[m_nNext];
        if (place.nEntry < 0) {
            AddCategoryIcon(*targets.pCategoryImages, m_reader.Next(), targets.hFallback);
            continue;
        }
        if (place.nCategory != nStripCategory) {
            strip.reset();  // its icons go in first
            strip.emplace(targets.hFallback, std::initializer_list<CImageList*>{
                                                 &targets.pEntryImages[0],
                                                 &targets.pEntryImages[place.nCategory + 1]});
            nStripCategory = place.nCategory;
        }
        strip->Add(m_reader.Next());
    }
}

void CIconFeed::AddFirst(const Targets& targets, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    AddWhile(targets, [&] { return m_nNext < m_nFirst && m_reader.WaitForNext(deadline); });
}

void CIconFeed::AddReady(const Targets& targets, size_t nMax) {
    const size_t nEnd = m_nNext + nMax;
    AddWhile(targets, [&] { return m_nNext < nEnd && m_reader.NextIsReady(); });
}
