// Discovery and identity replies: the first input byte chooses a controller's or a
// gateway's reply to the discovery query, or an I/O module's identity reply; the rest is
// the reply. Each field comes from its place in the reply (0 past the end of a short
// one); an identity reply taken is long enough to carry the registers read.
#include "Fuzz.h"
#include "discovery/ProtocolloRicerca.h"

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    if (n == 0)
        return 0;
    const QByteArray risposta = fuzz::Byte(dati + 1, n - 1);
    const QString quanti = QStringLiteral("%1 bytes").arg(risposta.size());
    // Bytes past the end of a short reply read as 0; an empty one gives nothing.
    const auto byteA = [&risposta](int i) { return i < risposta.size() ? char(risposta[i]) : '\0'; };
    switch (dati[0] % 3) {
    case 0:
        if (const auto r = LeggiRispostaController(risposta)) {
            FUZZ_CHECK(!risposta.isEmpty(), quanti);
            const QString mac = TestoMac(r->mac);
            FUZZ_CHECK(mac.size() == 17 && mac.count(QLatin1Char('-')) == 5, mac);
            FUZZ_CHECK(char(r->mac[0]) == byteA(8) && char(r->mac[5]) == byteA(13), mac);
            FUZZ_CHECK(LeggiIndirizzoIP(TestoIp(r->ipEeprom)) == r->ipEeprom, TestoIp(r->ipEeprom));
        } else {
            FUZZ_CHECK(risposta.isEmpty(), quanti);
        }
        break;
    case 1: {
        // The MAC is bytes 25 to 30, counting from 1.
        const auto mac = LeggiRispostaGateway(risposta);
        FUZZ_CHECK(mac.has_value() == !risposta.isEmpty(), quanti);
        for (int i = 0; mac && i < 6; ++i)
            FUZZ_CHECK(char((*mac)[std::size_t(i)]) == byteA(24 + i), TestoMac(*mac));
        break;
    }
    default: {
        const std::span<const std::uint8_t> byte(dati + 1, n - 1);
        // The reply as the link leaves it: never longer than the receive buffer.
        const int lunghezza = int(std::min<std::size_t>(byte.size(), 256));
        if (const auto id = LeggiIdentita(byte, lunghezza))
            FUZZ_CHECK(lunghezza >= 17 && id->nodo == byte[16], quanti);
        break;
    }
    }
    return 0;
}
