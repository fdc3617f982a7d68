// The native build runs no installer and saves no package (it only checks catalogues), so it
// has no run log to write.
#include "ops/run_log.h"

IRunLog* OpenRunLog(const WString&) {
    return nullptr;
}

IRunLog* ProcessRunLog() {
    return nullptr;
}

void FlushRunLog(unsigned) {}
