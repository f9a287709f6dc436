// Label targets: which record a jump, call or page list names.
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "compiler/Unita.h"

#include "base/Testi.h"
#include "display/PagineDisplay.h"
#include "link/Conversioni.h"
#include "project/Progetto.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <vector>

namespace ludra {

namespace {

inline constexpr int kTestoErroreEtichetta = 52;
inline constexpr int kUnitaPercorse = 9;   // units 0..8 carry labels; unit 9 does not

const QString kEtichettaDisplay = QStringLiteral("DISPLAY");

// Every label's number, in a table of open slots keyed by the lines' own label texts
// (they stay as they are while a compile runs), and each unit's record count for the
// "DISPLAY" default.
class Etichette {
public:
    std::array<int, kNumSezioni> record{};

    explicit Etichette(int etichette) : posti_(std::bit_ceil(std::size_t(2 * etichette + 1))) {}

    // A later carrier of the same label takes its place.
    void aggiungi(const QString& etichetta, int numero)
    {
        Posto& p = posti_[posto(etichetta)];
        p.etichetta = &etichetta;
        p.numero = numero;
    }

    int numero(const QString& etichetta, int altrimenti) const
    {
        const Posto& p = posti_[posto(etichetta)];
        return p.etichetta ? p.numero : altrimenti;
    }

private:
    struct Posto {
        const QString* etichetta = nullptr;
        int numero = 0;
    };

    // The slot holding the label, or the free one where it goes.
    std::size_t posto(const QString& etichetta) const
    {
        std::uint32_t impronta = 2166136261U;
        for (const QChar c : etichetta)
            impronta = (impronta ^ c.unicode()) * 16777619U;
        const std::size_t maschera = posti_.size() - 1;
        std::size_t i = impronta & maschera;
        while (posti_[i].etichetta && *posti_[i].etichetta != etichetta)
            i = (i + 1) & maschera;
        return i;
    }

    std::vector<Posto> posti_;
};

// The walk of the units in order: each line is numbered 1 + the lines writing a record
// before it, and the last carrier of a label in the walk gives its number. A label found
// only in a unit this compile leaves out would name a record the image does not hold: it
// counts as missing, so the walk stops at the last unit emitted.
Etichette percorri()
{
    const int ultimaEmessa = std::min(kUnitaPercorse - 1, unita::pagineEmesse());
    int etichettate = 0;
    std::array<int, kNumSezioni> record{};
    for (int u = 0; u < kNumSezioni; ++u) {
        const Sezione& s = Sezioni[std::size_t(u)];
        for (int i = 1; i <= unita::righe(s); ++i) {
            const Rung& r = s.Rung[std::size_t(i)];
            record[std::size_t(u)] += unita::emetteRecord(r) ? 1 : 0;
            etichettate += u <= ultimaEmessa && !r.Etichetta.isEmpty() ? 1 : 0;
        }
    }
    Etichette e(etichettate);
    e.record = record;
    int numero = 1;
    for (int u = 0; u <= ultimaEmessa; ++u) {
        const Sezione& s = Sezioni[std::size_t(u)];
        for (int i = 1; i <= unita::righe(s); ++i) {
            const Rung& r = s.Rung[std::size_t(i)];
            if (!r.Etichetta.isEmpty())
                e.aggiungi(r.Etichetta, numero);
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
    return std::int16_t(e.numero(label, risultato));
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
