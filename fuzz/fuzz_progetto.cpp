// The project files, one at a time inside an otherwise valid project: the first input
// byte chooses the .prj, .lst, .ptb or .dsp, or the marker a cut-off save leaves beside
// them ("~saving", "~putback"), the rest is that file. The project is opened as the user
// opens it and compiled. A refused project leaves the open one as it was; a marker changes
// the project's files only where the Log says that it finished or undid a save, and loses
// no text of theirs; a project taken saves as files that read back the same.
#include "Fuzz.h"
#include "base/Log.h"
#include "compiler/Compilatore.h"
#include "fbeditor/Ricodifica.h"
#include "projectfiles/FileProgetto.h"
#include "projectfiles/NuovoProgetto.h"

#include <QFile>
#include <array>

using namespace ludra;

namespace {

using Testi = std::array<QByteArray, 4>;

Testi testi(const ContenutoProgetto& c) { return {TestoPrj(c), TestoLst(c), TestoPtb(c), TestoDsp(c)}; }

constexpr std::array<const char*, 6> kEstensioni = {".prj", ".lst", ".ptb", ".dsp",
                                                    ".prj~saving", ".prj~putback"};

QByteArray leggi(const QString& nome)
{
    QFile f(fuzz::Cartella() + u'/' + nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
    const std::size_t scelto = dati[0] % kEstensioni.size();
    for (std::size_t i = 0; i < kEstensioni.size(); ++i) {
        const QString nome = QStringLiteral("p") + QLatin1String(kEstensioni[i]);
        if (i == scelto || i < 4)
            fuzz::Scrivi(nome, i == scelto ? fuzz::Byte(dati + 1, n - 1) : vuoto[i]);
        else
            QFile::remove(fuzz::Cartella() + u'/' + nome);
    }
    const Testi prima = testi(ContenutoCorrente());
    doppi.dialogs.fileScelti.push_back(fuzz::Cartella() + QStringLiteral("/p.prj"));
    ApriProgetto();
    for (const auto& m : doppi.dialogs.messaggi) {
        if (m.testo.startsWith(QStringLiteral("The project cannot be opened"))) {
            FUZZ_CHECK(testi(ContenutoCorrente()) == prima, QStringLiteral("refused but changed"));
            return 0;
        }
    }
    const QString fatto = LogModello::istanza().righe().join(u'\n');
    for (std::size_t i = 0; i < 4 && scelto >= 4; ++i) {
        const QString nome = QStringLiteral("p") + QLatin1String(kEstensioni[i]);
        FUZZ_CHECK(fatto.contains(QStringLiteral("has been")) || leggi(nome) == vuoto[i],
                   QStringLiteral("a marker changed a file and said nothing"));
        // With no side file beside it, a marker can at most keep a file aside.
        FUZZ_CHECK(leggi(nome) == vuoto[i] || leggi(nome + QStringLiteral("~kept")) == vuoto[i],
                   QStringLiteral("a marker lost the text of ") + nome);
        QFile::remove(fuzz::Cartella() + u'/' + nome + QStringLiteral("~kept"));
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
