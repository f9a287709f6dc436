#include "app/Uscita.h"

#include "base/Log.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

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
    // the window: the user hears of them here, and the window stays until the box (and
    // any other that tells of a loss) has been read.
    if (const QStringList& righe = RigheNonInviati(); righe.size() > righeNonInviati) {
        platform::avviso(righe.mid(righeNonInviati).join(QLatin1Char('\n')));
        righeNonInviati = righe.size();
    }
    if (platform::avvisiAperti()) {
        platform::dopoAvvisi(tornaAGuardare);
        return;
    }
    stato = Stato::Chiusura;
    const auto chiudi = std::exchange(chiusura, {});
    chiudi();
    stato = Stato::Nessuna;
}

} // namespace

bool ChiusuraAlTurno(const std::function<void()>& chiudi)
{
    static bool inTurno = false;
    // The close that follows the commands has had its turn; one asked while this one
    // takes its turn is the same close again.
    if (stato == Stato::Chiusura)
        return true;
    if (inTurno)
        return false;
    // Its questions would stand in the reply's wait and hold it up. A connect attempt
    // is no work to lose: it ends at once.
    if (platform::rispostaAttesa()) {
        if (ConnessioneInCorso())
            StopCom = 1;
        platform::dopoRisposta(chiudi);
        return false;
    }
    inTurno = true;
    {
        const CodaFerma ferma;
        platform::waiter().pumpOnce();
    }
    inTurno = false;
    return true;
}

bool ChiusuraInAttesaDeiComandi() { return stato == Stato::Attesa; }

bool ChiusuraDopoComandi() { return stato == Stato::Chiusura; }

void ChiudiDopoComandi(std::function<void()> chiudi)
{
    if (!ComandiInAttesa().isEmpty()) {
        LogStart();
        LogWrite(QStringLiteral("Closing once these have gone out: ") +
                 ComandiInAttesa().join(QStringLiteral(", ")));
    }
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
