#pragma once
// The data-logger objects edited: created in pairs, deleted, moved and compiled into the
// bytes the program compiler emits.
#include "base/ListaOggetti.h"
#include "scheduler/Schedulazioni.h"

#include <QStringList>
#include <cstdint>

namespace ludra {

class EditorScheduler {
public:
    std::uint8_t OggettoAttivo = 0;   // current slot, 0 none

    // Appends the pair of logger objects; refused (false) when fewer than two slots are
    // free.
    bool NuovoLogger();
    bool DeleteObject(int ogg);
    // Swaps the current object with the one before (Send to Back) or after it.
    bool SpostaIndietro();
    bool SpostaAvanti();
    static void CopiaOggetto(int da, int a);

private:
    ListaOggetti lista();
};

// The bytes of Codice a compile writes: 0..73.
inline constexpr int kByteRecordScheduler = 74;

// Rebuilds bytes 0..73 of Codice of every Log Write object; the others keep theirs.
void CompilaOggettiScheduler();
// One object's compiled bytes (0..73; the rest 0).
std::array<std::uint8_t, kDimCodiceScheduler> CodiceScheduler(const OggettoScheduler& oggetto);
// The object list: "[1] Logger \Dir0\", ...
QStringList VociScheduler();

} // namespace ludra
