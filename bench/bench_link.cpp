// The request and reply against a device, compared with libmodbus's own client doing the
// same requests in the same run: 1000 reads of 32 input registers over TCP loopback and
// over a pseudo-terminal pair, against our simulator and against libmodbus's server; and,
// on a line paced at 115200 baud, the time per request against the wire time of its
// frames. Every peer server runs in a process of its own, so the client measured is
// alone in this one, as it is in the application. Each row is measured twice: the link
// alone, then with the main window built as the executable builds it (offscreen), whose
// status bar and Log every request feeds while it pumps events.
#include "app/Avvio.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/Connessione.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "platform/ui/Applicazione.h"
#include "sim/Simulatore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <modbus/modbus.h>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <pty.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace ludra;

namespace {

// A peer server in a child process. It is forked before this process starts any thread;
// it says where it listens (a TCP port or a device path) through a pipe and serves until
// it is killed.
class Peer {
public:
    explicit Peer(const std::function<std::string()>& avvia)
    {
        int canale[2];
        if (::pipe(canale) != 0)
            return;
        const pid_t genitore = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            // A peer does not outlive the benchmark, however that ends.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != genitore)
                ::_exit(0);
            ::close(canale[0]);
            const std::string dove = avvia() + "\n";
            [[maybe_unused]] const auto n = ::write(canale[1], dove.data(), dove.size());
            ::close(canale[1]);
            for (;;)
                ::pause();
        }
        ::close(canale[1]);
        char c = 0;
        while (pid_ > 0 && ::read(canale[0], &c, 1) == 1 && c != '\n')
            dove_ += c;
        ::close(canale[0]);
    }
    ~Peer()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;
    const std::string& dove() const { return dove_; }
    int porta() const { return dove_.empty() ? 0 : std::stoi(dove_); }

private:
    pid_t pid_ = -1;
    std::string dove_;
};

std::string simulatoreTcp()
{
    auto* s = new sim::Simulatore;   // lives as long as the child
    return std::to_string(s->avviaTcp());
}

std::string simulatoreRtu(int baud)
{
    auto* s = new sim::Simulatore;
    s->setBaud(baud);
    return s->avviaRtu();
}

// Serves the client connected to ctx until it goes.
void serviModbus(modbus_t* ctx, modbus_mapping_t* mappa)
{
    std::uint8_t domanda[MODBUS_TCP_MAX_ADU_LENGTH];
    for (;;) {
        const int n = modbus_receive(ctx, domanda);
        if (n > 0)
            modbus_reply(ctx, domanda, n, mappa);
        else if (n < 0 && errno != EMBBADCRC && errno != EMBBADDATA)
            return;
    }
}

// libmodbus's TCP server on 127.0.0.1, one client after the other.
std::string libmodbusTcp()
{
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", 0);
    int ascolto = modbus_tcp_listen(ctx, 1);
    if (ascolto < 0)
        return "0";
    sockaddr_in a {};
    socklen_t l = sizeof a;
    ::getsockname(ascolto, reinterpret_cast<sockaddr*>(&a), &l);
    std::thread([ctx, ascolto]() mutable {
        modbus_mapping_t* mappa = modbus_mapping_new(1025, 0, 1025, 1025);
        while (modbus_tcp_accept(ctx, &ascolto) >= 0) {
            serviModbus(ctx, mappa);
            modbus_close(ctx);
        }
    }).detach();
    return std::to_string(ntohs(a.sin_port));
}

