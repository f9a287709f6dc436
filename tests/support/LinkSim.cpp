#include "support/LinkSim.h"

#include "link/Connessione.h"
#include "link/StatoLink.h"

namespace ludra::test {

LinkSuSim::LinkSuSim(Mezzo mezzo) : mezzo_(mezzo)
{
    ControlloreDiProva(10, 2);
    if (mezzo == Mezzo::Tcp) {
        portaTcp = sim.avviaTcp();
        avviato_ = portaTcp != 0;
        CanaleTcp(portaTcp);
    } else {
        percorsoPty = QString::fromStdString(sim.avviaRtu());
        avviato_ = !percorsoPty.isEmpty();
        CanaleSeriale();
        const QString percorso = percorsoPty;
        mappaPrecedente_ = platform::setMappaPorte(
            [percorso](int numero) {
                return numero == 1 ? percorso : QStringLiteral("/dev/ludra-absent-%1").arg(numero);
            });
    }
}

LinkSuSim::~LinkSuSim()
{
    StopCom = 1;
    if (Controllore.Connesso)
        Disconnetti();
    if (mezzo_ == Mezzo::Rtu)
        platform::setMappaPorte(mappaPrecedente_);
}

bool LinkSuSim::connetti()
{
    Connetti();
    return Controllore.Connesso;
}

void ControlloreDiProva(std::uint8_t nodo, std::int16_t secondiRtu)
{
    Controllore = Dispositivo{};
    Controllore.Modello = QStringLiteral("KVR5200-IO");
    Controllore.Nodo = nodo;
    Controllore.Timeout = 2000;
    TimeoutRTU = secondiRtu;
    AttendiRisposta = true;
    StopCom = 1;
}

void CanaleTcp(std::uint16_t porta)
{
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = porta;
}

void CanaleSeriale()
{
    Controllore.Canale = 1;
    Controllore.Porta = 1;
    Controllore.Baud = QStringLiteral("115200");
}

void ImpostaRichiesta(std::initializer_list<int> byte)
{
    LenTx = 0;
    for (const int b : byte)
        BuffTx[std::size_t(LenTx++)] = std::uint8_t(b);
}

void RichiestaLettura(int primo, int quanti, int funzione)
{
    ImpostaRichiesta({10, funzione, primo >> 8, primo & 0xFF, quanti >> 8, quanti & 0xFF});
}

} // namespace ludra::test
