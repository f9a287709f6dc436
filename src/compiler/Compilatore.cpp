#include "compiler/Compilatore.h"

#include "compiler/CodiceProgramma.h"
#include "compiler/Rapporto.h"
#include "compiler/Unita.h"

#include "display/CompilaPagine.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"
#include "tables/Tabelle.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

std::function<void()>& rigeneraPagine()
{
    static std::function<void()> rigenera = CompilaOggetti;
    return rigenera;
}

// A fault of line `rung` of unit `sezione`; rung 0 is the project as a whole.
struct Guasto {
    int rung = 0;
    QString causa;
    int sezione = 0;
};

void archivia(int sezione, int rung, const QString& messaggio)
{
    if (NumErrori >= kMaxErrori)
        return;
    Errori[std::size_t(NumErrori)] = {std::int16_t(rung), messaggio, std::int16_t(sezione)};
    ++NumErrori;
}

// Compiles lines 1..NumRung of unit SubCorrente, filing their line errors.
std::optional<Guasto> compilaUnita()
{
    const Sezione* s = unita::corrente();
    if (!s)
        return Guasto{0, guasti::Conteggio};
    for (int i = 1; i <= unita::righe(*s); ++i) {
        const EsitoRiga esito = CompilaRung(i);
        if (esito.guasto())
            return Guasto{i, esito.Guasto, SubCorrente};
        if (!esito.MessaggioRiga.isEmpty())
            archivia(SubCorrente, i, esito.MessaggioRiga);
    }
    return std::nullopt;
}

// The offset of block `blocco` of the table area.
std::int64_t offsetBlocco(int blocco)
{
    return std::int64_t(InizioDati) + (blocco - 1) * std::int64_t(kDimBloccoTabella);
}

// Where the data area ends: the block of the last local-operation record, rounded to
// whole arguments; InizioDati when there is none.
std::int32_t fineDati()
{
    for (int k = NumComandi - 1; k >= 0; --k) {
        const auto o = std::size_t(kDimIntestazione + kDimRecord * k);
        if (CodiceProgramma[o] != kClasseLocale)
            continue;
        const std::uint32_t indirizzo = std::uint32_t(CodiceProgramma[o + 3]) |
                                        std::uint32_t(CodiceProgramma[o + 4]) << 8 |
                                        std::uint32_t(CodiceProgramma[o + 5]) << 16 |
                                        std::uint32_t(CodiceProgramma[o + 6]) << 24;
        return FineBloccoInUso(std::int32_t(indirizzo), CodiceProgramma[o + 7]);
    }
    return InizioDati;
}

std::optional<Guasto> controllaConteggi()
{
    if (DimProg < 1 || DimProg > kDimCodice)
        return Guasto{0, guasti::AreaProgramma};
    if (Sezioni[0].NumRung < 0 || Sezioni[0].NumRung > kMaxRung ||
        PagineDisplay.NumPagine > kMaxPagine ||
        Schedulazioni.NumOggetti > kMaxOggettiScheduler || NumTabelle > kMaxTabelle ||
        NumImmagini > kMaxImmagini)
        return Guasto{0, guasti::Conteggio};
    for (int p = 0; p < unita::pagineEmesse(); ++p)
        if (PagineDisplay.Pagine[std::size_t(p)].NumOggetti > kMaxOggettiPagina)
            return Guasto{0, guasti::Conteggio};
    return std::nullopt;
}

struct RegioneImmagini {
    std::int64_t cima = 0;     // the images end just below it
    std::int64_t fondo = 0;    // where the lowest image starts
    std::int64_t byte = 0;     // bytes the images take
};

// Places the images downward from the top of the image region: below the program
// area's end and below the lowest table block, so neither an image nor a table is
// overwritten by the other.
std::optional<Guasto> collocaImmagini(RegioneImmagini& regione)
{
    regione.cima = DimProg;
    if (const std::optional<int> blocco = BloccoPiuBasso())
        regione.cima = std::min(regione.cima, offsetBlocco(*blocco));
    std::int64_t cursore = regione.cima;
    for (int i = 0; i < NumImmagini; ++i) {
        Img& img = Immagini[std::size_t(i)];
        if (img.NumByte < 0 || img.NumByte > kMaxByteImmagine)
            return Guasto{0, guasti::Immagine};
        cursore -= img.NumByte;
        if (cursore < InizioDati)
            return Guasto{0, guasti::ImmaginiDati};
        img.Indirizzo = std::int16_t(cursore);
        regione.byte += img.NumByte;
    }
    regione.fondo = cursore;
    return std::nullopt;
}

