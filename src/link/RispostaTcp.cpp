#include "link/RispostaTcp.h"

#include "link/Canali.h"
#include "link/StatoLink.h"
#include "platform/Ricezione.h"
#include "platform/Waiter.h"

namespace ludra {
namespace {

constexpr std::size_t kTestata = 6;
// Header, address and function code: the least that can be judged as a reply.
constexpr std::size_t kMinimoGiudicabile = kTestata + 2;

// Whether the function's own rules can tell the length of its reply (given enough of
// its bytes).
bool regolaNota(std::span<const Byte> richiesta, Byte funzione)
{
    const Byte campione[3] = {0, funzione, 0};
    return LunghezzaRisposta(richiesta, campione).has_value();
}

// The bytes after the header of the frame that starts at `resto`; nothing while too few
// have arrived to tell.
std::optional<std::size_t> lunghezzaPdu(std::span<const Byte> richiesta,
                                        std::span<const Byte> resto)
{
    if (resto.size() < kMinimoGiudicabile)
        return std::nullopt;
    const auto pdu = resto.subspan(kTestata);
    if (regolaNota(richiesta, pdu[1])) {
        const auto l = LunghezzaRisposta(richiesta, pdu);
        return l ? std::optional<std::size_t>(std::size_t(*l)) : std::nullopt;
    }
    return (std::size_t(resto[4]) << 8) | resto[5];
}

} // namespace

RispostaTcp CercaRispostaTcp(std::span<const Byte> richiesta, std::span<const Byte> ricevuti)
{
    RispostaTcp r;
    std::size_t inizio = 0;
    while (inizio < ricevuti.size()) {
        const auto resto = ricevuti.subspan(inizio);
        if (resto.size() < kMinimoGiudicabile)
            return r;   // trailing bytes of the frame before, or a frame only begun
        r.inizio = int(inizio);
        const auto pdu = lunghezzaPdu(richiesta, resto);
        r.lunghezza = pdu ? int(*pdu) : -1;
        // A frame that can never fit ends the collecting at once (it is then refused).
        if (pdu && *pdu > kDimBuffer) {
            r.completa = true;
            return r;
        }
        if (!pdu || resto.size() < kTestata + *pdu)
            return r;
        inizio += kTestata + *pdu;
    }
    r.completa = !ricevuti.empty();
    return r;
}

std::optional<RispostaTcp> AttesaRispostaTcp(std::span<const Byte> richiesta, qint64 limiteMs)
{
    platform::Waiter& w = platform::waiter();
    platform::SocketTcp& socket = Winsock1();
    const qint64 limite = w.nowMs() + qMax<qint64>(0, limiteMs);
    qint64 ultimo = 0;
    bool ricevuto = false;
    auto byteRicevuti = [] {
        return std::span<const Byte>(reinterpret_cast<const Byte*>(StringaRx.constData()),
                                     std::size_t(StringaRx.size()));
    };
    for (;;) {
        if (DatiRicevuti == 1) {
            DatiRicevuti = 0;
            ricevuto = true;
            ultimo = w.nowMs();
        }
        // Past the bound it is a flood, no reply. A reply is judged only once what the
        // system holds has been read too, so that a flood behind it shows.
        if (StringaRx.size() > platform::kMaxInAttesa)
            break;
        if (ricevuto && socket.nonLetti() == 0
            && CercaRispostaTcp(richiesta, byteRicevuti()).completa)
            break;
        const qint64 adesso = w.nowMs();
        if (adesso >= limite || !socket.connesso())
            break;
        qint64 fine = limite;
        if (ricevuto) {
            if (adesso - ultimo > kSilenzioRispostaMs) {
                // A loaded machine may not yet have handed over what did come in time.
                w.pumpOnce();
                if (DatiRicevuti != 1)
                    break;
                continue;
            }
            fine = qMin(fine, ultimo + kSilenzioRispostaMs + 1);
        }
        // A wait that gives up before its time (the application is quitting) ends this one.
        if (!w.waitUntil([&socket] { return DatiRicevuti == 1 || !socket.connesso(); },
                         fine - adesso)
            && w.nowMs() < fine)
            break;
    }
    if (StringaRx.isEmpty())
        return std::nullopt;
    return CercaRispostaTcp(richiesta, byteRicevuti());
}

} // namespace ludra
