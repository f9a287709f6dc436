#pragma once
// The fixture the tests share: each test function starts from the process state of a
// fresh start with fresh doubles in place of the platform's services, and ends with the
// services put back and the state cleared again. apri() in init(), chiudi() in
// cleanup(). A data row tagged "... under it_IT.UTF-8" runs under that C library locale
// (skipped where it is not installed); every test ends under the locale it started with.
#include "link/Sequenza.h"
#include "support/Doubles.h"

#include <optional>

namespace ludra::test {

class Banco {
public:
    // Stato: English texts and the start-up state (link defaults, the default model's
    // register table) as well. Progetto: English texts, the toolbar built and the
    // empty project made.
    enum class Avvio { Processo, Stato, Progetto };
    // Dialoghi: the recording dialogs only; every wait stays real, so the link reaches
    // the simulator. Tutti: every double here, waits in virtual time. Nessuno: no double.
    enum class Doppi { Dialoghi, Tutti, Nessuno };

    FakeDialogs dialogs;
    FakeShell shell;
    FakeResources resources;
    Attesa waiter{Attesa::Tempo::Virtuale};
    FakeRegistry registry;

    void apri(Doppi doppi = Doppi::Dialoghi, Avvio avvio = Avvio::Processo);
    void chiudi();
    // For tests of the link's own primitives: they run as one short command would, the
    // gate held until chiudi() (taken again after a reset of the process state).
    // Commands under test take their own sequences instead.
    void tieniLink()
    {
        link_.reset();
        link_.emplace(QStringLiteral("Test"), TipoSequenza::Breve);
    }

private:
    std::optional<Sequenza> link_;
    QByteArray localePrima_;
    Doppi doppi_ = Doppi::Nessuno;
    platform::Dialogs* prima_ = nullptr;
    platform::Shell* shellPrima_ = nullptr;
    platform::Resources* risorsePrima_ = nullptr;
    platform::Waiter* attesaPrima_ = nullptr;
    platform::Registry* registroPrima_ = nullptr;
};

} // namespace ludra::test
