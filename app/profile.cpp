#include "app/profile.h"

#include <algorithm>

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

// How the platform finds a name it is given: up to a NUL, then trimmed.
WStringView LookupName(WStringView s) {
    return Trim(CutAtNul(s));
}

WChar FoldUnit(WChar c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<WChar>(c + ('a' - 'A')) : c;
}

bool EqualFolded(WStringView a, WStringView b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldUnit(a[i]) != FoldUnit(b[i])) return false;
    }
    return true;
}

// FNV-1a over the folded units; keys mix in their section's index.
uint32_t HashFolded(WStringView s, uint32_t seed) {
    uint32_t h = 2166136261u ^ (seed * 0x9E3779B1u);
    for (const WChar c : s) {
        h = (h ^ static_cast<uint16_t>(FoldUnit(c))) * 16777619u;
    }
    return h;
}

// A power of two with the table at most two thirds full.
size_t TableSize(size_t count) {
    size_t size = 8;
    while (size < count + count / 2) size *= 2;
    return size;
}

// The value of a key line as the platform stores it: after the first '=', trimmed, up to a NUL.
WStringView RawValue(WStringView line) {
    line = Trim(line);
    return CutAtNul(Trim(line.substr(line.find('=') + 1)));
}

bool IsQuoted(WStringView value) {
    return value.size() > 1 && (value[0] == '\'' || value[0] == '"') && value.back() == value[0];
}

// The platform's copy of a value into a buffer of `size` units: one pair of matching quotes
// comes off, then the text is cut to size - 1 units. Wine drops the closing quote only when
// the unquoted text fits the buffer by its own count, so a quoted value of exactly `size`
// units loses one character more; we read such values the same way.
WStringView CopyValue(WStringView value, size_t size) {
    const bool quoted = IsQuoted(value);
    if (quoted) value.remove_prefix(1);
    WStringView out = value.substr(0, size - 1);
    if (quoted && size >= value.size()) out.remove_suffix(1);
    return out;
}

}  // namespace

CProfile::CProfile(WString text) : m_text(std::make_unique<const WString>(std::move(text))) {
    Parse(*m_text);
    BuildIndex();
}

void CProfile::Parse(WStringView text) {
    // Room for every key and header at once, so that the arrays are written only once: fresh
    // memory is what a large catalogue costs most. A key takes two units with its line end.
    size_t lineEnds = 0;
    size_t brackets = 0;
    for (const WChar c : text) {
        lineEnds += c == '\n' || c == '\r';
        brackets += c == '[';
    }
    const size_t maxLines = std::min(lineEnds + 1, text.size() / 2 + 1);
    m_keys.reserve(maxLines);
    m_sections.reserve(std::min(brackets, maxLines) + 1);
    m_firstKey.reserve(m_sections.capacity());
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
    // The keys are all in place now: hand each section its run of them.
    for (size_t i = 0; i < m_sections.size(); ++i) {
        const size_t end = i + 1 < m_sections.size() ? m_firstKey[i + 1] : m_keys.size();
        m_sections[i].keys =
            std::span<const ProfileKey>(m_keys.data() + m_firstKey[i], end - m_firstKey[i]);
    }
}

void CProfile::AddLine(WStringView raw, int nLine) {
    const WStringView line = Trim(raw);
    if (line.empty()) return;
    if (line.front() == '[') {
        const size_t close = line.rfind(']');
        // A '[' line without any ']' is an ordinary key line.
        if (close != WStringView::npos) {
            m_sections.push_back({Trim(line.substr(1, close - 1)), raw, nLine, {}});
            m_firstKey.push_back(static_cast<uint32_t>(m_keys.size()));
            return;
        }
    }
    if (m_sections.empty()) {  // keys before the first header
        m_sections.emplace_back();
        m_firstKey.push_back(0);
    }

    ProfileKey& key = m_keys.emplace_back();
    key.strText = raw;
    key.nLine = nLine;
    const size_t eq = line.find('=');
    if (eq == WStringView::npos) {
        key.strName = line;
        return;
    }
    key.strName = Trim(line.substr(0, eq));
    key.bHasValue = true;
    const WStringView value = RawValue(line);
    key.strValue = CopyValue(value, kProfileValueMax + 1);
    key.bCut = key.strValue.size() < value.size() - (IsQuoted(value) ? 2 : 0);
}

