#pragma once
// The link at a device the fuzz target itself plays, over Modbus TCP on 127.0.0.1 or
// Modbus RTU on a pseudo-terminal: each request the link sends is answered with the next
// reply the input gives. The requests the targets send, and the check that a reply the
// link accepted belongs to its request.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;

namespace ludra::fuzz {

enum class Mezzo { Rtu, Tcp };

class Periferica : public QObject {
public:
    explicit Periferica(Mezzo mezzo);
    ~Periferica() override;

    // Connects the link (Connetti) to this device with the replies to give, in order.
    // With `incornicia` the device adds the checksum (RTU) or the header (TCP) to each
    // reply; otherwise each goes out as it stands. Once they run out, a TCP device
    // closes the connection and an RTU device stays silent.
    bool collega(const std::vector<QByteArray>& risposte, bool incornicia);
    // Disconnetti.
    void scollega();

private:
    void richiesta(const QByteArray& trama);
    void accetta();
    void leggiTcp();
    void leggiPty();

    Mezzo mezzo_;
    bool incornicia_ = false;
    std::deque<QByteArray> risposte_;
    std::unique_ptr<QTcpServer> server_;
    QTcpSocket* connessione_ = nullptr;
    QByteArray ricevuti_;
    int master_ = -1;
    int slave_ = -1;
    std::unique_ptr<QSocketNotifier> notifica_;
};

// The requests the link targets send: register reads (3, 4), a controller-memory read
// (20), register writes (6, 16), coil reads (1), a read-and-write (23).
void ImpostaRichiesta(std::uint8_t quale);

// The reply InviaRichiesta left in BuffRx after result `esito`: when it was taken, it
// must carry the request's address and function, a valid checksum (RTU), and no less
// than the request asked for.
void ControllaRisposta(std::uint8_t esito, Mezzo mezzo);

// One request and the input as its reply: the first byte chooses the request (low bits)
// and whether the device frames the reply itself (bit 7), the rest is the reply.
int FuzzRisposta(Mezzo mezzo, const std::uint8_t* dati, std::size_t n);

} // namespace ludra::fuzz
