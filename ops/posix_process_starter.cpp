// The native build's process starter: the catalogue checker never runs an installer.
#include "ops/process_starter.h"

namespace {

class CNoProcessStarter final : public IProcessStarter {
public:
    ProcessHandle Start(const WString&, const WString&) override { return nullptr; }
    void Wait(ProcessHandle) override {}
    void Close(ProcessHandle) override {}
};

}  // namespace

IProcessStarter& PlatformProcessStarter() {
    static CNoProcessStarter starter;
    return starter;
}
