#pragma once
// The serial line the link drives: one object owns the port, keeps what arrives until
// it is read, and reports each arrival by a signal (waking any pending wait). At most
// kMaxInAttesa bytes wait unread here and as many in the port: past them the rest
// stays with the system until the reader takes what waits.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSerialPort;

namespace ludra::platform {

// Serial port number (1 for the first port) to device path. One map serves the whole
// process; tests point numbers at pseudo-terminals. The built-in map numbers the
// machine's serial devices 1 to 32 in the order they are first seen (sorted at the
// first look) and keeps each device on its number while the process runs, so a number
// chosen in the settings still names the same device at the next connection. A number
// without a device gives the empty path.
using MappaPorte = std::function<QString(int numero)>;
inline constexpr int kNumeroPorte = 32;
QString percorsoPorta(int numero);
// Installs a map; an empty one restores the built-in map. Returns the previous one.
MappaPorte setMappaPorte(MappaPorte mappa);

// The serial devices of the machine, each by its stable name under /dev/serial/by-id
// when it has one, otherwise by its device path. Replaceable for tests (an empty source
// restores the system's).
using SorgenteDispositivi = std::function<QStringList()>;
QStringList dispositiviSeriali();
SorgenteDispositivi setSorgenteDispositivi(SorgenteDispositivi sorgente);
// Each device path replaced by the link in `cartellaById` that points at it, if any.
QStringList nomiStabili(const QStringList& dispositivi, const QString& cartellaById);
// Device paths in natural order (ttyS2 before ttyS10).
void ordinaDispositivi(QStringList& dispositivi);

// The ports the settings offer: the numbers whose device is present now, in order.
struct PortaElencata {
    int numero = 0;
    QString percorso;
};
std::vector<PortaElencata> elencoPorte();
// A device's short name for a list: its by-id name, or its path below /dev.
QString nomeBreve(const QString& percorso);

// The serial parameters of a settings text such as "9600,n,8,1".
struct ImpostazioniSeriali {
    qint32 baud = 9600;
    char parita = 'n';          // n, e, o, m, s
    int bitDati = 8;            // 5 to 8
    int bitStop = 1;            // 1, 2 (3 stands for 1.5)
};
// Nothing when the text is not a valid settings text.
std::optional<ImpostazioniSeriali> leggiImpostazioni(const QString& testo);

// The group that owns a device file ("dialout", ...); empty when it cannot be told.
QString gruppoDispositivo(const QString& percorso);

// Why a port did not open, in words a user can act on: a permission problem names the
// group the device belongs to.
enum class ErroreApertura { Permessi, NonTrovata, Occupata, Altro };
QString descriviErroreApertura(ErroreApertura errore, const QString& percorso, int numero,
                               const QString& dettaglio);

class PortaSeriale : public QObject {
    Q_OBJECT
public:
    explicit PortaSeriale(QObject* parent = nullptr);
    ~PortaSeriale() override;

    void setCommPort(int numero) { numero_ = numero; }
    int commPort() const { return numero_; }
    // False, and the port settings unchanged, for a text that is not valid.
    bool setSettings(const QString& testo);
    // 0 none, 2 RTS/CTS.
    void setHandshaking(int modo) { handshaking_ = modo; }

    // Opens the port; false with errore() saying why (permissions name the device's
    // group, a missing device says "not found").
    bool apri();
    void chiudi();
    bool aperta() const;
    // Writes the bytes; false when the port is not open or the write fails.
    bool output(const QByteArray& dati);
    // Everything received and not yet read, up to kMaxInAttesa bytes (platform/
    // Ricezione.h); empties it. More than that waits for the next call.
    QByteArray input();
    // Drops everything received, also what the system has not handed over yet; returns
    // how many bytes that was.
    qint64 scarta();
    // What was received and not yet read.
    qint64 inAttesa() const;
    // That and what the system holds that the port has not taken yet.
    qint64 nonLetti() const;
    QString errore() const { return errore_; }

signals:
    void ricevuto();     // bytes arrived
    void chiusa();       // the device went away

private:
    void leggi();
    // Moves what the port holds into ricevuti_; false when it held nothing.
    bool prendi();

    std::unique_ptr<QSerialPort> porta_;
    int numero_ = 1;
    int handshaking_ = 0;
    ImpostazioniSeriali impostazioni_;
    QByteArray ricevuti_;
    QString errore_;
    QString percorso_;
};

} // namespace ludra::platform
