// The MAC register: its file and report, adding MACs read from the simulator, and the
// save, load and close decisions.
#include "app/Avvio.h"
#include "devconfig/RegistroMac.h"
#include "link/StatoLink.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace ludra;
using platform::MsgResult;

namespace {

RecordMac rec(int id, const char* mac, const char* pfc, const char* anno, const QString& cliente)
{
    return {QString::fromLatin1(mac), id, QString::fromLatin1(pfc), QString::fromLatin1(anno),
            cliente};
}

const QString kCliente = QString::fromUtf8("Caffè, Rossi");

std::vector<RecordMac> dueRighe()
{
    return {rec(7, "00-04-A3-00-00-01", "123", "09", kCliente),
            rec(41, "00-04-A3-00-00-02", "", "10", QString())};
}

QByteArray leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

bool scrivi(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(dati) == dati.size();
}

} // namespace

class TestRegistroMac : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Progetto);
    }
    void cleanup()
    {
        banco_.chiudi();
    }

    void fileScritto();
    void fileLetto_data();
    void fileLetto();
    void fileRifiutato_data();
    void fileRifiutato();
    void righeEReport_data();
    void righeEReport();
    void aggiunta();
    void letturaDalDispositivo();
    void modifica();
    void salvaECarica();
    void caricamentoFallitoNonPerdeNulla();
    void salvaSuFileCambiato_data();
    void salvaSuFileCambiato();
    void chiusura_data();
    void chiusura();

private:
    test::Banco banco_;
    test::FakeDialogs& dialoghi_ = banco_.dialogs;
};

void TestRegistroMac::fileScritto()
{
    QCOMPARE(TestoRegistroMac(dueRighe()),
             QByteArray("7\t00-04-A3-00-00-01\t123/09\tCaff\xE8, Rossi\r\n"
                        "41\t00-04-A3-00-00-02\t/10\t\r\n"));
}

void TestRegistroMac::fileLetto_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<int>("righe");
    QTest::addColumn<QString>("pfc");
    QTest::addColumn<QString>("cliente");
    QTest::newRow("round trip") << TestoRegistroMac(dueRighe()) << 2 << "123" << kCliente;
    QTest::newRow("LF only, no final break, lower-case MAC")
        << QByteArray("3\t00-04-a3-0a-00-01\t12/09\tA\tB") << 1 << "12" << "A\tB";
    QTest::newRow("empty lines skipped") << QByteArray("\r\n1\t00-04-A3-00-00-01\t1/2\tx\r\n\r\n")
                                         << 1 << "1" << "x";
    QTest::newRow("empty file") << QByteArray() << 0 << QString() << QString();
}

void TestRegistroMac::fileLetto()
{
    QFETCH(QByteArray, dati);
    QFETCH(int, righe);
    QFETCH(QString, pfc);
    QFETCH(QString, cliente);
    QString errore;
    const auto letti = LeggiRegistroMac(dati, errore);
    QVERIFY2(letti, qPrintable(errore));
    QCOMPARE(int(letti->size()), righe);
    if (righe == 0)
        return;
    QCOMPARE(letti->front().PFC, pfc);
    QCOMPARE(letti->front().Cliente, cliente);
    QCOMPARE(letti->front().MAC, letti->front().MAC.toUpper());
    if (dati == TestoRegistroMac(dueRighe()))
        QCOMPARE(*letti, dueRighe());
}

void TestRegistroMac::fileRifiutato_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("riga");
    const QByteArray buona("1\t00-04-A3-00-00-01\t123/09\tx\r\n");
    QTest::newRow("truncated line") << buona + QByteArray("2\t00-04-A3-00-00-02\t12") << "Riga 2";
    QTest::newRow("ID not a number") << QByteArray("x\t00-04-A3-00-00-01\t123/09\tx") << "Riga 1";
    QTest::newRow("ID past 32 bits") << QByteArray("2147483648\t00-04-A3-00-00-01\t1/09\tx") << "Riga 1";
    QTest::newRow("bad MAC") << buona + QByteArray("2\t00-04-A3-00-00\t123/09\tx") << "Riga 2";
    QTest::newRow("no order separator") << QByteArray("1\t00-04-A3-00-00-01\t12309\tx") << "Riga 1";
    QByteArray troppe;
    for (int i = 0; i <= kMaxRecordMac; ++i)
        troppe += buona;
    QTest::newRow("too many lines") << troppe << "Riga 65537";
    QTest::newRow("oversized") << QByteArray(int(kMaxByteRegistroMac) + 1, 'x') << "grande";
}