void CProfile::BuildIndex() {
    m_sectionSlots.assign(TableSize(m_sections.size()), Slot{});
    m_keySlots.assign(TableSize(m_keys.size()), Slot{});
    const size_t sectionMask = m_sectionSlots.size() - 1;
    const size_t keyMask = m_keySlots.size() - 1;

    for (uint32_t i = 0; i < m_sections.size(); ++i) {
        const ProfileSection& section = m_sections[i];
        const WStringView name = CutAtNul(section.strName);
        // The platform always has a nameless section first, for the keys before any header,
        // so a header whose name is empty is never read.
        if (name.empty() && section.nLine != 0) continue;
        const uint32_t hash = HashFolded(name, 0);
        size_t pos = hash & sectionMask;
        bool later = false;  // a later section of the same name is never read either
        for (; m_sectionSlots[pos].nIndex != UINT32_MAX; pos = (pos + 1) & sectionMask) {
            const Slot& slot = m_sectionSlots[pos];
            if (slot.nHash == hash &&
                EqualFolded(CutAtNul(m_sections[slot.nIndex].strName), name)) {
                later = true;
                break;
            }
        }
        if (later) continue;
        m_sectionSlots[pos] = Slot{hash, i};

        for (size_t k = 0; k < section.keys.size(); ++k) {
            const uint32_t index = static_cast<uint32_t>(m_firstKey[i] + k);
            const WStringView keyName = CutAtNul(m_keys[index].strName);
            const uint32_t keyHash = HashFolded(keyName, i);
            size_t kpos = keyHash & keyMask;
            bool duplicate = false;  // the first key of a name wins
            for (; m_keySlots[kpos].nIndex != UINT32_MAX; kpos = (kpos + 1) & keyMask) {
                const Slot& slot = m_keySlots[kpos];
                if (slot.nHash == keyHash && slot.nIndex >= m_firstKey[i] &&
                    EqualFolded(CutAtNul(m_keys[slot.nIndex].strName), keyName)) {
                    duplicate = true;
                    break;
                }
            }
            if (!duplicate) m_keySlots[kpos] = Slot{keyHash, index};
        }
    }
}

uint32_t CProfile::FindSectionIndex(WStringView section) const {
    if (m_sectionSlots.empty()) return UINT32_MAX;
    const WStringView name = LookupName(section);
    const uint32_t hash = HashFolded(name, 0);
    const size_t mask = m_sectionSlots.size() - 1;
    for (size_t pos = hash & mask; m_sectionSlots[pos].nIndex != UINT32_MAX;
         pos = (pos + 1) & mask) {
        const Slot& slot = m_sectionSlots[pos];
        if (slot.nHash == hash && EqualFolded(CutAtNul(m_sections[slot.nIndex].strName), name)) {
            return slot.nIndex;
        }
    }
    return UINT32_MAX;
}

const ProfileSection* CProfile::FindSection(WStringView section) const {
    const uint32_t i = FindSectionIndex(section);
    return i == UINT32_MAX ? nullptr : &m_sections[i];
}

const ProfileKey* CProfile::FindKey(WStringView section, WStringView key) const {
    const uint32_t i = FindSectionIndex(section);
    if (i == UINT32_MAX) return nullptr;
    const WStringView name = LookupName(key);
    const uint32_t hash = HashFolded(name, i);
    const size_t first = m_firstKey[i];
    const size_t end = first + m_sections[i].keys.size();
    const size_t mask = m_keySlots.size() - 1;
    for (size_t pos = hash & mask; m_keySlots[pos].nIndex != UINT32_MAX; pos = (pos + 1) & mask) {
        const Slot& slot = m_keySlots[pos];
        if (slot.nHash == hash && slot.nIndex >= first && slot.nIndex < end &&
            EqualFolded(CutAtNul(m_keys[slot.nIndex].strName), name)) {
            return &m_keys[slot.nIndex];
        }
    }
    return nullptr;
}

std::optional<WStringView> CProfile::FindValue(WStringView section, WStringView key) const {
    const ProfileKey* found = FindKey(section, key);
    if (found == nullptr || !found->bHasValue) return std::nullopt;
    return found->strValue;
}

WString CProfile::GetString(WStringView section, WStringView key, WStringView def) const {
    return WString(FindValue(section, key).value_or(def));
}

int32_t CProfile::GetInt(WStringView section, WStringView key, int32_t def) const {
    const ProfileKey* found = FindKey(section, key);
    if (found == nullptr || !found->bHasValue) return def;
    // GetPrivateProfileIntW reads the value through a 30-unit buffer first.
    const WStringView text = CopyValue(RawValue(found->strText), 30);
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