void copiaImmagini()
{
    for (int i = 0; i < NumImmagini; ++i) {
        const Img& img = Immagini[std::size_t(i)];
        std::copy_n(img.Bitmap.begin(), img.NumByte,
                    CodiceProgramma.begin() + img.Indirizzo);
    }
}

std::optional<Guasto> compilaProgetto()
{
    // 1. The same project always gives the same bytes.
    NumErrori = 0;
    CodiceProgramma.fill(0);
    InizioDati = PuntDati = 0;
    NumComandi = NumBlocchi = 0;

    const bool display = unita::modelloDisplay();
    if (display && rigeneraPagine())
        rigeneraPagine()();
    if (auto g = controllaConteggi())
        return g;

    // 2. Record slots. The page units get their line counts now, so the labels the
    // main program names are counted in the units as they will be compiled.
    int slot = Sezioni[0].NumRung;
    for (int p = 0; p < unita::pagineEmesse(); ++p) {
        const int righe = PagineDisplay.Pagine[std::size_t(p)].NumOggetti + 1;
        Sezioni[std::size_t(p + 1)].NumRung = std::int16_t(righe);
        slot += righe;
    }
    slot += Schedulazioni.NumOggetti;
    if (slot > kMaxRecord)
        return Guasto{0, guasti::TroppiRecord};

    // 3.
    InizioDati = kDimIntestazione + kDimRecord * slot;
    PuntDati = InizioDati;
    const unita::TabellaEtichette etichette;

    // 4. Main program.
    SubCorrente = 0;
    if (auto g = compilaUnita())
        return g;

    // 5. Display images and page programs.
    RegioneImmagini immagini;
    if (display) {
        if (auto g = collocaImmagini(immagini))
            return g;
        for (int p = 0; p < unita::pagineEmesse(); ++p) {
            SubCorrente = std::int16_t(p + 1);
            if (auto g = compilaUnita())
                return g;
        }
    }

    // 6. Scheduler.
    SubCorrente = 0;
    for (int i = 1; i <= Schedulazioni.NumOggetti; ++i) {
        const EsitoRiga esito = CompilaScheduler(i);
        if (esito.guasto())
            return Guasto{i, esito.Guasto};
        if (!esito.MessaggioRiga.isEmpty())
            archivia(0, i, esito.MessaggioRiga);
    }

    // 7. Header.
    CodiceProgramma[0] = std::uint8_t(NumComandi - Schedulazioni.NumOggetti);
    CodiceProgramma[2] = Schedulazioni.NumOggetti;

    // 8. Bytes in use.
    PuntDati = fineDati();

    // Data, tables and images each keep their own bytes.
    if (const std::optional<int> blocco = BloccoPiuBasso())
        if (PuntDati > offsetBlocco(*blocco))
            return Guasto{0, guasti::DatiTabelle};
    if (immagini.byte > 0) {
        if (PuntDati > immagini.fondo)
            return Guasto{0, guasti::ImmaginiDati};
        // Written last, so the whole-block writes of the data area never reach them;
        // the bytes in use run up to the region's top so the download carries them.
        copiaImmagini();
        PuntDati = std::int32_t(immagini.cima);
    }
    return std::nullopt;
}

} // namespace

std::int32_t Compila()
{
    // Later edits and saves act on the current unit: never leave it on a page unit.
    struct TornaAlPrincipale {
        ~TornaAlPrincipale() { SubCorrente = 0; }
    } torna;

    if (const std::optional<Guasto> g = compilaProgetto()) {
        // A fault names its cause, so the download never sends a partial image.
        archivia(g->rung == 0 ? kSezioneProgetto : g->sezione, g->rung, g->causa);
        RapportoGuasto();
        return 0;
    }
    if (NumErrori > 0) {
        RapportoErrori();
        return 0;
    }
    RapportoSuccesso(PuntDati);
    return PuntDati;
}

void ImpostaRigeneraPagine(std::function<void()> rigenera)
{
    rigeneraPagine() = std::move(rigenera);
}

} // namespace ludra
