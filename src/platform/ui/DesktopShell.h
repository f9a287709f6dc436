#pragma once
#include "platform/Shell.h"

namespace ludra::platform {

// Opens URLs and files with the desktop's default handler.
class DesktopShell final : public Shell {
public:
    void open(const QString& target) override;
    bool start(const QString& path) override;
};

} // namespace ludra::platform
