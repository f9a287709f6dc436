#pragma once
// The application object as every program that shows the windows builds it (the
// executable and the benches that measure it).
#include <QApplication>

#include <optional>

namespace ludra::platform {

namespace dettaglio {
// Asks Qt for its own event loop while the application object is built, and leaves the
// environment as it found it, so that programs started from here do not inherit it.
class SceltaCiclo {
protected:
    SceltaCiclo();
    void ripristina();

private:
    std::optional<QByteArray> prima_;   // the value it had, if it was set
};
} // namespace dettaglio

// Runs Qt's own event loop rather than GLib's. A request to a device pumps events
// three times (before the frame leaves, while the reply comes, after it), and a round of
// GLib's loop costs half as much again as Qt's: it prepares and checks every source under
// a lock. Nothing here runs GLib code of its own. Qt's file dialog serves every platform, as a
// platform's own dialog could run a loop of its own that holds ours up.
class Applicazione : private dettaglio::SceltaCiclo, public QApplication {
public:
    Applicazione(int& argc, char** argv);
};

} // namespace ludra::platform
