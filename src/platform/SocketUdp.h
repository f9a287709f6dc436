#pragma once
// The datagram sockets of the device search: one object owns them, keeps the datagrams
// that arrive on any of them (with their sender) until they are read, and reports
// arrivals by a signal (waking any pending wait). A datagram leaves from a socket bound
// to the local address asked for (any address by default), bound to a free port at its
// first send; replies come back to that socket.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <map>
#include <memory>
#include <optional>

class QUdpSocket;

namespace ludra::platform {

class SocketUdp : public QObject {
    Q_OBJECT
public:
    // Larger datagrams are dropped unread: no device reply comes near it.
    static constexpr qint64 kMaxDatagramma = 1472;
    // Datagrams kept unread at most: beyond them the rest waits in the system until the
    // queue is read. One arrival reads a few at most, so a flood of them still leaves
    // the event loop its turns (the socket tells again while more wait).
    static constexpr std::size_t kMaxInCoda = 1024;
    static constexpr int kPerArrivo = 64;

    struct Datagramma {
        QByteArray dati;
        QString mittente;   // dotted decimal
    };

    explicit SocketUdp(QObject* parent = nullptr);
    ~SocketUdp() override;

    // Sends one datagram from `locale` (empty: any local address); false (with
    // errore()) when the socket cannot bind or send.
    bool invia(const QByteArray& dati, const QString& host, quint16 porta,
               const QString& locale = QString());
    // The oldest datagram not yet read.
    std::optional<Datagramma> leggi();
    std::size_t inAttesa() const { return coda_.size(); }
    QString errore() const { return errore_; }
    void chiudi();

signals:
    void ricevuto();

private:
    QUdpSocket* socket(const QString& locale);
    void leggiSocket(QUdpSocket* s);
    std::map<QString, std::unique_ptr<QUdpSocket>> socket_;
    std::deque<Datagramma> coda_;
    bool piena_ = false;   // an arrival found the queue full: nothing is read until it is
    QString errore_;
};

} // namespace ludra::platform
