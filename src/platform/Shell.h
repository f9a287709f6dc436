#pragma once
// Opening a URL or a file with the desktop's default handler.
#include <QString>

namespace ludra::platform {

class Shell {
public:
    virtual ~Shell() = default;
    // target is a URL ("http://...") or a file path; the result is not reported.
    virtual void open(const QString& target) = 0;
    // Starts the program at `path` in a normal, focused window; false when it could
    // not be started.
    virtual bool start(const QString& path) = 0;
};

Shell& shell();
Shell* setShell(Shell* s);

} // namespace ludra::platform
