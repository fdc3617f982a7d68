#include "ui/main/list_art.h"

#include <array>
#include <initializer_list>

#include "res/resource.h"

namespace {

// The fifteen list bitmaps; the row sets refer to them.
struct Store {
    ListArt art;
    std::array<CBitmap, 15> bitmaps;
};

// A slice's bitmaps: the row as it is, and selected.
struct Slice {
    UINT normal;
    UINT selected;
};

// A set of row bitmaps: index 3 x slice + state (slices middle, left, right; states normal,
// selected with focus, selected without focus), as bitmap resource ids.
constexpr std::array<UINT, 9> RowSet(Slice mid, Slice left, Slice right) {
    std::array<UINT, 9> ids{};
    size_t i = 0;
    for (const Slice& slice : {mid, left, right}) {
        ids[i++] = slice.normal;
        // A selected row looks the same with or without the focus.
        ids[i++] = slice.selected;
        ids[i++] = slice.selected;
    }
    return ids;
}

constexpr std::array<UINT, 9> kEntryRows =
    RowSet({IDB_ENTRY_ROW_MID, IDB_ENTRY_ROW_SEL_MID}, {IDB_ENTRY_ROW_LEFT, IDB_ENTRY_ROW_SEL_LEFT},
           {IDB_ENTRY_ROW_RIGHT, IDB_ENTRY_ROW_SEL_RIGHT});
// A header row looks the same selected or not.
constexpr std::array<UINT, 9> kHeaderRows =
    RowSet({IDB_HEADER_ROW_MID, IDB_HEADER_ROW_MID}, {IDB_HEADER_ROW_LEFT, IDB_HEADER_ROW_LEFT},
           {IDB_HEADER_ROW_RIGHT, IDB_HEADER_ROW_RIGHT});
constexpr std::array<UINT, 9> kCategoryRows =
    RowSet({IDB_CATEGORY_ROW_MID, IDB_CATEGORY_ROW_SEL_MID},
           {IDB_CATEGORY_ROW_LEFT, IDB_CATEGORY_ROW_SEL_LEFT},
           {IDB_CATEGORY_ROW_RIGHT, IDB_CATEGORY_ROW_SEL_RIGHT});

// Loading order of the fifteen: 148 to 156, then 166 to 171.
constexpr std::array<UINT, 15> kBitmapIds = {
    IDB_ENTRY_ROW_MID,        IDB_ENTRY_ROW_LEFT,        IDB_ENTRY_ROW_RIGHT,
    IDB_ENTRY_ROW_SEL_MID,    IDB_ENTRY_ROW_SEL_LEFT,    IDB_ENTRY_ROW_SEL_RIGHT,
    IDB_HEADER_ROW_MID,       IDB_HEADER_ROW_LEFT,       IDB_HEADER_ROW_RIGHT,
    IDB_CATEGORY_ROW_MID,     IDB_CATEGORY_ROW_LEFT,     IDB_CATEGORY_ROW_RIGHT,
    IDB_CATEGORY_ROW_SEL_MID, IDB_CATEGORY_ROW_SEL_LEFT, IDB_CATEGORY_ROW_SEL_RIGHT};

CListEx::RowBitmaps Set(Store& store, const std::array<UINT, 9>& ids) {
    CListEx::RowBitmaps set{};
    for (size_t i = 0; i < ids.size(); ++i) {
        for (size_t b = 0; b < kBitmapIds.size(); ++b) {
            if (kBitmapIds[b] == ids[i]) set[i] = &store.bitmaps[b];
        }
    }
    return set;
}

}  // namespace

const ListArt& SharedListArt(HFONT hDialogFont) {
    // Never destroyed: the lists of a window that outlives static destruction keep using it.
    static Store* store = nullptr;
    if (store) return store->art;
    store = new Store;
    LOGFONTW lf{};
    if (hDialogFont && ::GetObjectW(hDialogFont, sizeof lf, &lf) == sizeof lf)
        store->art.font.CreateFontIndirect(&lf);
    for (size_t b = 0; b < kBitmapIds.size(); ++b) store->bitmaps[b].LoadBitmap(kBitmapIds[b]);
    store->art.entryRows = Set(*store, kEntryRows);
    store->art.headerRows = Set(*store, kHeaderRows);
    store->art.categoryRows = Set(*store, kCategoryRows);
    return store->art;
}
