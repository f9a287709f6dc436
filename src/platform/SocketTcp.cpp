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
    return dati;
}

void SocketTcp::scarta()
{
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
    // What came goes straight to the end of what waits to be read: the socket keeps no
    // buffer of its own (it is opened unbuffered), so an arrival costs one read.
    constexpr qint64 kBlocco = 4096;
    bool preso = false;
    bool finito = false;
    while (socket_) {
        char* dove = spazioPer(ricevuti_, kBlocco);
        const qint64 letti = socket_->read(dove, kBlocco);
        ricevuti_.chop(qsizetype(kBlocco - qMax<qint64>(letti, 0)));
        preso = preso || letti > 0;
        finito = letti < 0;
        if (letti < kBlocco)
            break;
    }
    if (preso)
        emit ricevuto();
    // Unbuffered, the socket learns that the peer has gone (or the connection broke) only
    // from a read, and no signal of its own tells it.
    if (finito && socket_ && socket_->state() != QAbstractSocket::ConnectedState) {
        if (errore_.isEmpty())
            errore_ = socket_->errorString();
        emit statoCambiato();
    }
}

} // namespace ludra::platform
