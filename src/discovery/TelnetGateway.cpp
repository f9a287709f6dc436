// The gateway's set-up dialogue over telnet: fixed network addresses, the serial
// channel's settings, save.
#include "base/Log.h"
#include "discovery/Dispositivi.h"
#include "discovery/Ricerca.h"
#include "link/SequenzaDaFinestra.h"
#include "platform/Dialogs.h"
#include "platform/Ricezione.h"
#include "platform/Waiter.h"

#include <QHostAddress>

namespace ludra {
namespace {

// The addresses typed into the gateway: the factory network of the devices.
constexpr const char* kIpDispositivo = "192.168.0.100";
constexpr const char* kIpGateway = "192.168.0.1";

// Answers to the gateway's options wait in the socket when it does not read them; a
// gateway that offers options without end and never reads would have them fill memory.
constexpr qint64 kMaxNonLetti = 4096;

QByteArray ottetti(const char* indirizzo)
{
    QByteArray t;
    for (const QByteArray& o : QByteArray(indirizzo).split('.'))
        t += o + '\r';
    return t;
}

} // namespace

void RicercaDispositivi::scriviTelnet(const QByteArray& dati)
{
    if (telnet.inCoda() + dati.size() > kMaxNonLetti)
        telnetNonLegge_ = true;
    else
        telnet.invia(dati);
}

bool RicercaDispositivi::InviaTelnet(const QByteArray& comando, int minimo, int secondi)
{
    RispostaTelnet.clear();
    byteTelnet_ = 0;
    if (InvioRifiutato(QStringLiteral("Telnet step"), true))
        return false;
    if (!comando.isEmpty())
        scriviTelnet(comando);
    // The reply is gathered until it is long enough and what the system holds has been
    // read too (so a flood behind it shows); a dropped connection, a gateway that does
    // not read or sends more than the bound, or a closed window ends the wait at once.
    const auto inonda = [this] { return byteTelnet_ > platform::kMaxInAttesa; };
    platform::waiter().waitUntil(
        [this, minimo, &inonda] {
            return (RispostaTelnet.size() >= minimo && telnet.nonLetti() == 0) || inonda()
                   || chiusa_ || telnetNonLegge_
                   || telnet.stato() == platform::SocketTcp::Errore || Sequenza::arrestata();
        },
        qint64(secondi) * 1000);
    if (chiusa_)
        return false;
    if (telnetNonLegge_ || inonda()) {
        LogStart();
        LogWrite(QStringLiteral("Gateway set-up: ")
                 + (telnetNonLegge_ ? QStringLiteral("the gateway does not read")
                                    : platform::TestoTroppiByte()));
        return false;
    }
    return RispostaTelnet.size() >= minimo;
}

void RicercaDispositivi::ProgrammaDefault()
{
    const int n = IndiceDispositivo;
    const QString ip = n >= 1 && n <= NumeroDispositivi ? Dispositivi[std::size_t(n)].IP : QString();
    if (ip.isEmpty() || QHostAddress(ip).protocol() != QAbstractSocket::IPv4Protocol) {
        platform::msgBox(QStringLiteral("Selezionare dispositivo"));
        return;
    }
    // Not while a search or a scan runs (this would run inside its event pump).
    if (occupato_)
        return;
    const SequenzaDaFinestra sequenza(QStringLiteral("Gateway set-up"));
    if (!sequenza)
        return;
    occupato_ = true;
    testoTelnet_.azzera();
    telnetNonLegge_ = false;
    telnet.connetti(ip, IndirizziRicerca.portaTelnet);
    const QByteArray passo3 = QByteArray("1") + ottetti(kIpDispositivo) + "Y" + ottetti(kIpGateway)
                              + "Y" + "255\r255\r255\r0\r";
    const struct {
        QByteArray testo;
        int minimo;
    } passi[] = {
        {QByteArray(), 100},
        {QByteArray("\r"), 900},
        {passo3, 200},
        {QByteArray("N"), 800},
        {QByteArray("2"), 40},
        {QByteArray("1\r1\r1\r38400,8,N,1\r"), 1000},
        {QByteArray("S"), 40},
    };
    bool riuscito = true;
    for (const auto& p : passi) {
        if (!InviaTelnet(p.testo, p.minimo, 2)) {
            riuscito = false;
            break;
        }
    }
    telnet.chiudi();
    occupato_ = false;
    if (chiusa_)
        return;
    platform::msgBox(riuscito ? QStringLiteral("Parameters saved, Restarting ...")
                              : QStringLiteral("errore"));
}

} // namespace ludra
