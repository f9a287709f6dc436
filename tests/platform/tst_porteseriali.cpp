// How the link numbers the machine's serial devices and how the settings list them.
#include "platform/PortaSeriale.h"
#include "support/Banco.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;
using platform::PortaElencata;

namespace {

QStringList dispositivi;

QList<int> numeri()
{
    QList<int> n;
    for (const PortaElencata& p : platform::elencoPorte())
        n << p.numero;
    return n;
}

} // namespace

class TestPorteSeriali : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Nessuno);
        mappa = platform::setMappaPorte({});
        dispositivi.clear();
        sorgente = platform::setSorgenteDispositivi([] { return dispositivi; });
    }
    void cleanup()
    {
        platform::setSorgenteDispositivi(sorgente);
        platform::setMappaPorte(mappa);
        banco_.chiudi();
    }

    void ordineNaturale();
    void nomiStabiliById();
    void numeriStabili();
    void numeriEsauriti();
    void mappaIniettata();
    void nomeBreve_data();
    void nomeBreve();

private:
    test::Banco banco_;
    platform::MappaPorte mappa;
    platform::SorgenteDispositivi sorgente;
};

void TestPorteSeriali::ordineNaturale()
{
    QStringList d{"/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyACM1", "/dev/ttyS0"};
    platform::ordinaDispositivi(d);
    QCOMPARE(d, (QStringList{"/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10",
                             "/dev/ttyUSB0"}));
}

void TestPorteSeriali::nomiStabiliById()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* nome : {"ttyUSB0", "ttyUSB1"}) {
        QFile f(dir.filePath(QString::fromLatin1(nome)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("by-id")));
    const QString byId = dir.filePath(QStringLiteral("by-id"));
    QVERIFY(QFile::link(dir.filePath("ttyUSB1"), byId + "/usb-FTDI_FT232R_A1-if00-port0"));
    QVERIFY(QFile::link(dir.filePath("gone"), byId + "/usb-dangling"));
    const QStringList nomi = platform::nomiStabili(
        {dir.filePath("ttyUSB0"), dir.filePath("ttyUSB1")}, byId);
    QCOMPARE(nomi, (QStringList{dir.filePath("ttyUSB0"), byId + "/usb-FTDI_FT232R_A1-if00-port0"}));
    // No by-id folder at all: the paths as they are.
    QCOMPARE(platform::nomiStabili({"/dev/ttyS0"}, dir.filePath("none")), QStringList{"/dev/ttyS0"});
}

void TestPorteSeriali::numeriStabili()
{
    dispositivi = {"/dev/a", "/dev/b"};
    QCOMPARE(numeri(), (QList<int>{1, 2}));
    QCOMPARE(platform::percorsoPorta(2), QStringLiteral("/dev/b"));
    // a goes away: it is no longer offered, and its number still names it.
    dispositivi = {"/dev/b"};
    QCOMPARE(numeri(), QList<int>{2});
    QCOMPARE(platform::percorsoPorta(1), QStringLiteral("/dev/a"));
    // A new device takes a free number, not a's, and b keeps its own.
    dispositivi = {"/dev/c", "/dev/b"};
    QCOMPARE(numeri(), (QList<int>{2, 3}));
    QCOMPARE(platform::percorsoPorta(3), QStringLiteral("/dev/c"));
    dispositivi = {"/dev/a", "/dev/b", "/dev/c"};
    QCOMPARE(numeri(), (QList<int>{1, 2, 3}));
    QCOMPARE(platform::percorsoPorta(1), QStringLiteral("/dev/a"));
    QCOMPARE(platform::percorsoPorta(0), QString());
    QCOMPARE(platform::percorsoPorta(33), QString());
}

void TestPorteSeriali::numeriEsauriti()
{
    for (int i = 0; i < 33; ++i)
        dispositivi << QStringLiteral("/dev/d%1").arg(i);
    QCOMPARE(numeri().size(), 32);   // more devices than numbers: the last one waits
    QCOMPARE(platform::percorsoPorta(32), QStringLiteral("/dev/d31"));
    dispositivi.removeAt(4);          // d4 goes: d32 takes its number
    QCOMPARE(numeri().size(), 32);
    QCOMPARE(platform::percorsoPorta(5), QStringLiteral("/dev/d32"));
}

void TestPorteSeriali::mappaIniettata()
{
    QTemporaryDir dir;
    QFile f(dir.filePath("pty"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    const QString p = f.fileName();
    platform::setMappaPorte([p](int n) { return n == 7 ? p : QStringLiteral("/no/such/%1").arg(n); });
    const auto elenco = platform::elencoPorte();
    QCOMPARE(int(elenco.size()), 1);
    QCOMPARE(elenco[0].numero, 7);
    QCOMPARE(elenco[0].percorso, p);
    QCOMPARE(platform::percorsoPorta(7), p);
}

void TestPorteSeriali::nomeBreve_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("nome");
    QTest::newRow("by-id") << "/dev/serial/by-id/usb-FTDI_A1-if00-port0" << "usb-FTDI_A1-if00-port0";
    QTest::newRow("dev") << "/dev/ttyS0" << "ttyS0";
    QTest::newRow("pts") << "/dev/pts/3" << "pts/3";
    QTest::newRow("elsewhere") << "/tmp/x" << "/tmp/x";
}

void TestPorteSeriali::nomeBreve()
{
    QFETCH(QString, percorso);
    QFETCH(QString, nome);
    QCOMPARE(platform::nomeBreve(percorso), nome);
}

QTEST_GUILESS_MAIN(TestPorteSeriali)
#include "tst_porteseriali.moc"
