#include "support/DispositiviFinti.h"

#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QTimer>

namespace ludra::test {

RisponditoreUdp::RisponditoreUdp(const QString& ascolto, quint16 porta, const QString& mittente)
{
    socket_.bind(QHostAddress(ascolto), porta);
    if (!mittente.isEmpty())
        invio_.bind(QHostAddress(mittente), 0);
    connect(&socket_, &QUdpSocket::readyRead, this, &RisponditoreUdp::leggi);
}

void RisponditoreUdp::leggi()
{
    while (socket_.hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_.receiveDatagram();
        ricevuti.push_back(d.data());
        const std::vector<QByteArray>* risposte = nullptr;
        if (d.data() == QByteArrayLiteral("0001"))
            risposte = &risposteController;
        else if (d.data() == QByteArray("\x00\x00\x00\xF6", 4))
            risposte = &risposteGateway;
        if (!risposte)
            continue;
        QUdpSocket& uscita = invio_.state() == QAbstractSocket::BoundState ? invio_ : socket_;
        for (const QByteArray& r : *risposte)
            uscita.writeDatagram(r, d.senderAddress(), quint16(d.senderPort()));
    }
}

QByteArray RispostaControllerFinta(const QByteArray& nome, const std::vector<int>& mac,
                                   const std::vector<int>& ip, int nodo, int init)
{
    QByteArray r = nome.left(7).leftJustified(7, '\0');
    r.append(char(0));
    for (int b : mac)
        r.append(char(b));
    for (int b : ip)
        r.append(char(b));
    for (int b : {255, 255, 255, 0})
        r.append(char(b));
    r.append(char(nodo));
    r.append(char(init));
    return r;
}

QByteArray RispostaGatewayFinta(const std::vector<int>& mac)
{
    QByteArray r(24, 'x');
    for (int b : mac)
        r.append(char(b));
    return r;
}

RisponditoreTelnet::RisponditoreTelnet()
{
    server_.listen(QHostAddress(QHostAddress::LocalHost), 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        client_ = server_.nextPendingConnection();
        if (!client_)
            return;
        if (!inonda.isEmpty()) {
            client_->setReadBufferSize(1);
            client_->write(saluto);
            const QByteArray blocco = inonda.repeated(12288 / inonda.size());
            const auto versa = [this, c = client_, blocco] {
                for (; c->isValid() && c->bytesToWrite() < 65536; inondati += blocco.size())
                    c->write(blocco);
            };
            connect(client_, &QTcpSocket::bytesWritten, this, versa);
            return versa();
        }
        client_->write(negoziazione + saluto.left(saluto.size() - secondoPezzo));
        if (secondoPezzo > 0)
            QTimer::singleShot(30, client_, [this] { client_->write(saluto.right(secondoPezzo)); });
        connect(client_, &QTcpSocket::readyRead, this, [this] {
            const QByteArray dati = client_->readAll();
            ricevuto += dati;
            // Answers to the negotiation (three bytes from 255 on) are no command.
            QByteArray testo = dati;
            qsizetype i = 0;
            while ((i = testo.indexOf('\xFF')) >= 0)
                testo.remove(i, 3);
            if (!testo.isEmpty() && prossima_ < risposte.size())
                client_->write(risposte[prossima_++]);
        });
    });
}

} // namespace ludra::test
