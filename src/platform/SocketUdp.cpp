#include "platform/SocketUdp.h"


#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

namespace ludra::platform {

SocketUdp::SocketUdp(QObject* parent) : QObject(parent) {}

SocketUdp::~SocketUdp() { chiudi(); }

void SocketUdp::chiudi()
{
    for (auto& [locale, s] : socket_) {
        s->disconnect(this);
        s->abort();
    }
    socket_.clear();
    coda_.clear();
    piena_ = false;
}

QUdpSocket* SocketUdp::socket(const QString& locale)
{
    if (const auto i = socket_.find(locale); i != socket_.end())
        return i->second.get();
    const QHostAddress indirizzo = locale.isEmpty() ? QHostAddress(QHostAddress::AnyIPv4)
                                                    : QHostAddress(locale);
    if (indirizzo.isNull() || indirizzo.protocol() != QAbstractSocket::IPv4Protocol) {
        errore_ = QStringLiteral("Invalid local address ") + locale;
        return nullptr;
    }
    auto s = std::make_unique<QUdpSocket>();
    if (!s->bind(indirizzo, 0)) {
        errore_ = s->errorString();
        return nullptr;
    }
    QUdpSocket* p = s.get();
    connect(p, &QUdpSocket::readyRead, this, [this, p] { leggiSocket(p); });
    socket_.emplace(locale, std::move(s));
    return p;
}

bool SocketUdp::invia(const QByteArray& dati, const QString& host, quint16 porta,
                      const QString& locale)
{
    const QHostAddress indirizzo(host);
    if (indirizzo.isNull() || indirizzo.protocol() != QAbstractSocket::IPv4Protocol
        || porta == 0) {
        errore_ = QStringLiteral("Invalid address ") + host;
        return false;
    }
    QUdpSocket* s = socket(locale);
    if (!s)
        return false;
    if (s->writeDatagram(dati, indirizzo, porta) != dati.size()) {
        errore_ = s->errorString();
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
    // Reading starts again from the event loop, never inside the reader's own call.
    if (piena_) {
        piena_ = false;
        for (auto& [locale, s] : socket_)
            QMetaObject::invokeMethod(s.get(), [this, p = s.get()] { leggiSocket(p); },
                                      Qt::QueuedConnection);
    }
    return d;
}

void SocketUdp::leggiSocket(QUdpSocket* s)
{
    bool nuovi = false;
    for (int i = 0; i < kPerArrivo && s->hasPendingDatagrams(); ++i) {
        if (coda_.size() >= kMaxInCoda) {
            piena_ = true;
            break;
        }
        const qint64 dimensione = s->pendingDatagramSize();
        if (dimensione < 0 || dimensione > kMaxDatagramma) {
            s->receiveDatagram(0);   // no reply: dropped unread
            continue;
        }
        const QNetworkDatagram d = s->receiveDatagram(kMaxDatagramma);
        QHostAddress mittente = d.senderAddress();
        bool ok = false;
        const quint32 v4 = mittente.toIPv4Address(&ok);
        if (ok)
            mittente = QHostAddress(v4);
        coda_.push_back({d.data(), mittente.toString()});
        nuovi = true;
    }
    if (nuovi)
        emit ricevuto();
}

} // namespace ludra::platform
