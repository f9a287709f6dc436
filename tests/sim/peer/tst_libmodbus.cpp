// Our link against libmodbus's servers, and libmodbus's client against our simulator:
// both sides agree with a Modbus implementation written elsewhere.
#include "PeerLibmodbus.h"
#include "app/Avvio.h"
#include "link/Connessione.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QTest>
#include <memory>

using namespace ludra;
using test::Mezzo;

Q_DECLARE_METATYPE(Mezzo)

namespace {

void aggiungiMezzi()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

// libmodbus's server with the link connected to it.
struct LinkSuLibmodbus {
    std::unique_ptr<sim::CoppiaPty> coppia;
    std::unique_ptr<test::ServerLibmodbus> server;
    platform::MappaPorte mappaPrecedente;
    Mezzo mezzo;

    explicit LinkSuLibmodbus(Mezzo m) : mezzo(m)
    {
        Controllore = Dispositivo{};
        Controllore.Nodo = 10;
        Controllore.Timeout = 2000;
        TimeoutRTU = 2;
        AttendiRisposta = true;
        StopCom = 1;
        if (m == Mezzo::Tcp) {
            server = std::make_unique<test::ServerLibmodbus>();
            Controllore.Canale = 0;
            Controllore.IP = QStringLiteral("127.0.0.1");
            Controllore.Porta = std::int16_t(server->porta);
        } else {
            coppia = std::make_unique<sim::CoppiaPty>();
            server = std::make_unique<test::ServerLibmodbus>(coppia->percorsoA(), 10);
            const QString b = QString::fromStdString(coppia->percorsoB());
            mappaPrecedente = platform::setMappaPorte([b](int) { return b; });
            Controllore.Canale = 1;
            Controllore.Porta = 1;
            Controllore.Baud = QStringLiteral("115200");
        }
        Connetti();
    }
    ~LinkSuLibmodbus()
    {
        StopCom = 1;
        Disconnetti();
        server.reset();
        if (mezzo == Mezzo::Rtu)
            platform::setMappaPorte(mappaPrecedente);
    }
};

// libmodbus's client connected to our simulator.
struct ClienteSuSim {
    sim::Simulatore sim;
    modbus_t* ctx = nullptr;
    explicit ClienteSuSim(Mezzo m)
    {
        if (m == Mezzo::Tcp) {
            const auto porta = sim.avviaTcp();
            ctx = modbus_new_tcp("127.0.0.1", porta);
        } else {
            const std::string percorso = sim.avviaRtu();
            ctx = modbus_new_rtu(percorso.c_str(), 115200, 'N', 8, 1);
        }
        modbus_set_slave(ctx, 10);
        modbus_set_response_timeout(ctx, 2, 0);
        if (modbus_connect(ctx) != 0) {
            modbus_free(ctx);
            ctx = nullptr;
        }
    }
    ~ClienteSuSim()
    {
        if (ctx) {
            modbus_close(ctx);
            modbus_free(ctx);
        }
    }
};

} // namespace

class TestLibmodbus : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri();
        banco_.tieniLink();
    }
    void cleanup() { banco_.chiudi(); }
    void linkControServer_data() { aggiungiMezzi(); }
    void linkControServer();
    void linkControServerEccezione_data() { aggiungiMezzi(); }
    void linkControServerEccezione();
    void clienteControSimulatore_data() { aggiungiMezzi(); }
    void clienteControSimulatore();

private:
    test::Banco banco_;
};

void TestLibmodbus::linkControServer()
{
    QFETCH(Mezzo, mezzo);
    LinkSuLibmodbus peer(mezzo);
    QVERIFY(peer.server->avviato());
    QVERIFY(Controllore.Connesso);
    modbus_mapping_t* m = peer.server->mappa;
    for (int i = 0; i < 32; ++i)
        m->tab_input_registers[40 + i] = std::uint16_t(1000 + i);

    // 4: read input registers.
    test::RichiestaLettura(40, 32);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[2]), 64);
    for (int i = 0; i < 32; ++i)
        QCOMPARE(int(BuffRx[3 + 2 * std::size_t(i)]) * 256 + BuffRx[4 + 2 * std::size_t(i)], 1000 + i);
    // 5: write a single coil.
    test::ImpostaRichiesta({10, 5, 0, 7, 0xFF, 0});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(m->tab_bits[7]), 1);
    // 6: write a single register.
    test::ImpostaRichiesta({10, 6, 0, 3, 0xAB, 0xCD});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(m->tab_registers[3]), 0xABCD);
    // 15: write ten coils, 1010110011.
    test::ImpostaRichiesta({10, 15, 0, 20, 0, 10, 2, 0x35, 0x03});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    const int attesi[10] = {1, 0, 1, 0, 1, 1, 0, 0, 1, 1};
    for (int i = 0; i < 10; ++i)
        QCOMPARE(int(m->tab_bits[20 + i]), attesi[i]);
    // 16: write four registers.
    test::ImpostaRichiesta({10, 16, 0, 50, 0, 4, 8, 0, 1, 0, 2, 0x7F, 0xFF, 0x80, 0});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(m->tab_registers[50]), 1);
    QCOMPARE(int(m->tab_registers[51]), 2);
    QCOMPARE(int(m->tab_registers[52]), 0x7FFF);
    QCOMPARE(int(m->tab_registers[53]), 0x8000);
}

