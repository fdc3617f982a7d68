// The native build's process starter: the catalogue checker never runs an installer.
#include "ops/process_starter.h"

namespace {

class CNoProcessStarter final : public IProcessStarter {
public:
    ProcessHandle Start(const WString&, const WString&) override { return nullptr; }
    // Never called: nothing is ever started.
    bool Wait(ProcessHandle, uint32_t, uint32_t&) override { return false; }
    void Close(ProcessHandle) override {}
};

}  // namespace

IProcessStarter& PlatformProcessStarter() {
    static CNoProcessStarter starter;
    return starter;
}
