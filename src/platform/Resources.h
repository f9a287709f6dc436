#pragma once
// The string resources by numeric id. Pictures by id live in platform/ui/Pictures.h.
#include <QString>
#include <optional>

namespace ludra::platform {

class Resources {
public:
    virtual ~Resources() = default;
    // The text with this id, or nothing when the table has no such id.
    virtual std::optional<QString> string(int id) = 0;
};

Resources& resources();
Resources* setResources(Resources* r);

} // namespace ludra::platform
