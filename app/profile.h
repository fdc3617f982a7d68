// CProfile: a private-profile (INI) file parsed once into memory, read with the semantics of
// GetPrivateProfileStringW / GetPrivateProfileIntW as Wine 8 implements them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/wstring.h"

// One "name=value" line, or a line without '=' (a key that has no value and reads as the
// default).
struct ProfileKey {
    WString strName;   // trimmed, as written
    WString strValue;  // what a string lookup returns: trimmed, unquoted, cut to 4,095 units
    WString strText;   // the whole line as written, without its line break
    int nLine = 0;     // 1-based
    bool bHasValue = false;
    bool bCut = false;  // the value was longer than a lookup returns
};

// A "[name]" header and the keys that follow it. Keys written before the first header belong
// to a section with an empty name and line 0.
struct ProfileSection {
    WString strName;  // trimmed, between '[' and the last ']' of the line
    WString strText;  // the header line as written (empty for the keys before any header)
    int nLine = 0;
    std::vector<ProfileKey> keys;
};

// The longest value a string lookup returns: the platform reads into 4,096 units.
inline constexpr size_t kProfileValueMax = 4095;

class CProfile {
public:
    CProfile() = default;
    // Parses UTF-16 text (without its byte-order mark).
    explicit CProfile(WStringView text);

    // Every section and key in file order, duplicates included.
    const std::vector<ProfileSection>& Sections() const { return m_sections; }

    // The section lookups read: the first one of that name (letter case of A-Z ignored).
    const ProfileSection* FindSection(WStringView section) const;
    // The key lookups read: the first of that name in the first section of that name; null
    // when there is none. A key found without a value still reads as the default.
    const ProfileKey* FindKey(WStringView section, WStringView key) const;

    // GetPrivateProfileStringW with a 4,096-unit buffer: the value, or def when the key is
    // missing or has no '='. The default is returned as given.
    WString GetString(WStringView section, WStringView key, WStringView def) const;
    // GetPrivateProfileIntW: def when the value is missing or empty, else the number at the
    // start of its first 29 units (it reads through a 30-unit buffer; see ProfileStringToInt).
    int32_t GetInt(WStringView section, WStringView key, int32_t def) const;

private:
    struct KeyId {
        uint32_t nSection;
        WString strName;
        bool operator==(const KeyId&) const = default;
    };
    struct KeyIdHash {
        size_t operator()(const KeyId& id) const noexcept;
    };
    struct KeyPos {
        uint32_t nSection;
        uint32_t nKey;
    };

    void AddLine(WStringView line, int nLine);
    void Index();

    std::vector<ProfileSection> m_sections;
    std::unordered_map<WString, uint32_t> m_sectionIndex;
    std::unordered_map<KeyId, KeyPos, KeyIdHash> m_keyIndex;
};

// The platform's integer reader (RtlUnicodeStringToInteger with base 0): leading units up to
// ' ' skipped, one optional sign, then "0x", "0o" or "0b" (lower case only) for base 16, 8 or
// 2, digits up to the first non-digit; 0 when there are none; wraps around modulo 2^32.
int32_t ProfileStringToInt(WStringView value);
