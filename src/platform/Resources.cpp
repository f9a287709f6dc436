#include "platform/Resources.h"

#include "resources/StringTable.h"

namespace ludra::platform {
namespace {

class BuiltInResources final : public Resources {
public:
    std::optional<QString> string(int id) override { return resources::stringById(id); }
};

Resources* current = nullptr;

} // namespace

Resources& resources()
{
    static BuiltInResources builtIn;
    return current ? *current : builtIn;
}

Resources* setResources(Resources* r)
{
    Resources* previous = current;
    current = r;
    return previous;
}

} // namespace ludra::platform
