#pragma once
// The TCP client the link drives: one object owns the socket, keeps what arrives until
// it is read, and reports arrivals and state changes by signals (waking any pending
// wait).
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
    // Drops everything received and not yet read.
    void scarta();
    qint64 inAttesa() const { return ricevuti_.size(); }
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

    std::unique_ptr<QTcpSocket> socket_;
    QByteArray ricevuti_;
    QString errore_;
};

} // namespace ludra::platform
