// The download sequence end to end against the device simulator, with every option and
// every failure the dialog knows.
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"
#include "transfer/Download.h"
#include "transfer/Trasferimenti.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;

Q_DECLARE_METATYPE(Mezzo)
Q_DECLARE_METATYPE(EsitoDownload)

namespace {

// The Log lines without the time-stamped separators, whose date varies.
QStringList senzaSeparatori(const QStringList& righe)
{
    QStringList out;
    for (const QString& r : righe)
        if (!r.startsWith(QStringLiteral("-- ")))
            out << r;
    return out;
}

} // namespace

class TestDownload : public QObject {
    Q_OBJECT
private:
    test::Banco banco_;

private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Stato);
        InitProgetto();
    }
    void cleanup()
    {
        banco_.chiudi();
    }

    void fullRun_data();
    void fullRun();
    void nothingChecked();
    void stopFails();
    void compileErrorSendsNothing();
    void downloadBlockFails();
    void readBackFails();
    void differenceStopsBeforeClearAndRun();
    void verifyCoversTheWholeImage();
    void runAloneRestarts();
};

void TestDownload::fullRun_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

void TestDownload::fullRun()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    for (int r = 26; r <= 41; ++r)
        link.sim.setRegistro(r, std::uint16_t(r * 3));
    const int da = test::righeLog();
    const auto compilato = [] {
        Compila();
        return CodiceProgramma;
    }();
    const int daSequenza = test::righeLog();
    QCOMPARE(EseguiDownload({true, true, true, true}), EsitoDownload::Completato);

    QStringList attese = {"  Compiling", "  Error check : OK", "  Resource usage :",
                          "    14 / 5634 Bytes (0%)", "  Compiled",
                          "  Downloading ...", "  Download Successul",
                          "  Uploading ...", "  Upload Successul",
                          "  Verifying ...", "  Verified ! -> OK"};
    QCOMPARE(senzaSeparatori(test::logDa(daSequenza)), attese);
    Q_UNUSED(da);
    // Four time-stamped blocks: compile, download, read-back, verification.
    QCOMPARE(test::logDa(daSequenza).size() - attese.size(), 4);
    for (int r = 26; r <= 41; ++r)
        QCOMPARE(int(link.sim.registro(r)), 0);
    QCOMPARE(int(TabellaRegistri[30].Valore), 0);
    QCOMPARE(int(link.sim.registro(0)), 255);
    QCOMPARE(int(Controllore.StatoRun), 255);
    QCOMPARE(CodiceProgramma, compilato);   // the compiled image, not the read-back
    QCOMPARE(DimCompilata, 14);
    // halt, stop and the pauses the sequence prescribes, in order
    QCOMPARE(pause.pause.front(), qint64(500));
    QCOMPARE(pause.pause.back(), qint64(500));
    QVERIFY(std::find(pause.pause.begin(), pause.pause.end(), qint64(1000)) != pause.pause.end());
}

void TestDownload::nothingChecked()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    QCOMPARE(EseguiDownload({false, false, false, false}), EsitoDownload::Completato);
    QCOMPARE(link.sim.comandi(), (std::vector<std::uint16_t>{100, 252}));
    QCOMPARE(pause.pause, (std::vector<qint64>{500, 500}));
    QCOMPARE(int(link.sim.memoria(512)), 0);
}

void TestDownload::stopFails()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    link.sim.impostaGuasto(Guasto::Eccezione, 2);
    const int da = test::righeLog();
    QCOMPARE(EseguiDownload({true, true, true, true}), EsitoDownload::ArrestoFallito);
    QVERIFY(!test::logDa(da).contains(QStringLiteral("  Compiling")));
    QCOMPARE(senzaSeparatori(test::logDa(da)).last(), QStringLiteral("  Error"));
    QCOMPARE(int(link.sim.memoria(512)), 0);
    QCOMPARE(pause.pause, (std::vector<qint64>{500}));   // only the closing wait
}

void TestDownload::compileErrorSendsNothing()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    // A Goto to a label no line carries.
    Rung& r = Sezioni[0].Rung[1];
    r.Classe = 3;
    r.Funzione = 129;
    r.Etichetta.clear();
    r.ArgTesto[0] = QStringLiteral("NOWHERE");
    const int richiestePrima = link.sim.richieste();
    const EsitoDownload esito = EseguiDownload({true, true, true, true});
    QCOMPARE(esito, EsitoDownload::CompilazioneFallita);
    QVERIFY(NumErrori > 0);
    QCOMPARE(link.sim.richieste() - richiestePrima, 2);   // halt and stop only
    QCOMPARE(int(link.sim.registro(0)), 252);
}

