#include "transfer/Download.h"

#include "base/Finestre.h"
#include "base/Log.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "link/Conversioni.h"
#include "link/SequenzaDaFinestra.h"
#include "monitor/AggiornaRegistri.h"
#include "platform/Waiter.h"
#include "project/Registri.h"
#include "device/MemoriaControllore.h"
#include "transfer/Trasferimenti.h"

#include <algorithm>
#include <optional>

namespace ludra {

std::array<std::uint8_t, kDimCodice> CodiceVerifica{};

namespace {

const QString kNomeDownload = QStringLiteral("Download");

} // namespace

void AzzeraDownload() { CodiceVerifica.fill(0); }

bool DownloadInCorso() { return SequenzaInCorso() == kNomeDownload; }

EsitoDownload EseguiDownload(const OpzioniDownload& opzioni)
{
    const SequenzaDaFinestra sequenza(kNomeDownload, TipoSequenza::Programma,
                                      Finestra::frm_Download);
    if (!sequenza)
        return EsitoDownload::Rifiutato;
    std::optional<PuntatoreAttesa> clessidra;
    clessidra.emplace();

    const auto esito = [&]() -> EsitoDownload {
        InviaComandoDebug(100);
        if (!InviaComandoDebug(252))
            return EsitoDownload::ArrestoFallito;
        platform::pause(0.5, Sequenza::arrestata);
        DimCompilata = Compila();
        // A compile that gives no bytes failed too, whatever its error count says.
        if (NumErrori > 0 || DimCompilata <= 0)
            return EsitoDownload::CompilazioneFallita;
        if (opzioni.download && !DownloadProgramma(DimCompilata))
            return EsitoDownload::DownloadFallito;
        if (opzioni.verifica) {
            CodiceVerifica = CodiceProgramma;
            // The read-back covers every byte of the compiled image.
            const int blocchi = DimCompilata / kDimBloccoTrasferimento + 1;
            if (!UploadProgramma(blocchi)) {
                CodiceProgramma = CodiceVerifica;
                return EsitoDownload::RiletturaFallita;
            }
            LogStart();
            LogWrite(QStringLiteral("Verifying ..."));
            const int fine = std::min<int>(std::max<int>(DimProg, DimCompilata - 1),
                                           int(CodiceProgramma.size()) - 1);
            const bool uguale = std::equal(CodiceVerifica.begin(),
                                           CodiceVerifica.begin() + fine + 1,
                                           CodiceProgramma.begin());
            CodiceProgramma = CodiceVerifica;
            if (!uguale) {
                // Starting a program the controller does not hold as compiled is unsafe.
                LogWrite(QStringLiteral("The Program has changed !"));
                return EsitoDownload::ProgrammaDiverso;
            }
            LogWrite(QStringLiteral("Verified ! -> OK"));
        }
        if (opzioni.cancella) {
            ClearRegistri();
            AggiornaRegistri_new(true);
        }
        // A sequence stopped part way (its window closing) has not done what it says.
        if (Sequenza::arrestata()) {
            LogWrite(QStringLiteral("Download Failed"));
            return EsitoDownload::DownloadFallito;
        }
        if (opzioni.esegui) {
            platform::pause(1, Sequenza::arrestata);
            InviaComandoDebug(255);
        }
        return EsitoDownload::Completato;
    }();

    clessidra.reset();
    platform::pause(0.5, Sequenza::arrestata);
    return esito;
}

} // namespace ludra