void TestLibmodbus::linkControServerEccezione()
{
    QFETCH(Mezzo, mezzo);
    test::FakeDialogs& dialogs = banco_.dialogs;
    {
        LinkSuLibmodbus peer(mezzo);
        QVERIFY(Controllore.Connesso);
        StopCom = 0;
        test::RichiestaLettura(1020, 10);      // past the end of the map
        QCOMPARE(int(InviaRichiesta(true)), 2);
        QCOMPARE(StopCom, std::int16_t(1));
        QCOMPARE(int(BuffRx[1]), 0x84);
        QCOMPARE(int(BuffRx[2]), 2);           // illegal data address
        if (mezzo == Mezzo::Rtu) {
            QCOMPARE(dialogs.messaggi.size(), std::size_t(1));
            QCOMPARE(dialogs.messaggi[0].testo, QStringLiteral("Risposta Errata (funzione)"));
        } else {
            QVERIFY(dialogs.messaggi.empty());
        }
        // The link goes on after an exception.
        test::RichiestaLettura(0, 1);
        QCOMPARE(int(InviaRichiesta(true)), 0);
    }
}

void TestLibmodbus::clienteControSimulatore()
{
    QFETCH(Mezzo, mezzo);
    ClienteSuSim c(mezzo);
    QVERIFY(c.ctx);
    for (int i = 0; i < 10; ++i)
        c.sim.setRegistro(i, std::uint16_t(500 + i));
    std::uint16_t r[125] = {};
    QCOMPARE(modbus_read_input_registers(c.ctx, 0, 10, r), 10);
    QCOMPARE(int(r[9]), 509);
    QCOMPARE(modbus_read_registers(c.ctx, 5, 2, r), 2);
    QCOMPARE(int(r[0]), 505);
    QCOMPARE(modbus_write_register(c.ctx, 1024, 0xFACE), 1);
    QCOMPARE(int(c.sim.registro(1024)), 0xFACE);
    const std::uint16_t valori[3] = {7, 8, 9};
    QCOMPARE(modbus_write_registers(c.ctx, 100, 3, valori), 3);
    QCOMPARE(int(c.sim.registro(102)), 9);
    QCOMPARE(modbus_write_bit(c.ctx, 11, 1), 1);
    QVERIFY(c.sim.coil(11));
    const std::uint8_t bit[9] = {1, 1, 0, 0, 1, 0, 0, 0, 1};
    QCOMPARE(modbus_write_bits(c.ctx, 200, 9, bit), 9);
    QVERIFY(c.sim.coil(200) && !c.sim.coil(202) && c.sim.coil(208));
    std::uint8_t letti[9] = {};
    QCOMPARE(modbus_read_bits(c.ctx, 200, 9, letti), 9);
    QCOMPARE(int(letti[4]), 1);
    QCOMPARE(int(letti[5]), 0);
    // 23: write two registers, then read them back in the same request.
    const std::uint16_t scrivi[2] = {0x1111, 0x2222};
    QCOMPARE(modbus_write_and_read_registers(c.ctx, 300, 2, scrivi, 299, 3, r), 3);
    QCOMPARE(int(r[1]), 0x1111);
    QCOMPARE(int(r[2]), 0x2222);
    // An exception reply: past the register space.
    QCOMPARE(modbus_read_input_registers(c.ctx, 1020, 10, r), -1);
    QCOMPARE(errno, int(EMBXILADD));
    // The simulator keeps answering after an exception.
    QCOMPARE(modbus_read_input_registers(c.ctx, 0, 1, r), 1);
    QCOMPARE(int(r[0]), 500);
}

QTEST_GUILESS_MAIN(TestLibmodbus)
#include "tst_libmodbus.moc"
