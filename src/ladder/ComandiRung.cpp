#include "ladder/ComandiRung.h"

#include "ladder/Interno.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "platform/Dialogs.h"

namespace ludra {

using namespace ladder;

namespace {

// The commands act on the current line; with none (an empty unit) they do nothing.
// Acting shows the ladder view again when the user has closed it.
bool lineaCorrente()
{
    if (!lineaValida(RungCorrente))
        return false;
    CaricaProgram();
    return true;
}

} // namespace

void ComandoModifica()
{
    if (lineaCorrente())
        ModificaRung(RungCorrente);
}

void ComandoCancella()
{
    if (!lineaCorrente())
        return;
    if (platform::msgBox(QStringLiteral("Delete Function Block ?"), platform::MsgButtons::OkCancel)
        == platform::MsgResult::Ok)
        CancellaRung(RungCorrente);
}

void ComandoInserisci(bool prima)
{
    if (!subValido())
        return;
    if (sezioneCorrente().NumRung >= kMaxRung) {
        platform::msgBox(QStringLiteral("This program unit is full: it holds 100 lines."),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return;
    }
    const AggiornamentoInBlocco blocco;
    if (!AggiungiRung())
        return;
    if (RungCorrente != sezioneCorrente().NumRung)
        InserisciRung(prima ? RungCorrente - 1 : RungCorrente);
}

void ComandoSu()
{
    if (lineaCorrente() && RungCorrente > 1)
        SpostaRungSu(RungCorrente);
}

void ComandoGiu()
{
    if (lineaCorrente() && RungCorrente < sezioneCorrente().NumRung)
        SpostaRungGiu(RungCorrente);
}

void ComandoCopia()
{
    if (lineaCorrente())
        CopiaRung(RungCorrente);
}

void ComandoIncolla()
{
    if (lineaCorrente())
        IncollaRung(RungCorrente);
}

void ComandoRipristina() { RipristinaRung(); }

void ComandoBreak()
{
    if (!lineaCorrente())
        return;
    Rung& rung = sezioneCorrente().Rung[std::size_t(RungCorrente)];
    rung.Break = !rung.Break;
    AggiornaMarcaBreak(RungCorrente);
}

} // namespace ludra
