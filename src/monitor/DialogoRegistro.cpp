#include "monitor/DialogoRegistro.h"

#include "base/CampoIntero.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "link/Conversioni.h"
#include "link/StatoLink.h"
#include "monitor/DialogoValori.h"
#include "monitor/ScritturaRegistri.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "project/Registri.h"

#include <cfloat>
#include <cmath>

namespace ludra {
namespace {

constexpr int kBin = 9;

bool inTabella(int r) { return r >= 0 && r <= NumRegistri && r < kRigheRegistri; }

// hi and lo of a register, as the 16-bit word it holds.
std::optional<CoppiaByte> parola(int r)
{
    if (!inTabella(r))
        return std::nullopt;
    return WordInBytes(TabellaRegistri[std::size_t(r)].Valore);
}

} // namespace

void ModificaRegistro(int r)
{
    if (!inTabella(r))
        return;
    // Nothing waits for it: a download or a loop under the double-click goes on, and the
    // write of its OK takes its turn like any command.
    MostraDialogoValori(
        Finestra::Input_Box,
        [r] {
            InputBox.Indice = std::int16_t(r);
            InputBox.Tipo = kInputBoxRegistro;
            InputBox.Apertura = BersaglioAttuale();
        },
        [] { emit Notifiche::istanza().registriCambiati(); });
}

QString TestoValoreIniziale(int r)
{
    const auto basso = parola(r);
    if (!basso)
        return {};
    QString testo = QString::number(BytesInWord((*basso)[1], (*basso)[0], false));
    const int formato = TabellaRegistri[std::size_t(r)].Formato;
    const auto alto = parola(r + 1);
    if (!alto)
        return testo;   // no next register: the word alone
    if (formato == 2 || formato == 3) {
        const double v = BytesInLong((*alto)[1], (*alto)[0], (*basso)[1], (*basso)[0],
                                     formato == 3);
        testo = QString::number(v, 'f', 0);
    } else if (formato == 4) {
        // Written with "." whatever the locale, as the value is read back.
        testo = QString::number(BytesInFloat((*alto)[1], (*alto)[0], (*basso)[1], (*basso)[0]),
                                'g', 15);
    }
    return testo;
}

ParoleBit ParoleRegistro(int r)
{
    ParoleBit p;
    if (inTabella(r))
        p.bassa = std::uint16_t(TabellaRegistri[std::size_t(r)].Valore);
    if (inTabella(r + 1))
        p.alta = std::uint16_t(TabellaRegistri[std::size_t(r + 1)].Valore);
    return p;
}

bool NomeModificabile(int r) { return r >= PrimoRegUtente; }

RigheBit RigheBitPerTipo(int voce)
{
    const bool bin = voce == kBin;
    return {bin, bin};
}

RigheBit RigheBitIniziali(int r)
{
    RigheBit righe{true, true};   // the rows before any entry is selected
    if (!inTabella(r))
        return {true, false};
    const int formato = TabellaRegistri[std::size_t(r)].Formato;
    if (formato <= kBin)
        righe = RigheBitPerTipo(formato);
    righe.riga1 = false;
    if ((formato == 2 || formato == 3) && inTabella(r + 1))
        righe = {true, true};
    return righe;
}

std::optional<QString> ValoreNonValido(int voce, double valore)
{
    switch (ScritturaPerTipo(voce)) {
    case ScritturaTipo::Nessuna:
        return std::nullopt;
    case ScritturaTipo::Parola: {
        const double v = std::nearbyint(valore);
        if (std::isfinite(v) && v >= -32768.0 && v <= 65535.0)
            return std::nullopt;
        return QStringLiteral("Value out of range (-32768 to 65535)");
    }
    case ScritturaTipo::Long: {
        const double v = std::nearbyint(valore);
        if (std::isfinite(v) && v >= -2147483648.0 && v <= 4294967295.0)
            return std::nullopt;
        return QStringLiteral("Value out of range (-2147483648 to 4294967295)");
    }
    case ScritturaTipo::Float:
        if (std::isfinite(valore) && std::fabs(valore) <= double(FLT_MAX))
            return std::nullopt;
        return QStringLiteral("Value out of range for a Float");
    }
    return std::nullopt;
}

bool ConfermaRegistro(int r, const QString& nome, int voce, const QString& valore)
{
    return ConfermaRegistro(r, nome, voce, valore, BersaglioAttuale());
}

bool ConfermaRegistro(int r, const QString& nome, int voce, const QString& valore,
                      const Bersaglio& apertura)
{
    if (!inTabella(r))
        return true;
    // Its register number, name and value belong to what it was opened on: on another
    // project's list or another device they would land on a stranger's register.
    if (!BersaglioAttivo(apertura, true)) {
        platform::msgBox(apertura.progetto != GenerazioneProgetto()
                             ? QStringLiteral("Another project has been opened since this window "
                                              "opened: nothing was written or stored.")
                             : QStringLiteral("The link has been set to another device since this "
                                              "window opened: nothing was written or stored."),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return true;
    }
    // The project's .lst would hold such a character as "?"; nothing is written either.
    if (const QString fuori = platform::primoFuoriCp1252(nome); !fuori.isEmpty()) {
        platform::msgBox(platform::rifiutoFuoriCp1252(Testi.t(56), fuori, Lingua == kItaliano),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        CampoRifiutato(QStringLiteral("Input_Box"), QStringLiteral("Testo_0"));
        return false;
    }
    if (Controllore.Connesso && ScritturaPerTipo(voce) != ScritturaTipo::Nessuna) {
        const std::optional<double> v = NumeroDigitato(valore);
        const std::optional<QString> errore =
            v ? ValoreNonValido(voce, *v) : QStringLiteral("Value is not a number");
        if (errore) {
            platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
            CampoRifiutato(QStringLiteral("Input_Box"), QStringLiteral("Testo_1"));
            return false;
        }
        // Refused while a long operation runs: the dialog stays open on what was typed.
        if (ScriviValoreRegistro(voce, *v, r) == EsitoComando::Rifiutato)
            return false;
    }
    Registro& reg = TabellaRegistri[std::size_t(r)];
    reg.Nome = nome;
    if (voce >= 0 && voce <= kBin)
        reg.Formato = std::uint8_t(voce);
    return true;
}

} // namespace ludra
