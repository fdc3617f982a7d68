// CStringArray and CUIntArray: the windows' growable arrays, over std::vector.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "fw/text.h"

namespace fw {

// An index outside the array is an error of the caller: it throws std::out_of_range (which
// the window procedures stop), as the windows' code expects of its arrays.
template <class T>
class Array {
public:
    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    // Grows with default elements (empty strings, zeros) or shrinks to nNewSize.
    void SetSize(int nNewSize) {
        if (nNewSize < 0) throw std::out_of_range("Array::SetSize");
        m_items.resize(static_cast<std::size_t>(nNewSize));
    }
    const T& GetAt(int nIndex) const { return m_items.at(Checked(nIndex)); }
    void SetAt(int nIndex, const T& value) { m_items.at(Checked(nIndex)) = value; }
    T& operator[](int nIndex) { return m_items.at(Checked(nIndex)); }
    const T& operator[](int nIndex) const { return m_items.at(Checked(nIndex)); }
    // Appends; returns the new element's index.
    int Add(const T& value) {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    // Inserts at nIndex; an index past the end first grows the array with default elements.
    void InsertAt(int nIndex, const T& value) {
        const std::size_t at = Checked(nIndex);
        if (at > m_items.size()) m_items.resize(at);
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), value);
    }
    void RemoveAt(int nIndex, int nCount = 1) {
        const std::size_t at = Checked(nIndex);
        if (nCount < 0 || at + static_cast<std::size_t>(nCount) > m_items.size())
            throw std::out_of_range("Array::RemoveAt");
        const auto first = m_items.begin() + static_cast<std::ptrdiff_t>(at);
        m_items.erase(first, first + nCount);
    }
    void RemoveAll() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    static std::size_t Checked(int nIndex) {
        if (nIndex < 0) throw std::out_of_range("Array index");
        return static_cast<std::size_t>(nIndex);
    }
    std::vector<T> m_items;
};

}  // namespace fw

using CStringArray = fw::Array<CString>;
using CUIntArray = fw::Array<UINT>;
