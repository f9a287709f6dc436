#include "app/Comandi.h"

#include "app/TabellaComandi.h"
#include "app/Uscita.h"
#include "base/Finestre.h"
#include "base/Testi.h"
#include "link/AggiornaStato.h"
#include "link/Sequenza.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "ladder/ComandiRung.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"
#include "projectfiles/FileProgetto.h"

#include <optional>

namespace ludra {
namespace {

QString citato(const QString& nome) { return QLatin1Char('"') + nome + QLatin1Char('"'); }

void esegui(const Comando* comando)
{
    if (comando && comando->azione)
        comando->azione();
    AggiornaStato();
}

void chiudiPrincipale()
{
    if (HostFinestre* h = hostFinestre())
        h->chiudiPrincipale();
}

TipoTasto tipoTasto(const QString& chiave)
{
    if (chiave == QLatin1String("stop"))
        return TipoTasto::Stop;
    // Set as Controller is a connect too: a link that fails is when it is most wanted.
    if (chiave == QLatin1String("connect") || chiave == QLatin1String("disconnect") ||
        chiave == QLatin1String("mnu_SetAsController"))
        return TipoTasto::Collegamento;
    return TipoTasto::Comando;
}

} // namespace

void Toolbar1_ButtonClick(const QString& chiave)
{
    const Comando* comando = TrovaComando(chiave);
    if (comando && comando->padre)
        comando = nullptr;   // a menu item's name, not a key
    const Effetto effetto = comando ? comando->effetto : Effetto::Nessuno;
    // A refused key does nothing at all: nothing is sent, and a sequence's own loop
    // (a cyclic read) goes on.
    if (ComandoRifiutato(citato(chiave), effetto)) {
        AggiornaStato();
        return;
    }
    StopCom = 1;
    // A key that talks to the device never runs inside what holds the link: the click
    // has ended a loop, and the key takes its turn once what holds the link has ended.
    if (effetto == Effetto::Dispositivo &&
        TastoInCoda(citato(chiave), [comando] { esegui(comando); }, tipoTasto(chiave))) {
        AggiornaStato();
        return;
    }
    // One that may ask the user runs once the reply awaited now is in, rather than hold
    // it up with its box.
    if (comando && comando->chiede && platform::rispostaAttesa()) {
        platform::dopoRisposta([chiave] { Toolbar1_ButtonClick(chiave); });
        return;
    }
    esegui(comando);
}

void ClickMenu(const QString& nome)
{
    const Comando* comando = TrovaComando(nome);
    if (!comando || !comando->padre)
        return;
    if (comando->chiede && platform::rispostaAttesa()) {
        platform::dopoRisposta([nome] { ClickMenu(nome); });
        return;
    }
    // The items that talk to the device are the search window's pop-up: a refusal is
    // said there, by the caption the user clicked.
    if (comando->effetto == Effetto::Dispositivo
            ? ComandoRifiutatoDaFinestra(QString::fromLatin1(comando->caption), comando->effetto)
            : ComandoRifiutato(citato(nome), comando->effetto))
        return;
    // One that talks to the device (Set as Controller, Set IP) takes its turn behind the
    // commands already waiting, as a key does.
    if (comando->effetto != Effetto::Dispositivo) {
        if (comando->azione)
            comando->azione();
        return;
    }
    // What it acts on is the one chosen at the click, not at its turn.
    std::function<void()> azione = comando->lega ? comando->lega() : [comando] { esegui(comando); };
    if (azione && !TastoInCoda(citato(nome), azione, tipoTasto(nome)))
        azione();
}

bool MDIForm_Unload(bool sistema)
{
    // The user has answered already: the close waits for what was asked before it.
    if (ChiusuraDopoComandi())
        return true;
    if (ChiusuraInAttesaDeiComandi() && !sistema)
        return false;
    if (sistema) {
        // The session is ending: nothing may keep the program open.
        ArrestaSequenza();
    } else if (!ChiusuraConsentita(std::nullopt, chiudiPrincipale)) {
        return false;
    } else if (platform::rispostaAttesa()) {
        // The question never stands inside a wait for a device's reply: the close comes
        // again once the reply is in.
        platform::dopoRisposta(chiudiPrincipale);
        return false;
    }
    // A polling loop ends before the question: nothing goes out while it is open.
    if (CicloInCorso())
        StopCom = 1;
    const HostFinestre* host = hostFinestre();
    std::optional<CodaFerma> ferma(std::in_place);   // nothing waiting starts while the user answers
    const platform::MsgResult risposta = platform::msgBox(
        Testi.t(172), sistema ? platform::MsgButtons::YesNo : platform::MsgButtons::YesNoCancel,
        platform::MsgIcon::None, host ? host->caption() : QString());
    if (risposta == platform::MsgResult::Cancel)
        return false;
    bool chiude = true;
    if (risposta == platform::MsgResult::Yes)
        chiude = SalvaProgetto(true) || sistema;
    // A polling loop still running under this handler ends with the program.
    if (chiude)
        StopCom = 1;
    ferma.reset();
    // What the user asked before closing goes out before the window closes: once the
    // application quits no reply would be waited for. A box telling of a loss is read
    // first: it would close with the window.
    if (chiude && !sistema && (!ComandiInAttesa().isEmpty() || platform::avvisiAperti())) {
        ChiudiDopoComandi(chiudiPrincipale);
        return false;
    }
    // The session ending waits for nothing: the Log keeps what was left unsent.
    if (chiude && sistema)
        ScartaTuttiInCoda(QStringLiteral("the session is ending"));
    return chiude;
}

void InvertiBreak() { ComandoBreak(); }

} // namespace ludra
