#include "link/Bersaglio.h"

#include "link/ProgrammiInEsecuzione.h"
#include "link/StatoLink.h"

#include <utility>

namespace ludra {

namespace {

int generazione = 0;
std::optional<std::uint8_t> nodoLegato;
// The place the open link reaches, taken from the settings when it opened.
std::optional<Bersaglio> aperto;

Bersaglio daImpostazioni()
{
    Bersaglio b;
    b.canale = Controllore.Canale != 0 ? 1 : 0;
    b.porta = Controllore.Porta;
    if (b.canale == 0) {
        b.indirizzo = Controllore.IP.trimmed();
    } else {
        b.baud = Controllore.Baud;
        b.modem = Controllore.Modem;
    }
    return b;
}

} // namespace

bool Bersaglio::stessoCollegamento(const Bersaglio& b) const
{
    return canale == b.canale && indirizzo == b.indirizzo && porta == b.porta && baud == b.baud &&
           modem == b.modem;
}

QString Bersaglio::testo() const
{
    const QString dove = canale == 0 ? QStringLiteral("at %1:%2").arg(indirizzo).arg(porta)
                                     : QStringLiteral("on COM%1").arg(porta);
    return QStringLiteral("node %1 ").arg(nodo) + dove;
}

Bersaglio BersaglioAttuale()
{
    if (!Controllore.Connesso || !aperto)
        return BersaglioImpostazioni();
    Bersaglio b = *aperto;
    b.nodo = Controllore.Nodo;
    b.progetto = generazione;
    return b;
}

Bersaglio BersaglioImpostazioni()
{
    Bersaglio b = daImpostazioni();
    b.nodo = Controllore.Nodo;
    b.progetto = generazione;
    return b;
}

bool BersaglioAttivo(const Bersaglio& b, bool progetto)
{
    const Bersaglio ora = BersaglioAttuale();
    return b.stessoDispositivo(ora) && (!progetto || b.progetto == ora.progetto);
}

std::uint8_t NodoRichieste() { return nodoLegato.value_or(Controllore.Nodo); }

NodoLegato::NodoLegato(std::uint8_t nodo) : prima_(std::exchange(nodoLegato, nodo)) {}

NodoLegato::~NodoLegato() { nodoLegato = prima_; }

int GenerazioneProgetto() { return generazione; }

void NuovaGenerazioneProgetto() { ++generazione; }

void RegistraCollegamento(bool si)
{
    if (si)
        aperto = daImpostazioni();
    else
        aperto.reset();
}

void AzzeraBersagli()
{
    ProgrammiInEsecuzione.clear();
    aperto.reset();
    nodoLegato.reset();
    generazione = 0;
}

} // namespace ludra
