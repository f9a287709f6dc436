#pragma once
// Writing a device's configuration frame by frame from the configuration window's
// fields. Every typed value is checked before the first request goes out: a value that
// does not fit gets a message and nothing of that frame is sent.
#include "devconfig/LetturaConfig.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ludra {

enum class EsitoScrittura {
    Scritto,       // every request of the frame succeeded
    NonValido,     // a typed value was refused with a message; nothing sent
    Fallito,       // a request failed (the link layer has said so); later steps not sent
    Niente,        // the frame has nothing to write for this model
};

// The Write button of a frame, by its index (0 name, 1 power-up and safe states,
// 2 address, 3 first port, 4 clock, 5 display, 7 input type, 8 second port).
EsitoScrittura ScriviFrame(int indice, const QString& modello, const QString& indirizzo,
                           const CampiConfig& campi);

// One analog output channel's value, 0..65535, into register 14 + canale.
EsitoScrittura ScriviUscitaAnalogica(const QString& indirizzo, int canale, const QString& valore);
// The output types of the eight analog outputs (1 "V") into register 13.
EsitoScrittura ScriviTipiUscite(const QString& indirizzo, const CampiConfig& campi);
// The eight safe values, -32768..65535 each, into registers 22..29 in one request.
EsitoScrittura ScriviValoriSicuri(const QString& indirizzo, const CampiConfig& campi);
// Coils 4..11 off.
EsitoScrittura AzzeraLatch(const QString& indirizzo);
// Register 0 := 0 on every device at once (address 255), without waiting for a reply.
EsitoScrittura Sincronizza();
// The channel enables of an analog-input module into register 11.
EsitoScrittura ScriviAbilitazioni(const QString& indirizzo, const CampiConfig& campi);
// One digital output as it was just ticked: the whole output mask in register 9 on the
// controllers with I/O, its own coil on the modules.
EsitoScrittura ScriviUscitaDigitale(const QString& modello, const QString& indirizzo, int indice,
                                    const CampiConfig& campi);
// Watchdog event (coil 33) or power-up event (coil 34) enable.
EsitoScrittura ScriviEvento(const QString& indirizzo, int coil, bool acceso);

// The eight clock bytes of registers 22..25 from the clock fields: the time fields are
// 0..59, the weekday a name of the running language's Giorni or of the calendar's
// English names, the day 1..31, the month a name (or 1..12), the year 2000..2099.
// Nothing when a field is none of these; `errore` then says why and `campo` which.
std::optional<std::array<std::uint8_t, 8>> ByteOrologio(const std::array<QString, 8>& Text3,
                                                        QString* errore = nullptr,
                                                        int* campo = nullptr);

// The calendar's fixed English names, 1 = Sunday and 1 = January; entry 0 empty.
extern const std::array<const char*, 8> GiorniInglesi;
extern const std::array<const char*, 13> MesiInglesi;

} // namespace ludra
