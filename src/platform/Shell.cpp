#include "platform/Shell.h"

namespace ludra::platform {
namespace {

// Stands in until the window layer installs the desktop's handler.
class NoShell final : public Shell {
public:
    void open(const QString&) override {}
    bool start(const QString&) override { return false; }
};

Shell* current = nullptr;

} // namespace

Shell& shell()
{
    static NoShell fallback;
    return current ? *current : fallback;
}

Shell* setShell(Shell* s)
{
    Shell* previous = current;
    current = s;
    return previous;
}

} // namespace ludra::platform
