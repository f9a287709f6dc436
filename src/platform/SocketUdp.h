#pragma once
// The datagram socket of the device search: one object owns the socket, keeps the
// datagrams that arrive (with their sender) until they are read, and reports arrivals
// by a signal (waking any pending wait). It binds to a free local port at the first
// send; replies come back to that port.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <optional>

class QUdpSocket;

namespace ludra::platform {

class SocketUdp : public QObject {
    Q_OBJECT
public:
    // Larger datagrams are dropped unread: no device reply comes near it.
    static constexpr qint64 kMaxDatagramma = 1472;
    // Datagrams kept unread at most; a flood beyond it is dropped.
    static constexpr std::size_t kMaxInCoda = 1024;

    struct Datagramma {
        QByteArray dati;
        QString mittente;   // dotted decimal
    };

    explicit SocketUdp(QObject* parent = nullptr);
    ~SocketUdp() override;

    // Sends one datagram; false (with errore()) when the socket cannot bind or send.
    bool invia(const QByteArray& dati, const QString& host, quint16 porta);
    // The oldest datagram not yet read.
    std::optional<Datagramma> leggi();
    std::size_t inAttesa() const { return coda_.size(); }
    QString errore() const { return errore_; }
    // The local port replies come to, 0 before the first send.
    quint16 portaLocale() const;
    void chiudi();

signals:
    void ricevuto();

private:
    void leggiSocket();
    std::unique_ptr<QUdpSocket> socket_;
    std::deque<Datagramma> coda_;
    QString errore_;
};

} // namespace ludra::platform
