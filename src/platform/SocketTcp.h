#pragma once
// The TCP client the link drives: one object owns the socket, keeps what arrives until
// it is read, and reports arrivals and state changes by signals (waking any pending
// wait). It reads one block per arrival, so a peer that never stops leaves the event
// loop its turns, and keeps at most kMaxInAttesa bytes unread (platform/Ricezione.h):
// past them the rest stays with the system until the reader takes what waits.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class QTcpSocket;

namespace ludra::platform {

class SocketTcp : public QObject {
    Q_OBJECT
public:
    // The socket states as the link reads them.
    enum Stato { Chiuso = 0, Risoluzione = 4, Connessione = 6, Connesso = 7, Errore = 9 };

    explicit SocketTcp(QObject* parent = nullptr);
    ~SocketTcp() override;

    // Starts connecting (any earlier connection is dropped first).
    void connetti(const QString& host, quint16 porta);
    Stato stato() const;
    bool connesso() const { return stato() == Connesso; }
    // Why the last attempt or connection failed; empty when nothing failed.
    QString errore() const { return errore_; }
    // Sends at once; false when not connected or the write fails.
    bool invia(const QByteArray& dati);
    // Everything received and not yet read; empties it.
    QByteArray leggi();
    // Drops everything received and not yet read, also what the system holds for the
    // socket now; returns how many bytes that was.
    qint64 scarta();
    qint64 inAttesa() const { return ricevuti_.size(); }
    // What waits unread here and in the system.
    qint64 nonLetti() const;
    // What was given to send that the system has not taken yet.
    qint64 inCoda() const;
    // Drops the connection (and an attempt still under way) at once.
    void chiudi();

signals:
    void ricevuto();
    void statoCambiato();

private:
    void crea();
    void leggiSocket();
    // After a failed read: reports a connection the peer closed or that broke.
    void perso();

    std::unique_ptr<QTcpSocket> socket_;
    QByteArray ricevuti_;
    bool fermo_ = false;   // an arrival found no room: nothing is read until the reader takes
    QString errore_;
};

} // namespace ludra::platform
