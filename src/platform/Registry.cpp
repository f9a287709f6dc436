#include "platform/Registry.h"

namespace ludra::platform {
namespace {

class NoRegistry final : public Registry {
public:
    std::optional<QString> machineValue(const QString&, const QString&) override { return {}; }
};

Registry* current = nullptr;

} // namespace

Registry& registry()
{
    static NoRegistry none;
    return current ? *current : none;
}

Registry* setRegistry(Registry* r)
{
    Registry* previous = current;
    current = r;
    return previous;
}

} // namespace ludra::platform