void TestDownload::downloadBlockFails()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    for (int i = 0; i < 40; ++i)
        Sezioni[0].Rung[1].Descrizione = QStringLiteral("x");
    int pausaVista = 0;
    pause.durantePausa = [&] {
        // The first block's pause: its request gets no reply.
        if (++pausaVista == 2)
            link.sim.impostaGuasto(Guasto::NessunaRisposta);
    };
    Controllore.Timeout = 200;
    const int da = test::righeLog();
    QCOMPARE(EseguiDownload({true, true, true, true}), EsitoDownload::DownloadFallito);
    const QStringList log = senzaSeparatori(test::logDa(da));
    QVERIFY(log.contains(QStringLiteral("  Download Failed")));
    QVERIFY(!log.contains(QStringLiteral("  Uploading ...")));
    QCOMPARE(int(link.sim.registro(0)), 252);   // not started
}

void TestDownload::readBackFails()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    pause.durantePausa = [&] {
        // The half-second after the stop: the first read-back block fails.
        if (pause.pause.size() == 1)
            link.sim.impostaGuasto(Guasto::Eccezione);
    };
    Compila();
    const auto compilato = CodiceProgramma;
    CodiceProgramma.fill(0x55);
    const int da = test::righeLog();
    QCOMPARE(EseguiDownload({false, true, true, true}), EsitoDownload::RiletturaFallita);
    const QStringList log = senzaSeparatori(test::logDa(da));
    QVERIFY(log.contains(QStringLiteral("  Upload Failed")));
    QVERIFY(!log.contains(QStringLiteral("  Verifying ...")));
    QCOMPARE(CodiceProgramma, compilato);
    QCOMPARE(int(link.sim.registro(0)), 252);
}

void TestDownload::differenceStopsBeforeClearAndRun()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    link.sim.setRegistro(30, 7);
    // The controller holds another program: verify without downloading.
    link.sim.setMemoria(512 + 3, 0xAA);
    const int da = test::righeLog();
    QCOMPARE(EseguiDownload({false, true, true, true}), EsitoDownload::ProgrammaDiverso);
    const QStringList log = senzaSeparatori(test::logDa(da));
    QCOMPARE(log.last(), QStringLiteral("  The Program has changed !"));
    QCOMPARE(int(link.sim.registro(30)), 7);    // not cleared
    QCOMPARE(int(link.sim.registro(0)), 252);   // not started
}

void TestDownload::verifyCoversTheWholeImage()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    // A program larger than the 132 blocks the read-back used to stop at.
    Sezioni[0].NumRung = 100;
    for (int i = 1; i <= 100; ++i) {
        Rung& r = Sezioni[0].Rung[std::size_t(i)];
        r = RungVuoto();
        r.Classe = 3;
        r.Funzione = 3;
        r.LungDati = 34;
        r.ArgByte[0] = std::uint8_t(i);
    }
    QCOMPARE(EseguiDownload({true, false, false, false}), EsitoDownload::Completato);
    QVERIFY2(DimCompilata > 4224 + 32, qPrintable(QString::number(DimCompilata)));
    QCOMPARE(EseguiDownload({false, true, false, false}), EsitoDownload::Completato);
    // A difference in the image's last block, beyond the first 4224 bytes.
    link.sim.setMemoria(512 + DimCompilata - 2, std::uint8_t(link.sim.memoria(512 + DimCompilata - 2) ^ 0xFF));
    QCOMPARE(EseguiDownload({false, true, false, false}), EsitoDownload::ProgrammaDiverso);
}

void TestDownload::runAloneRestarts()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa pause(test::Attesa::Tempo::PauseVirtuali);
    QCOMPARE(EseguiDownload({false, false, false, true}), EsitoDownload::Completato);
    QCOMPARE(link.sim.comandi(), (std::vector<std::uint16_t>{100, 252, 255}));
    QCOMPARE(pause.pause, (std::vector<qint64>{500, 1000, 500}));
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