// libmodbus's RTU server on the master side of a pseudo-terminal pair; the client opens
// the slave side by its path, as it would a serial device.
std::string libmodbusRtu()
{
    int master = -1, slave = -1;
    char nome[256] = {};
    if (::openpty(&master, &slave, nome, nullptr, nullptr) != 0)
        return {};
    termios t {};
    if (::tcgetattr(slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(slave, TCSANOW, &t);
    }
    // The slave side stays open here too, so a client closing it does not hang up the
    // line under the server.
    std::thread([master] {
        modbus_mapping_t* mappa = modbus_mapping_new(1025, 0, 1025, 1025);
        modbus_t* ctx = modbus_new_rtu("/dev/null", 115200, 'N', 8, 1);
        modbus_set_slave(ctx, 10);
        modbus_set_socket(ctx, master);
        for (;;)
            serviModbus(ctx, mappa);
    }).detach();
    return nome;
}

constexpr int kRichieste = 1000;
constexpr int kQuanti = 32;
// The requests run in alternating rounds of 10: short, so that the machine's changes of
// pace (a peer moved to another processor, say) fall on both clients alike.
constexpr int kGiri = 100;

bool nostra()
{
    LenTx = 6;
    BuffTx[0] = 10;
    BuffTx[1] = 4;
    BuffTx[2] = 0;
    BuffTx[3] = 0;
    BuffTx[4] = 0;
    BuffTx[5] = kQuanti;
    const Sequenza sequenza(QStringLiteral("Bench"), TipoSequenza::Breve);
    return InviaRichiesta(false) == 0 && BuffRx[2] == 2 * kQuanti;
}

bool collegaTcp(int porta)
{
    StopCom = 1;
    Disconnetti();
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = std::int16_t(porta);
    Connetti();
    return Controllore.Connesso;
}

bool collegaSeriale(const std::string& percorso)
{
    StopCom = 1;
    Disconnetti();
    const QString p = QString::fromStdString(percorso);
    platform::setMappaPorte([p](int) { return p; });
    Controllore.Canale = 1;
    Controllore.Porta = 1;
    Controllore.Baud = QStringLiteral("115200");
    Connetti();
    return Controllore.Connesso;
}

// libmodbus's client, connected; null when it could not connect.
modbus_t* connesso(modbus_t* ctx)
{
    if (!ctx)
        return nullptr;
    modbus_set_slave(ctx, 10);
    modbus_set_response_timeout(ctx, 2, 0);
    if (modbus_connect(ctx) != 0) {
        modbus_free(ctx);
        return nullptr;
    }
    return ctx;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

struct Risultato {
    double nostri = -1;
    double loro = -1;
};

// Our requests and libmodbus's client's, in alternating rounds on two equal peers so
// that load from elsewhere on the machine hits both alike, and the peers swapped halfway
// so that neither client keeps the peer that the machine happens to serve better; the
// median round counts. `collega` connects our link to a peer, `cliente` makes
// libmodbus's client for one.
Risultato confronta(const std::function<bool(const Peer&)>& collega,
                    const std::function<modbus_t*(const Peer&)>& cliente, const Peer& primo,
                    const Peer& secondo)
{
    Risultato r;
    std::vector<double> a, b;
    for (int meta = 0; meta < 2; ++meta) {
        const bool connesso = collega(meta == 0 ? primo : secondo);
        modbus_t* ctx = cliente(meta == 0 ? secondo : primo);
        const auto fine = qScopeGuard([ctx] {
            if (ctx) {
                modbus_close(ctx);
                modbus_free(ctx);
            }
            StopCom = 1;
            Disconnetti();
        });
        if (!ctx || !connesso)
            return r;
        std::uint16_t registri[kQuanti];
        auto loro = [&] {
            return modbus_read_input_registers(ctx, 0, kQuanti, registri) == kQuanti;
        };
        for (int i = 0; i < 20; ++i)
            if (!nostra() || !loro())
                return r;
        const int perGiro = kRichieste / kGiri;
        for (int g = 0; g < kGiri / 2; ++g) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < perGiro; ++i)
                if (!nostra())
                    return r;
            a.push_back(double(t.nsecsElapsed()) / 1e9 / perGiro);
            t.restart();
            for (int i = 0; i < perGiro; ++i)
                if (!loro())
                    return r;
            b.push_back(double(t.nsecsElapsed()) / 1e9 / perGiro);
        }
    }
    r.nostri = mediana(a);
    r.loro = mediana(b);
    return r;
}

// One row: our time against the peer's, the link alone and with the main window.
struct Riga {
    const char* nome;
    Risultato solo;
    Risultato finestra;
    double obiettivo;
    const char* rapporto;
};

