#include "transfer/Trasferimenti.h"

#include "base/Finestre.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "compiler/CodiceProgramma.h"
#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"
#include "project/Registri.h"
#include "debug/ContatoreProgramma.h"
#include "transfer/FileHex.h"
#include "device/MemoriaControllore.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>

namespace ludra {

std::array<std::uint8_t, kDimBuffHex> BuffHex{};
std::int32_t DimCompilata = 0;
std::int16_t Barra = 0;
int BlocchiProgramma = 0;

namespace {

constexpr double kPausaBlocco = 0.1;
// The program area starts no lower in the controller's memory.
constexpr int kPuntProgMinimo = 512;

const QString kDownloading = QStringLiteral("Downloading ...");
const QString kUploading = QStringLiteral("Uploading ...");
const QString kDownloadOk = QStringLiteral("Download Successul");
const QString kDownloadFallito = QStringLiteral("Download Failed");
const QString kUploadOk = QStringLiteral("Upload Successul");
const QString kUploadFallito = QStringLiteral("Upload Failed");

void impostaBarra(double valore)
{
    Barra = std::int16_t(std::nearbyint(valore));
    emit Notifiche::istanza().barraCambiata(Barra);
}

// The progress after block `fatti` of `totale`.
void avanzaBarra(int fatti, int totale) { impostaBarra(100.0 * fatti / totale + 1); }

platform::FileDialogRequest richiestaFileHex()
{
    platform::FileDialogRequest r;
    r.filter = QStringLiteral(" (*.hex)|*.hex|(*.*)|*.*|");
    r.defaultExt = QStringLiteral("hex");
    return r;
}

bool intervalloValido(int primo, int quanti)
{
    return primo >= 0 && quanti <= kMaxBlocchiHex;
}

// One block written: `dati` to controller address `indirizzo`.
bool scriviBlocco(std::int32_t indirizzo, std::span<const std::uint8_t> dati)
{
    return AccessoMemoria(kScriviMemoria, indirizzo, kDimBloccoTrasferimento, dati) &&
           InviaRichiesta(true) == kComOk;
}

// One block read into `dati`.
bool leggiBlocco(std::uint8_t sottocodice, std::int32_t indirizzo, std::span<std::uint8_t> dati)
{
    if (!AccessoMemoria(sottocodice, indirizzo, kDimBloccoTrasferimento) ||
        InviaRichiesta(true) != kComOk)
        return false;
    std::copy_n(BuffRx.begin() + 3, kDimBloccoTrasferimento, dati.begin());
    return true;
}

std::span<std::uint8_t> bloccoDi(std::span<std::uint8_t> buffer, int i)
{
    return buffer.subspan(std::size_t(i) * kDimBloccoTrasferimento, kDimBloccoTrasferimento);
}

bool fine(const QString& esito, bool riuscito)
{
    LogWrite(esito);
    return riuscito;
}

// A transfer's opening: the gate, the hourglass while it runs and its Log block's head.
class Trasferimento {
public:
    Trasferimento(const QString& nome, const QString& titolo,
                  TipoSequenza tipo = TipoSequenza::Dispositivo)
        : sequenza_(nome, tipo)
    {
        if (!sequenza_)
            return;
        clessidra_.emplace();
        LogStart();
        LogWrite(titolo);
    }
    explicit operator bool() const { return bool(sequenza_); }

private:
    Sequenza sequenza_;
    std::optional<PuntatoreAttesa> clessidra_;
};

} // namespace

bool DownloadProgramma(std::int32_t nBytes)
{
    const Trasferimento t(QStringLiteral("Program download"), kDownloading, TipoSequenza::Programma);
    if (!t)
        return false;
    impostaBarra(1);
    if (nBytes < 0 || PuntProg < kPuntProgMinimo)
        return fine(kDownloadFallito, false);
    const int blocchi = nBytes / kDimBloccoTrasferimento + 1;
    BlocchiProgramma = 0;
    for (int i = 0; i < blocchi; ++i) {
        platform::pause(kPausaBlocco, Sequenza::arrestata);
        // A block past the image's last byte has nothing to carry.
        if ((i + 1) * kDimBloccoTrasferimento > kDimCodice)
            return fine(kDownloadFallito, false);
        if (!scriviBlocco(PuntProg + i * kDimBloccoTrasferimento, bloccoDi(CodiceProgramma, i)))
            return fine(kDownloadFallito, false);
        BlocchiProgramma = i + 1;
        avanzaBarra(i + 1, blocchi);
    }
    return fine(kDownloadOk, true);
}

bool UploadProgramma(int blocchiMinimi)
{
    const Trasferimento t(QStringLiteral("Program upload"), kUploading, TipoSequenza::Programma);
    if (!t)
        return false;
    const int blocchi = std::min(std::max({kBlocchiRilettura, BlocchiProgramma, blocchiMinimi}),
                                 kDimCodice / kDimBloccoTrasferimento);
    for (int i = 0; i < blocchi; ++i)
        if (!leggiBlocco(kLeggiImmagine, i * kDimBloccoTrasferimento,
                         bloccoDi(CodiceProgramma, i)))
            return fine(kUploadFallito, false);
    return fine(kUploadOk, true);
}

bool DownloadFileHex(int primo, int quanti, bool chiedi)
{
    if (!intervalloValido(primo, quanti)) {
        LogStart();
        return fine(kDownloadFallito, false);
    }
    const int righe = std::max(quanti, 0) * kDimBloccoTrasferimento;
    if (chiedi) {
        const QString file = platform::dialogs().openFile(richiestaFileHex());
        if (file.isEmpty())
            return false;
        // Read into a copy: BuffHex changes only when the file gave every byte to send.
        auto copia = std::make_unique<std::array<std::uint8_t, kDimBuffHex>>(BuffHex);
        const std::optional<QString> errore =
            LeggiFileHex(file, std::span(*copia).first(std::size_t(righe)),
                         std::size_t(primo) * kDimBloccoTrasferimento);
        if (errore) {
            platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
            LogStart();
            return fine(kDownloadFallito, false);
        }
        BuffHex = *copia;
    }

    const Trasferimento t(QStringLiteral("Memory download"), kDownloading);
    if (!t)
        return false;
    impostaBarra(1);
    for (int i = primo; i < quanti; ++i) {
        if (!scriviBlocco(i * kDimBloccoTrasferimento, bloccoDi(BuffHex, i)))
            return fine(kDownloadFallito, false);
        avanzaBarra(i + 1, quanti);
    }
    return fine(kDownloadOk, true);
}

bool UploadFileHex(int primo, int quanti, bool chiedi)
{
    if (!intervalloValido(primo, quanti)) {
        LogStart();
        return fine(kUploadFallito, false);
    }
    bool letto = true;
    {
        const Trasferimento t(QStringLiteral("Memory upload"), kUploading);
        if (!t)
            return false;
        for (int i = primo; i < quanti && letto; ++i)
            letto = leggiBlocco(kLeggiMemoria, i * kDimBloccoTrasferimento, bloccoDi(BuffHex, i));
        LogWrite(letto ? kUploadOk : kUploadFallito);
    }
    if (!chiedi || !letto)
        return letto;
    const QString file = platform::dialogs().saveFile(richiestaFileHex());
    if (file.isEmpty())
        return true;
    const int righe = std::max(quanti, 0) * kDimBloccoTrasferimento;
    if (const std::optional<QString> errore =
            ScriviFileHex(file, std::span(BuffHex).first(std::size_t(righe)))) {
        platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        LogStart();
        LogWrite(*errore);
        return false;
    }
    return true;
}

void AzzeraTrasferimenti()
{
    BuffHex.fill(0);
    DimCompilata = 0;
    Barra = 0;
    BlocchiProgramma = 0;
}

} // namespace ludra
