// The project files, one at a time inside an otherwise valid project: the first input
// byte chooses the .prj, .lst, .ptb or .dsp, the rest is that file. The project is opened
// as the user opens it and compiled. A refused project leaves the open one as it was; a
// project taken saves as files that read back the same.
#include "Fuzz.h"
#include "compiler/Compilatore.h"
#include "fbeditor/Ricodifica.h"
#include "projectfiles/FileProgetto.h"
#include "projectfiles/NuovoProgetto.h"

#include <array>

using namespace ludra;

namespace {

using Testi = std::array<QByteArray, 4>;

Testi testi(const ContenutoProgetto& c) { return {TestoPrj(c), TestoLst(c), TestoPtb(c), TestoDsp(c)}; }

constexpr std::array<const char*, 4> kEstensioni = {".prj", ".lst", ".ptb", ".dsp"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    test::Banco& doppi = fuzz::Avvia();
    static const Testi vuoto = [] {
        InitProgetto();
        RicodificaRungHook = RicodificaRiga;
        return testi(ContenutoCorrente());
    }();
    if (n == 0)
        return 0;
    const std::size_t scelto = dati[0] % 4;
    for (std::size_t i = 0; i < 4; ++i)
        fuzz::Scrivi(QStringLiteral("p") + QLatin1String(kEstensioni[i]),
                     i == scelto ? fuzz::Byte(dati + 1, n - 1) : vuoto[i]);
    const Testi prima = testi(ContenutoCorrente());
    doppi.dialogs.fileScelti.push_back(fuzz::Cartella() + QStringLiteral("/p.prj"));
    ApriProgetto();
    for (const auto& m : doppi.dialogs.messaggi) {
        if (m.testo.startsWith(QStringLiteral("The project cannot be opened"))) {
            FUZZ_CHECK(testi(ContenutoCorrente()) == prima, QStringLiteral("refused but changed"));
            return 0;
        }
    }
    Compila();
    const ContenutoProgetto aperto = ContenutoCorrente();
    const QString copia = fuzz::Cartella() + QStringLiteral("/copia");
    QString errore;
    FUZZ_CHECK(ScriviFileProgetto(copia, aperto, errore), errore);
    const std::optional<ContenutoProgetto> riletto = LeggiFileProgetto(copia, errore);
    FUZZ_CHECK(riletto && testi(*riletto) == testi(aperto),
               QStringLiteral("the saved project reads back otherwise: ") + errore);
    return 0;
}
