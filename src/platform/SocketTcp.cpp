#include "platform/SocketTcp.h"

#include "platform/Ricezione.h"

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
    connect(s, &QTcpSocket::stateChanged, this, &SocketTcp::statoCambiato);
    connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError) {
        errore_ = s->errorString();
        emit statoCambiato();
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
    fermo_ = false;
    // Unbuffered: a reply is read once, from the system straight into ricevuti_.
    socket_->connectToHost(host, porta, QIODevice::ReadWrite | QIODevice::Unbuffered);
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
    QByteArray dati;
    dati.swap(ricevuti_);
    // Reading starts again from the event loop, never inside the reader's own call.
    if (fermo_) {
        fermo_ = false;
        QMetaObject::invokeMethod(this, &SocketTcp::leggiSocket, Qt::QueuedConnection);
    }
    return dati;
}

qint64 SocketTcp::scarta()
{
    qint64 scartati = ricevuti_.size();
    ricevuti_.clear();
    fermo_ = false;
    if (!socket_)
        return scartati;
    // What the system holds, and what it hands over at once behind it (a peer that
    // flooded leaves megabytes in flight), up to a bound: a peer that keeps sending does
    // not keep this going.
    constexpr qint64 kMaxScarto = 64 * kMaxInAttesa;
    char blocco[16384];
    while (scartati < kMaxScarto && socket_->bytesAvailable() > 0) {
        const qint64 letti = socket_->read(blocco, sizeof blocco);
        if (letti <= 0) {
            if (letti < 0)
                perso();
            break;
        }
        scartati += letti;
    }
    return scartati;
}

qint64 SocketTcp::nonLetti() const
{
    return ricevuti_.size() + (socket_ ? socket_->bytesAvailable() : 0);
}

void SocketTcp::chiudi()
{
    fermo_ = false;
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
    // One block per arrival, straight to the end of what waits to be read: the socket
    // keeps no buffer of its own (it is opened unbuffered) and tells again at the next
    // turn of the event loop while the system holds more. With no room left nothing is
    // read, and the socket stays quiet until the reader takes what waits.
    constexpr qint64 kBlocco = 4096;
    const qint64 spazio = qMin<qint64>(kBlocco, kMaxInAttesa - ricevuti_.size());
    if (spazio <= 0) {
        fermo_ = true;
        return;
    }
    const qint64 letti = aggiungiLetti(ricevuti_, spazio, [this](char* dove, qint64 n) {
        return socket_->read(dove, n);
    });
    if (letti > 0)
        emit ricevuto();
    if (letti < 0)
        perso();
}

void SocketTcp::perso()
{
    // Unbuffered, the socket learns that the peer has gone (or the connection broke) only
    // from a read, and no signal of its own tells it.
    if (socket_ && socket_->state() != QAbstractSocket::ConnectedState) {
        if (errore_.isEmpty())
            errore_ = socket_->errorString();
        emit statoCambiato();
    }
}

} // namespace ludra::platform
