#include "support/Banco.h"

#include "app/Avvio.h"
#include "base/Testi.h"
#include "support/Ladder.h"

#include <QTest>
#include <clocale>

namespace ludra::test {

void Banco::apri(Doppi doppi, Avvio avvio)
{
    localePrima_ = std::setlocale(LC_ALL, nullptr);
    const QByteArray riga = QTest::currentDataTag();
    if (const qsizetype i = riga.indexOf(" under ");
        i >= 0 && !std::setlocale(LC_ALL, riga.mid(i + 7).constData()))
        QSKIP("The locale is not installed");
    if (avvio == Avvio::Progetto) {
        avviaProgetto();
    } else {
        AzzeraStatoProcesso();
        if (avvio == Avvio::Stato) {
            ImpostaLingua(kInglese);
            ImpostaStatoIniziale();
        }
    }
    doppi_ = doppi;
    if (doppi == Doppi::Nessuno)
        return;
    dialogs = FakeDialogs{};
    prima_ = platform::setDialogs(&dialogs);
    if (doppi != Doppi::Tutti)
        return;
    shell = FakeShell{};
    resources = FakeResources{};
    waiter.azzera();
    registry = FakeRegistry{};
    shellPrima_ = platform::setShell(&shell);
    risorsePrima_ = platform::setResources(&resources);
    attesaPrima_ = platform::setWaiter(&waiter);
    registroPrima_ = platform::setRegistry(&registry);
}

void Banco::chiudi()
{
    link_.reset();
    if (doppi_ != Doppi::Nessuno)
        platform::setDialogs(prima_);
    if (doppi_ == Doppi::Tutti) {
        platform::setShell(shellPrima_);
        platform::setResources(risorsePrima_);
        platform::setWaiter(attesaPrima_);
        platform::setRegistry(registroPrima_);
    }
    doppi_ = Doppi::Nessuno;
    AzzeraStatoProcesso();
    if (!localePrima_.isEmpty())
        std::setlocale(LC_ALL, localePrima_.constData());
}

} // namespace ludra::test
