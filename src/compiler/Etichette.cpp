// Label targets: which record a jump, call or page list names.
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "compiler/Unita.h"

#include "base/Testi.h"
#include "display/PagineDisplay.h"
#include "link/Conversioni.h"
#include "project/Progetto.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <optional>

namespace ludra {

namespace {

inline constexpr int kTestoErroreEtichetta = 52;
inline constexpr int kUnitaPercorse = 9;   // units 0..8 carry labels; unit 9 does not

const QString kEtichettaDisplay = QStringLiteral("DISPLAY");

// Every label's number and, for the "DISPLAY" default, each unit's record count.
struct Etichette {
    QHash<QString, int> numeri;
    std::array<int, kNumSezioni> record{};
};

// The walk of the units in order: each line is numbered 1 + the lines writing a record
// before it, and the last carrier of a label in the walk gives its number. A label found
// only in a unit this compile leaves out would name a record the image does not hold: it
// counts as missing, so the walk stops at the last unit emitted.
Etichette percorri()
{
    Etichette e;
    for (int u = 0; u < kNumSezioni; ++u) {
        const Sezione& s = Sezioni[std::size_t(u)];
        for (int i = 1; i <= unita::righe(s); ++i)
            e.record[std::size_t(u)] += unita::emetteRecord(s.Rung[std::size_t(i)]) ? 1 : 0;
    }
    const int ultimaEmessa = std::min(kUnitaPercorse - 1, unita::pagineEmesse());
    int numero = 1;
    for (int u = 0; u <= ultimaEmessa; ++u) {
        const Sezione& s = Sezioni[std::size_t(u)];
        for (int i = 1; i <= unita::righe(s); ++i) {
            const Rung& r = s.Rung[std::size_t(i)];
            if (!r.Etichetta.isEmpty())
                e.numeri.insert(r.Etichetta, numero);
            if (unita::emetteRecord(r))
                ++numero;
        }
    }
    return e;
}

std::optional<Etichette> tabella;   // while a TabellaEtichette lives

} // namespace

unita::TabellaEtichette::TabellaEtichette() { tabella = percorri(); }

unita::TabellaEtichette::~TabellaEtichette() { tabella.reset(); }

std::int16_t TrovaEtichetta(const QString& label)
{
    // A jump with no label typed must not land on whichever line has none.
    if (label.isEmpty())
        return 0;

    std::optional<Etichette> sola;
    const Etichette& e = tabella ? *tabella : sola.emplace(percorri());
    int risultato = 0;
    if (label == kEtichettaDisplay && unita::corrente())
        risultato = 1 + e.record[std::size_t(SubCorrente)];
    return std::int16_t(e.numeri.value(label, risultato));
}

EsitoRiga RisolviEtichette(int line)
{
    return unita::suRiga(line, [](Rung& r) {
        EsitoRiga esito;
        // The target value is the target line's record index, low byte first.
        const auto risolvi = [&](const QString& etichetta, int byte) {
            const int t = TrovaEtichetta(etichetta);
            const std::optional<CoppiaByte> bersaglio =
                t > 0 ? WordInBytes(t - 1) : std::optional<CoppiaByte>();
            if (bersaglio) {
                r.ArgByte[std::size_t(byte)] = (*bersaglio)[0];
                r.ArgByte[std::size_t(byte + 1)] = (*bersaglio)[1];
            } else {
                esito.MessaggioRiga = Testi.t(kTestoErroreEtichetta);
            }
        };

        switch (r.Funzione) {
        case kFunzioneGoto:
        case kFunzioneCall:
            risolvi(r.ArgTesto[4], 0);
            break;
        case kFunzioneIfGoto:
        case kFunzioneIfCall:
            risolvi(r.ArgTesto[4], 4);    // when the bit is true
            // If(bit) -> Call offers no target for a clear bit: without one its bytes stay
            // as the editor wrote them, and the line is not in error.
            if (r.Funzione == kFunzioneIfGoto || !r.ArgTesto[5].isEmpty())
                risolvi(r.ArgTesto[5], 12);   // when the bit is false
            break;
        case kFunzioneDisplay: {
            if (r.SubOp != kSubOpListaPagine)
                break;
            const int n = PagineDisplay.NumPagine;
            if (n < 1) {
                esito.Guasto = guasti::NessunaPagina;
                return esito;
            }
            r.ArgByte[0] = kSubOpListaPagine;
            r.ArgByte[3] = std::uint8_t(n - 1);
            for (int k = 1; k <= n; ++k) {
                if (k > kMaxPagineLista) {
                    esito.Guasto = guasti::TroppePagine;
                    return esito;
                }
                risolvi(QStringLiteral("PAG") + QString::number(k), 4 * k);
            }
            r.LungDati = std::int16_t(4 * n + 6);
            break;
        }
        default:
            break;
        }
        return esito;
    });
}

} // namespace ludra
