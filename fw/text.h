// CString: the windows' string, a thin class over std::wstring with the operations they use.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    // A null pointer counts as the empty string.
    CString(const wchar_t* psz) : m_str(psz ? psz : L"") {}
    CString(const wchar_t* pch, int nLength)
        : m_str(pch && nLength > 0 ? pch : L"", Clamp(nLength)) {}
    CString(std::wstring str) : m_str(std::move(str)) {}
    CString(std::wstring_view str) : m_str(str) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(Clamp(nRepeat), ch) {}

    // printf-style formatting with the Windows meaning of the conversions (%s is a wide
    // string, %d an int, %.2f a double).
    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);
    // The string-table entry of this module; on failure the text keeps its previous content.
    BOOL LoadString(UINT nID);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const;
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, wchar_t ch);

    // Counts and positions outside the string are clamped, as the windows' code expects.
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    // Position of the first match at or after nStart, or -1.
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    // Position of the last occurrence of ch, or -1.
    int ReverseFind(wchar_t ch) const;
    // Removes nCount characters from nIndex on; returns the new length.
    int Delete(int nIndex, int nCount = 1);
    int Compare(const wchar_t* psz) const { return m_str.compare(psz ? psz : L""); }

    operator const wchar_t*() const { return m_str.c_str(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    const std::wstring& Str() const { return m_str; }

    CString& operator+=(const CString& s) {
        m_str += s.m_str;
        return *this;
    }
    CString& operator+=(const wchar_t* psz) {
        if (psz) m_str += psz;
        return *this;
    }
    CString& operator+=(wchar_t ch) {
        m_str += ch;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const wchar_t* b) { return a += b; }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
    friend CString operator+(CString a, wchar_t b) { return a += b; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    static std::size_t Clamp(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }
    std::wstring m_str;
};
