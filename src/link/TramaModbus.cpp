#include "link/TramaModbus.h"

#include "link/Checksum.h"
#include "link/StatoLink.h"

namespace ludra {
namespace {

int parola(std::span<const Byte> b, std::size_t i) { return (int(b[i]) << 8) | b[i + 1]; }

bool crcValido(std::span<const Byte> trama)
{
    if (trama.size() < 2)
        return false;
    const int n = int(trama.size()) - 2;
    CalcolaCRC(trama, n);
    return CRCLo == trama[std::size_t(n)] && CRCHi == trama[std::size_t(n) + 1];
}

} // namespace

std::optional<int> LunghezzaRisposta(std::span<const Byte> richiesta,
                                     std::span<const Byte> risposta)
{
    if (risposta.size() < 2)
        return std::nullopt;
    const Byte funzione = risposta[1];
    if (funzione & 0x80)
        return 3;                                   // exception: address, code, reason
    switch (funzione) {
    case 1: case 2: case 3: case 4: case 23:
        if (risposta.size() < 3)
            return std::nullopt;
        return 3 + risposta[2];
    case 5: case 6: case 15: case 16:
        return 6;
    case 20:
        // The memory access: reads carry the requested count of bytes after a
        // three-byte head, a write is answered with the request's own head.
        if (richiesta.size() < 7 || richiesta[1] != 20)
            return std::nullopt;
        if (richiesta[2] == 1 || richiesta[2] == 2)
            return 3 + richiesta[6];
        if (richiesta[2] == 4)
            return 7;
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

int LunghezzaMinimaRisposta(std::span<const Byte> richiesta)
{
    if (richiesta.size() < 2)
        return 2;
    const Byte funzione = richiesta[1];
    switch (funzione) {
    case 1: case 2:
        return richiesta.size() >= 6 ? 3 + (parola(richiesta, 4) + 7) / 8 : 2;
    case 3: case 4: case 23:
        return richiesta.size() >= 6 ? 3 + 2 * parola(richiesta, 4) : 2;
    case 5: case 6: case 15: case 16:
        return 6;
    case 20:
        if (richiesta.size() >= 7 && (richiesta[2] == 1 || richiesta[2] == 2))
            return 3 + richiesta[6];
        return 2;
    default:
        return 2;
    }
}

std::optional<int> FineRisposteRtu(std::span<const Byte> richiesta,
                                   std::span<const Byte> ricevuti)
{
    std::size_t inizio = 0;
    std::optional<int> ultima;
    while (inizio < ricevuti.size()) {
        const auto resto = ricevuti.subspan(inizio);
        const auto lunghezza = LunghezzaRisposta(richiesta, resto);
        if (!lunghezza)
            return std::nullopt;
        const std::size_t totale = std::size_t(*lunghezza) + 2;
        if (resto.size() < totale || !crcValido(resto.first(totale)))
            return std::nullopt;
        ultima = int(inizio);
        inizio += totale;
    }
    return ultima;
}

} // namespace ludra
