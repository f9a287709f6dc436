#pragma once
// The manual request of the Modbus terminal: the bytes the user typed, one decimal byte
// per field, turned into a request frame and sent once or over and over through the
// link, with the link's reply monitor switched on around each request.
#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ludra {

// Fields: 0 node, 1 function, 2-3 start address, 4-5 quantity, 6 byte count, then 32
// data bytes (register r high byte in field 5 + 2r, low byte in 6 + 2r, r = 1..16).
inline constexpr int kCampiComando = 39;
inline constexpr int kCampoConteggio = 6;
inline constexpr int kByteDatiManuali = 32;

// The caption of a field in messages: "ADD", "FUN", ... "DATA 3 L".
QString NomeCampoComando(int campo);

// The request the fields make (address on, no checksum), or why they make none.
struct TramaManuale {
    std::vector<std::uint8_t> byte;
    QString errore;
    int campo = -1;   // the field the error names
    bool valida() const { return errore.isEmpty(); }
};

// Only the fields the function code takes are read. The function's own text decides
// the layout: "15", "16" and "32" carry a byte count and that many data bytes, "20" a
// count byte only, anything else the six header bytes.
TramaManuale CostruisciTramaManuale(const QStringList& campi);

// Builds and sends one request with message boxes on. Fields that make no request are
// refused with a message and nothing is sent: nothing is returned then, otherwise the
// link's result. Asked for while a command or a loop holds the link, the request goes
// out in its turn (nothing is returned then); while a long operation holds the link it
// is refused with a box saying why.
std::optional<std::uint8_t> InviaRichiestaManuale(const QStringList& campi);

// What the cyclic sending asks of its window, all read again every round.
struct CicloManuale {
    std::function<QStringList()> campi;       // the fields as they stand now
    std::function<void(qint64)> tempo;        // the round trip of a request sent, ms
    std::function<bool()> aperta;             // false once the window is gone
};

// Rounds never start closer together than this, so a link that answers at once (or
// does not wait for answers) does not flood the device or the event queue.
inline constexpr qint64 kIntervalloMinimoMs = 10;

// Sends the fields over and over until StopCom is set, the window goes, the fields
// stop making a request or the controller is not connected. A second start while one
// runs does nothing.
void InviaCiclica(const CicloManuale& ciclo);
bool CicloManualeInCorso();
// The stop button: StopCom := 1, and a pause between rounds ends at once.
void FermaCicloManuale();

// Milliseconds as the terminal shows them: a whole number with digit grouping.
QString TestoTempoRisposta(qint64 ms, const QLocale& locale = QLocale());

} // namespace ludra
