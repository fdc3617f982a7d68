// CEntryPanes: the main window's entry lists with their image lists and row counts, and the one
// place where a tick is written.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/catalogue.h"
#include "fw/arrays.h"
#include "fw/image_list.h"
#include "ui/controls/list_ex.h"

// Pane 0 shows every entry, each category under a header row; pane k + 1 shows category k
// alone. Pane i's list has the id IDC_ENTRY_LIST_FIRST + i and draws its icons from pane i's
// 32 x 32 image list. A tick lives in the catalogue (EntryInfo::nChecked) and in the two lists
// that show the entry; SetTick writes all three, and what the lists report while it writes is
// not taken for a change of their own.
//
// A pane whose list or image list cannot be created (at the process's GDI or USER quota) gets
// no rows: its category shows empty, pane 0 keeps the others.
class CEntryPanes {
public:
    CEntryPanes() = default;
    CEntryPanes(const CEntryPanes&) = delete;
    CEntryPanes& operator=(const CEntryPanes&) = delete;
    ~CEntryPanes() { Destroy(); }

    // Room for one pane per category of the catalogue plus pane 0, none without a categories
    // array; nothing is created yet. The catalogue must outlive the panes.
    void Allocate(CatalogueConfig& config);
    // The lists, then the image lists they draw from.
    void Destroy();

    // Creates pane i's image list with room for nImages, then its list; false when either
    // cannot be created, which leaves the pane empty.
    bool Create(int i, int nImages, DWORD dwStyle, const RECT& rc, CWnd* pParent);
    bool IsCreated(int i) const { return m_pLists[i].GetSafeHwnd() != nullptr; }

    // Fills pane 0's header row of category k, which must come before the category's entries.
    void AddHeader(int k);
    // Adds category k's next entry to its own pane and to pane 0 (nImage: its image there),
    // with its size and action links, ticked as the catalogue says. An entry whose pane could
    // not be created is shown nowhere and left unticked: a batch takes only what was shown.
    void AddEntry(int k, int nImage, const wchar_t* pszSize, const CStringArray& actions);
    // Sets the text of category k's header row in pane 0.
    void SetHeaderText(int k, const wchar_t* pszText);

    // n + 1 for n categories; 0 without a categories array.
    int Count() const { return m_nCount; }
    CListEx& List(int i) { return m_pLists[i]; }
    CImageList& Images(int i) { return m_pImages[i]; }
    // The owners themselves, indexed like the panes (the icon reader fills the image lists).
    const std::unique_ptr<CListEx[]>& Lists() const { return m_pLists; }
    const std::unique_ptr<CImageList[]>& ImageLists() const { return m_pImages; }
    // The entry rows of category k's own pane.
    int Rows(int k) const { return m_arrRows[k]; }

    // Shows pane i and hides the one shown before.
    void Show(int i);

    // The entry that row `row` of pane i shows; null for a header row or a row out of range.
    EntryInfo* Entry(int i, int row) const;
    // Ticks or unticks that entry in the catalogue and in both panes that show it.
    void SetTick(int i, int row, bool bTicked);
    // The same for every entry row of pane i.
    void SetAllTicks(int i, bool bTicked);
    // 1 when every entry row of pane i is ticked, else 0; -1 for a pane without rows.
    int AllTicked(int i) const;
    // An LVN_ITEMCHANGED of a child window: a tick that a pane's list changed by itself (a
    // click, a SetCheck of its own) goes through SetTick.
    void OnItemChanged(const NMLISTVIEW* pNM);

    // A seam for tests: asked before each list or image list is created, numbered from 0 in
    // the order image list 0, list 0, image list 1, list 1 ...; false makes that creation
    // fail as it does at the quota.
    std::function<bool(int nCreation)> m_allowCreation;

private:
    bool AllowCreation() { return !m_allowCreation || m_allowCreation(m_nCreations++); }

    CategoryInfo* m_pCategories = nullptr;
    int m_nCount = 0;
    std::unique_ptr<CListEx[]> m_pLists;
    std::unique_ptr<CImageList[]> m_pImages;
    // m_arrRows[k]: entry rows of pane k + 1, kept as they are added: the row mapping reads
    // them for every tick, which must not cost a message per category.
    std::vector<int> m_arrRows;
    int m_nShown = 0;  // pane 0 is created visible
    int m_nCreations = 0;
    bool m_bWriting = false;  // SetTick is writing the lists
};