void TestRegistroMac::fileRifiutato()
{
    QFETCH(QByteArray, dati);
    QFETCH(QString, riga);
    QString errore;
    QVERIFY(!LeggiRegistroMac(dati, errore));
    QVERIFY2(errore.contains(riga), qPrintable(errore));
}

void TestRegistroMac::righeEReport_data()
{
    QTest::addColumn<int>("criterio");
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QString>("cliente");
    QTest::addColumn<QByteArray>("testo");
    const QByteArray testa("01/02/2026\r\n-----------------------------------------------------\r\n"
                           "ID\tMAC\t\t\tPFC\tCliente\r\n");
    QTest::newRow("by year") << 2 << "09" << ""
        << QByteArray("Report MAC per Anno 2009\r\n") + testa +
               "7\t00-04-A3-00-00-01\t123/09\tCaff\xE8, Rossi\r\n";
    QTest::newRow("by order") << 0 << "10" << ""
        << QByteArray("Report MAC per PCF /10\r\n") + testa +
               "41\t00-04-A3-00-00-02\t___/__\t_________________\r\n";
    QTest::newRow("by customer, none") << 1 << "10" << "Bianchi"
        << QByteArray("Report MAC per Cliente Bianchi\r\n") + testa;
}

void TestRegistroMac::righeEReport()
{
    QFETCH(int, criterio);
    QFETCH(QString, anno);
    QFETCH(QString, cliente);
    QFETCH(QByteArray, testo);
    const SceltaReport s{CriterioReport(criterio), QString(), anno, cliente};
    QCOMPARE(TestoReportMac(dueRighe(), s, QStringLiteral("01/02/2026")), testo);
    QCOMPARE(RigaListaMac(dueRighe()[1]),
             QStringLiteral("[41]\t00-04-A3-00-00-02\tPFC:/10\tCl.:"));
}

void TestRegistroMac::aggiunta()
{
    RegistroMac r;
    QVERIFY(r.aggiungiMac(QStringLiteral("00-04-A3-00-00-09"), QStringLiteral("1"),
                          QStringLiteral("0/"), QStringLiteral("a\tb")));
    QCOMPARE(r.ElencoMac[0].ID, 1);
    // Typed TABs and a "/" in the year would break the file's fields.
    QCOMPARE(r.ElencoMac[0].Anno, QStringLiteral("0 "));
    QCOMPARE(r.ElencoMac[0].Cliente, QStringLiteral("a b"));
    QVERIFY(r.Modificato);

    QVERIFY(!r.aggiungiMac(QStringLiteral("00-04-A3-00-00-09"), {}, {}, {}));
    QCOMPARE(dialoghi_.messaggi.back().testo, QStringLiteral("MAC già inserito"));
    QCOMPARE(r.NumMac(), 1);
    QVERIFY(!r.aggiungiMac(QStringLiteral("FF-FF-FF-FF-FF-FF"), {}, {}, {}));
    QCOMPARE(dialoghi_.messaggi.back().testo, QStringLiteral("MAC non valido"));
    // A customer the file would carry as "?ód?" is refused, its character named.
    QVERIFY(!r.aggiungiMac(QStringLiteral("00-04-A3-00-00-0B"), {}, {}, QString::fromUtf8("\u0141\u00F3d\u017A")));
    QVERIFY(dialoghi_.messaggi.back().testo.contains(QChar(0x141)));

    // Only the register's own lines count: a longer register loaded before leaves no
    // trace in the IDs or the duplicates.
    r.ElencoMac = {rec(41, "00-04-A3-00-00-02", "", "", {}),
                   rec(3, "00-04-A3-00-00-03", "", "", {})};
    QVERIFY(r.aggiungiMac(QStringLiteral("00-04-A3-00-00-09"), {}, {}, {}));
    QCOMPARE(r.ElencoMac.back().ID, 42);

    r.ElencoMac = {rec(2147483647, "00-04-A3-00-00-02", "", "", {})};
    QVERIFY(!r.aggiungiMac(QStringLiteral("00-04-A3-00-00-0A"), {}, {}, {}));
    QCOMPARE(r.NumMac(), 1);
}

