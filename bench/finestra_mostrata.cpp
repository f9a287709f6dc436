// Linked into the programs bench_startup starts: when the first main window of the
// process has been exposed and painted, prints "shown" with the process's CPU time and
// ends the process. Nothing else of the program changes.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <sys/resource.h>

namespace {

double secondiCpu()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(uso.ru_utime) + s(uso.ru_stime);
}

class Sentinella final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Expose || visto_ || !o->isWindowType())
            return false;
        auto* finestra = static_cast<QWindow*>(o);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() == finestra && qobject_cast<QMainWindow*>(w)) {
                visto_ = true;
                // The expose paints the window before the event loop turns again.
                QTimer::singleShot(0, [] {
                    std::printf("shown %.6f\n", secondiCpu());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            }
        }
        return false;
    }

private:
    bool visto_ = false;
};

void installa() { qApp->installEventFilter(new Sentinella(qApp)); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installa)
