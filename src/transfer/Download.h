#pragma once
// The download sequence: stop the controller, compile, write the image, read it back
// and compare, clear the first user registers, start the program.
#include "compiler/CodiceProgramma.h"

#include <array>
#include <cstdint>

namespace ludra {

struct OpzioniDownload {
    bool download = true;   // chk_download
    bool verifica = false;  // chk_Verify
    bool cancella = false;  // chk_Clear
    bool esegui = false;    // chk_run
};

// The image as compiled, kept while the read-back overwrites CodiceProgramma.
extern std::array<std::uint8_t, kDimCodice> CodiceVerifica;
void AzzeraDownload();

enum class EsitoDownload {
    Completato,
    ArrestoFallito,       // the stop command failed: nothing compiled or sent
    CompilazioneFallita,  // errors, or nothing compiled: nothing sent
    DownloadFallito,
    RiletturaFallita,
    ProgrammaDiverso,     // the read-back differs: neither cleared nor started
    Rifiutato,            // another sequence was running: nothing sent
};

// cmdDownload_Click without the window: runs the whole sequence with the options given.
EsitoDownload EseguiDownload(const OpzioniDownload& opzioni);

// True while a sequence runs (a second start is refused).
bool DownloadInCorso();

} // namespace ludra