void TestRegistroMac::letturaDalDispositivo()
{
    test::LinkSuSim link(test::Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setNodo(1);
    link.sim.setRegistro(14, 0x0004);
    link.sim.setRegistro(15, 0xA312);
    link.sim.setRegistro(16, 0x34AB);
    RegistroMac r;
    QVERIFY(r.leggiMac(QStringLiteral("12"), QStringLiteral("09"), QStringLiteral("C")));
    QCOMPARE(r.MacLetto, QStringLiteral("00-04-A3-12-34-AB"));
    QCOMPARE(RigaListaMac(r.ElencoMac[0]),
             QStringLiteral("[1]\t00-04-A3-12-34-AB\tPFC:12/09\tCl.:C"));
    const auto richieste = test::richiesteRicevute(link.sim, test::Mezzo::Tcp);
    QCOMPARE(richieste.back(), (sim::Trama{1, 4, 0, 14, 0, 3}));

    link.sim.impostaGuasto(sim::Guasto::Eccezione);
    QVERIFY(!r.leggiMac({}, {}, {}));
    QCOMPARE(dialoghi_.messaggi.back().testo, QStringLiteral("Errore Lettura"));
    QCOMPARE(r.NumMac(), 1);
}

void TestRegistroMac::modifica()
{
    RegistroMac r;
    r.ElencoMac = dueRighe();
    QVERIFY(!r.modifica(-1, {}, {}, {}));
    QCOMPARE(dialoghi_.messaggi.back().testo, QStringLiteral("Selezionare un MAC"));
    // An empty order asks nothing.
    const auto prima = dialoghi_.messaggi.size();
    QVERIFY(r.modifica(1, QStringLiteral("5"), QStringLiteral("11"), QStringLiteral("Z")));
    QCOMPARE(dialoghi_.messaggi.size(), prima);
    QCOMPARE(r.ElencoMac[1].ID, 41);
    QCOMPARE(r.ElencoMac[1].PFC, QStringLiteral("5"));
    dialoghi_.risposte = {MsgResult::No};
    QVERIFY(!r.modifica(0, QStringLiteral("9"), {}, {}));
    QCOMPARE(dialoghi_.messaggi.back().testo, QStringLiteral("MAC già in uso. Continuare?"));
    QCOMPARE(r.ElencoMac[0].PFC, QStringLiteral("123"));
}

void TestRegistroMac::salvaECarica()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mac.csv"));
    RegistroMac r;
    r.ElencoMac = dueRighe();
    r.Modificato = true;
    dialoghi_.fileScelti = {file};
    QVERIFY(r.salva());
    QVERIFY(!r.Modificato);
    QCOMPARE(leggi(file), TestoRegistroMac(dueRighe()));
    QCOMPARE(dialoghi_.richiesteFile.back().filter, QStringLiteral(" (*.csv)|*.csv|(*.*)|*.*|"));
    QVERIFY(r.salva());   // the name is known: no dialog
    QCOMPARE(dialoghi_.richiesteFile.size(), std::size_t(1));

    RegistroMac nuovo;
    dialoghi_.fileScelti = {file};
    QVERIFY(nuovo.carica());
    QCOMPARE(nuovo.righeLista(), r.righeLista());
    QVERIFY(!nuovo.Modificato);

    // The report goes to its own file; the register keeps its name.
    dialoghi_.fileScelti = {dir.filePath(QStringLiteral("r.txt"))};
    QVERIFY(nuovo.report({CriterioReport::Anno, {}, QStringLiteral("09"), {}}));
    QVERIFY(leggi(dir.filePath(QStringLiteral("r.txt"))).startsWith("Report MAC per Anno 2009\r\n"));
    QCOMPARE(nuovo.FileMac, file);

    // A write that fails is reported and leaves the register unsaved.
    nuovo.FileMac = dir.filePath(QStringLiteral("missing/dir/mac.csv"));
    nuovo.Modificato = true;
    QVERIFY(!nuovo.salva());
    QVERIFY(nuovo.Modificato);
    QCOMPARE(dialoghi_.messaggi.back().icona, platform::MsgIcon::Critical);
}

