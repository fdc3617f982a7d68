// The catalogue's optional keys for how a batch run judges its installers and how an
// unattended start reports: which exit codes mean success, how long an installer may take,
// whether a countdown run always ends the program, and where the run log goes. A catalogue
// without them behaves as it always did.
#pragma once

#include <cstdint>
#include <vector>

#include "app/wstring.h"

class CProfile;

// How a batch run treats one entry's installer. [Config] gives the default; an entry's own
// section overrides it key by key.
struct InstallerPolicy {
    // Without a list any end of the installer is a success; with one, only these exit codes.
    bool bHasSuccessCodes = false;
    std::vector<uint32_t> successCodes;
    // Seconds a batch run waits for the installer; 0: without a limit.
    int32_t nTimeout = 0;

    bool IsSuccess(uint32_t exitCode) const;
};

// Exit codes that mean "installed, but the computer must restart": 3010 (restart required)
// and 1641 (restart started), as Windows Installer gives them.
bool AsksForRestart(uint32_t exitCode);

// A SuccessCodes value: a comma-separated list of exit codes, each decimal (a leading '-'
// counts down from 2^32, as a negative exit code reads) or "0x" hexadecimal, blanks and tabs
// around each allowed. Empty items are skipped; items that are no such number, or do not fit
// 32 bits, are listed in unreadable and ignored.
struct ExitCodeList {
    std::vector<uint32_t> codes;
    std::vector<WString> unreadable;
};
ExitCodeList ParseExitCodes(WStringView text);

// The policy of an entry: SuccessCodes and Timeout from its section when they are there,
// else from [Config]. A SuccessCodes value without a readable code (empty included) gives no
// list, so an entry can write "SuccessCodes=" to accept any end. A Timeout of 0 or less, or
// one that is no number, waits without a limit.
InstallerPolicy ReadInstallerPolicy(const CProfile& profile, WStringView entrySection);

// A wait without a limit, as the platform writes it (INFINITE).
inline constexpr uint32_t kWaitWithoutLimit = 0xFFFFFFFF;
// The wait for a timeout in seconds: without a limit for 0 or less, else at most just under
// kWaitWithoutLimit.
uint32_t TimeoutMilliseconds(int32_t nSeconds);
