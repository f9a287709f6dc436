#include "app/Uscita.h"

#include "base/Log.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>

namespace ludra {
namespace {

enum class Stato { Nessuna, Attesa, Chiusura };
Stato stato = Stato::Nessuna;
std::function<void()> chiusura;
qsizetype righeNonInviati = 0;   // how many had been dropped when the close was confirmed
int giro = 0;             // a look of an earlier process state is dropped

void guarda();

// From the event loop, after the queue's own turn that is already posted.
void tornaAGuardare()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [g = giro] {
        if (g == giro)
            guarda();
    });
}

void guarda()
{
    if (stato != Stato::Attesa)
        return;
    if (!AttivitaInCorso().isEmpty()) {
        // A Run asked before the close sets the program running; its refresh loop
        // would hold the close for ever.
        if (CicloInCorso())
            StopCom = 1;
        QuandoLibero(tornaAGuardare);
        return;
    }
    if (!ComandiInAttesa().isEmpty()) {
        tornaAGuardare();
        return;
    }
    // The commands the link's failure dropped are named in the Log, which closes with
    // the window: the user hears of them here.
    if (const QStringList& righe = RigheNonInviati(); righe.size() > righeNonInviati)
        platform::avviso(righe.mid(righeNonInviati).join(QLatin1Char('\n')));
    stato = Stato::Chiusura;
    const auto chiudi = std::exchange(chiusura, {});
    chiudi();
    stato = Stato::Nessuna;
}

} // namespace

bool ChiusuraInAttesaDeiComandi() { return stato == Stato::Attesa; }

bool ChiusuraDopoComandi() { return stato == Stato::Chiusura; }

void ChiudiDopoComandi(std::function<void()> chiudi)
{
    LogStart();
    LogWrite(QStringLiteral("Closing once these have gone out: ") +
             ComandiInAttesa().join(QStringLiteral(", ")));
    stato = Stato::Attesa;
    chiusura = std::move(chiudi);
    righeNonInviati = RigheNonInviati().size();
    tornaAGuardare();
}

void AzzeraUscita()
{
    stato = Stato::Nessuna;
    chiusura = {};
    ++giro;
}

} // namespace ludra
