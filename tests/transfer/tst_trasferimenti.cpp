// Program download and read-back, and memory ranges to and from memory-image files,
// against the device simulator (pauses in virtual time).
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "compiler/CodiceProgramma.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"
#include "transfer/Trasferimenti.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <iterator>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;
using sim::Trama;

Q_DECLARE_METATYPE(Mezzo)

namespace {

// Every byte of the image told apart from its neighbours and from zero.
void riempiCodice()
{
    for (int i = 0; i < kDimCodice; ++i)
        CodiceProgramma[std::size_t(i)] = std::uint8_t(i * 7 + 1 + i / 251);
}

QByteArray fileHex(const std::vector<int>& valori)
{
    QByteArray t;
    for (const int v : valori)
        t += ' ' + QByteArray::number(v) + " \r\n";
    return t;
}

bool scriviFile(const QString& p, const QByteArray& testo)
{
    QFile f(p);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(testo) == testo.size();
}

QByteArray leggiFile(const QString& p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestTrasferimenti : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri();
        ImpostaDefaultLink();
        ImpostaModello();
    }
    void cleanup()
    {
        banco_.chiudi();
    }
    void blocchiDelProgramma_data();
    void blocchiDelProgramma();
    void immagineOltreIlLimite();
    void bloccoFallito_data();
    void bloccoFallito();
    void areaProgrammaAssente();
    void riletturaMinima();
    void riletturaCopreIlDownload();
    void riletturaFallita();
    void downloadFileHexIntervallo();
    void uploadFileHexIntervallo_data();
    void uploadFileHexIntervallo();
    void andataERitorno();
    void fileHexNonValido_data();
    void fileHexNonValido();
    void dialogoAnnullato();
    void scritturaFileFallita();
    void uploadFallitoNonScriveFile();
    void intervalliFuoriMemoria();
    void senzaDialogoRimandaIlBuffer();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
};

void TestTrasferimenti::blocchiDelProgramma_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("nBytes");
    QTest::addColumn<int>("blocchi");
    QTest::newRow("0") << Mezzo::Tcp << 0 << 1;
    QTest::newRow("31") << Mezzo::Tcp << 31 << 1;
    QTest::newRow("32") << Mezzo::Tcp << 32 << 2;
    QTest::newRow("33") << Mezzo::Tcp << 33 << 2;
    QTest::newRow("64") << Mezzo::Tcp << 64 << 3;
    QTest::newRow("65") << Mezzo::Tcp << 65 << 3;
    QTest::newRow("33 rtu") << Mezzo::Rtu << 33 << 2;
    QTest::newRow("6399") << Mezzo::Tcp << 6399 << 200;
}

void TestTrasferimenti::blocchiDelProgramma()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, nBytes);
    QFETCH(int, blocchi);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    riempiCodice();
    QSignalSpy barra(&Notifiche::istanza(), &Notifiche::barraCambiata);
    const int da = test::righeLog();
    QVERIFY(DownloadProgramma(nBytes));

    const auto richieste = test::richiesteRicevute(link.sim, mezzo);
    QCOMPARE(int(richieste.size()), blocchi);
    for (int i = 0; i < blocchi; ++i) {
        const int a = 512 + 32 * i;
        // Sized first and filled: GCC 12 at -O2 mistakes an insert into a vector built
        // from a list for an out-of-bounds write.
        Trama attesa(7 + 32);
        const std::uint8_t intestazione[] = {10, 20, 4, 0, std::uint8_t(a >> 8),
                                             std::uint8_t(a & 0xFF), 32};
        std::copy(std::begin(intestazione), std::end(intestazione), attesa.begin());
        std::copy_n(CodiceProgramma.begin() + 32 * i, 32, attesa.begin() + 7);
        QCOMPARE(richieste[std::size_t(i)], attesa);
    }
    for (int k = 0; k < 32 * blocchi; ++k)
        QCOMPARE(link.sim.memoria(512 + k), CodiceProgramma[std::size_t(k)]);
    QCOMPARE(int(link.sim.memoria(512 + 32 * blocchi)), 0);
    // A tenth of a second before every block.
    QCOMPARE(pause.pause, std::vector<qint64>(std::size_t(blocchi), 100));
    QCOMPARE(int(Barra), 101);
    QCOMPARE(barra.first().at(0).toInt(), 1);
    QCOMPARE(barra.size(), blocchi + 1);
    QCOMPARE(BlocchiProgramma, blocchi);
    const QStringList log = test::logDa(da);
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[1], QStringLiteral("  Downloading ..."));
    QCOMPARE(log[2], QStringLiteral("  Download Successul"));
}

