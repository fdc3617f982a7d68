#include "app/run_options.h"

#include <algorithm>
#include <optional>

#include "app/profile.h"

namespace {

constexpr WStringView kConfig = WSTR("Config");
constexpr WStringView kSuccessCodes = WSTR("SuccessCodes");
constexpr WStringView kTimeout = WSTR("Timeout");

bool IsBlank(WChar c) {
    return c == ' ' || c == '\t';
}

WStringView Trim(WStringView s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

int DigitValue(WChar c, unsigned base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v >= 0 && static_cast<unsigned>(v) < base ? v : -1;
}

// One exit code, or false.
bool ParseCode(WStringView item, uint32_t& code) {
    bool minus = false;
    if (!item.empty() && item.front() == '-') {
        minus = true;
        item.remove_prefix(1);
    }
    unsigned base = 10;
    if (!minus && item.size() > 2 && item[0] == '0' && (item[1] == 'x' || item[1] == 'X')) {
        base = 16;
        item.remove_prefix(2);
    }
    if (item.empty()) return false;
    uint64_t value = 0;
    for (const WChar c : item) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return false;
        value = value * base + static_cast<unsigned>(digit);
        if (value > UINT32_MAX) return false;
    }
    if (minus) {
        if (value > 0x80000000u) return false;
        value = (0x100000000ull - value) & UINT32_MAX;
    }
    code = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

bool InstallerPolicy::IsSuccess(uint32_t exitCode) const {
    return !bHasSuccessCodes ||
           std::find(successCodes.begin(), successCodes.end(), exitCode) != successCodes.end();
}

bool AsksForRestart(uint32_t exitCode) {
    return exitCode == 3010 || exitCode == 1641;
}

ExitCodeList ParseExitCodes(WStringView text) {
    ExitCodeList list;
    size_t from = 0;
    for (;;) {
        const size_t comma = text.find(',', from);
        const WStringView item =
            Trim(text.substr(from, comma == WStringView::npos ? WStringView::npos : comma - from));
        uint32_t code = 0;
        if (item.empty()) {
            // "0,3010," or ", ,": nothing to read, nothing lost
        } else if (ParseCode(item, code)) {
            list.codes.push_back(code);
        } else {
            list.unreadable.emplace_back(item);
        }
        if (comma == WStringView::npos) break;
        from = comma + 1;
    }
    return list;
}

InstallerPolicy ReadInstallerPolicy(const CProfile& profile, WStringView entrySection) {
    InstallerPolicy policy;
    std::optional<WStringView> codes = profile.FindValue(entrySection, kSuccessCodes);
    if (!codes) codes = profile.FindValue(kConfig, kSuccessCodes);
    if (codes) {
        policy.successCodes = ParseExitCodes(*codes).codes;
        policy.bHasSuccessCodes = !policy.successCodes.empty();
    }
    const int32_t timeout =
        profile.GetInt(entrySection, kTimeout, profile.GetInt(kConfig, kTimeout, 0));
    policy.nTimeout = timeout > 0 ? timeout : 0;
    return policy;
}

uint32_t TimeoutMilliseconds(int32_t nSeconds) {
    constexpr uint64_t kLongest = kWaitWithoutLimit - 1;
    if (nSeconds <= 0) return kWaitWithoutLimit;
    return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{1000} * nSeconds, kLongest));
}
