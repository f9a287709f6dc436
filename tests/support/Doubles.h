#pragma once
// Test doubles behind the platform layer.
#include "platform/Dialogs.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/Waiter.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <set>

namespace ludra::test {

// Records every message box and answers from a script (then with the default).
class FakeDialogs final : public platform::Dialogs {
public:
    struct Messaggio {
        QString testo;
        platform::MsgButtons pulsanti;
        platform::MsgIcon icona;
        QString titolo;
    };
    std::vector<Messaggio> messaggi;
    std::deque<platform::MsgResult> risposte;
    platform::MsgResult predefinita = platform::MsgResult::Ok;
    std::deque<std::optional<QString>> input;
    std::deque<QString> fileScelti;
    std::vector<platform::FileDialogRequest> richiesteFile;

    platform::MsgResult messageBox(const QString& text, platform::MsgButtons buttons,
                                   platform::MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& initial) override;
    QString openFile(const platform::FileDialogRequest& request) override;
    QString saveFile(const platform::FileDialogRequest& request) override;
};

class FakeShell final : public platform::Shell {
public:
    QStringList aperti;
    void open(const QString& target) override { aperti << target; }
};

// The built-in string table with some ids taken out.
class FakeResources final : public platform::Resources {
public:
    std::set<int> mancanti;
    std::optional<QString> string(int id) override;
};

// Virtual time: every wait returns at once, advancing the clock by what it waited
// for (or until done() holds after a hook ran). Hooks run on every pump, so a test
// can act "during" a polling loop.
class FakeWaiter final : public platform::Waiter {
public:
    qint64 adesso = 0;
    int pompaggi = 0;
    std::vector<qint64> attese;                 // every waitUntil's time-out
    std::function<void()> duranteAttesa;        // runs inside each pump

    void pumpOnce() override;
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override;
    qint64 nowMs() override { return adesso; }
};

// Installs the doubles for one scope and restores what was there before.
struct PlatformDoubles {
    FakeDialogs dialogs;
    FakeShell shell;
    FakeResources resources;
    FakeWaiter waiter;
    PlatformDoubles();
    ~PlatformDoubles();

private:
    platform::Dialogs* prevDialogs;
    platform::Shell* prevShell;
    platform::Resources* prevResources;
    platform::Waiter* prevWaiter;
};

} // namespace ludra::test
