#include "fw/text.h"

#include <wchar.h>

#include <algorithm>
#include <stdexcept>

void CString::Format(const wchar_t* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args) {
    if (!pszFormat) {
        m_str.clear();
        return;
    }
    // The CRT's own _vscwprintf / _vsnwprintf: %s takes a wide string in a wide format, as
    // the format texts of the windows are written.
    va_list measure;
    va_copy(measure, args);
    const int n = _vscwprintf(pszFormat, measure);
    va_end(measure);
    if (n <= 0) {
        m_str.clear();
        return;
    }
    std::wstring out(static_cast<std::size_t>(n) + 1, L'\0');
    const int written = _vsnwprintf(out.data(), out.size(), pszFormat, args);
    out.resize(written < 0 ? 0 : static_cast<std::size_t>(written));
    m_str = std::move(out);
}

BOOL CString::LoadString(UINT nID) {
    const wchar_t* p = nullptr;
    // With a buffer size of 0 the call returns a pointer to the resource text itself.
    const int n = ::LoadStringW(::GetModuleHandleW(nullptr), nID, reinterpret_cast<LPWSTR>(&p), 0);
    if (n <= 0 || !p) return FALSE;
    m_str.assign(p, static_cast<std::size_t>(n));
    return TRUE;
}

wchar_t CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetLength()) throw std::out_of_range("CString::GetAt");
    return m_str[static_cast<std::size_t>(nIndex)];
}

void CString::SetAt(int nIndex, wchar_t ch) {
    if (nIndex < 0 || nIndex >= GetLength()) throw std::out_of_range("CString::SetAt");
    m_str[static_cast<std::size_t>(nIndex)] = ch;
}

CString CString::Left(int nCount) const {
    return CString(m_str.substr(0, Clamp(nCount)));
}

CString CString::Right(int nCount) const {
    const std::size_t n = std::min(Clamp(nCount), m_str.size());
    return CString(m_str.substr(m_str.size() - n));
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    const std::size_t first = std::min(Clamp(nFirst), m_str.size());
    return CString(m_str.substr(first, Clamp(nCount)));
}

int CString::Find(wchar_t ch, int nStart) const {
    const std::size_t pos = m_str.find(ch, Clamp(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const wchar_t* pszSub, int nStart) const {
    if (!pszSub) return -1;
    if (Clamp(nStart) > m_str.size()) return -1;
    const std::size_t pos = m_str.find(pszSub, Clamp(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const {
    const std::size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Delete(int nIndex, int nCount) {
    const std::size_t first = Clamp(nIndex);
    if (first < m_str.size()) m_str.erase(first, Clamp(nCount));
    return GetLength();
}
