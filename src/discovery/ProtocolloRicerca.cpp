#include "discovery/ProtocolloRicerca.h"

#include "base/Numeri.h"
#include "link/Checksum.h"
#include "link/StatoLink.h"
#include "platform/Cp1252.h"

#include <QStringList>
#include <cmath>

namespace ludra {
namespace {

std::uint8_t byteA(const QByteArray& dati, int posizione1)
{
    // Byte positions count from 1; a byte beyond the end reads as 0.
    return posizione1 >= 1 && posizione1 <= dati.size()
               ? std::uint8_t(dati.at(posizione1 - 1))
               : std::uint8_t(0);
}

QString testoByte(std::span<const std::uint8_t> byte)
{
    QByteArray b;
    for (std::uint8_t c : byte)
        if (c != 0)
            b.append(char(c));
    return platform::fromCp1252(b);
}

} // namespace

QByteArray QueryController() { return QByteArrayLiteral("0001"); }

QByteArray QueryGateway() { return QByteArray("\x00\x00\x00\xF6", 4); }

QByteArray TramaImpostaIP(const Mac6& mac, const Ip4& ip)
{
    QByteArray t = QByteArrayLiteral("0002");
    for (std::uint8_t b : mac)
        t.append(char(b));
    for (std::uint8_t b : ip)
        t.append(char(b));
    t.append(char(CalcolaCRC8(t)));
    return t;
}

std::optional<RispostaController> LeggiRispostaController(const QByteArray& dati)
{
    if (dati.isEmpty())
        return std::nullopt;
    RispostaController r;
    std::array<std::uint8_t, 7> nome{};
    for (int i = 0; i < 7; ++i)
        nome[std::size_t(i)] = byteA(dati, 1 + i);
    r.nome = testoByte(nome);
    for (int i = 0; i < 6; ++i)
        r.mac[std::size_t(i)] = byteA(dati, 9 + i);
    for (int i = 0; i < 4; ++i) {
        r.ipEeprom[std::size_t(i)] = byteA(dati, 15 + i);
        r.maschera[std::size_t(i)] = byteA(dati, 19 + i);
    }
    r.nodo = byteA(dati, 23);
    r.init = byteA(dati, 24);
    return r;
}

std::optional<Mac6> LeggiRispostaGateway(const QByteArray& dati)
{
    if (dati.isEmpty())
        return std::nullopt;
    Mac6 mac{};
    for (int i = 0; i < 6; ++i)
        mac[std::size_t(i)] = byteA(dati, 25 + i);
    return mac;
}

QString TestoMac(std::span<const std::uint8_t> mac)
{
    QStringList gruppi;
    for (std::uint8_t b : mac)
        gruppi << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return gruppi.join(QLatin1Char('-'));
}

QString TestoIp(const Ip4& ip)
{
    return QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
}

std::optional<Ip4> LeggiIndirizzoIP(const QString& testo)
{
    const QStringList parti = testo.split(QLatin1Char('.'));
    if (parti.size() != 4)
        return std::nullopt;
    Ip4 ip{};
    for (int i = 0; i < 4; ++i) {
        const QString p = parti.at(i).trimmed();
        if (p.isEmpty() || p.size() > 3)
            return std::nullopt;
        int v = 0;
        for (QChar c : p) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            v = v * 10 + (c.unicode() - '0');
        }
        if (v > 255)
            return std::nullopt;
        ip[std::size_t(i)] = std::uint8_t(v);
    }
    return ip;
}

std::optional<Identita> LeggiIdentita(std::span<const std::uint8_t> r, int lunghezza)
{
    // Address, function, byte count, seven registers: 17 bytes at least.
    if (lunghezza < 17 || std::size_t(lunghezza) > r.size() || r[2] < 14)
        return std::nullopt;
    Identita id;
    if (r[8] >= 65) {
        id.versione = testoByte(r.subspan(5, 4));
    } else {
        for (std::size_t i = 5; i <= 8; ++i)
            id.versione += QString::number(r[i]);
    }
    const std::array<std::uint8_t, 4> nome = {r[10], r[9], r[12], r[11]};
    id.nome = testoByte(nome);
    id.nodo = r[16];
    return id;
}

std::int16_t SecondiDaMillisecondi(const QString& millisecondi)
{
    return SecondiAttesaSeriale(LeggiNumero(millisecondi));
}

} // namespace ludra
