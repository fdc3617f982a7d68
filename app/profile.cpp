#include "app/profile.h"

#include <functional>

namespace {

// The platform's white space: tab to carriage return, blank, and Ctrl+Z (the DOS end-of-file
// mark found on old CD-ROMs). Other Unicode spaces (U+3000, U+00A0) are part of the text.
bool IsProfileSpace(WChar c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

WStringView Trim(WStringView s) {
    while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
    return s;
}

// The platform keeps names and values as C strings: a NUL unit ends them.
WStringView CutAtNul(WStringView s) {
    const size_t nul = s.find(WChar(0));
    return nul == WStringView::npos ? s : s.substr(0, nul);
}

// Names match with A-Z folded to a-z and every other unit compared exactly, as Wine 8 does
// ("Ä" and "ä" are different sections there).
WString Fold(WStringView s) {
    WString out(s);
    for (WChar& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<WChar>(c + ('a' - 'A'));
    }
    return out;
}

// How the platform finds a name it is given: up to a NUL, then trimmed.
WString LookupName(WStringView s) {
    return Fold(Trim(CutAtNul(s)));
}

// The value of a key line as the platform stores it: after the first '=', trimmed, up to a NUL.
WStringView RawValue(WStringView line) {
    line = Trim(line);
    return CutAtNul(Trim(line.substr(line.find('=') + 1)));
}

// The platform's copy of a value into a buffer of `size` units: one pair of matching quotes
// comes off, then the text is cut to size - 1 units. Wine drops the closing quote only when
// the unquoted text fits the buffer by its own count, so a quoted value of exactly `size`
// units loses one character more; we read such values the same way.
WString CopyValue(WStringView value, size_t size) {
    bool quoted = false;
    if (!value.empty() && (value[0] == '\'' || value[0] == '"') && value.size() > 1 &&
        value.back() == value[0]) {
        quoted = true;
        value.remove_prefix(1);
    }
    WString out(value.substr(0, size - 1));
    if (quoted && size >= value.size()) out.pop_back();
    return out;
}

}  // namespace

size_t CProfile::KeyIdHash::operator()(const KeyId& id) const noexcept {
    return std::hash<WString>()(id.strName) ^ (static_cast<size_t>(id.nSection) * 0x9E3779B1u);
}

CProfile::CProfile(WStringView text) {
    // Lines end at '\n', at '\r', or at "\r\n" (counted as one line).
    int nLine = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        AddLine(text.substr(pos, end - pos), ++nLine);
        pos = end;
        if (pos < text.size()) {
            const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
            pos += crlf ? 2 : 1;
        }
    }
    Index();
}

void CProfile::AddLine(WStringView raw, int nLine) {
    const WStringView line = Trim(raw);
    if (line.empty()) return;
    if (line.front() == '[') {
        const size_t close = line.rfind(']');
        // A '[' line without any ']' is an ordinary key line.
        if (close != WStringView::npos) {
            ProfileSection& section = m_sections.emplace_back();
            section.strName = WString(Trim(line.substr(1, close - 1)));
            section.strText = WString(raw);
            section.nLine = nLine;
            return;
        }
    }
    if (m_sections.empty()) m_sections.emplace_back();  // keys before the first header

    ProfileKey& key = m_sections.back().keys.emplace_back();
    key.strText = WString(raw);
    key.nLine = nLine;
    const size_t eq = line.find('=');
    if (eq == WStringView::npos) {
        key.strName = WString(line);
        return;
    }
    key.strName = WString(Trim(line.substr(0, eq)));
    key.bHasValue = true;
    const WStringView value = RawValue(line);
    key.strValue = CopyValue(value, kProfileValueMax + 1);
    // Compare with the whole unquoted value to see whether the lookup returns less.
    const bool quoted =
        value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
    key.bCut = key.strValue.size() < value.size() - (quoted ? 2 : 0);
}

void CProfile::Index() {
    m_sectionIndex.reserve(m_sections.size());
    size_t keyCount = 0;
    for (const ProfileSection& s : m_sections) keyCount += s.keys.size();
    m_keyIndex.reserve(keyCount);

    for (size_t i = 0; i < m_sections.size(); ++i) {
        const ProfileSection& section = m_sections[i];
        WString name = Fold(CutAtNul(section.strName));
        // The platform always has a nameless section first, for the keys before any header,
        // so a header whose name is empty is never read.
        if (name.empty() && section.nLine != 0) continue;
        if (!m_sectionIndex.try_emplace(std::move(name), static_cast<uint32_t>(i)).second) {
            continue;  // a later section of the same name is never read either
        }
        for (size_t k = 0; k < section.keys.size(); ++k) {
            m_keyIndex.try_emplace(
                KeyId{static_cast<uint32_t>(i), Fold(CutAtNul(section.keys[k].strName))},
                KeyPos{static_cast<uint32_t>(i), static_cast<uint32_t>(k)});
        }
    }
}

const ProfileSection* CProfile::FindSection(WStringView section) const {
    const auto it = m_sectionIndex.find(LookupName(section));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

const ProfileKey* CProfile::FindKey(WStringView section, WStringView key) const {
    const auto s = m_sectionIndex.find(LookupName(section));
    if (s == m_sectionIndex.end()) return nullptr;
    const auto k = m_keyIndex.find(KeyId{s->second, LookupName(key)});
    if (k == m_keyIndex.end()) return nullptr;
    return &m_sections[k->second.nSection].keys[k->second.nKey];
}

WString CProfile::GetString(WStringView section, WStringView key, WStringView def) const {
    const ProfileKey* found = FindKey(section, key);
    if (found == nullptr || !found->bHasValue) return WString(def);
    return found->strValue;
}

int32_t CProfile::GetInt(WStringView section, WStringView key, int32_t def) const {
    const ProfileKey* found = FindKey(section, key);
    if (found == nullptr || !found->bHasValue) return def;
    // GetPrivateProfileIntW reads the value through a 30-unit buffer first.
    const WString text = CopyValue(RawValue(found->strText), 30);
    return text.empty() ? def : ProfileStringToInt(text);
}

int32_t ProfileStringToInt(WStringView value) {
    WStringView s = value;
    while (!s.empty() && s.front() <= ' ') s.remove_prefix(1);
    bool minus = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        minus = s.front() == '-';
        s.remove_prefix(1);
    }
    uint32_t base = 10;
    if (s.size() >= 2 && s[0] == '0') {
        if (s[1] == 'b') base = 2;
        if (s[1] == 'o') base = 8;
        if (s[1] == 'x') base = 16;
        if (base != 10) s.remove_prefix(2);
    }
    uint32_t total = 0;
    for (const WChar c : s) {
        uint32_t digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'Z') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'z') {
            digit = c - 'a' + 10;
        } else {
            break;
        }
        if (digit >= base) break;
        total = total * base + digit;
    }
    if (minus) total = 0u - total;
    return static_cast<int32_t>(total);
}