void TestRegistroMac::caricamentoFallitoNonPerdeNulla()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("mac.csv"));
    QVERIFY(scrivi(file, "1\t00-04-A3-00-00-01\t123/09\tx\r\nbroken line\r\n"));
    RegistroMac r;
    r.ElencoMac = dueRighe();
    r.FileMac = file;
    QVERIFY(!r.carica());
    QCOMPARE(r.ElencoMac, dueRighe());
    QVERIFY(dialoghi_.messaggi.back().testo.contains(QStringLiteral("Riga 2")));

    // A remembered file that is gone: the next load asks again.
    r.FileMac = dir.filePath(QStringLiteral("gone.csv"));
    QVERIFY(!r.carica());
    QVERIFY(r.FileMac.isEmpty());
    QCOMPARE(r.ElencoMac, dueRighe());
    r.FileMac = dir.filePath(QStringLiteral("pipe.csv"));
    QCOMPARE(::mkfifo(qPrintable(r.FileMac), 0600), 0);
    QVERIFY(!r.carica());
    QVERIFY(dialoghi_.messaggi.back().testo.contains(QStringLiteral("pipe.csv\nnot a regular file")));
    QCOMPARE(r.ElencoMac, dueRighe());

    // A spreadsheet's head line: the register stays, the refused file is forgotten, so a
    // save asks for a name and the load for another file.
    r.FileMac = file;
    QVERIFY(scrivi(file, "ID\tMAC\tPFC\tCliente\r\n" + TestoRegistroMac(dueRighe())));
    QVERIFY(!r.carica());
    QVERIFY(dialoghi_.messaggi.back().testo.contains(file + QLatin1Char('\n')));
    QVERIFY(!r.salva());
    QVERIFY(leggi(file).startsWith("ID\t"));
    QVERIFY(scrivi(dir.filePath(QStringLiteral("b.csv")), TestoRegistroMac(dueRighe())));
    dialoghi_.fileScelti = {dir.filePath(QStringLiteral("b.csv"))};
    QVERIFY(r.carica());

    // Unsaved changes are offered a save before they are replaced.
    r.Modificato = true;
    dialoghi_.risposte = {MsgResult::Cancel};
    const std::size_t chiesti = dialoghi_.richiesteFile.size();
    QVERIFY(!r.carica());
    QCOMPARE(dialoghi_.richiesteFile.size(), chiesti);
}

void TestRegistroMac::salvaSuFileCambiato_data()
{
    QTest::addColumn<QByteArray>("altro");   // what another process added to the file ("-7": removed ID 7, "a>b": changed)
    QTest::addColumn<QStringList>("id");     // the file's IDs and MACs after this save
    QTest::addColumn<QString>("doppio");     // "line=customer changed here|in the box": from one MAC on two lines
    QTest::newRow("second window") << QByteArray() << QStringList{"7 01", "41 02", "42 0A", "43 0B"} << QString();
    QTest::newRow("another process took ID 43") << QByteArray("43\t00-04-A3-00-00-0C\t/\t\r\n")
        << QStringList{"7 01", "41 02", "42 0A", "43 0C", "44 0B"} << QString();
    QTest::newRow("another process added the same MAC") << QByteArray("43\t00-04-A3-00-00-0B\t/\t\r\n")
        << QStringList{"7 01", "41 02", "42 0A", "43 0B"} << QString();
    QTest::newRow("another process removed ID 7") << QByteArray("-7") << QStringList{"41 02", "42 0A", "43 0B"} << QString();
    // Refused: the register stays as it was, and so does the file.
    QTest::newRow("no longer a register") << QByteArray("ID\tMAC\r\n") << QStringList{"7 01", "41 02", "42 0B"} << QString();
    // Each line of a MAC keeps its own fields.
    QTest::newRow("a MAC on two lines") << QByteArray() << QStringList{"1 01 Alfa", "2 01 Beta", "3 0A", "4 0B"} << "|";
    QTest::newRow("a MAC on two lines, the first changed here") << QByteArray()
        << QStringList{"1 01 Gamma", "2 01 Beta", "3 0A", "4 0B"} << "0=Gamma|";
    QTest::newRow("a MAC on two lines, the second changed here") << QByteArray()
        << QStringList{"1 01 Alfa", "2 01 Gamma", "3 0A", "4 0B"} << "1=Gamma|";
    QTest::newRow("a MAC on two lines, the second changed on both sides") << QByteArray("Beta>Delta")
        << QStringList{"1 01 Alfa", "2 01 Gamma", "3 0A", "4 0B"} << "1=Gamma|(ID 2) è stato cambiato qui e nel file";
}