void TestTrasferimenti::immagineOltreIlLimite()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    riempiCodice();
    const int da = test::righeLog();
    QVERIFY(!DownloadProgramma(6400));
    // Block 200 would reach past byte 6400: the 200 before it are written.
    QCOMPARE(link.sim.richieste(), 200);
    QCOMPARE(BlocchiProgramma, 200);
    QCOMPARE(link.sim.memoria(512 + 6399), CodiceProgramma[6399]);
    QCOMPARE(test::logDa(da).last(), QStringLiteral("  Download Failed"));
}

void TestTrasferimenti::bloccoFallito_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("k");
    QTest::newRow("first tcp") << Mezzo::Tcp << 0;
    QTest::newRow("third tcp") << Mezzo::Tcp << 2;
    QTest::newRow("last tcp") << Mezzo::Tcp << 4;
}

void TestTrasferimenti::bloccoFallito()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, k);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    Controllore.Timeout = 100;
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    // The request of block k is lost on its way: the device never writes it.
    pause.durantePausa = [&] {
        if (int(pause.pause.size()) == k + 1)
            link.sim.impostaGuasto(Guasto::NessunaRisposta);
    };
    riempiCodice();
    const int da = test::righeLog();
    QVERIFY(!DownloadProgramma(150));
    QCOMPARE(link.sim.richieste(), k + 1);
    QCOMPARE(BlocchiProgramma, k);
    for (int b = 0; b < 5; ++b)
        QCOMPARE(link.sim.memoria(512 + 32 * b + 5),
                 b < k ? CodiceProgramma[std::size_t(32 * b + 5)] : std::uint8_t(0));
    const QStringList log = test::logDa(da);
    QVERIFY(log.contains(QStringLiteral("  Downloading ...")));
    QCOMPARE(log.last(), QStringLiteral("  Download Failed"));
}

void TestTrasferimenti::areaProgrammaAssente()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    PuntProg = 0;
    QVERIFY(!DownloadProgramma(10));
    QCOMPARE(link.sim.richieste(), 0);
    QCOMPARE(LogModello::istanza().righe().last(), QStringLiteral("  Download Failed"));
}

void TestTrasferimenti::riletturaMinima()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int k = 0; k < 6000; ++k)
        link.sim.setMemoria(512 + k, std::uint8_t(k * 3 + 1));
    const int da = test::righeLog();
    QVERIFY(UploadProgramma());
    const auto richieste = test::richiesteRicevute(link.sim, Mezzo::Tcp);
    QCOMPARE(int(richieste.size()), 132);
    QCOMPARE(richieste[131], (Trama{10, 20, 1, 0, std::uint8_t(4192 >> 8), 4192 & 0xFF, 32}));
    for (int k = 0; k < 4224; ++k)
        QCOMPARE(int(CodiceProgramma[std::size_t(k)]), (k * 3 + 1) & 0xFF);
    QCOMPARE(int(CodiceProgramma[4224]), 0);
    QCOMPARE(test::logDa(da).mid(1), (QStringList{QStringLiteral("  Uploading ..."),
                                            QStringLiteral("  Upload Successul")}));
}

// The read-back covers every block the download wrote, so a verification sees every
// byte of an image longer than 132 blocks.
void TestTrasferimenti::riletturaCopreIlDownload()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    riempiCodice();
    const auto scaricato = CodiceProgramma;
    QVERIFY(DownloadProgramma(5000));
    QCOMPARE(BlocchiProgramma, 157);
    CodiceProgramma.fill(0);
    QVERIFY(UploadProgramma());
    QCOMPARE(link.sim.richieste(), 157 + 157);
    for (int k = 0; k < 157 * 32; ++k)
        QCOMPARE(CodiceProgramma[std::size_t(k)], scaricato[std::size_t(k)]);
}

void TestTrasferimenti::riletturaFallita()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    link.sim.impostaGuasto(Guasto::CrcAltoErrato);
    const int da = test::righeLog();
    QVERIFY(!UploadProgramma());
    QCOMPARE(link.sim.richieste(), 1);
    QCOMPARE(test::logDa(da).last(), QStringLiteral("  Upload Failed"));
}

