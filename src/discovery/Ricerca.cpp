#include "discovery/Ricerca.h"

#include "base/CampoIntero.h"
#include "base/Log.h"
#include "discovery/Dispositivi.h"
#include "discovery/ProtocolloRicerca.h"
#include "link/Conversioni.h"
#include "link/Connessione.h"
#include "link/ProgrammiInEsecuzione.h"
#include "link/Richiesta.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Ricezione.h"
#include "platform/Waiter.h"
#include "device/MemoriaControllore.h"

#include <QCoreApplication>

namespace ludra {
namespace {

RicercaDispositivi* unica = nullptr;

void distruggi()
{
    delete unica;
    unica = nullptr;
}

QString chiave(const char* parola, int n)
{
    return QString::fromLatin1(parola) + QString::number(n);
}

// One operation at a time: a search, a scan or the dialogue started while another runs
// (from inside its event pump) is refused.
class Occupato {
public:
    explicit Occupato(bool& flag) : flag_(flag), libero_(!flag) { flag_ = true; }
    ~Occupato()
    {
        if (libero_)
            flag_ = false;
    }
    Occupato(const Occupato&) = delete;
    Occupato& operator=(const Occupato&) = delete;
    bool libero() const { return libero_; }

private:
    bool& flag_;
    bool libero_;
};

} // namespace

const std::array<const char*, 8> RicercaDispositivi::kBaud = {
    "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};

RicercaDispositivi& RicercaDispositivi::istanza()
{
    if (!unica) {
        unica = new RicercaDispositivi;
        // Gone with the application object, while the event machinery still exists.
        qAddPostRoutine(distruggi);
    }
    return *unica;
}

RicercaDispositivi::RicercaDispositivi()
{
    connect(&UDP, &platform::SocketUdp::ricevuto, this, &RicercaDispositivi::UDP_DataArrival);
    connect(&telnet, &platform::SocketTcp::ricevuto, this, [this] {
        // A step takes no more than the bound: the rest waits in the socket, which then
        // stops reading, and the step fails on it.
        if (byteTelnet_ > platform::kMaxInAttesa)
            return;
        const QByteArray dati = telnet.leggi();
        byteTelnet_ += dati.size();
        const QByteArray testo = testoTelnet_.elabora(dati);
        if (const QByteArray risposte = testoTelnet_.risposte(); !risposte.isEmpty())
            scriviTelnet(risposte);
        // A step's reply may come in several pieces: they are gathered.
        RispostaTelnet += QString::fromLatin1(testo);
    });
}

void RicercaDispositivi::Azzera()
{
    UDP.chiudi();
    telnet.chiudi();
    cmb_porta = QStringLiteral("TCP/IP");
    txt_Timeout = QStringLiteral("1000");
    chk_disp_ethernet = {true, true};
    txt_indir = {QStringLiteral("1"), QStringLiteral("32"), QStringLiteral("1"),
                 QStringLiteral("32")};
    chk_baud = 5;
    IndiceDispositivo = 0;
    NumeroDispositivi = 0;
    RicercaInCorso = false;
    RispostaTelnet.clear();
    lbl_search.clear();
    cmdSearchAbilitato = true;
    command1Abilitato = false;
    albero_.svuota();
    righe_.clear();
    trovati_.clear();
    testoTelnet_.azzera();
    telnetNonLegge_ = false;
    byteTelnet_ = 0;
    chiusa_ = false;
    occupato_ = false;
}

void RicercaDispositivi::imposta(const QString& etichetta)
{
    lbl_search = etichetta;
    emit statoCambiato();
}

void RicercaDispositivi::abilita(bool search, bool command1)
{
    cmdSearchAbilitato = search;
    command1Abilitato = command1;
    emit statoCambiato();
}

void RicercaDispositivi::aggiungiNodo(const QString& padre, const QString& k,
                                      const QString& testo, const QString& immagine)
{
    if (albero_.aggiungi(padre, k, testo, immagine))
        emit nodoAggiunto(k);
}

void RicercaDispositivi::svuotaAlbero()
{
    albero_.svuota();
    emit alberoSvuotato();
}

int RicercaDispositivi::nuovoRecord()
{
    // New records follow the last one, whatever node is selected; past the last record
    // nothing more is kept.
    if (NumeroDispositivi >= kMaxDispositivi)
        return 0;
    return ++NumeroDispositivi;
}

int RicercaDispositivi::recordDispositivo(const QString& mac, const QString& mittente)
{
    const QString dispositivo = mac + QLatin1Char('@') + mittente;
    if (trovati_.contains(dispositivo))
        return 0;
    const int n = nuovoRecord();
    if (n != 0)
        trovati_.insert(dispositivo);
    return n;
}

bool RicercaDispositivi::finito() const
{
    return !RicercaInCorso || chiusa_ || Sequenza::arrestata();
}

void RicercaDispositivi::FinestraAperta() { chiusa_ = false; }

void RicercaDispositivi::FinestraChiusa()
{
    chiusa_ = true;
    RicercaInCorso = false;
    telnet.chiudi();
    if (inConnessione_)
        StopCom = 1;
}

void RicercaDispositivi::cmd_stop_Click()
{
    RicercaInCorso = false;
    abilita(true, command1Abilitato);
}

void RicercaDispositivi::Elenco_NodeClick(const QString& k)
{
    IndiceDispositivo = std::int16_t(RecordDaChiave(k));
    abilita(false, true);
}

// ---- The search ----------------------------------------------------------------

void RicercaDispositivi::cmd_Search_Click()
{
    Occupato guardia(occupato_);
    if (!guardia.libero() || !campiValidi(cmb_porta == QLatin1String("TCP/IP") ? -1 : 0))
        return;
    // Closing the window ends the search by itself.
    const SequenzaDaFinestra sequenza(QStringLiteral("Device search"));
    if (!sequenza)
        return;
    abilita(false, false);
    TimeoutRTU = SecondiAttesaSeriale(timeoutMs());
    RicercaInCorso = true;
    // A search starts from nothing: records left by an earlier, larger search would
    // otherwise be drawn again.
    for (int i = 1; i <= kMaxDispositivi; ++i)
        Dispositivi[std::size_t(i)] = Dispositivo{};
    svuotaAlbero();
    IndiceDispositivo = 0;
    NumeroDispositivi = 0;
    trovati_.clear();
    bool cercato = true;
    if (cmb_porta == QLatin1String("TCP/IP"))
        cercato = ramoEthernet();
    else
        ramoSeriale();
    // The device found last stays selected, so the menu's actions have a device to act
    // on without a click in the tree.
    IndiceDispositivo = std::int16_t(NumeroDispositivi);
    DisegnaRete();
    if (cercato)
        imposta(QStringLiteral("Search Complete"));
    abilita(true, command1Abilitato);
}

bool RicercaDispositivi::ramoEthernet()
{
    const std::vector<Destinazione> destinazioni = DestinazioniRicerca();
    if (destinazioni.empty()) {
        imposta(QString::fromLatin1(kNessunaRete));
        LogStart();
        LogWrite(QStringLiteral("Search: ") + QString::fromLatin1(kNessunaRete));
        return false;
    }
    if (RicercaInCorso)
        aggiungiNodo(QString(), QStringLiteral("rete"), QStringLiteral("Ethernet"),
                     QStringLiteral("connect"));
    if (chk_disp_ethernet[0] && !finito())
        ascolta(QueryController(), RicercaController, QStringLiteral("Ethernet; KVR5200"),
                destinazioni);
    if (chk_disp_ethernet[1] && !finito())
        ascolta(QueryGateway(), RicercaGateway, QStringLiteral("Ethernet; KVR1750-MBTCP"),
                destinazioni);
    return true;
}

QStringList RicercaDispositivi::inviaRicerca(const QByteArray& dati,
                                             const std::vector<Destinazione>& destinazioni)
{
    if (InvioRifiutato(QStringLiteral("Datagram"), true))
        return {QStringLiteral("refused")};
    QStringList errori;
    for (const Destinazione& d : destinazioni)
        if (!UDP.invia(dati, d.indirizzo, IndirizziRicerca.portaUdp, d.locale))
            errori << UDP.errore() + QStringLiteral(" [") + d.indirizzo + QLatin1Char(']');
    return errori;
}

void RicercaDispositivi::ascolta(const QByteArray& query, bool& flag, const QString& testo,
                                 const std::vector<Destinazione>& destinazioni)
{
    platform::Waiter& w = platform::waiter();
    flag = true;
    imposta(QStringLiteral("Searching: ") + testo);
    for (const QString& errore : inviaRicerca(query, destinazioni)) {
        LogStart();
        LogWrite(QStringLiteral("Search: send failed: ") + errore);
    }
    const qint64 inizio = w.nowMs();
    for (;;) {
        // The time-out field is read again on every round.
        const qint64 limite = timeoutMs();
        const qint64 resta = inizio + limite - w.nowMs();
        if (resta <= 0 || finito())
            break;
        w.waitUntil([this] { return finito(); }, resta);
    }
    flag = false;
}

void RicercaDispositivi::UDP_DataArrival()
{
    while (auto d = UDP.leggi()) {
        const QString mittente = d->mittente;
        if (RicercaController) {
            const auto r = LeggiRispostaController(d->dati);
            if (!r)
                continue;
            const QString mac = TestoMac(r->mac);
            const int n = recordDispositivo(mac, mittente);
            if (n == 0)
                continue;
            const QString ipEE = TestoIp(r->ipEeprom);
            const QString nodo = chiave("nodo", n);
            aggiungiNodo(QStringLiteral("rete"), nodo,
                         r->nome + QStringLiteral(" [") + mittente + QLatin1Char(']'),
                         QStringLiteral("host"));
            aggiungiNodo(nodo, chiave("ip", n), QStringLiteral("IP: ") + mittente);
            aggiungiNodo(nodo, chiave("mac", n), QStringLiteral("MAC: ") + mac);
            aggiungiNodo(nodo, chiave("ipEE", n), QStringLiteral("IP_EE: ") + ipEE);
            aggiungiNodo(nodo, chiave("Mask", n), QStringLiteral("Mask: ") + TestoIp(r->maschera));
            aggiungiNodo(nodo, chiave("addr", n), QStringLiteral("Addr: ") + QString::number(r->nodo));
            aggiungiNodo(nodo, chiave("init", n), QStringLiteral("Init: ") + QString::number(r->init));
            Dispositivo& rec = Dispositivi[std::size_t(n)];
            rec.IP = mittente;
            rec.Porta = 502;
            rec.Canale = 0;
            rec.IpEeprom = r->ipEeprom;
            rec.IpEepromTesto = ipEE;
            rec.Maschera = r->maschera;
            rec.MacTesto = mac;
            rec.Mac = r->mac;
            rec.Nome = r->nome;
            rec.Nodo = r->nodo;
            rec.Modello = QStringLiteral("KVR5200-DL-IO");
            rec.Init = r->init == 1;
            emit nodoMostrato(nodo, true);
        } else if (RicercaGateway) {
            const auto mac = LeggiRispostaGateway(d->dati);
            if (!mac)
                continue;
            const QString testoMac = TestoMac(*mac);
            const int n = recordDispositivo(testoMac, mittente);
            if (n == 0)
                continue;
            const QString nodo = chiave("nodo", n);
            aggiungiNodo(QStringLiteral("rete"), nodo, QStringLiteral("KVR1750-MBTCP"));
            aggiungiNodo(nodo, chiave("ip", n), QStringLiteral("IP: ") + mittente);
            aggiungiNodo(nodo, chiave("mac", n), QStringLiteral("MAC: ") + testoMac);
            Dispositivo& rec = Dispositivi[std::size_t(n)];
            rec.IP = mittente;
            rec.Canale = 0;
            rec.MacTesto = testoMac;
            // Kept so that the gateway's own address can be set too.
            rec.Mac = *mac;
            rec.Nome = QStringLiteral("KVR1750-MBTCP");
            rec.Nodo = 0;
            rec.Modello = QStringLiteral("KVR1750-MBTCP");
            emit nodoMostrato(nodo, false);
        }
        // Outside a listening window the datagram is dropped.
    }
}

// ---- Serial scan and scan behind a gateway ------------------------------------

namespace {

constexpr int kTimeoutMassimo = 32767;
constexpr int kIndirizzoMassimo = 255;   // a node address is one byte
const char* const kNomiIndirizzi[] = {"Address from", "Address to", "SubNet from", "SubNet to"};

bool campoValido(const QString& testo, const QString& nome, const QString& controllo, int massimo)
{
    if (CampoIntero(testo, 0, massimo))
        return true;
    platform::msgBox(FuoriCampo(nome, 0, massimo), platform::MsgButtons::Ok,
                     platform::MsgIcon::Exclamation);
    CampoRifiutato(QStringLiteral("frm_search"), controllo);
    return false;
}

} // namespace

bool RicercaDispositivi::campiValidi(int campoDa) const
{
    if (!campoValido(txt_Timeout, QStringLiteral("Timeout"), QStringLiteral("txt_Timeout"),
                     kTimeoutMassimo))
        return false;
    for (int i = campoDa; campoDa >= 0 && i <= campoDa + 1; ++i)
        if (!campoValido(txt_indir[std::size_t(i)], QString::fromLatin1(kNomiIndirizzi[i]),
                         QStringLiteral("txt_indir%1").arg(i), kIndirizzoMassimo))
            return false;
    return true;
}

int RicercaDispositivi::timeoutMs() const
{
    // Changed to no number while a search runs: the default stands.
    return int(CampoIntero(txt_Timeout, 0, kTimeoutMassimo).value_or(1000));
}

bool RicercaDispositivi::numeriIndirizzo(int campoDa, int campoA, int& da, int& a) const
{
    // Fields that are not numbers in range probe nothing.
    const auto leggi = [](const QString& t, int& v) {
        const auto n = CampoIntero(t, 0, kIndirizzoMassimo);
        v = int(n.value_or(0));
        return n.has_value();
    };
    return leggi(txt_indir[std::size_t(campoDa)], da) && leggi(txt_indir[std::size_t(campoA)], a);
}

int RicercaDispositivi::sonda(int indirizzo, std::int16_t modo, const QString& padre,
                              std::uint8_t& nodoLetto)
{
    BuffTx.fill(0);
    BuffTx[0] = std::uint8_t(indirizzo);
    BuffTx[1] = 4;
    BuffTx[5] = 7;
    LenTx = 6;
    ModoCom = modo;
    if (InviaRichiesta(false) != kComOk)
        return 0;
    const auto id = LeggiIdentita(BuffRx, LenRx);
    if (!id)
        return 0;
    const int n = nuovoRecord();
    if (n == 0)
        return 0;
    nodoLetto = id->nodo;
    const QString nodo = chiave("nodo", n);
    aggiungiNodo(padre, nodo, id->nome + QStringLiteral(" [") + QString::number(id->nodo) + QLatin1Char(']'));
    aggiungiNodo(nodo, chiave("addr", n), QStringLiteral("Addr: ") + QString::number(id->nodo));
    aggiungiNodo(nodo, chiave("vers", n), QStringLiteral("Vers: ") + id->versione);
    emit nodoMostrato(nodo, false);
    return n;
}

void RicercaDispositivi::ramoSeriale()
{
    Disconnetti();
    platform::pause(0.5, Sequenza::arrestata);
    const int com = cmb_porta.startsWith(QLatin1String("COM")) ? cmb_porta.mid(3).toInt() : 0;
    Controllore.Porta = std::uint16_t(qBound(0, com, 32));
    if (chk_baud >= 0 && chk_baud < int(kBaud.size()))
        Controllore.Baud = QString::fromLatin1(kBaud[std::size_t(chk_baud)]);
    Controllore.Canale = 1;
    Controllore.Timeout = std::int16_t(timeoutMs());
    Connetti();
    platform::pause(0.5, Sequenza::arrestata);
    if (finito())
        return;
    aggiungiNodo(QString(), QStringLiteral("rete"), cmb_porta, QStringLiteral("connect"));
    int da = 0;
    int a = -1;
    if (!numeriIndirizzo(0, 1, da, a)) {
        imposta(QStringLiteral("Invalid address range"));
        return;
    }
    for (int i = da; i <= a && !finito(); ++i) {
        imposta(QStringLiteral("Searching: ") + cmb_porta + QStringLiteral("; Addr: ") + QString::number(i));
        std::uint8_t nodo = 0;
        const int n = sonda(i, kModoRtu, QStringLiteral("rete"), nodo);
        if (n == 0)
            continue;
        Dispositivo& rec = Dispositivi[std::size_t(n)];
        rec = Dispositivo{};
        rec.Canale = Controllore.Canale;
        rec.Porta = Controllore.Porta;
        rec.Nodo = nodo;
        rec.Modello = QStringLiteral("KVR1000");
    }
}

void RicercaDispositivi::Command1_Click()
{
    Occupato guardia(occupato_);
    if (!guardia.libero() || !campiValidi(2))
        return;
    const SequenzaDaFinestra sequenza(QStringLiteral("Gateway scan"));
    if (!sequenza)
        return;
    const int g = IndiceDispositivo;
    if (g >= 1 && g <= kMaxDispositivi && !Dispositivi[std::size_t(g)].IP.isEmpty()) {
        const Dispositivo gateway = Dispositivi[std::size_t(g)];
        const QString sub = chiave("subNet", g);
        if (albero_.rimuovi(sub))
            emit nodoRimosso(sub);
        aggiungiNodo(chiave("nodo", g), sub, QStringLiteral("SubNet"));
        Disconnetti();
        platform::pause(0.5, Sequenza::arrestata);
        // The settings are the user's: the scan borrows them and gives them back.
        const Dispositivo impostazioni = Controllore;
        // The gateway's Halt and Stop are no Stop of the user's program, which runs on.
        const std::vector<Bersaglio> programmi = ProgrammiInEsecuzione;
        Controllore.IP = gateway.IP;
        Controllore.Nodo = gateway.Nodo;
        Controllore.Timeout = std::int16_t(timeoutMs());
        // The modules behind a gateway are reached over Modbus TCP on the gateway's own
        // port, whatever link (and serial port number) was used last.
        Controllore.Canale = 0;
        Controllore.Porta = gateway.Porta > 0 ? gateway.Porta : 502;
        Connetti();
        platform::pause(0.5, Sequenza::arrestata);
        InviaComandoDebug(kComandoPausa);
        InviaComandoDebug(kComandoStop);
        int da = 0;
        int a = -1;
        if (numeriIndirizzo(2, 3, da, a)) {
            for (int i = da; i <= a && !finito(); ++i) {
                imposta(QStringLiteral("Searching: ") + cmb_porta + QStringLiteral("; Addr: ") + QString::number(i));
                std::uint8_t nodo = 0;
                const int n = sonda(i, kModoTcp, sub, nodo);
                if (n == 0)
                    continue;
                Dispositivo& rec = Dispositivi[std::size_t(n)];
                rec = Dispositivo{};
                rec.Nodo = nodo;
                rec.Modello = QStringLiteral("KVR1000");
            }
        } else {
            imposta(QStringLiteral("Invalid address range"));
        }
        // The link opened stays open (the modules can be configured through it).
        Controllore.IP = impostazioni.IP;
        Controllore.Nodo = impostazioni.Nodo;
        Controllore.Timeout = impostazioni.Timeout;
        Controllore.Canale = impostazioni.Canale;
        Controllore.Porta = impostazioni.Porta;
        ProgrammiInEsecuzione = programmi;
    }
    abilita(true, command1Abilitato);
}

} // namespace ludra
