#include "link/Connessione.h"

#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "link/AggiornaStato.h"
#include "link/Bersaglio.h"
#include "link/Canali.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <algorithm>

namespace ludra {

QString NumeroTelefono;

namespace {

// While Connetti opens a connection, its failures are reported by Connetti itself.
bool inApertura = false;

void abilitaCollegamento(bool abil)
{
    AbilitaPulsanti(QStringLiteral("Puls_DebugRelease"), abil);
    AbilitaPulsanti(QStringLiteral("Puls_Download"), abil);
}

void fallito(const QString& perche)
{
    LogStart();
    LogWrite(QStringLiteral("Connection failed: ") + perche);
    Controllore.Connesso = false;
    abilitaCollegamento(false);
}

void connettiSeriale()
{
    platform::PortaSeriale& porta = MSComm1();
    porta.setCommPort(Controllore.Porta);
    const QString impostazioni = Controllore.Baud + QStringLiteral(",n,8,1");
    if (!porta.setSettings(impostazioni)) {
        fallito(QStringLiteral("bad serial settings \"%1\"").arg(impostazioni));
        return;
    }
    porta.setHandshaking(Controllore.Modem ? 2 : 0);
    if (!porta.apri()) {
        fallito(porta.errore());
        return;
    }
    if (Controllore.Modem) {
        // The modem answers in its own time: the link counts as open at once.
        porta.output(QByteArrayLiteral("atdt0, ") + NumeroTelefono.toLatin1() + '\r');
        Controllore.Connesso = true;
        return;
    }
    LogStart();
    LogWrite(QStringLiteral("Connected"));
    Controllore.Connesso = true;
    abilitaCollegamento(true);
}

void connettiTcp()
{
    platform::SocketTcp& socket = Winsock1();
    // The port field is an unsigned 16-bit number: every port up to 65535 is kept as it
    // is, and 0 names no port.
    const quint16 numero = quint16(Controllore.Porta);
    if (numero == 0) {
        socket.chiudi();
        fallito(QStringLiteral("TCP port 0 is not a port"));
        return;
    }
    inApertura = true;
    socket.connetti(Controllore.IP, numero);
    // The user may give up on the connect commands' wait: a toolbar click or a close
    // sets StopCom, as a stop does to a loop, and the attempt ends at once. Within a
    // longer operation (a scan) only that operation's stop ends it.
    const bool interrompibile = ConnessioneInCorso();
    const std::int16_t stopPrima = StopCom;
    if (interrompibile)
        StopCom = 0;
    const auto abbandonato = [interrompibile, &socket] {
        return !socket.connesso() && ((interrompibile && StopCom != 0) || Sequenza::arrestata());
    };
    {
        // What a handler would ask meanwhile waits for the attempt's end, as for a reply.
        const platform::AttesaRisposta attesa;
        platform::waiter().waitUntil(
            [&socket, &abbandonato] {
                const auto s = socket.stato();
                return s == platform::SocketTcp::Connesso || s == platform::SocketTcp::Errore ||
                       abbandonato();
            },
            qMax<qint64>(0, Controllore.Timeout));
    }
    const bool lasciato = abbandonato();
    if (interrompibile && StopCom == 0)
        StopCom = stopPrima;
    inApertura = false;
    if (lasciato) {
        socket.chiudi();
        LogStart();
        LogWrite(QStringLiteral("Connection abandoned  [") + Controllore.IP + QLatin1Char(']'));
        Controllore.Connesso = false;
        abilitaCollegamento(false);
        return;
    }
    if (socket.connesso()) {
        LogStart();
        LogWrite(QStringLiteral("Connected  [") + Controllore.IP + QLatin1Char(']'));
        Controllore.Connesso = true;
        abilitaCollegamento(true);
        return;
    }
    const QString errore = socket.errore();
    // An attempt left running could still connect later, behind the user's back.
    socket.chiudi();
    if (errore.isEmpty()) {
        platform::msgBox(QStringLiteral("Connection Timeout"), platform::MsgButtons::Ok,
                         platform::MsgIcon::Critical);
        LogStart();
        LogWrite(QStringLiteral("Connection Timeout"));
        Controllore.Connesso = false;
        abilitaCollegamento(false);
        return;
    }
    const QString perche = QStringLiteral("%1 [%2:%3]").arg(errore, Controllore.IP).arg(numero);
    platform::msgBox(QStringLiteral("Connection failed: ") + perche, platform::MsgButtons::Ok,
                     platform::MsgIcon::Critical);
    fallito(perche);
}

// What closing the link shows, whoever closed it: the Log line, the link state, the
// button groups and the status bar.
void linkChiuso(const QString& dove)
{
    if (ModoCom == kModoTcp)
        BarraStato::istanza().setPannello(4, QString());
    LogStart();
    LogWrite(QStringLiteral("Disconnect [") + dove + QLatin1Char(']'));
    Controllore.Connesso = false;
    RegistraCollegamento(false);
    AbilitaPulsanti(QStringLiteral("Puls_DebugRelease"), false);
    AbilitaPulsanti(QStringLiteral("Puls_Download"), false);
    AbilitaPulsanti(QStringLiteral("Puls_Debug"), false);
    AggiornaStato();
}

} // namespace

void Connetti()
{
    std::fill_n(BuffRx.begin(), 101, std::uint8_t(0));
    std::fill_n(BuffTx.begin(), 101, std::uint8_t(0));
    ModoCom = Controllore.Canale == 1 ? kModoRtu : kModoTcp;
    // The mode recorded stands until the new link reads it.
    ModoDebugIgnoto = false;
    if (ModoCom == kModoRtu)
        connettiSeriale();
    else
        connettiTcp();
    // Requests go where this link opened until the next connect, whatever the settings
    // say meanwhile.
    RegistraCollegamento(Controllore.Connesso);
    AggiornaStato();
}

void Disconnetti()
{
    if (StopCom == 0) {
        // Only a polling loop clears the flag, and the loop still uses the link.
        const QString corso = AttivitaInCorso();
        LogStart();
        LogWrite(QStringLiteral("Disconnect refused: ") +
                 (corso.isEmpty() ? QStringLiteral("a polling loop") : corso) +
                 QStringLiteral(" is running"));
        return;
    }
    if (ModoCom != kModoTcp) {
        MSComm1().chiudi();
        linkChiuso(QString::number(Controllore.Nodo));
    } else {
        Winsock1().chiudi();
        linkChiuso(Controllore.IP);
    }
}

void Winsock1_Close()
{
    // Only an open link whose connection is gone: an attempt under way is Connetti's.
    if (!Controllore.Connesso || ModoCom != kModoTcp || inApertura)
        return;
    switch (Winsock1().stato()) {
    case platform::SocketTcp::Connesso:
    case platform::SocketTcp::Connessione:
    case platform::SocketTcp::Risoluzione:
        return;
    default:
        // The socket object stays as it is (this runs inside its own signal); the next
        // connect replaces it.
        linkChiuso(Controllore.IP);
    }
}

} // namespace ludra
