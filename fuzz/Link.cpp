#include "Link.h"

#include "Fuzz.h"
#include "link/Checksum.h"
#include "link/Connessione.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "link/TramaModbus.h"
#include "platform/PortaSeriale.h"
#include "platform/Waiter.h"
#include "sim/Simulatore.h"
#include "support/LinkSim.h"

#include <QHostAddress>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace ludra::fuzz {
namespace {

// The link's waits on a clock ten times the wall clock's pace: the line silence that
// ends a serial reply, and the time-outs, pass ten times sooner, and nothing else
// changes.
class TempoVeloce final : public platform::Waiter {
public:
    static constexpr qint64 kPasso = 10;
    TempoVeloce() : reale_((platform::setWaiter(nullptr), &platform::waiter()))
    {
        platform::setWaiter(this);
    }
    void pumpOnce() override { reale_->pumpOnce(); }
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override
    {
        return reale_->waitUntil(done, (timeoutMs + kPasso - 1) / kPasso);
    }
    qint64 nowMs() override { return reale_->nowMs() * kPasso; }

private:
    platform::Waiter* reale_;
};

QByteArray rtu(QByteArray trama)
{
    const auto crc = sim::crc16(reinterpret_cast<const std::uint8_t*>(trama.constData()),
                                std::size_t(trama.size()));
    return trama + char(crc[0]) + char(crc[1]);
}

} // namespace

Periferica::Periferica(Mezzo mezzo) : mezzo_(mezzo)
{
    static TempoVeloce tempo;
    test::ControlloreDiProva(1, 1);
    if (mezzo == Mezzo::Tcp) {
        server_ = std::make_unique<QTcpServer>();
        if (!server_->listen(QHostAddress::LocalHost, 0))
            Fallito("listen", __FILE__, __LINE__, server_->errorString());
        connect(server_.get(), &QTcpServer::newConnection, this, &Periferica::accetta);
        test::CanaleTcp(server_->serverPort());
        return;
    }
    char nome[256] = {};
    if (::openpty(&master_, &slave_, nome, nullptr, nullptr) != 0)
        Fallito("openpty", __FILE__, __LINE__, QString());
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifica_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifica_.get(), &QSocketNotifier::activated, this, &Periferica::leggiPty);
    const QString percorso = QString::fromLocal8Bit(nome);
    platform::setMappaPorte([percorso](int) { return percorso; });
    test::CanaleSeriale();
}

Periferica::~Periferica()
{
    notifica_.reset();
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
}

bool Periferica::collega(const std::vector<QByteArray>& risposte, bool incornicia)
{
    risposte_.assign(risposte.begin(), risposte.end());
    incornicia_ = incornicia;
    ricevuti_.clear();
    if (!Controllore.Connesso)
        Connetti();
    return Controllore.Connesso;
}

void Periferica::scollega()
{
    StopCom = 1;
    // The serial line stays open: only what is still in it goes.
    if (mezzo_ == Mezzo::Tcp) {
        Disconnetti();
        if (connessione_) {
            connessione_->abort();
            connessione_->deleteLater();
            connessione_ = nullptr;
        }
    }
}

void Periferica::accetta()
{
    while (QTcpSocket* s = server_->nextPendingConnection()) {
        if (connessione_)
            connessione_->deleteLater();
        connessione_ = s;
        connect(s, &QTcpSocket::readyRead, this, &Periferica::leggiTcp);
    }
}

void Periferica::leggiTcp()
{
    if (!connessione_)
        return;
    ricevuti_ += connessione_->readAll();
    // Modbus TCP frames: six header bytes, the last two the length of what follows.
    while (ricevuti_.size() >= 6) {
        const qsizetype lunghezza = 6 + ((std::uint8_t(ricevuti_[4]) << 8) | std::uint8_t(ricevuti_[5]));
        if (ricevuti_.size() < lunghezza)
            return;
        richiesta(ricevuti_.left(lunghezza));
        ricevuti_.remove(0, lunghezza);
    }
}

void Periferica::leggiPty()
{
    char buf[512];
    QByteArray trama;
    for (ssize_t n; (n = ::read(master_, buf, sizeof buf)) > 0;)
        trama.append(buf, n);
    // The link writes each request at once: one burst is one request.
    if (!trama.isEmpty())
        richiesta(trama);
}

void Periferica::richiesta(const QByteArray& trama)
{
    if (risposte_.empty()) {
        if (mezzo_ == Mezzo::Tcp && connessione_)
            connessione_->disconnectFromHost();
        return;
    }
    QByteArray risposta = risposte_.front();
    risposte_.pop_front();
    if (incornicia_ && mezzo_ == Mezzo::Rtu)
        risposta = rtu(risposta);
    if (incornicia_ && mezzo_ == Mezzo::Tcp) {
        const auto n = std::uint16_t(risposta.size());
        risposta = trama.left(4) + char(n >> 8) + char(n & 0xFF) + risposta;
    }
    if (mezzo_ == Mezzo::Rtu) {
        const qsizetype scritti = ::write(master_, risposta.constData(), std::size_t(risposta.size()));
        (void)scritti;
        return;
    }
    connessione_->write(risposta);
    connessione_->flush();
    if (risposte_.empty())
        connessione_->disconnectFromHost();
}

void ImpostaRichiesta(std::uint8_t quale)
{
    static const std::vector<std::vector<std::uint8_t>> richieste = {
        {1, 4, 0, 100, 0, 10},
        {1, 3, 0, 0, 0, 125},
        {1, 20, 2, 0, 0x10, 0, 200},
        {1, 16, 0, 10, 0, 2, 4, 0, 1, 0, 2},
        {1, 6, 0, 0, 0, 255},
        {1, 1, 0, 0, 0, 16},
        {1, 23, 0, 0, 0, 2, 0, 10, 0, 1, 2, 0, 5},
        {1, 20, 4, 0, 0x10, 0, 2, 9, 9},
    };
    const auto& r = richieste[quale % richieste.size()];
    std::copy(r.begin(), r.end(), BuffTx.begin());
    LenTx = std::int16_t(r.size());
}

void ControllaRisposta(std::uint8_t esito, Mezzo mezzo)
{
    if (esito != kComOk)
        return;
    const int crc = mezzo == Mezzo::Rtu ? 2 : 0;
    const std::span<const std::uint8_t> richiesta(BuffTx.data(), std::size_t(LenTx - crc));
    const QString dove = QStringLiteral("reply of %1 bytes to function %2").arg(LenRx).arg(BuffTx[1]);
    FUZZ_CHECK(LenRx >= 2 + crc && LenRx <= std::int16_t(BuffRx.size()), dove);
    FUZZ_CHECK(BuffRx[0] == BuffTx[0] && BuffRx[1] == BuffTx[1], dove);
    FUZZ_CHECK(crc == 0 || ControllaCRC(BuffRx, LenRx - 2), dove);
    FUZZ_CHECK(LenRx - crc >= LunghezzaMinimaRisposta(richiesta), dove);
}

int FuzzRisposta(Mezzo mezzo, const std::uint8_t* dati, std::size_t n)
{
    Avvia();
    static Periferica periferica(mezzo);
    if (n == 0)
        return 0;
    FUZZ_CHECK(periferica.collega({Byte(dati + 1, n - 1)}, dati[0] & 0x80),
               QStringLiteral("the link does not connect"));
    ImpostaRichiesta(dati[0]);
    {
        const Sequenza sequenza(QStringLiteral("Fuzz"), TipoSequenza::Breve);
        ControllaRisposta(InviaRichiesta(true), mezzo);
    }
    periferica.scollega();
    return 0;
}

} // namespace ludra::fuzz