// Two windows on one file both give the next ID to their MAC; the second save finds the
// first's line in the file.
void TestRegistroMac::salvaSuFileCambiato()
{
    QFETCH(QByteArray, altro);
    QFETCH(QStringList, id);
    QFETCH(QString, doppio);
    QTemporaryDir dir;
    RegistroMac uno, due;
    uno.FileMac = due.FileMac = dir.filePath(QStringLiteral("mac.csv"));
    QVERIFY(scrivi(uno.FileMac, doppio.isEmpty() ? TestoRegistroMac(dueRighe())
                   : "1\t00-04-A3-00-00-01\tP1/24\tAlfa\r\n2\t00-04-A3-00-00-01\tP2/25\tBeta\r\n")
            && uno.carica() && due.carica());
    QVERIFY(uno.aggiungiMac(QStringLiteral("00-04-A3-00-00-0A"), {}, {}, {}) && uno.salva());
    QVERIFY(due.aggiungiMac(QStringLiteral("00-04-A3-00-00-0B"), {}, {}, {}));
    if (doppio.contains(QLatin1Char('=')))
        due.ElencoMac[std::size_t(doppio.left(1).toInt())].Cliente = doppio.section(QLatin1Char('|'), 0, 0).mid(2);
    QByteArray prima = leggi(uno.FileMac);
    if (altro == "-7")
        prima.remove(0, prima.indexOf('\n') + 1);
    else if (const qsizetype freccia = altro.indexOf('>'); freccia > 0)
        prima.replace(altro.left(freccia), altro.mid(freccia + 1));
    else
        prima += altro;
    QVERIFY(scrivi(uno.FileMac, prima));
    const bool salvato = !altro.startsWith("ID");
    QCOMPARE(due.salva(), salvato);
    QString errore;
    const auto scritti = LeggiRegistroMac(leggi(uno.FileMac), errore);
    QStringList righe;
    for (const RecordMac& r : scritti.value_or(due.ElencoMac))
        righe << (QString::number(r.ID) + QLatin1Char(' ') + r.MAC.right(2) + QLatin1Char(' ')
                  + (doppio.isEmpty() ? QString() : r.Cliente)).trimmed();
    QCOMPARE(righe, id);
    const QString nota = doppio.section(QLatin1Char('|'), 1);
    QVERIFY(nota.isEmpty() || (!dialoghi_.messaggi.empty() && dialoghi_.messaggi.back().testo.contains(nota)));
    QCOMPARE(leggi(uno.FileMac), salvato ? TestoRegistroMac(due.ElencoMac) : prima);
}

void TestRegistroMac::chiusura_data()
{
    QTest::addColumn<bool>("modificato");
    QTest::addColumn<int>("risposta");
    QTest::addColumn<QString>("nomeScelto");
    QTest::addColumn<bool>("chiude");
    QTest::addColumn<bool>("salvato");
    QTest::newRow("unchanged") << false << int(MsgResult::Cancel) << "" << true << false;
    QTest::newRow("no") << true << int(MsgResult::No) << "" << true << false;
    QTest::newRow("cancel") << true << int(MsgResult::Cancel) << "" << false << false;
    QTest::newRow("yes") << true << int(MsgResult::Yes) << "m.csv" << true << true;
    QTest::newRow("yes, name dialog cancelled") << true << int(MsgResult::Yes) << "" << false << false;
}

void TestRegistroMac::chiusura()
{
    QFETCH(bool, modificato);
    QFETCH(int, risposta);
    QFETCH(QString, nomeScelto);
    QFETCH(bool, chiude);
    QFETCH(bool, salvato);
    QTemporaryDir dir;
    RegistroMac r;
    r.ElencoMac = dueRighe();
    r.Modificato = modificato;
    dialoghi_.risposte = {MsgResult(risposta)};
    dialoghi_.fileScelti = {nomeScelto.isEmpty() ? QString() : dir.filePath(nomeScelto)};
    QCOMPARE(r.puoChiudere(), chiude);
    QCOMPARE(dialoghi_.messaggi.size(), std::size_t(modificato ? 1 : 0));
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("m.csv"))), salvato);
}

QTEST_GUILESS_MAIN(TestRegistroMac)
#include "tst_registromac.moc"