void TestTrasferimenti::downloadFileHexIntervallo()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("eeprom.hex"));
    std::vector<int> valori(128);
    for (int i = 0; i < 128; ++i)
        valori[std::size_t(i)] = (i * 5 + 3) & 0xFF;
    QByteArray testo = fileHex(valori);
    testo.replace(" 3 \r\n", "not a byte\r\n");   // line 0, before the blocks sent
    QVERIFY(scriviFile(p, testo));
    BuffHex[0] = 0x77;
    FileProgetto = QStringLiteral("/tmp/project.prj");
    dialogs_.fileScelti.push_back(p);
    const int da = test::righeLog();
    QVERIFY(DownloadFileHex(2, 4, true));

    QCOMPARE(dialogs_.richiesteFile.size(), std::size_t(1));
    QCOMPARE(dialogs_.richiesteFile[0].filter, QStringLiteral(" (*.hex)|*.hex|(*.*)|*.*|"));
    QCOMPARE(dialogs_.richiesteFile[0].defaultExt, QStringLiteral("hex"));
    QCOMPARE(FileProgetto, QStringLiteral("/tmp/project.prj"));
    const auto richieste = test::richiesteRicevute(link.sim, Mezzo::Tcp);
    QCOMPARE(richieste.size(), std::size_t(2));
    QCOMPARE(Trama(richieste[0].begin(), richieste[0].begin() + 7), (Trama{10, 20, 4, 0, 0, 64, 32}));
    QCOMPARE(Trama(richieste[1].begin(), richieste[1].begin() + 7), (Trama{10, 20, 4, 0, 0, 96, 32}));
    for (int a = 32; a < 160; ++a)
        QCOMPARE(int(link.sim.memoria(a)), a >= 64 && a < 128 ? valori[std::size_t(a)] : 0);
    // The whole file went into the buffer, a line that carries no byte excepted.
    QCOMPARE(int(BuffHex[0]), 0x77);
    for (int i = 1; i < 128; ++i)
        QCOMPARE(int(BuffHex[std::size_t(i)]), valori[std::size_t(i)]);
    QCOMPARE(int(Barra), 101);
    QCOMPARE(test::logDa(da).mid(1), (QStringList{QStringLiteral("  Downloading ..."),
                                            QStringLiteral("  Download Successul")}));
}

void TestTrasferimenti::uploadFileHexIntervallo_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

void TestTrasferimenti::uploadFileHexIntervallo()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int a = 0; a < 200; ++a)
        link.sim.setMemoria(a, std::uint8_t(200 - a));
    for (int i = 0; i < 64; ++i)
        BuffHex[std::size_t(i)] = std::uint8_t(i);
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("out.hex"));
    dialogs_.fileScelti.push_back(p);
    const int da = test::righeLog();
    QVERIFY(UploadFileHex(2, 4, true));
    const auto richieste = test::richiesteRicevute(link.sim, mezzo);
    QCOMPARE(richieste, (std::vector<Trama>{{10, 20, 2, 0, 0, 64, 32}, {10, 20, 2, 0, 0, 96, 32}}));
    std::vector<int> attesi(128);
    for (int i = 0; i < 128; ++i)
        attesi[std::size_t(i)] = i < 64 ? i : 200 - i;
    QCOMPARE(leggiFile(p), fileHex(attesi));
    QCOMPARE(test::logDa(da).mid(1), (QStringList{QStringLiteral("  Uploading ..."),
                                            QStringLiteral("  Upload Successul")}));
}

void TestTrasferimenti::andataERitorno()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int a = 0; a < 65536; a += 97)
        link.sim.setMemoria(a, std::uint8_t(a / 97));
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("all.hex"));
    dialogs_.fileScelti.push_back(p);
    QVERIFY(UploadFileHex(0, kMaxBlocchiHex, true));
    const QByteArray file = leggiFile(p);
    QCOMPARE(file.count('\n'), 65536);

    // Into an emptied device and buffer, back from the file.
    for (int a = 0; a < 65536; a += 97)
        link.sim.setMemoria(a, 0);
    BuffHex.fill(0);
    dialogs_.fileScelti.push_back(p);
    QVERIFY(DownloadFileHex(0, kMaxBlocchiHex, true));
    for (int a = 0; a < 65536; a += 97)
        QCOMPARE(int(link.sim.memoria(a)), (a / 97) & 0xFF);
    QCOMPARE(link.sim.richieste(), 2 * kMaxBlocchiHex);
}

void TestTrasferimenti::fileHexNonValido_data()
{
    QTest::addColumn<QByteArray>("sostituto");   // replaces line 70 (inside block 2)
    QTest::addColumn<int>("righe");              // lines kept in the file
    QTest::newRow("256") << QByteArray("256") << 128;
    QTest::newRow("letters") << QByteArray("abc") << 128;
    QTest::newRow("blank line") << QByteArray("") << 128;
    QTest::newRow("negative") << QByteArray("-4") << 128;
    QTest::newRow("two values") << QByteArray("4,5") << 128;
    QTest::newRow("short file") << QByteArray("7") << 100;
    QTest::newRow("short before the blocks") << QByteArray("7") << 10;
}

