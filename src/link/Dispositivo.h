#pragma once
// One device and connection description: the current controller (Controllore) and the
// devices the search finds.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

struct Dispositivo {
    QString Modello;
    std::uint8_t Canale = 0;        // 0 Ethernet (Modbus TCP), 1 serial (Modbus RTU)
    QString Baud;
    QString IP;
    std::array<std::uint8_t, 4> IpEeprom{};
    QString IpEepromTesto;
    std::array<std::uint8_t, 4> Maschera{};
    // TCP port (1..65535, so unsigned), or serial port number (1 for COM1).
    std::uint16_t Porta = 0;
    QString MacTesto;
    std::array<std::uint8_t, 6> Mac{};
    std::uint8_t Nodo = 0;
    QString Nome;
    bool ModoDebug = false;
    std::int16_t Timeout = 0;       // milliseconds
    bool Connesso = false;
    std::uint8_t StatoRun = 0;      // 255 run, 90 run to break, 100 halt or step, 252 stop
    bool Modem = false;
    bool Init = false;
};

} // namespace ludra
