#include "platform/SocketTcp.h"

#include "platform/Ricezione.h"
#include "platform/Waiter.h"

#include <QTcpSocket>

namespace ludra::platform {

SocketTcp::SocketTcp(QObject* parent) : QObject(parent) {}

SocketTcp::~SocketTcp()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void SocketTcp::crea()
{
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_.reset();
    }
    socket_ = std::make_unique<QTcpSocket>();
    QTcpSocket* s = socket_.get();
    connect(s, &QTcpSocket::readyRead, this, &SocketTcp::leggiSocket);
    connect(s, &QTcpSocket::stateChanged, this, [this] {
        emit statoCambiato();
        wakeWaiters();
    });
    connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError) {
        errore_ = s->errorString();
        emit statoCambiato();
        wakeWaiters();
    });
    connect(s, &QTcpSocket::connected, this, [s] {
        // Requests are small and answered one at a time: no coalescing delay.
        s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    });
}

void SocketTcp::connetti(const QString& host, quint16 porta)
{
    crea();
    errore_.clear();
    ricevuti_.clear();
    socket_->connectToHost(host, porta);
}

SocketTcp::Stato SocketTcp::stato() const
{
    if (!socket_)
        return Chiuso;
    switch (socket_->state()) {
    case QAbstractSocket::ConnectedState: return Connesso;
    case QAbstractSocket::HostLookupState: return Risoluzione;
    case QAbstractSocket::ConnectingState: return Connessione;
    case QAbstractSocket::UnconnectedState: return errore_.isEmpty() ? Chiuso : Errore;
    default: return Chiuso;
    }
}

bool SocketTcp::invia(const QByteArray& dati)
{
    if (!connesso())
        return false;
    return inviaSubito(*socket_, int(socket_->socketDescriptor()), dati, true);
}

qint64 SocketTcp::inCoda() const { return socket_ ? socket_->bytesToWrite() : 0; }

QByteArray SocketTcp::leggi()
{
    if (socket_)
        ricevuti_ += socket_->readAll();
    QByteArray dati;
    dati.swap(ricevuti_);
    return dati;
}

void SocketTcp::scarta()
{
    if (socket_)
        socket_->readAll();
    ricevuti_.clear();
}

void SocketTcp::chiudi()
{
    if (!socket_)
        return;
    socket_->disconnect(this);
    socket_->abort();
    socket_.reset();
    ricevuti_.clear();
    errore_.clear();
}

void SocketTcp::leggiSocket()
{
    if (!socket_)
        return;
    const QByteArray nuovi = socket_->readAll();
    if (nuovi.isEmpty())
        return;
    accoda(ricevuti_, nuovi);
    emit ricevuto();
    wakeWaiters();
}

} // namespace ludra::platform
