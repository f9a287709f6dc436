// Linked into the programs bench_startup starts. When the window system first exposes
// the process's main window (it is mapped) the time is taken; the expose paints the
// window before the event loop turns again, and then the line "shown" gives both times
// on the monotonic clock, in nanoseconds, with the CPU seconds the process has used, and
// the process ends. Nothing else of the program changes.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace {

long long adessoNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

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
        if (e->type() != QEvent::Expose || esposta_ || !o->isWindowType())
            return false;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->windowHandle() == o && qobject_cast<QMainWindow*>(w)) {
                esposta_ = adessoNs();
                QTimer::singleShot(0, [esposta = esposta_] {
                    std::printf("shown %lld %lld %.6f\n", esposta, adessoNs(), secondiCpu());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            }
        }
        return false;
    }

private:
    long long esposta_ = 0;
};

void installa() { qApp->installEventFilter(new Sentinella(qApp)); }

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installa)
