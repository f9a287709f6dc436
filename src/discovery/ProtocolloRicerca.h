#pragma once
// The bytes of the discovery protocol (queries, replies, the IP-setting frame) and the
// identity reply of the I/O modules, as plain functions over byte arrays.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

using Ip4 = std::array<std::uint8_t, 4>;
using Mac6 = std::array<std::uint8_t, 6>;

QByteArray QueryController();   // "0001"
QByteArray QueryGateway();      // 00 00 00 F6
// "0002", the MAC, the new address and the CRC-8 of the 14 bytes before it.
QByteArray TramaImpostaIP(const Mac6& mac, const Ip4& ip);

struct RispostaController {
    QString nome;
    Mac6 mac{};
    Ip4 ipEeprom{};
    Ip4 maschera{};
    std::uint8_t nodo = 0;
    std::uint8_t init = 0;
};
// A controller's reply. Bytes past the end of a short reply read as 0 (the name is what
// is there); an empty datagram gives nothing.
std::optional<RispostaController> LeggiRispostaController(const QByteArray& dati);
// A gateway's MAC address, bytes 25 to 30, those past the end of a short reply read as
// 0; nothing for an empty datagram.
std::optional<Mac6> LeggiRispostaGateway(const QByteArray& dati);

// "XX-XX-XX-XX-XX-XX" for the bytes given, upper-case, two digits each.
QString TestoMac(std::span<const std::uint8_t> mac);
// "a.b.c.d", decimal, no leading zeros.
QString TestoIp(const Ip4& ip);
// An address typed by the user: exactly four dot-separated decimal numbers 0 to 255,
// blanks around each allowed; anything else gives nothing.
std::optional<Ip4> LeggiIndirizzoIP(const QString& testo);

// The identity of an I/O module from its function 4 reply in BuffRx (LenRx bytes):
// nothing when the reply does not carry the seven registers.
struct Identita {
    QString versione;
    QString nome;
    std::uint8_t nodo = 0;
};
std::optional<Identita> LeggiIdentita(std::span<const std::uint8_t> risposta, int lunghezza);

// The serial reply limit in whole seconds for a time-out typed in milliseconds, as the
// settings window sets it (SecondiAttesaSeriale); text that is no number gives 1.
std::int16_t SecondiDaMillisecondi(const QString& millisecondi);

} // namespace ludra
