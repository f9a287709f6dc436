// The line compilers: one command record, and for a local operation or a scheduler
// object its data block.
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "compiler/Unita.h"

#include "link/Conversioni.h"
#include "project/Progetto.h"
#include "scheduler/Schedulazioni.h"

#include <algorithm>
#include <optional>

namespace ludra {

namespace {

// True when bytes [da, da + n) lie inside the image.
bool dentro(std::int64_t da, std::int64_t n) { return da >= 0 && da + n <= kDimCodice; }

// Takes the next record slot; a record never spills into the data area.
std::optional<int> nuovoRecord(EsitoRiga& esito)
{
    const int offset = kDimIntestazione + kDimRecord * NumComandi;
    if (NumComandi >= kMaxRecord || offset + kDimRecord > InizioDati) {
        esito.Guasto = guasti::TroppiRecord;
        return std::nullopt;
    }
    ++NumComandi;
    return offset;
}

bool nuovoBlocco(EsitoRiga& esito)
{
    if (NumBlocchi >= kMaxRecord) {
        esito.Guasto = guasti::TroppiBlocchi;
        return false;
    }
    ++NumBlocchi;
    return true;
}

// The record of a local operation or scheduler object whose block begins at PuntDati.
bool scriviRecordLocale(int offset, int lunghezza, bool interruzione, EsitoRiga& esito)
{
    double indirizzo = PuntDati;
    const std::optional<QuartettoByte> q = LongInBytes(indirizzo, false);
    if (!q) {
        esito.Guasto = guasti::OltreImmagine;
        return false;
    }
    // LongInBytes gives the high word first; the record wants the address low byte first.
    const std::array<std::uint8_t, kDimRecord> record{
        kClasseLocale, NumBlocchi, 0, (*q)[2], (*q)[3], (*q)[0], (*q)[1],
        std::uint8_t(lunghezza), 0, std::uint8_t(interruzione ? 1 : 0)};
    std::copy(record.begin(), record.end(), CodiceProgramma.begin() + offset);
    return true;
}

bool byteValido(int v) { return v >= 0 && v <= 0xFF; }

} // namespace

EsitoRiga CompilaRung(int line)
{
    return unita::suRiga(line, [line](Rung& r) {
        EsitoRiga esito;
        const auto& a = r.ArgByte;
        // A line the editor refused when the project was opened holds bytes that need not
        // encode its block: nothing of it reaches the image.
        if (!r.Rifiuto.isEmpty() && unita::emetteRecord(r)) {
            esito.MessaggioRiga = r.Rifiuto;
            return esito;
        }

        switch (r.Classe) {
        case kClasseScrivi:
        case kClasseLeggiHolding:
        case kClasseLeggiInput: {
            const std::optional<int> offset = nuovoRecord(esito);
            if (!offset)
                return esito;
            // Node, remote register (high, low), count, local register (high, low), delay
            // (low, high): 16-bit arguments are kept low byte first.
            const std::array<std::uint8_t, kDimRecord> record{
                std::uint8_t(r.Classe), a[0], a[5], a[4], a[8], a[13], a[12], a[16], a[20],
                std::uint8_t(r.Break ? 1 : 0)};
            std::copy(record.begin(), record.end(), CodiceProgramma.begin() + *offset);
            return esito;
        }
        case kClasseLocale: {
            esito = RisolviEtichette(line);
            if (esito.guasto())
                return esito;
            const std::optional<int> offset = nuovoRecord(esito);
            if (!offset || !nuovoBlocco(esito))
                return esito;
            // Every block holds at least its code and a 0 byte: a shorter one would share
            // its data with the next block.
            if (r.LungDati < kLungDatiMinima || !byteValido(r.LungDati)) {
                esito.Guasto = guasti::Lunghezza;
                return esito;
            }
            if (!byteValido(r.Funzione)) {
                esito.Guasto = guasti::Funzione;
                return esito;
            }
            if (!dentro(PuntDati, kDimScritturaBlocco)) {
                esito.Guasto = guasti::OltreImmagine;
                return esito;
            }
            if (!scriviRecordLocale(*offset, r.LungDati, r.Break, esito))
                return esito;

            const auto d = std::size_t(PuntDati);
            CodiceProgramma[d] = std::uint8_t(r.Funzione);
            CodiceProgramma[d + 1] = 0;
            std::copy(a.begin(), a.end(), CodiceProgramma.begin() + std::ptrdiff_t(d + 2));
            if (r.Funzione == kFunzioneDisplay && r.SubOp == kSubOpAggiornaDisplay)
                for (std::size_t k = 0; k < 8; ++k)
                    CodiceProgramma[d + 2 + 4 * k] = kSubOpAggiornaDisplay;
            PuntDati += r.LungDati;
            return esito;
        }
        default:
            return esito;   // a blank line writes nothing
        }
    });
}

EsitoRiga CompilaScheduler(int index)
{
    EsitoRiga esito;
    if (index < 1 || index > std::min<int>(Schedulazioni.NumOggetti, kMaxOggettiScheduler)) {
        esito.Guasto = guasti::Conteggio;
        return esito;
    }
    const OggettoScheduler& ogg = Schedulazioni.Oggetti[std::size_t(index)];
    const int l = ogg.Blocco.LungDati;
    const std::optional<int> offset = nuovoRecord(esito);
    if (!offset || !nuovoBlocco(esito))
        return esito;
    if (l < 0 || !byteValido(l + kExtraScheduler)) {
        esito.Guasto = guasti::Lunghezza;
        return esito;
    }
    // The block carries code bytes 0..L+41.
    if (l + kExtraScheduler - 2 > kDimCodiceScheduler) {
        esito.Guasto = guasti::CodiceScheduler;
        return esito;
    }
    if (!byteValido(ogg.Blocco.Funzione)) {
        esito.Guasto = guasti::Funzione;
        return esito;
    }
    const int lunghezza = l + kExtraScheduler;
    if (!dentro(PuntDati, lunghezza)) {
        esito.Guasto = guasti::OltreImmagine;
        return esito;
    }
    if (!scriviRecordLocale(*offset, lunghezza, false, esito))
        return esito;

    const auto d = std::size_t(PuntDati);
    CodiceProgramma[d] = std::uint8_t(ogg.Blocco.Funzione);
    CodiceProgramma[d + 1] = 0;
    std::copy_n(ogg.Codice.begin(), lunghezza - 2,
                CodiceProgramma.begin() + std::ptrdiff_t(d + 2));
    PuntDati += lunghezza;
    return esito;
}

} // namespace ludra