// A file that does not give a byte for every line of the blocks to send sends
// nothing and leaves the buffer as it was.
void TestTrasferimenti::fileHexNonValido()
{
    QFETCH(QByteArray, sostituto);
    QFETCH(int, righe);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QByteArrayList linee;
    for (int i = 0; i < righe; ++i)
        linee << (i == 70 ? sostituto : QByteArray::number(i));
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("bad.hex"));
    QVERIFY(scriviFile(p, linee.join("\r\n") + "\r\n"));
    BuffHex.fill(0xEE);
    dialogs_.fileScelti.push_back(p);
    const int da = test::righeLog();
    QVERIFY(!DownloadFileHex(2, 4, true));
    QCOMPARE(link.sim.richieste(), 0);
    for (int i = 0; i < 128; ++i)
        QCOMPARE(int(BuffHex[std::size_t(i)]), 0xEE);
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QVERIFY(dialogs_.messaggi[0].testo.contains(QStringLiteral("bad.hex")));
    QCOMPARE(test::logDa(da).last(), QStringLiteral("  Download Failed"));
}

void TestTrasferimenti::dialogoAnnullato()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    BuffHex.fill(3);
    const int da = test::righeLog();
    QVERIFY(!DownloadFileHex(0, 2, true));
    QCOMPARE(link.sim.richieste(), 0);
    QCOMPARE(test::logDa(da), QStringList());

    // The read is made; the cancelled save writes nothing.
    QTemporaryDir dir;
    QVERIFY(UploadFileHex(0, 1, true));
    QCOMPARE(link.sim.richieste(), 1);
    QCOMPARE(dialogs_.richiesteFile.size(), std::size_t(2));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

void TestTrasferimenti::scritturaFileFallita()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QTemporaryDir dir;
    dialogs_.fileScelti.push_back(dir.filePath(QStringLiteral("missing/out.hex")));
    const int da = test::righeLog();
    QVERIFY(!UploadFileHex(0, 1, true));
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QVERIFY(dialogs_.messaggi[0].testo.startsWith(QStringLiteral("Cannot write out.hex")));
    QVERIFY(test::logDa(da).last().startsWith(QStringLiteral("  Cannot write out.hex")));
}

// Part of the buffer would not come from the device: no file is offered.
void TestTrasferimenti::uploadFallitoNonScriveFile()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QTemporaryDir dir;
    dialogs_.fileScelti.push_back(dir.filePath(QStringLiteral("out.hex")));
    link.sim.impostaGuasto(Guasto::Eccezione, 1);
    const int da = test::righeLog();
    QVERIFY(!UploadFileHex(0, 3, true));
    QCOMPARE(link.sim.richieste(), 1);
    QVERIFY(dialogs_.richiesteFile.empty());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.hex"))));
    QCOMPARE(test::logDa(da).last(), QStringLiteral("  Upload Failed"));
}

void TestTrasferimenti::intervalliFuoriMemoria()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QVERIFY(!DownloadFileHex(0, kMaxBlocchiHex + 1, false));
    QVERIFY(!DownloadFileHex(-1, 2, false));
    QVERIFY(!UploadFileHex(0, kMaxBlocchiHex + 1, false));
    QCOMPARE(link.sim.richieste(), 0);
    QVERIFY(dialogs_.richiesteFile.empty());
    QCOMPARE(LogModello::istanza().righe().last(), QStringLiteral("  Upload Failed"));
    // No blocks at all: nothing to send, nothing failed.
    QVERIFY(DownloadFileHex(3, 3, false));
    QCOMPARE(link.sim.richieste(), 0);
}

// The buffer outlives the transfers: an upload followed by a download without a file
// puts the same bytes back.
void TestTrasferimenti::senzaDialogoRimandaIlBuffer()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int a = 32; a < 64; ++a)
        link.sim.setMemoria(a, std::uint8_t(a));
    QVERIFY(UploadFileHex(1, 2, false));
    for (int a = 32; a < 64; ++a)
        link.sim.setMemoria(a, 0);
    QVERIFY(DownloadFileHex(1, 2, false));
    for (int a = 32; a < 64; ++a)
        QCOMPARE(int(link.sim.memoria(a)), a);
    QVERIFY(dialogs_.richiesteFile.empty());
}

QTEST_GUILESS_MAIN(TestTrasferimenti)
#include "tst_trasferimenti.moc"
