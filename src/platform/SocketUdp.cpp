#include "platform/SocketUdp.h"

#include "platform/Waiter.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace ludra::platform {

SocketUdp::SocketUdp(QObject* parent) : QObject(parent) {}

SocketUdp::~SocketUdp() { chiudi(); }

void SocketUdp::chiudi()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_.reset();
    }
    coda_.clear();
}

quint16 SocketUdp::portaLocale() const { return socket_ ? socket_->localPort() : 0; }

bool SocketUdp::invia(const QByteArray& dati, const QString& host, quint16 porta)
{
    const QHostAddress indirizzo(host);
    if (indirizzo.isNull() || indirizzo.protocol() != QAbstractSocket::IPv4Protocol
        || porta == 0) {
        errore_ = QStringLiteral("Invalid address ") + host;
        return false;
    }
    if (!socket_) {
        socket_ = std::make_unique<QUdpSocket>();
        if (!socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
            errore_ = socket_->errorString();
            socket_.reset();
            return false;
        }
        connect(socket_.get(), &QUdpSocket::readyRead, this, &SocketUdp::leggiSocket);
    }
    if (socket_->writeDatagram(dati, indirizzo, porta) != dati.size()) {
        errore_ = socket_->errorString();
        return false;
    }
    errore_.clear();
    return true;
}

std::optional<SocketUdp::Datagramma> SocketUdp::leggi()
{
    if (coda_.empty())
        return std::nullopt;
    Datagramma d = std::move(coda_.front());
    coda_.pop_front();
    return d;
}

void SocketUdp::leggiSocket()
{
    bool nuovi = false;
    while (socket_ && socket_->hasPendingDatagrams()) {
        const qint64 dimensione = socket_->pendingDatagramSize();
        if (dimensione < 0 || dimensione > kMaxDatagramma || coda_.size() >= kMaxInCoda) {
            socket_->receiveDatagram(0);   // dropped
            continue;
        }
        const QNetworkDatagram d = socket_->receiveDatagram(kMaxDatagramma);
        QHostAddress mittente = d.senderAddress();
        bool ok = false;
        const quint32 v4 = mittente.toIPv4Address(&ok);
        if (ok)
            mittente = QHostAddress(v4);
        coda_.push_back({d.data(), mittente.toString()});
        nuovi = true;
    }
    if (nuovi) {
        emit ricevuto();
        wakeWaiters();
    }
}

} // namespace ludra::platform
