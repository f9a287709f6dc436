#pragma once
// Values of the operating system's settings store, where it has one. This desktop has
// none, so every look-up fails; tests install a store of their own.
#include <QString>
#include <optional>

namespace ludra::platform {

class Registry {
public:
    virtual ~Registry() = default;
    // The text of value `name` under `key` of the machine-wide root; nothing when the
    // key or the value does not exist.
    virtual std::optional<QString> machineValue(const QString& key, const QString& name) = 0;
};

Registry& registry();
Registry* setRegistry(Registry* r);

} // namespace ludra::platform