void stampa(const Riga& r)
{
    const auto colonna = [](const Risultato& x) {
        if (x.nostri < 0 || x.loro < 0)
            std::printf("  %-34s", "FAILED");
        else
            std::printf("  %8.1f us %8.1f us %6.2f", x.nostri * 1e6, x.loro * 1e6,
                        x.nostri / x.loro);
    };
    std::printf("%-26s", r.nome);
    colonna(r.solo);
    colonna(r.finestra);
    std::printf("  %s (target <= %.1f)\n", r.rapporto, r.obiettivo);
}

} // namespace

int main(int argc, char** argv)
{
    // The peers first: a process must not fork once it runs threads of its own.
    const Peer simTcpUno(simulatoreTcp), simTcpDue(simulatoreTcp);
    const Peer modbusTcpUno(libmodbusTcp), modbusTcpDue(libmodbusTcp);
    const Peer simRtuUno([] { return simulatoreRtu(0); }), simRtuDue([] { return simulatoreRtu(0); });
    const Peer modbusRtuUno(libmodbusRtu), modbusRtuDue(libmodbusRtu);
    const Peer simLento([] { return simulatoreRtu(115200); });

    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Applicazione app(argc, argv);
    AzzeraStatoProcesso();
    ImpostaDefaultLink();

    const auto tcp = [](const Peer& uno, const Peer& due) {
        return confronta([](const Peer& p) { return collegaTcp(p.porta()); },
                         [](const Peer& p) {
                             return connesso(modbus_new_tcp("127.0.0.1", p.porta()));
                         },
                         uno, due);
    };
    const auto rtu = [](const Peer& uno, const Peer& due) {
        return confronta([](const Peer& p) { return collegaSeriale(p.dove()); },
                         [](const Peer& p) {
                             return connesso(
                                 modbus_new_rtu(p.dove().c_str(), 115200, 'N', 8, 1));
                         },
                         uno, due);
    };
    // 8 request bytes and 5 + 64 reply bytes, 10 bits each.
    const auto filo = [&simLento] {
        Risultato r;
        r.loro = (8.0 + 5 + 2 * kQuanti) * 10.0 / 115200.0;
        if (!collegaSeriale(simLento.dove()))
            return r;
        QElapsedTimer t;
        t.start();
        int n = 0;
        while (n < 200 && nostra())
            ++n;
        r.nostri = n == 200 ? double(t.nsecsElapsed()) / 1e9 / n : -1;
        StopCom = 1;
        Disconnetti();
        return r;
    };
    Riga righe[] = {
        {"TCP, simulator", {}, {}, 1.2, "Ludra/libmodbus"},
        {"TCP, libmodbus server", {}, {}, 1.2, "Ludra/libmodbus"},
        {"pty, simulator", {}, {}, 1.2, "Ludra/libmodbus"},
        {"pty, libmodbus server", {}, {}, 1.2, "Ludra/libmodbus"},
        {"pty paced at 115200 baud", {}, {}, 1.3, "Ludra/wire"},
    };
    const auto misura = [&](Risultato Riga::*colonna) {
        Controllore.Timeout = 2000;
        righe[0].*colonna = tcp(simTcpUno, simTcpDue);
        righe[1].*colonna = tcp(modbusTcpUno, modbusTcpDue);
        righe[2].*colonna = rtu(simRtuUno, simRtuDue);
        righe[3].*colonna = rtu(modbusRtuUno, modbusRtuDue);
        righe[4].*colonna = filo();
    };
    misura(&Riga::solo);
    // The application's start: main window, Log window, the empty project drawn.
    ui::Main();
    QApplication::processEvents();
    misura(&Riga::finestra);
    ui::Principale::distruggi();

    std::printf("%d reads of %d input registers; per request: InviaRichiesta, the peer "
                "(libmodbus's client or the wire), ratio; each peer in its own process\n\n",
                kRichieste, kQuanti);
    std::printf("%-26s  %-34s  %-34s\n", "", "link alone", "with the main window");
    for (const Riga& r : righe)
        stampa(r);
    return 0;
}
