#pragma once
// Devices of the local network for the search tests, all on 127.0.0.1 in this thread
// (they answer while the search pumps events): a datagram responder for the discovery
// queries and a telnet responder for the gateway set-up dialogue.
#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QUdpSocket>
#include <vector>

class QTcpSocket;

namespace ludra::test {

class RisponditoreUdp : public QObject {
public:
    // Listens on `ascolto` (an address of this machine or a network's broadcast address)
    // and answers from `mittente` when given.
    explicit RisponditoreUdp(const QString& ascolto = QStringLiteral("127.0.0.1"),
                             quint16 porta = 0, const QString& mittente = QString());
    quint16 porta() const { return socket_.localPort(); }
    // Sent back, one datagram each, to every controller query ("0001") and every
    // gateway query (00 00 00 F6).
    std::vector<QByteArray> risposteController;
    std::vector<QByteArray> risposteGateway;
    std::vector<QByteArray> ricevuti;

private:
    void leggi();
    QUdpSocket socket_;
    QUdpSocket invio_;
};

// A controller reply: name, MAC, address stored in the device, mask, node, init flag.
QByteArray RispostaControllerFinta(const QByteArray& nome, const std::vector<int>& mac,
                                   const std::vector<int>& ip, int nodo, int init);
// A gateway reply of 30 bytes with the MAC in bytes 25 to 30.
QByteArray RispostaGatewayFinta(const std::vector<int>& mac);

class RisponditoreTelnet : public QObject {
public:
    RisponditoreTelnet();
    quint16 porta() const { return server_.serverPort(); }
    // The greeting sent on connection, then one reply per piece of text received.
    QByteArray saluto;
    // Telnet negotiation sent with the greeting's first piece; the greeting's last
    // `secondoPezzo` bytes follow a moment later.
    QByteArray negoziazione;
    int secondoPezzo = 0;
    std::vector<QByteArray> risposte;
    QByteArray ricevuto;   // everything received, in order
    QByteArray inonda;     // sent without end after the greeting instead, nothing read
    qint64 inondati = 0;   // the bytes of it the system took

private:
    QTcpServer server_;
    QTcpSocket* client_ = nullptr;
    std::size_t prossima_ = 0;
};

} // namespace ludra::test
