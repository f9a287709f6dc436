// The request and reply against a device, compared with libmodbus's own client doing the
// same requests in the same run: 1000 reads of 32 input registers over TCP loopback and
// over a pseudo-terminal, against our simulator and against libmodbus's server; and, on
// a line paced at 115200 baud, the time per request against the wire time of its frames.
#include "app/Avvio.h"
#include "link/Connessione.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "sim/Simulatore.h"
#include "sim/peer/PeerLibmodbus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <algorithm>
#include <vector>

using namespace ludra;

namespace {

constexpr int kRichieste = 1000;
constexpr int kQuanti = 32;
constexpr int kGiri = 20;          // the requests run in alternating rounds

bool nostra()
{
    LenTx = 6;
    BuffTx[0] = 10;
    BuffTx[1] = 4;
    BuffTx[2] = 0;
    BuffTx[3] = 0;
    BuffTx[4] = 0;
    BuffTx[5] = kQuanti;
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
modbus_t* cliente(modbus_t* ctx)
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
// that load from elsewhere on the machine hits both alike; the median round counts.
Risultato confronta(modbus_t* ctx)
{
    Risultato r;
    if (!ctx || !Controllore.Connesso)
        return r;
    std::uint16_t registri[kQuanti];
    auto loro = [&] { return modbus_read_input_registers(ctx, 0, kQuanti, registri) == kQuanti; };
    for (int i = 0; i < 20; ++i)
        if (!nostra() || !loro())
            return r;
    std::vector<double> a, b;
    const int perGiro = kRichieste / kGiri;
    for (int g = 0; g < kGiri; ++g) {
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
    modbus_close(ctx);
    modbus_free(ctx);
    StopCom = 1;
    Disconnetti();
    r.nostri = mediana(a);
    r.loro = mediana(b);
    return r;
}

void riga(const char* nome, double nostri, double loro, double obiettivo)
{
    if (nostri < 0 || loro < 0) {
        std::printf("%-44s FAILED\n", nome);
        return;
    }
    std::printf("%-44s %8.1f us  %8.1f us  ratio %.2f  (target <= %.1f)\n", nome, nostri * 1e6,
                loro * 1e6, nostri / loro, obiettivo);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    AzzeraStatoProcesso();
    ImpostaDefaultLink();
    Controllore.Timeout = 2000;
    std::printf("%d reads of %d input registers; per request: InviaRichiesta, peer\n\n",
                kRichieste, kQuanti);

    {
        sim::Simulatore noi, loro;
        collegaTcp(noi.avviaTcp());
        const auto r = confronta(cliente(modbus_new_tcp("127.0.0.1", loro.avviaTcp())));
        riga("TCP, simulator: ours vs libmodbus client", r.nostri, r.loro, 1.2);
    }
    {
        test::ServerLibmodbus noi, loro;
        collegaTcp(noi.porta);
        const auto r = confronta(cliente(modbus_new_tcp("127.0.0.1", loro.porta)));
        riga("TCP, libmodbus server: ours vs its client", r.nostri, r.loro, 1.2);
    }
    {
        sim::Simulatore noi, loro;
        collegaSeriale(noi.avviaRtu());
        const std::string percorso = loro.avviaRtu();
        const auto r = confronta(cliente(modbus_new_rtu(percorso.c_str(), 115200, 'N', 8, 1)));
        riga("pty, simulator: ours vs libmodbus client", r.nostri, r.loro, 1.2);
    }
    {
        sim::CoppiaPty coppiaNoi, coppiaLoro;
        test::ServerLibmodbus noi(coppiaNoi.percorsoA(), 10), loro(coppiaLoro.percorsoA(), 10);
        collegaSeriale(coppiaNoi.percorsoB());
        const auto r = confronta(
            cliente(modbus_new_rtu(coppiaLoro.percorsoB().c_str(), 115200, 'N', 8, 1)));
        riga("pty, libmodbus server: ours vs its client", r.nostri, r.loro, 1.2);
    }
    {
        // 8 request bytes and 5 + 64 reply bytes, 10 bits each.
        const double filo = (8.0 + 5 + 2 * kQuanti) * 10.0 / 115200.0;
        sim::Simulatore s;
        s.setBaud(115200);
        collegaSeriale(s.avviaRtu());
        double a = -1;
        if (Controllore.Connesso) {
            QElapsedTimer t;
            t.start();
            int n = 0;
            while (n < 200 && nostra())
                ++n;
            a = n == 200 ? double(t.nsecsElapsed()) / 1e9 / n : -1;
        }
        riga("pty paced at 115200 baud: ours vs wire time", a, filo, 1.3);
    }
    return 0;
}
