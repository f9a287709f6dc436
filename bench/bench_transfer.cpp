// Program download and read-back (the verify) of the largest image the compiler
// produces, against the device simulator over TCP loopback and over a pseudo-terminal
// paced at 115200 baud. Prints the total time against the floor a device can give: the
// prescribed 0.1 s pause before each download block, printed as its own figure, plus the
// wire time of the frames (RTU: 10 bits per character; TCP: the frames with their
// Ethernet, IP and TCP headers at 100 Mbit/s).
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "platform/Waiter.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"
#include "sim/Simulatore.h"
#include "transfer/Trasferimenti.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

using namespace ludra;

namespace {

constexpr double kBaud = 115200;
constexpr double kEthernet = 100e6;
constexpr int kBlocco = kDimBloccoTrasferimento;

// Times the pauses and hands every wait to the event-loop waiter.
class PauseCronometrate final : public platform::Waiter {
public:
    PauseCronometrate() : reale_(&platform::waiter()) { platform::setWaiter(this); }
    ~PauseCronometrate() override { platform::setWaiter(nullptr); }
    void pumpOnce() override { reale_->pumpOnce(); }
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override
    {
        return reale_->waitUntil(done, timeoutMs);
    }
    qint64 nowMs() override { return reale_->nowMs(); }
    void pausa(qint64 ms, const std::function<bool()>& interrompi) override
    {
        QElapsedTimer t;
        t.start();
        reale_->pausa(ms, interrompi);
        ns += t.nsecsElapsed();
    }
    qint64 ns = 0;

private:
    platform::Waiter* reale_;
};

Rung locale(int funzione, int lung, int seme)
{
    Rung r = RungVuoto();
    r.Classe = kClasseLocale;
    r.Funzione = std::int16_t(funzione);
    r.LungDati = std::int16_t(lung);
    for (std::size_t i = 0; i < r.ArgByte.size(); ++i)
        r.ArgByte[i] = std::uint8_t(seme + int(i));
    return r;
}

// 100 main lines with 34-byte blocks and `logger` logger objects of `lung` data bytes.
void progetto(int logger, int lung)
{
    AzzeraStatoProcesso();
    ImpostaLingua(kInglese);
    Controllore.Modello = QStringLiteral("KVR5200-DL");
    ImpostaModello();
    Sezioni[0].NumRung = 100;
    for (int i = 1; i <= 100; ++i)
        Sezioni[0].Rung[std::size_t(i)] = locale(1, 34, i);
    Schedulazioni.NumOggetti = std::uint8_t(logger);
    for (int i = 1; i <= logger; ++i) {
        OggettoScheduler& o = Schedulazioni.Oggetti[std::size_t(i)];
        o.Blocco = locale(138, lung, i);
        for (std::size_t k = 0; k < o.Codice.size(); ++k)
            o.Codice[k] = std::uint8_t(k + std::size_t(i));
    }
}

// The largest image that compiles and that a download can carry (bytes 0..6399).
std::int32_t immagineMassima()
{
    std::int32_t migliore = 0;
    int mLogger = 0, mLung = 0;
    for (int logger = 0; logger <= kMaxOggettiScheduler; ++logger)
        for (int lung = 0; lung + kExtraScheduler - 2 <= kDimCodiceScheduler; ++lung) {
            progetto(logger, lung);
            const std::int32_t n = Compila();
            if (n > migliore && n < kDimCodice - 1) {
                migliore = n;
                mLogger = logger;
                mLung = lung;
            }
            if (logger == 0)
                break;
        }
    progetto(mLogger, mLung);
    const std::int32_t n = Compila();
    LogClear();
    std::printf("image: 100 main lines, %d loggers of %d data bytes, %d bytes in use, "
                "%d blocks\n",
                mLogger, mLung, int(n), int(n / kBlocco + 1));
    return n;
}

bool collega(bool seriale, sim::Simulatore& s)
{
    StopCom = 1;
    Disconnetti();
    if (seriale) {
        const QString p = QString::fromStdString(s.avviaRtu());
        platform::setMappaPorte([p](int) { return p; });
        Controllore.Canale = 1;
        Controllore.Porta = 1;
        Controllore.Baud = QStringLiteral("115200");
    } else {
        Controllore.Canale = 0;
        Controllore.IP = QStringLiteral("127.0.0.1");
        Controllore.Porta = s.avviaTcp();
    }
    Connetti();
    return Controllore.Connesso;
}

// The serial line's time beside the pauses has a target against its wire time; the
// loopback's has no wire to be held to.
void riga(const char* nome, double totale, double pause, double filo, bool seriale)
{
    const double resto = totale - pause;
    std::printf("%-20s total %7.3f s  pauses %7.3f s  wire %6.3f s  total / (pauses + wire) "
                "%.3f  |  rest %6.3f s, rest / wire %.2f%s\n",
                nome, totale, pause, filo, totale / (pause + filo), resto, resto / filo,
                seriale ? " (target <= 1.3)" : "");
}

// Seconds on the wire of one request and its reply, given their RTU frame lengths.
double filo(bool seriale, int richiesta, int risposta)
{
    if (seriale)
        return (richiesta + risposta) * 10.0 / kBaud;
    // The TCP frame drops the address and the checksum and adds the 7-byte header; each
    // travels with preamble, Ethernet header and checksum, gap, IP and TCP headers (the
    // latter with its time stamps): 38 + 20 + 32 bytes.
    constexpr double kIntorno = 38 + 20 + 32;
    return (2 * kIntorno + richiesta + 4 + risposta + 4) * 8.0 / kEthernet;
}

void misura(const char* mezzo, bool seriale, std::int32_t dim)
{
    sim::Simulatore s;
    if (seriale)
        s.setBaud(int(kBaud));
    if (!collega(seriale, s)) {
        std::printf("%s: cannot connect\n", mezzo);
        return;
    }
    const auto immagine = CodiceProgramma;
    const int blocchi = dim / kBlocco + 1;
    PauseCronometrate pause;
    QElapsedTimer t;
    t.start();
    const bool giu = DownloadProgramma(dim);
    const double download = double(t.nsecsElapsed()) / 1e9;
    const double pauseDownload = double(pause.ns) / 1e9;
    t.restart();
    const bool su = UploadProgramma();
    const double upload = double(t.nsecsElapsed()) / 1e9;
    const int letti = std::max(blocchi, kBlocchiRilettura);
    const bool uguale = std::equal(immagine.begin(), immagine.begin() + blocchi * kBlocco,
                                   CodiceProgramma.begin());
    if (!giu || !su || !uguale) {
        std::printf("%s: transfer failed (download %d, read-back %d, equal %d)\n", mezzo, giu,
                    su, uguale);
        return;
    }
    // RTU: request 7 + 32 + 2, reply 7 + 2; read-back request 7 + 2, reply 3 + 32 + 2.
    const double filoGiu = blocchi * filo(seriale, 41, 9);
    const double filoSu = letti * filo(seriale, 9, 37);
    std::printf("%s (%d blocks down, %d read back):\n", mezzo, blocchi, letti);
    riga("  download", download, pauseDownload, filoGiu, seriale);
    riga("  read-back", upload, 0, filoSu, seriale);
    riga("  download + verify", download + upload, pauseDownload, filoGiu + filoSu, seriale);
    StopCom = 1;
    Disconnetti();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::int32_t dim = immagineMassima();
    if (dim <= 0) {
        std::printf("no project compiled\n");
        return 1;
    }
    const auto immagine = CodiceProgramma;
    ImpostaDefaultLink();
    Controllore.Modello = QStringLiteral("KVR5200-DL");
    ImpostaModello();
    Controllore.Timeout = 2000;
    misura("TCP loopback", false, dim);
    CodiceProgramma = immagine;
    misura("pty at 115200 baud", true, dim);
    return 0;
}
