#include "link/Sequenza.h"

#include "app/BarraStato.h"
#include "app/Finestre.h"
#include "app/Log.h"
#include "link/Richiesta.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <vector>

namespace ludra {
namespace {

constexpr int kPannelloSequenza = 5;

struct Detentore {
    QString nome;
    TipoSequenza tipo;
    QString finestra;
    int livello;            // the wait level it runs at
    int richieste = 0;      // sent so far, to say where an arrested one stopped
    bool arresto = false;
    bool fermata = false;   // its stop is in the Log
};

// Normally one holder; a loop started during a loop stacks on it.
std::vector<Detentore> detentori;
std::vector<std::function<void()>> daEseguire;

const Detentore* sequenza()
{
    if (detentori.empty() || detentori.back().tipo == TipoSequenza::Ciclo)
        return nullptr;
    return &detentori.back();
}

void scrivi(const QString& riga, const QString& pannello)
{
    LogStart();
    LogWrite(riga);
    BarraStato::istanza().setPannello(kPannelloSequenza, pannello);
}

QString inCorso(const QString& nome)
{
    return nome + QStringLiteral(" is running");
}

void rifiuta(const QString& comando, const QString& nome)
{
    scrivi(comando + QStringLiteral(" refused: ") + inCorso(nome), inCorso(nome));
}

void liberato()
{
    BarraStrumenti::istanza().sblocca();
    BarraStato::istanza().setPannello(kPannelloSequenza, QString());
    // After the sequence's own code has unwound, from the event loop: a window's close
    // must not pull the window from under the code that ran it.
    std::vector<std::function<void()>> azioni;
    azioni.swap(daEseguire);
    for (auto& a : azioni)
        AllaFineRichiesta(std::move(a));
}

} // namespace

Sequenza::Sequenza(const QString& nome, TipoSequenza tipo, const QString& finestra)
{
    const int livello = platform::livelloAttesa();
    if (!detentori.empty()) {
        const Detentore& d = detentori.back();
        if (d.livello == livello && d.tipo != TipoSequenza::Ciclo) {
            ammessa_ = true;   // called by the running sequence itself
            return;
        }
        if (d.tipo != TipoSequenza::Ciclo || tipo != TipoSequenza::Ciclo) {
            rifiuta(nome, d.nome);
            return;
        }
    }
    detentori.push_back({nome, tipo, finestra, livello});
    ammessa_ = presa_ = true;
    if (tipo != TipoSequenza::Ciclo) {
        BarraStrumenti::istanza().blocca(tipo == TipoSequenza::Programma);
        BarraStato::istanza().setPannello(kPannelloSequenza, inCorso(nome));
    }
}

Sequenza::~Sequenza()
{
    if (!presa_)
        return;
    detentori.pop_back();
    if (detentori.empty())
        liberato();
}

bool Sequenza::arrestata()
{
    const Detentore* d = sequenza();
    return d && d->arresto;
}

QString SequenzaInCorso()
{
    const Detentore* d = sequenza();
    return d ? d->nome : QString();
}

bool CicloInCorso()
{
    return !detentori.empty() && detentori.back().tipo == TipoSequenza::Ciclo;
}

bool ComandoRifiutato(const QString& comando, Effetto effetto)
{
    const Detentore* d = sequenza();
    if (!d || effetto == Effetto::Nessuno)
        return false;
    if (effetto == Effetto::Progetto && d->tipo != TipoSequenza::Programma)
        return false;
    rifiuta(comando, d->nome);
    return true;
}

bool RichiestaRifiutata()
{
    if (detentori.empty() || detentori.back().tipo == TipoSequenza::Ciclo)
        return false;
    Detentore& d = detentori.back();
    if (d.arresto) {
        if (!d.fermata)
            scrivi(d.nome + QStringLiteral(" stopped after %1 requests: its window is closing")
                                .arg(d.richieste),
                   d.nome + QStringLiteral(" stopped"));
        d.fermata = true;
        return true;
    }
    if (platform::livelloAttesa() > d.livello) {
        rifiuta(QStringLiteral("Request"), d.nome);
        return true;
    }
    ++d.richieste;
    return false;
}

void ArrestaSequenza()
{
    if (detentori.empty() || detentori.back().tipo == TipoSequenza::Ciclo)
        return;
    detentori.back().arresto = true;
    platform::wakeWaiters();
}

void QuandoLibero(std::function<void()> azione)
{
    if (detentori.empty())
        azione();
    else
        daEseguire.push_back(std::move(azione));
}

bool ChiusuraConsentita(const QString& finestra, std::function<void()> chiudi)
{
    const Detentore* d = sequenza();
    if (!d || (!finestra.isEmpty() && d->finestra != finestra))
        return true;
    if (d->arresto)
        return false;   // already stopping: the close follows by itself
    const platform::MsgResult r = platform::msgBox(
        inCorso(d->nome) + QStringLiteral(".\nStop it and close anyway?\n"
                                          "(No waits for it to end.)"),
        platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    if (r != platform::MsgResult::Yes)
        return false;
    ArrestaSequenza();
    QuandoLibero(std::move(chiudi));
    return false;
}

bool ChiusuraFinestraConsentita(const QString& finestra)
{
    return ChiusuraConsentita(finestra, [finestra] {
        if (HostFinestre* host = hostFinestre())
            host->chiudi(finestra);
    });
}

void AzzeraSequenze()
{
    detentori.clear();
    daEseguire.clear();
    AnnullaAllaFineRichiesta();
}

} // namespace ludra
