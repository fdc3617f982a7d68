// CProfile: a private-profile (INI) file parsed once into memory, read with the semantics of
// GetPrivateProfileStringW / GetPrivateProfileIntW as Wine 8 implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "app/wstring.h"

// One "name=value" line, or a line without '=' (a key that has no value and reads as the
// default). The views point into the CProfile's own copy of the text.
struct ProfileKey {
    WStringView strName;   // trimmed, as written
    WStringView strValue;  // what a string lookup returns: trimmed, unquoted, cut to 4,095 units
    WStringView strText;   // the whole line as written, without its line break
    int nLine = 0;         // 1-based
    bool bHasValue = false;
    bool bCut = false;  // the value was longer than a lookup returns
};

// A "[name]" header and the keys that follow it. Keys written before the first header belong
// to a section with an empty name and line 0.
struct ProfileSection {
    WStringView strName;  // trimmed, between '[' and the last ']' of the line
    WStringView strText;  // the header line as written (empty for the keys before any header)
    int nLine = 0;
    std::span<const ProfileKey> keys;
};

// The longest value a string lookup returns: the platform reads into 4,096 units.
inline constexpr size_t kProfileValueMax = 4095;

// Names are compared with the letters A-Z folded to a-z and every other unit exactly, as Wine
// 8 does ("Ä" and "ä" are different sections there). White space is tab to carriage return,
// blank and Ctrl+Z; a NUL unit ends a name or value, as in the platform's C strings.
class CProfile {
public:
    CProfile() = default;
    // Parses UTF-16 text (without its byte-order mark) and keeps it: pass it moved.
    explicit CProfile(WString text);
    // Moving keeps every view valid; a copy could not.
    CProfile(CProfile&&) noexcept = default;
    CProfile& operator=(CProfile&&) noexcept = default;
    CProfile(const CProfile&) = delete;
    CProfile& operator=(const CProfile&) = delete;

    // Every section and key in file order, duplicates included.
    const std::vector<ProfileSection>& Sections() const { return m_sections; }

    // The section lookups read: the first one of that name.
    const ProfileSection* FindSection(WStringView section) const;
    // The key lookups read: the first of that name in the first section of that name; null
    // when there is none. A key found without a value still reads as the default.
    const ProfileKey* FindKey(WStringView section, WStringView key) const;
    // The value a string lookup returns, or nothing when it returns the default.
    std::optional<WStringView> FindValue(WStringView section, WStringView key) const;

    // GetPrivateProfileStringW with a 4,096-unit buffer: the value, or def when the key is
    // missing or has no '='. The default is returned as given.
    WString GetString(WStringView section, WStringView key, WStringView def) const;
    // GetPrivateProfileIntW: def when the value is missing or empty, else the number at the
    // start of its first 29 units (it reads through a 30-unit buffer; see ProfileStringToInt).
    int32_t GetInt(WStringView section, WStringView key, int32_t def) const;

private:
    // Open addressing over indexes into m_sections or m_keys.
    struct Slot {
        uint32_t nHash = 0;
        uint32_t nIndex = UINT32_MAX;  // empty
    };

    void Parse(WStringView text);
    void AddLine(WStringView raw, int nLine);
    void BuildIndex();
    uint32_t FindSectionIndex(WStringView section) const;

    // Held through a pointer so that moving the profile never moves the characters (a short
    // string lives inside the string object).
    std::unique_ptr<const WString> m_text;
    std::vector<ProfileKey> m_keys;
    std::vector<ProfileSection> m_sections;
    std::vector<uint32_t> m_firstKey;  // per section: its first key in m_keys
    std::vector<Slot> m_sectionSlots;
    std::vector<Slot> m_keySlots;
};

// The platform's integer reader (RtlUnicodeStringToInteger with base 0): leading units up to
// ' ' skipped, one optional sign, then "0x", "0o" or "0b" (lower case only) for base 16, 8 or
// 2, digits up to the first non-digit; 0 when there are none; wraps around modulo 2^32.
int32_t ProfileStringToInt(WStringView value);
