#include "app/Avvio.h"
#include "app/Comandi.h"
#include "base/BarraStato.h"
#include "base/Finestre.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "display/EditorPagine.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "projectfiles/Esporta.h"
#include "projectfiles/FileProgetto.h"
#include "base/FormatoFile.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "platform/InsiemeFile.h"
#include "platform/VerbaleInsieme.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <cstring>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ludra;

namespace {

QByteArray crlf(const QStringList& righe)
{
    QByteArray b;
    for (const QString& r : righe)
        b += r.toLatin1() + "\r\n";
    return b;
}

QByteArray leggi(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void scrivi(const QString& nome, const QByteArray& dati)
{
    QFile f(nome);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

Rung riga(const char* descrizione, const char* etichetta, int classe, int funzione)
{
    Rung r = RungVuoto();
    r.Descrizione = QString::fromUtf8(descrizione);
    r.Etichetta = QString::fromUtf8(etichetta);
    r.Classe = std::int16_t(classe);
    r.Funzione = std::int16_t(funzione);
    return r;
}

// Puts lines into the current unit with their rows, as the editor would have.
void linee(const std::vector<Rung>& righe)
{
    NuovoProgetto();
    InitProgetto();
    CancellaRung(RungCorrente);
    for (const Rung& r : righe) {
        AggiungiRung();
        RungCorrente = Sezioni[0].NumRung;
        Sezioni[0].Rung[std::size_t(RungCorrente)] = r;
    }
}

// The disk step that fails with `gErrore` and the one the process dies at, as counted by
// `gPassi`; with `gSenzaLink` no hard link can be made.
int gFalla = 0, gUccidi = 0, gPassi = 0, gErrore = 0;
bool gSenzaLink = false;
const char* gFallito = "";   // the step that failed
// The step a child is held at, which it tells through gTenuto and leaves once gVia says.
// At -1 every step, and in turn each that gTieniSu names by the end of "step name" ("=": held there).
int gTieni = 0, gTenuto = -1, gVia = -1;
QStringList gTieniSu;
QString gPrivata;   // a folder where no step may find a file others can read
bool gLeggibile = false;
bool gScrittura = false;   // the lock held on a descriptor open for writing

int passoProva(const char* passo, const QString& nome)
{
    if (++gPassi == gUccidi)
        _exit(9);
    if (char c = 0; gPassi == gTieni || gTieni < 0 || (!gTieniSu.isEmpty() && (passo + (' ' + nome)).endsWith(gTieniSu[0].mid(1))
                                                       && gTieniSu.takeFirst().startsWith(u'=')))
        (void)!(write(gTenuto, &c, 1) + read(gVia, &c, 1));
    for (const QFileInfo& f :
         gPrivata.isEmpty() ? QFileInfoList() : QDir(gPrivata).entryInfoList(QDir::Files))
        gLeggibile |= bool(f.permissions() & (QFile::ReadGroup | QFile::ReadOther));
    if (gPassi == gFalla)
        return gFallito = passo, gErrore;
    return gSenzaLink && !std::strcmp(passo, "link") ? EPERM : 0;
}

// Runs `fai` under the step hook, in a child when it is to die: true when it ran to its
// end before its last stop.
bool finisce(int falla, int uccidi, const std::function<void()>& fai)
{
    const pid_t pid = uccidi ? fork() : 0;
    if (pid == 0) {
        std::tie(gFalla, gUccidi, gPassi) = std::tuple(falla, uccidi, 0);
        platform::PassoFileHook = passoProva;
        fai();
        platform::PassoFileHook = nullptr;
        if (uccidi)
            _exit(0);
        return gPassi < falla;
    }
    int stato = -1;
    return waitpid(pid, &stato, 0) == pid && WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
}

// A child running `fai` under the step hook, held as gTieni and gTieniSu say, until it is held
// (fermo) or has ended (salvato: what `fai` said); avanti() lets it go on to the next of these.
struct Figlio {
    int tenuto[2], via[2], stato = -1;
    pid_t pid = pipe(tenuto) + pipe(via) ? -1 : fork();
    bool fermo = true, salvato = false;
    Figlio(int tieni, const QStringList& su, const std::function<bool()>& fai)
    {
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);   // not left held should the test fail
            std::tie(gTieni, gTieniSu, gTenuto, gVia, gPassi) = std::tuple(tieni, su, tenuto[1], via[0], 0);
            platform::PassoFileHook = passoProva;
            _exit(fai() ? 0 : 1);
        }
        ::close(tenuto[1]), ::close(via[0]);
        avanti(false);
    }
    void avanti(bool lascia = true)
    {
        if (char c = 0; (fermo = (!lascia || write(via[1], &c, 1) == 1) && read(tenuto[0], &c, 1) == 1))
            return;
        salvato = waitpid(pid, &stato, 0) == pid && WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
        ::close(tenuto[0]), ::close(via[1]);
    }
};

} // namespace

class TestFileProgetto : public QObject {
    Q_OBJECT
private:
    test::Banco banco_;
    test::Banco* d = &banco_;
    test::FakeFinestre host;
    QTemporaryDir dir;
    QString base() const { return dir.path() + QStringLiteral("/impianto"); }

private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Tutti);
        d->dialogs.predefinita = platform::MsgResult::No;
        host = test::FakeFinestre{};
        host.titolo = QStringLiteral("Ludra");
        setHostFinestre(&host);
        ImpostaLingua(kInglese);
        ImpostaStatoIniziale();
        InitProgetto();
        RicodificaRungHook = nullptr;
    }
    void cleanup()
    {
        RicodificaRungHook = nullptr;
        setHostFinestre(nullptr);
        banco_.chiudi();
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }

    void numberForms();
    void goldenPrj();
    void goldenLstPtbDsp();
    void emptyTables();
    void roundTrip();
    void textsWithCommasAndAccents();
    void readerRefuses_data();
    void readerRefuses();
    void missingSideFilesReadEmpty();
    void missingPrjKeepsProject();
    void writeErrorKeepsOldFiles_data();
    void writeErrorKeepsOldFiles();
    void strangeFolderLosesNothing_data();
    void strangeFolderLosesNothing();
    void saveAsBesideOtherFiles_data();
    void saveAsBesideOtherFiles();
    void saveCancelledWritesNothing();
    void caseOfEndings();
    void baseName_data();
    void baseName();
    void newClearsFileName();
    void openCancelledKeepsProject();
    void openAsksToSaveOnlyAfterChoosing();
    void saveFailedKeepsProjectOpen();
    void blankLinesStayBlank();
    void staleRecordsDoNotComeBack();
    void openLeavesNothingToRestore();
    void lineThatFailsToRebuildIsKept();
    void listing();
    void listingWriteError();
    void closePrompt();
};

void TestFileProgetto::numberForms()
{
    ScrittoreRighe w;
    w.intero(5);
    w.intero(-3);
    w.intero(0);
    w.valore(12.5);
    w.valore(-0.25);
    w.valore(0);
    w.doppio(100);
    w.doppio(-0.5);
    w.booleano(true);
    w.testo(QStringLiteral("a\r\nb"));
    QCOMPARE(w.byte(), crlf({" 5 ", "-3 ", " 0 ", " 12.5", "-.25", " 0", " 100 ", "-.5 ",
                             " 1 ", "a  b"}));
    LettoreRighe l(w.byte() + "1E+20\r\n", QStringLiteral("x"));
    QCOMPARE(l.intero(-10, 10), 5L);
    QCOMPARE(l.intero(-10, 10), -3L);
    QCOMPARE(l.intero(0, 0), 0L);
    QCOMPARE(l.reale(), 12.5);
    QCOMPARE(l.reale(), -0.25);
    QCOMPARE(l.reale(), 0.0);
    QCOMPARE(l.reale(), 100.0);
    QCOMPARE(l.reale(), -0.5);
    QVERIFY(l.booleano());
    QCOMPARE(l.testo(), QStringLiteral("a  b"));
    QCOMPARE(l.reale(), 1e20);
    QVERIFY(l.ok());
    l.testo();
    QVERIFY(!l.ok());
}

void TestFileProgetto::goldenPrj()
{
    Rung r = riga("Pump", "", 3, 4);
    r.SubOp = 7;
    r.ArgTesto[0] = QStringLiteral("%R30");
    r.ArgByte[0] = 30;
    r.ArgByte[31] = 255;
    ContenutoProgetto c;
    c.righe = {r};
    QStringList attese = {" 1 ", "Pump", "", " 3 ", " 7 ", " 4 ", "%R30", " 30 ", " 0 ", " 0 ",
                          " 0 "};
    for (int k = 1; k < 8; ++k) {
        attese << "" << " 0 " << " 0 " << " 0 " << (k == 7 ? " 255 " : " 0 ");
    }
    QCOMPARE(TestoPrj(c), crlf(attese));
}

void TestFileProgetto::goldenLstPtbDsp()
{
    ContenutoProgetto c = ContenutoCorrente();
    c.nomi[26] = QStringLiteral("Level");
    c.formati[26] = 4;
    const QByteArray lst = TestoLst(c);
    QCOMPARE(lst.count("\r\n"), 2 * 1025);
    QVERIFY(lst.startsWith(crlf({"--Reserved--", " 0 ", "Firmware[0]", " 7 "})));
    QVERIFY(lst.contains(crlf({"Level", " 4 "})));

    c.numTabelle = 1;
    c.tabelle[0].Nome = QStringLiteral("PT100");
    c.tabelle[0].NumPunti = 2;
    c.tabelle[0].Ingresso[0] = 0;
    c.tabelle[0].Ingresso[1] = 12.5;
    c.tabelle[0].Uscita[0] = -0.25;
    c.tabelle[0].Uscita[1] = 1e20;
    QCOMPARE(TestoPtb(c), crlf({" 1 ", "PT100", " 2 ", " 0", " 12.5", "-.25", " 1E+20"}));

    c.pagine = ListaPagine{};
    c.pagine.NumPagine = 1;
    c.pagine.Pagine[0].NumOggetti = 1;
    OggettoDisplay& o = c.pagine.Pagine[0].Oggetti[1];
    o.Codice = 2;
    o.PosX = 10;
    o.Testo[0] = QStringLiteral("Temp");
    o.Registro = 30;
    o.Max = 100;
    o.Min = -0.5;
    o.Negato = true;
    QCOMPARE(TestoDsp(c), crlf({" 1 ", " 1 ", " 2 ", " 10 ", " 0 ", " 0 ", " 0 ", " 0 ", "Temp",
                                "", " 30 ", " 0 ", " 0 ", " 100 ", "-.5 ", " 0 ", " 0 ", " 1 ",
                                " 0 ", " 0 ", " 0 "}));
    // Values the panel would refuse are read within its ranges, with notes for the Log.
    o.Bit = 16;
    (c.pagine.Pagine[0].Oggetti[++c.pagine.Pagine[0].NumOggetti] = OggettoNuovo(4)).Max = 1e39;
    QString errore;
    QVERIFY(LeggiDsp(TestoDsp(c), c, errore));
    QCOMPARE(c.note, (QStringList{".dsp, page 1, object [1] Temp: Bit 16 is out of range, read as 15",
                                  ".dsp, page 1, object [2] ProgBar: Max 1E+39 is out of range, read "
                                  "as 3.40282346638528E+38"}));
}

void TestFileProgetto::emptyTables()
{
    ContenutoProgetto c;
    QCOMPARE(TestoPtb(c), crlf({" 0 "}));
    ContenutoProgetto letto;
    letto.numTabelle = 4;
    QString errore;
    QVERIFY(LeggiPtb(TestoPtb(c), letto, errore));
    QCOMPARE(int(letto.numTabelle), 0);
}

void TestFileProgetto::roundTrip()
{
    std::vector<Rung> righe;
    for (int i = 1; i <= 100; ++i) {
        Rung r = riga(i % 7 ? "Step" : "<...>", i % 5 ? "" : "L", i % 3 ? 3 : 0, i % 3 ? 4 : 0);
        if (r.Classe)
            r.ArgByte[std::size_t(i % 32)] = std::uint8_t(i);
        r.ArgTesto[1] = QStringLiteral("%R") + QString::number(i);
        r.Break = i % 11 == 0;
        righe.push_back(r);
    }
    linee(righe);
    TabellaRegistri[27].Nome = QStringLiteral("Speed");
    TabellaRegistri[27].Formato = 3;
    TabellaRegistri[10].Nome = QStringLiteral("not kept");
    NumTabelle = 9;
    for (int t = 0; t < 9; ++t) {
        Tabelle[std::size_t(t)].Nome = QStringLiteral("T%1").arg(t);
        Tabelle[std::size_t(t)].NumPunti = std::uint8_t(2 + t);
        for (int p = 0; p < 2 + t; ++p) {
            Tabelle[std::size_t(t)].Ingresso[std::size_t(p)] = p * 1.5;
            Tabelle[std::size_t(t)].Uscita[std::size_t(p)] = -p * 0.25 - t * 100.125;
        }
    }
    PagineDisplay.NumPagine = 3;
    PagineDisplay.Pagine[2].NumOggetti = 2;
    PagineDisplay.Pagine[2].Oggetti[2].Testo[1] = QStringLiteral("x");
    PagineDisplay.Pagine[2].Oggetti[2].Direzione = true;
    const ContenutoProgetto prima = ContenutoCorrente();
    const auto tabellePrima = Tabelle;

    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    QVERIFY(SalvaProgetto(true));
    QCOMPARE(FileProgetto, base() + QStringLiteral(".prj"));
    QCOMPARE(host.titolo, base());

    // Something else in between, then open the saved project again.
    linee({riga("other", "", 3, 5)});
    NumTabelle = 0;
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(int(Sezioni[0].NumRung), 100);
    for (int i = 1; i <= 100; ++i) {
        Rung atteso = prima.righe[std::size_t(i - 1)];
        atteso.Caricato = true;
        atteso.Break = false;   // breakpoints are not kept in the file
        QCOMPARE(Sezioni[0].Rung[std::size_t(i)], atteso);
        QCOMPARE(Riga(0, i).txt_desc, atteso.Descrizione);
    }
    QCOMPARE(TabellaRegistri[27].Nome, QStringLiteral("Speed"));
    QCOMPARE(int(TabellaRegistri[27].Formato), 3);
    QCOMPARE(int(NumTabelle), 9);
    for (int t = 0; t < 9; ++t) {
        QCOMPARE(Tabelle[std::size_t(t)].Nome, tabellePrima[std::size_t(t)].Nome);
        QCOMPARE(Tabelle[std::size_t(t)].Ingresso, tabellePrima[std::size_t(t)].Ingresso);
        QCOMPARE(Tabelle[std::size_t(t)].Uscita, tabellePrima[std::size_t(t)].Uscita);
    }
    QVERIFY(Tabelle[0].Blocco1 != 0);   // placed again
    QCOMPARE(int(PagineDisplay.NumPagine), 3);
    QCOMPARE(PagineDisplay.Pagine[2].Oggetti[2].Testo[1], QStringLiteral("x"));
    QVERIFY(PagineDisplay.Pagine[2].Oggetti[2].Direzione);
    QCOMPARE(int(RungCorrente), 100);
    QCOMPARE(FileProgetto, base() + QStringLiteral(".prj"));
    // Saving again gives the same bytes.
    const QByteArray prj = leggi(base() + QStringLiteral(".prj"));
    QVERIFY(SalvaProgetto(false));
    QCOMPARE(leggi(base() + QStringLiteral(".prj")), prj);
}

void TestFileProgetto::textsWithCommasAndAccents()
{
    linee({riga("Pompa, vasca è già", "A,B", 3, 4)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    QVERIFY(leggi(base() + QStringLiteral(".prj")).contains("Pompa, vasca \xE8 gi\xE0\r\n"));
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QString::fromUtf8("Pompa, vasca è già"));
    QCOMPARE(Sezioni[0].Rung[1].Etichetta, QStringLiteral("A,B"));
}

void TestFileProgetto::readerRefuses_data()
{
    QTest::addColumn<QString>("estensione");
    QTest::addColumn<QByteArray>("dati");
    QTest::newRow("prj empty") << ".prj" << QByteArray();
    QTest::newRow("prj 101 lines") << ".prj" << crlf({" 101 "});
    QTest::newRow("prj negative count") << ".prj" << crlf({"-1 "});
    QTest::newRow("prj truncated") << ".prj" << crlf({" 1 ", "desc", "", " 3 "});
    QTest::newRow("prj class 9") << ".prj" << crlf({" 1 ", "d", "", " 9 "});
    QTest::newRow("prj byte 300") << ".prj"
                                  << crlf({" 1 ", "d", "", " 3 ", " 0 ", " 4 ", "", " 300 "});
    QTest::newRow("prj text for number") << ".prj" << crlf({"many"});
    QTest::newRow("prj fraction") << ".prj" << crlf({" 1.5 "});
    QTest::newRow("lst type 11") << ".lst" << crlf({"a", " 11 "});
    QTest::newRow("lst short") << ".lst" << crlf({"a", " 1 "});
    QTest::newRow("ptb 10 tables") << ".ptb" << crlf({" 10 "});
    QTest::newRow("ptb 1 point") << ".ptb" << crlf({" 1 ", "T", " 1 ", " 0", " 0"});
    QTest::newRow("ptb 33 points") << ".ptb" << crlf({" 1 ", "T", " 33 "});
    QTest::newRow("ptb missing values") << ".ptb" << crlf({" 1 ", "T", " 2 ", " 0"});
    QTest::newRow("ptb not a number") << ".ptb" << crlf({" 1 ", "T", " 2 ", "x", "1", "2", "3"});
    QTest::newRow("dsp 10 pages") << ".dsp" << crlf({" 10 "});
    QTest::newRow("dsp 0 pages") << ".dsp" << crlf({" 0 "});
    QTest::newRow("dsp 33 objects") << ".dsp" << crlf({" 1 ", " 33 "});
    QTest::newRow("dsp truncated object") << ".dsp" << crlf({" 1 ", " 1 ", " 2 "});
    QTest::newRow("prj oversized") << ".prj" << QByteArray(17 * 1024 * 1024, '1');
}

void TestFileProgetto::readerRefuses()
{
    QFETCH(QString, estensione);
    QFETCH(QByteArray, dati);
    // A good project on disk, then one of its files broken.
    linee({riga("keep", "", 3, 4)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    scrivi(base() + estensione, dati);
    linee({riga("current", "K", 3, 5)});
    NumTabelle = 1;
    Tabelle[0].Nome = QStringLiteral("mine");
    const auto primaRighe = Sezioni[0];
    d->dialogs.messaggi.clear();
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(d->dialogs.messaggi.size(), std::size_t(2));   // the save question first
    QVERIFY(d->dialogs.messaggi[1].testo.startsWith(QStringLiteral("The project cannot be opened.")));
    QVERIFY(d->dialogs.messaggi[1].testo.contains(estensione == ".prj" && dati.size() > 1000000
                                                      ? QStringLiteral("too large")
                                                      : estensione));
    QCOMPARE(Sezioni[0].NumRung, primaRighe.NumRung);
    QCOMPARE(Sezioni[0].Rung[1], primaRighe.Rung[1]);
    QCOMPARE(Tabelle[0].Nome, QStringLiteral("mine"));
}

void TestFileProgetto::missingSideFilesReadEmpty()
{
    scrivi(base() + QStringLiteral(".prj"), crlf({" 0 "}));
    NumTabelle = 2;
    TabellaRegistri[30].Nome = QStringLiteral("old");
    TabellaRegistri[30].Formato = 7;
    PagineDisplay.NumPagine = 4;
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QVERIFY(d->dialogs.messaggi.size() <= 1);   // only the save question
    QCOMPARE(int(Sezioni[0].NumRung), 0);
    QCOMPARE(int(RungCorrente), 0);
    QCOMPARE(int(NumTabelle), 0);
    QVERIFY(TabellaRegistri[30].Nome.isEmpty());
    QCOMPARE(int(TabellaRegistri[30].Formato), 1);
    QCOMPARE(int(PagineDisplay.NumPagine), 1);
    QVERIFY(LogModello::istanza().righe().contains(
        "  " + base() + ".dsp: the file does not exist, read as empty"));
}

void TestFileProgetto::missingPrjKeepsProject()
{
    linee({riga("mine", "", 3, 4)});
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("mine"));
    QVERIFY(d->dialogs.messaggi.back().testo.contains(QStringLiteral("does not exist")));
    // A named pipe beside it is refused by name, not waited on.
    QFile prj(base() + QStringLiteral(".prj"));
    QVERIFY(prj.open(QIODevice::WriteOnly) && prj.write(" 0 \r\n") == 5);
    prj.close();
    QCOMPARE(::mkfifo(qPrintable(base() + QStringLiteral(".lst")), 0600), 0);
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("mine"));
    QVERIFY(d->dialogs.messaggi.back().testo.contains(QStringLiteral(".lst: not a regular file")));
}

void TestFileProgetto::writeErrorKeepsOldFiles_data()
{
    QTest::addColumn<QString>("guasto");
    QTest::newRow("dsp is a directory") << "cartella";   // it cannot be replaced
    QTest::newRow("disk full") << "disco";                // while the listing is written
    QTest::newRow("lst is a named pipe") << "pipe";       // it cannot be kept, nor waited on
    QTest::newRow("prj of 16 GiB") << "grande";   // no fault: more than memory can hold
    QTest::newRow("ptb held in place") << "fisso";   // a mount point: not linked nor replaced
    // Stopped at each step that changes the disk, the next open completes or undoes it.
    QTest::newRow("killed at each step") << "ucciso";
    QTest::newRow("killed, no hard links") << "senza link";
    QTest::newRow("failing at each step") << "passo";
    QTest::newRow("failing, a new .lst") << "passo, lst nuovo";   // put back by removing it
    QTest::newRow("failing, a private project") << "passo, privato";   // never readable by others
    QTest::newRow("killed, beside impianto.PRJ") << "gemello";   // which each open leaves whole
    // Another process that opens or saves at each step of a save waits for its end.
    QTest::newRow("opened while a save is held") << "aperto";
    QTest::newRow("saved while a save is held") << "salvato";
    QTest::newRow("failing put-back, then opened") << "rimessa";
    QTest::newRow("opened while a save is held, no lock") << "aperto, senza blocco";
    // No lock: a save held after its commit, the open finishing it held before it removes ~old or not; at random.
    QTest::newRow("finished by a held open, no lock") << "corsa, tenuta";
    QTest::newRow("finished by an open, no lock") << "corsa";
    QTest::newRow("a save and an open at random steps, no lock") << "corsa a caso";
    // Killed at each step, then the folder changed before it is opened.
    QTest::newRow("killed, the folder moved") << "poi spostata";
    QTest::newRow("killed, opened through a link") << "poi link";
    QTest::newRow("killed, the .lst linked to a sibling, opened above") << "poi fratello";
    QTest::newRow("killed, every file renumbered") << "poi rinumerati";
    QTest::newRow("killed, the .dsp changed in place") << "poi cambiato";
    QTest::newRow("killed, ~new files cut short") << "poi corti";
    QTest::newRow("killed, opened read-only") << "poi sola lettura";
    QTest::newRow("killed, the .prj shown in capitals") << "poi maiuscole";
    QTest::newRow("killed, the .lst gone as its rename began") << "poi perso";
    QTest::newRow("killed at random, a change, another open") << "a caso";
    QTest::newRow("a folder a group shares") << "gruppo";
    QTest::newRow("another user's file, a sticky folder") << "sticky";
}

void TestFileProgetto::writeErrorKeepsOldFiles()
{
    QFETCH(QString, guasto);
    linee({riga("first", "", 3, 4)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    const QStringList nomi = {base() + QStringLiteral(".prj"), base() + QStringLiteral(".lst"),
                              base() + QStringLiteral(".ptb"), base() + QStringLiteral(".dsp")};
    QList<QByteArray> vecchi;
    for (const QString& nome : nomi)
        vecchi << leggi(nome);
    if (guasto == QStringLiteral("cartella")) {
        QFile::remove(nomi[3]);
        QVERIFY(QDir().mkpath(nomi[3]));
        vecchi[3].clear();
    } else if (guasto == QStringLiteral("pipe")) {
        QFile::remove(nomi[1]);
        QCOMPARE(::mkfifo(qPrintable(nomi[1]), 0600), 0);
        vecchi[1].clear();
    }
    linee({riga("second", "", 3, 4)});
    FileProgetto = nomi[0];
    if (guasto == QStringLiteral("grande")) {
        // Saved in a child process with 3 GB of address space beyond what it holds.
        QFile(nomi[0]).resize(qint64(16) << 30);
        const pid_t figlio = fork();
        if (figlio == 0) {
            rlim_t pagine = 0;
            std::ifstream("/proc/self/statm") >> pagine;
            const rlim_t spazio = pagine * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(3) << 30);
            const rlimit limite{spazio, spazio};
            setrlimit(RLIMIT_AS, &limite);
            _exit(SalvaProgetto(false) ? 0 : 1);
        }
        int stato = -1;
        QVERIFY(waitpid(figlio, &stato, 0) == figlio && stato == 0);   // saved, and alive
        QVERIFY(leggi(nomi[0]).contains("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 5);   // none left aside, the lock
        return;
    }
    if (guasto == QStringLiteral("rimessa")) {
        // Renames onto the .lst fail, and onto the .prj after the first: the put-back too.
        platform::PassoFileHook = [](const char* passo, const QString& nome) {
            return std::strcmp(passo, "rename") ? 0 : nome.endsWith(".lst") ? EPERM
                   : nome.endsWith(".prj") && ++gPassi > 1                  ? EIO : 0;
        };
        gPassi = 0;
        TabellaRegistri[30].Nome = QStringLiteral("second");   // a .lst of its own to rename
        QVERIFY(!SalvaProgetto(false));
        linee({riga("third", "", 3, 4)});
        d->dialogs.fileScelti.push_back(nomi[0]);
        ApriProgetto();   // the put-back fails again: the old project read whole, and said
        const QString avviso = d->dialogs.messaggi.back().testo;
        QVERIFY2(avviso.contains(nomi[0] + "~undoing: left") && avviso.contains(nomi[0] + ": ")
                     && avviso.contains(nomi[0] + " from " + nomi[0] + "~old"),
                 qPrintable(avviso));
        QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("first"));
        platform::PassoFileHook = nullptr;
        QVERIFY(SalvaProgetto(false));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 5);
        return;
    }
    if (guasto.startsWith(QStringLiteral("aperto")) || guasto == QStringLiteral("salvato")) {
        // Without a lock (its name taken by a folder) an open may finish the held save.
        const bool senza = guasto.endsWith(QStringLiteral("senza blocco"));
        QVERIFY(!senza || (QFile::remove(nomi[0] + "~lock") && QDir().mkdir(nomi[0] + "~lock")));
        const auto testo = [](const char* riga) {
            Sezioni[0].Rung[1].Descrizione = QString::fromLatin1(riga);
            return TestoPrj(ContenutoCorrente());
        };
        const QByteArray terzo = testo("third"), nuovo = testo("second");
        for (gTieni = 1;; ++gTieni) {
            scrivi(nomi[0], vecchi[0]);
            LogModello::istanza().svuota();
            int tenuto[2], via[2], stato = -1;
            QVERIFY(pipe(tenuto) == 0 && pipe(via) == 0);
            std::tie(gTenuto, gVia) = std::tuple(tenuto[1], via[0]);
            const pid_t figlio = fork();
            if (figlio == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);   // not left held should this test fail
                std::tie(gUccidi, gFalla, gPassi) = std::tuple(0, 0, 0);
                platform::PassoFileHook = passoProva;
                _exit(SalvaProgetto(false) ? 0 : 1);
            }
            ::close(tenuto[1]);
            char c1 = 0;
            const bool fermo = read(tenuto[0], &c1, 1) == 1;
            d->waiter.duranteAttesa = [&] {
                QString e;   // inside another wait, no wait
                QVERIFY(!LeggiFileProgetto(nomi[0], e) && e.contains("try again"));
                QVERIFY(BarraStato::istanza().pannello(5).startsWith("Waiting up to 30 s"));
                (void)!write(via[1], &c1, 1);
                waitpid(figlio, &stato, 0);
            };
            QString errore;
            if (guasto.startsWith(QStringLiteral("aperto"))) {
                const auto letto = LeggiFileProgetto(nomi[0], errore);
                QVERIFY2(letto && (TestoPrj(*letto) == nuovo || (senza && TestoPrj(*letto) == vecchi[0])),
                         qPrintable(errore));
            } else {
                testo("third");
                QVERIFY(SalvaProgetto(false));
            }
            d->waiter.duranteAttesa = {};
            (void)!write(via[1], &c1, 1);
            for (int fd : {tenuto[0], via[0], via[1]})
                ::close(fd);
            waitpid(figlio, &stato, 0);
            // The held save went through, or says what the open left on the disk.
            QVERIFY(WIFEXITED(stato) && (WEXITSTATUS(stato) == 0) == (!senza || leggi(nomi[0]) == nuovo));
            QCOMPARE(leggi(nomi[0]), guasto == QStringLiteral("salvato") ? terzo
                                     : senza && WEXITSTATUS(stato) ? vecchi[0] : nuovo);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), senza ? 4 : 5);
            if (!fermo)
                break;
            QVERIFY(senza || LogModello::istanza().righe().join(' ').contains("Waiting up to 30 s for another"));
            QVERIFY(BarraStato::istanza().pannello(5).isEmpty());
            testo("second");
        }
        gTieni = 0;
        return;
    }
    // All four files differ from the old ones.
    const auto diversi = [] {
        TabellaRegistri[30].Nome = QStringLiteral("second");
        NumTabelle = 1;
        Tabelle[0].NumPunti = 2;
        PagineDisplay.NumPagine = 3;
        const QByteArray mio = TestoDsp(ContenutoCorrente());   // the user's own .dsp
        PagineDisplay.NumPagine = 2;
        const ContenutoProgetto c = ContenutoCorrente();
        return QList<QByteArray>{TestoPrj(c), TestoLst(c), TestoPtb(c), TestoDsp(c), mio};
    };
    if (guasto.startsWith(QStringLiteral("corsa"))) {
        const QList<QByteArray> nuovi = diversi().first(4);
        const quint32 seme = guasto.endsWith("caso") ? QRandomGenerator::global()->generate() | 1 : 0;
        QRandomGenerator caso(seme);
        // As told, the save held once committed, then where its way back (if any) puts the .lst back, and the
        // two go on in turns; at random, the open starts after 18 to 39 steps of the save (from its side files on).
        for (int giro = 0; giro < (seme ? 40 : 1); ++giro) {
            QVERIFY(QDir(dir.path()).removeRecursively() && QDir().mkpath(nomi[0] + "~lock"));   // no lock
            for (int i = 0; i < 4; ++i)
                scrivi(nomi[i], vecchi[i]);
            Figlio s(seme ? -1 : 0, seme ? QStringList() : QStringList{"=rename " + nomi[0], "-rename " + nomi[0], "=rename " + nomi[1]},
                     [] { return SalvaProgetto(false); });
            for (int i = seme ? int(caso.bounded(18, 40)) : 0; i > 0 && s.fermo; --i)
                s.avanti();
            Figlio o(seme ? -1 : 0, seme || guasto == "corsa" ? QStringList() : QStringList{"=unlink " + nomi[0] + "~old"},
                     [&] { QString e; return bool(LeggiFileProgetto(nomi[0], e)); });
            for (bool turno = true; s.fermo || o.fermo; turno = !turno)
                (!o.fermo || (s.fermo && (seme ? caso.bounded(2) : turno)) ? s : o).avanti();
            const QList<QByteArray> suDisco = {leggi(nomi[0]), leggi(nomi[1]), leggi(nomi[2]), leggi(nomi[3])};
            QVERIFY2((suDisco == vecchi || suDisco == nuovi) && s.salvato == (suDisco == nuovi),
                     qPrintable(QStringLiteral("seed %1, round %2: %3").arg(seme).arg(giro).arg(s.salvato ? "saved" : "not saved")
                                + (suDisco == vecchi ? ", the old files" : suDisco == nuovi ? ", its files" : ", the files mixed")));
        }
        return;
    }
    if (guasto.startsWith(QStringLiteral("poi ")) || guasto == QStringLiteral("a caso")) {
        const QList<QByteArray> nuovi = diversi();
        const quint32 seme = guasto == QStringLiteral("a caso") ? QRandomGenerator::global()->generate() | 1 : 0;
        QRandomGenerator caso(seme);
        const QStringList cambi = {"spostata", "link", "rinumerati", "cambiato", "corti", "sola lettura", ""};
        const QString altrove = dir.path() + QStringLiteral("~altrove");
        for (int fermo = 1; fermo < (seme ? 16 : 1000); ++fermo) {
            const int k = seme ? int(caso.bounded(1, 45)) : fermo;
            const QString cambio = seme ? cambi[caso.bounded(int(cambi.size()))] : guasto.mid(4);
            const QString quando = QStringLiteral("seed %1: killed at step %2, then %3: ").arg(seme).arg(k).arg(cambio);
            for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
                QFile::remove(dir.filePath(f));
            for (int i = 0; i < 4; ++i)
                scrivi(nomi[i], vecchi[i]);
            QVERIFY(cambio != "link" || (QDir().mkpath(dir.filePath("l")) && !::rename(qPrintable(nomi[1]), qPrintable(dir.filePath("l/l")))
                                         && QFile::link("l/l", nomi[1])));   // the .lst a link to a folder below
            const QString fratello = dir.path() + "~fratello/";   // the .lst a relative link into a sibling
            QVERIFY(cambio != "fratello" || (QDir().mkpath(fratello) && !::rename(qPrintable(nomi[1]), qPrintable(fratello + "l"))
                                             && QFile::link("../" + QDir(fratello).dirName() + "/l", nomi[1])));
            const bool finito = finisce(0, k, [] { SalvaProgetto(false); });
            QString prj = nomi[0];
            for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
                QFile file(dir.filePath(f));
                if (cambio == QStringLiteral("rinumerati"))   // as a FAT file system's remount
                    QVERIFY(QFile::copy(file.fileName(), file.fileName() + "+")
                            && ::rename(qPrintable(file.fileName() + "+"), qPrintable(file.fileName())) == 0);
                else if (cambio == QStringLiteral("corti") && f.endsWith(QStringLiteral("~new")))
                    QVERIFY(file.resize(file.size() / 2));
                else if (cambio == QStringLiteral("perso") && f == "impianto.lst~new" && QFile::exists(nomi[0] + "~saving"))
                    QVERIFY(QFile::remove(nomi[1]));   // as a rename on a stick that removes the old name first
                else if (cambio == QStringLiteral("maiuscole") && f.startsWith("impianto.prj"))   // as a FAT stick may show it
                    QVERIFY(file.rename(dir.filePath("IMPIANTO.PRJ" + f.mid(12))) && (prj = dir.filePath("IMPIANTO.PRJ"), true));
            }
            if (cambio == QStringLiteral("cambiato"))
                scrivi(nomi[3], nuovi[4]);   // in place: the same inode
            if (cambio == QStringLiteral("spostata") || cambio == QStringLiteral("link")) {
                QVERIFY(cambio == QStringLiteral("link") ? QFile::link(dir.path(), altrove)
                                                         : QDir().rename(dir.path(), altrove));
                prj = altrove + QStringLiteral("//impianto.prj");   // another spelling too
            }
            if (cambio == QStringLiteral("fratello"))   // the folder above both reached anew
                QVERIFY(QFile::link(QFileInfo(dir.path()).path(), altrove)
                        && (prj = altrove + "/" + QDir(dir.path()).dirName() + "/impianto.prj", true));
            if (seme && caso.bounded(2))   // another process opens it, killed at a step or not
                finisce(0, int(caso.bounded(1, 12)), [&] { QString e; LeggiFileProgetto(prj, e); });
            if (cambio == QStringLiteral("sola lettura"))
                platform::PassoFileHook = [](const char*, const QString&) { return EROFS; };
            QString errore, avviso;
            const auto letto = LeggiFileProgetto(prj, errore, nullptr, &avviso);
            platform::PassoFileHook = nullptr;
            QVERIFY(cambio != QStringLiteral("spostata") || QDir().rename(altrove, dir.path()));
            for (const QString& f : QDir(dir.path()).entryList({"IMPIANTO.PRJ*"}, QDir::Files | QDir::Hidden | QDir::CaseSensitive))
                QVERIFY(QFile::rename(dir.filePath(f), nomi[0] + f.mid(12)));
            QFile::remove(altrove);
            QVERIFY2(letto, qPrintable(quando + errore));
            QList<QByteArray> testi = {TestoPrj(*letto), TestoLst(*letto), TestoPtb(*letto), TestoDsp(*letto)};
            QList<QByteArray> suDisco;
            for (const QString& nome : nomi)
                suDisco << leggi(nome);
            // The user's bytes kept and read; the rest whole, old or new.
            const qsizetype tutti = cambio == QStringLiteral("cambiato") ? 3 : 4;
            QVERIFY2(tutti == 4 || (suDisco[3] == nuovi[4] && testi[3] == nuovi[4]), qPrintable(quando));
            if (cambio != QStringLiteral("sola lettura"))
                QVERIFY2(testi == suDisco, qPrintable(quando + avviso));
            QVERIFY2(testi.first(tutti) == vecchi.first(tutti) || testi.first(tutti) == nuovi.first(tutti),
                     qPrintable(quando + avviso));
            QVERIFY2(suDisco.first(tutti) == vecchi.first(tutti) || suDisco.first(tutti) == nuovi.first(tutti)
                         || cambio == QStringLiteral("sola lettura"),
                     qPrintable(quando + avviso));
            // The next save leaves the four files and the lock.
            QVERIFY(SalvaProgetto(false));
            QVERIFY2(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 5,
                     qPrintable(quando + QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ')));
            if (finito && !seme)
                break;
        }
        QDir(dir.path() + "~fratello").removeRecursively();
        return;
    }
    if (guasto == QStringLiteral("gruppo")) {
        // Another group of the user's, shared with others; root hands the files to any.
        gid_t gruppi[64] = {}, gruppo = geteuid() == 0 ? 4242 : 0;
        for (int i = getgroups(64, gruppi) - 1; i >= 0 && !gruppo; --i)
            gruppo = gruppi[i] != getegid() ? gruppi[i] : 0;
        if (!gruppo)
            QSKIP("no group to share the files with");
        for (const QString& f : nomi)
            QVERIFY(::chown(qPrintable(f), uid_t(-1), gruppo) == 0 && ::chmod(qPrintable(f), 0664) == 0);
        // The lock is held on a descriptor open for writing, as a lock over NFS needs.
        platform::PassoFileHook = [](const char*, const QString&) {
            for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
                if (QFile info("/proc/self/fdinfo/" + fd.fileName());
                    fd.symLinkTarget().endsWith("~lock") && info.open(QIODevice::ReadOnly))
                    gScrittura = (info.readAll().split('\n')[1].mid(6).trimmed().toInt(nullptr, 8)
                                  & O_ACCMODE) == O_RDWR;   // "flags:" follows "pos:"
            return 0;
        };
        QVERIFY(QFile::remove(nomi[0] + "~lock") && SalvaProgetto(false));   // the lock made anew
        platform::PassoFileHook = nullptr;
        QVERIFY(std::exchange(gScrittura, false));
        for (const QString& f : nomi + QStringList{nomi[0] + "~lock"}) {
            struct stat st {};
            QVERIFY(::stat(qPrintable(f), &st) == 0 && st.st_gid == gruppo && (st.st_mode & 0777) == 0664);
        }
        return;
    }
    if (guasto == QStringLiteral("sticky")) {
        if (geteuid() != 0)
            QSKIP("acting as another user needs root");
        QVERIFY(::chmod(qPrintable(dir.path()), 01777) == 0);
        for (const QString& f : nomi)
            QVERIFY(::chmod(qPrintable(f), 0666) == 0);
        const QStringList prima = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        const pid_t figlio = fork();
        if (figlio == 0) {
            QString errore;
            const bool fatto = setgid(65534) == 0 && setuid(65534) == 0
                               && !ScriviFileProgetto(nomi[0], ContenutoCorrente(), errore);
            _exit(fatto && errore.startsWith(nomi[0]) && errore.contains("sticky") ? 0 : 1);
        }
        int stato = -1;
        QVERIFY(waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), prima);   // refused first
        QVERIFY(::chmod(qPrintable(dir.path()), 0700) == 0);
        return;
    }
    if (QStringList{"ucciso", "senza link", "passo", "passo, lst nuovo", "passo, privato", "gemello"}
            .contains(guasto)) {
        QList<QByteArray> nuovi = diversi();
        nuovi.removeLast();
        gErrore = guasto.startsWith(QStringLiteral("passo")) ? EIO : 0;
        gSenzaLink = guasto == QStringLiteral("senza link");
        const int altri = guasto == QStringLiteral("gemello") ? 6 : 1;   // its lock; the other's files
        if (altri > 1) {
            QString errore;
            QVERIFY(ScriviFileProgetto(base() + QStringLiteral(".PRJ"), ContenutoCorrente(), errore));
        }
        if (guasto == QStringLiteral("passo, privato"))
            for (const QString& f : QDir(gPrivata = dir.path()).entryList(QDir::Files))
                QFile::setPermissions(dir.filePath(f), QFile::ReadOwner | QFile::WriteOwner);
        if (guasto == QStringLiteral("passo, lst nuovo")) {
            QFile::remove(nomi[1]);
            vecchi[1] = leggi(nomi[1]);
        }
        const auto apri = [&](const QString& quando) {
            for (int i = 0; altri > 1 && i < 4; ++i) {
                QString errore;
                QVERIFY(i > 0 || LeggiFileProgetto(nomi[0].chopped(3) + "PRJ", errore));
                QVERIFY2(leggi(nomi[i].chopped(3) + nomi[i].right(3).toUpper()) == nuovi[i],
                         qPrintable(quando));
            }
            const qsizetype prima = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size();
            QString errore;
            QStringList note;   // what it finished or removed, and each file missing
            const auto letto = LeggiFileProgetto(nomi[0], errore, &note);
            QList<QByteArray> suDisco;
            for (const QString& nome : nomi)
                suDisco << leggi(nome);
            const qsizetype presenti = 4 - suDisco.count("<missing>");
            QVERIFY2(letto && (prima == presenti + altri) == (note.size() == 4 - presenti),
                     qPrintable(quando + errore + note.join(' ')));
            const QList<QByteArray> testi = {TestoPrj(*letto), TestoLst(*letto),
                                             TestoPtb(*letto), TestoDsp(*letto)};
            for (int i = 0; i < 4; ++i)
                QVERIFY2(testi[i] == suDisco[i] || suDisco[i] == "<missing>", qPrintable(quando));
            QVERIFY2(suDisco == vecchi || suDisco == nuovi, qPrintable(quando));
            QVERIFY2(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == presenti + altri,
                     qPrintable(quando + QDir(dir.path()).entryList().join(' ')));
        };
        bool finito = false;
        for (int fermo = 1; !finito; ++fermo) {
            // Then killed at each step (0: not) of the open, or of a failed save's put-back.
            for (int dopo = 0;; ++dopo) {
                for (int i = 0; i < nomi.size(); ++i)
                    vecchi[i] == "<missing>" ? (void)QFile::remove(nomi[i]) : scrivi(nomi[i], vecchi[i]);
                bool salvato = false, fine = true, ancora = false;
                const auto salva = [&] { salvato = SalvaProgetto(false); };
                if (!gErrore) {
                    finito = finisce(0, fermo, salva);
                    // Only a marker's work is more than removals; without links the same.
                    ancora = !gSenzaLink && altri == 1
                             && QFile::exists(nomi[0] + QStringLiteral("~saving"));
                    fine = dopo == 0 || finisce(0, dopo, [&] {
                        QString errore;
                        LeggiFileProgetto(nomi[0], errore);
                    });
                } else if (dopo == 0) {
                    finito = finisce(fermo, 0, salva);
                    QVERIFY(salvato == (leggi(nomi[0]) == nuovi[0]));   // else put back
                    ancora = !finito && !std::strcmp(gFallito, "rename") && gPrivata.isEmpty();
                } else {
                    fine = finisce(fermo, fermo + dopo, salva);
                }
                apri(QStringLiteral("stopped at step %1, then at %2: ").arg(fermo).arg(dopo));
                if (dopo > 0 ? fine : !ancora)
                    break;
            }
        }
        gSenzaLink = false;
        QVERIFY(!std::exchange(gLeggibile, false));
        gPrivata.clear();
        return;
    }
    if (guasto == QStringLiteral("fisso")) {
        // The old .ptb cannot move (a mount point): in a mount namespace of a child.
        const pid_t figlio = fork();
        if (figlio == 0) {
            if (unshare(CLONE_NEWNS) != 0 && unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                _exit(77);
            if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                || mount(qPrintable(nomi[2]), qPrintable(nomi[2]), nullptr, MS_BIND, nullptr) != 0)
                _exit(77);
            bool rimessi = !SalvaProgetto(false);
            for (int i = 0; i < 2; ++i)
                rimessi = rimessi && leggi(nomi[i]) == vecchi[i];
            _exit(rimessi && QDir(dir.path()).entryList(QDir::Files).size() == 5 ? 0 : 1);
        }
        int stato = -1;
        QVERIFY(waitpid(figlio, &stato, 0) == figlio && WIFEXITED(stato));
        if (WEXITSTATUS(stato) == 77)
            QSKIP("no mount namespace here");
        QCOMPARE(WEXITSTATUS(stato), 0);   // nothing replaced
        return;
    }
    // Files may grow to 1000 bytes: the .prj fits, the listing does not.
    rlimit limite{}, prima{};
    getrlimit(RLIMIT_FSIZE, &prima);
    limite = {guasto == QStringLiteral("disco") ? 1000 : prima.rlim_cur, prima.rlim_max};
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limite);
    const bool salvato = SalvaProgetto(false);
    setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnale);
    QVERIFY(!salvato);
    for (int i = 0; i < nomi.size(); ++i)
        if (!vecchi[i].isEmpty())
            QCOMPARE(leggi(nomi[i]), vecchi[i]);
    QCOMPARE(d->dialogs.messaggi.back().icona, platform::MsgIcon::Critical);
    QVERIFY(LogModello::istanza().righe().last().contains(QStringLiteral("Project not saved")));
}

void TestFileProgetto::strangeFolderLosesNothing_data()
{
    // A file put beside the project; whether the .lst is a link out of the folder; what
    // the next save does: refuses (-1), keeps the file (0), replaces it (1).
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("salvato");
    const QByteArray zeri = "0\r\n0\r\n0\r\n0\r\n", uni = "1\r\n1\r\n1\r\n1\r\n",
                     due = "2\r\n2\r\n2\r\n2\r\n";
    QTest::newRow("earlier putback, 0, link") << "impianto~putback" << zeri << true << 0;
    QTest::newRow("earlier saving, 0, link") << "impianto~saving" << zeri << true << 0;
    QTest::newRow("earlier putback, 1") << "impianto~putback" << uni << false << 0;
    QTest::newRow("earlier saving, 2") << "impianto~saving" << due << false << 0;
    QTest::newRow("putback, 0, link") << "impianto.prj~putback" << zeri << true << 1;
    QTest::newRow("saving, 1") << "impianto.prj~saving" << uni << false << 1;
    QTest::newRow("saving, oversized") << "impianto.prj~saving" << QByteArray(70000, '1') << false << 1;
    // Records: "*" of other texts, "=" of these by names the link no longer leads to.
    QTest::newRow("putback, other texts") << "impianto.prj~putback" << QByteArray("*") << false << 1;
    QTest::newRow("saving, other texts, cut") << "impianto.prj~saving" << QByteArray("*-") << true << 1;
    // "+": a record of these files as the new texts of a save that found none: it goes (2).
    QTest::newRow("putback, these texts as new files") << "impianto.prj~putback" << QByteArray("+") << false << 2;
    // "-": of a save that made the .lst, before it wrote the .prj: the .lst is kept aside (3).
    QTest::newRow("putback of a made .lst") << "impianto.prj~putback" << QByteArray("-") << false << 3;
    // "#": the version before's record of these texts by inodes, its .lst~new beside it.
    QTest::newRow("saving of the version before") << "impianto.prj~saving" << QByteArray("#") << false << 1;
    QTest::newRow("putback through the link") << "impianto.prj~putback" << QByteArray("=") << true << 1;
    QTest::newRow("a user's .prj~old") << "impianto.prj~old" << QByteArray("mine") << true << 0;
    QTest::newRow("a user's .ptb~new") << "impianto.ptb~new" << QByteArray("mine") << false << -1;
    // "->": the link's file gone.
    QTest::newRow("a .lst linking to no file") << "impianto.lst" << QByteArray("->") << true << -1;
}

void TestFileProgetto::strangeFolderLosesNothing()
{
    QFETCH(QString, nome);
    QFETCH(QByteArray, dati);
    QFETCH(bool, link);
    QFETCH(int, salvato);
    linee({riga("mine", "", 3, 4)});
    d->dialogs.fileScelti = {base(), base() + QStringLiteral(".prj")};
    QVERIFY(SalvaProgetto(true));
    QTemporaryDir fuori;
    const QString tesi = fuori.filePath("thesis.txt"), lst = base() + QStringLiteral(".lst");
    QVERIFY(!link || (QFile::rename(lst, tesi) && QFile::link(tesi, lst)));
    if (dati == "#") {
        dati = "Ludra file set\r\n4\r\n";
        for (const QString& f : {base() + ".prj", base() + ".lst", base() + ".ptb", base() + ".dsp"}) {
            const platform::Impronta i = platform::ImprontaTesto(leggi(f));
            dati += "7 " + QByteArray::number(i.dimensione) + ' ' + i.sha + ' ' + f.toUtf8() + "\r\n";
        }
        dati += "end\r\n";
        scrivi(base() + ".lst~new", leggi(base() + ".lst"));
    }
    if (dati.startsWith('*') || dati == "=" || dati == "+" || dati == "-") {
        platform::Verbale verbale;
        for (const char* e : {".prj", ".lst", ".ptb", ".dsp"})
            verbale.push_back(platform::Voce(QStringLiteral("impianto") + e, std::nullopt,
                                             dati.startsWith('*') ? dati : leggi(base() + e)));
        for (std::size_t i = 0; dati == "-" && i < 4; ++i)
            verbale[i].vecchio = i == 1 ? std::nullopt : std::optional(verbale[i].nuovo);
        verbale[0].nuovo.dimensione += dati == "-";   // a text no longer there
        dati = platform::TestoVerbale(verbale).chopped(dati.size() - 1);
    }
    QVERIFY(dati == "->" ? QFile::remove(tesi) : (scrivi(dir.filePath(nome), dati), true));
    const auto stato = [&] {
        QStringList s = {leggi(tesi)};
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files | QDir::System))
            s << f + leggi(dir.filePath(f));
        return s;
    };
    QStringList prima = stato();
    Sezioni[0].Rung[1].Descrizione = QStringLiteral("other");
    ApriProgetto();
    QVERIFY(salvato < 2 || prima.removeAll(nome + dati) == 1);
    if (salvato == 3)
        prima.replaceInStrings(QRegularExpression("^impianto.lst"), "impianto.lst~kept");
    QCOMPARE(stato(), prima);
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("mine"));
    const bool segno = salvato < 2 && (nome.endsWith(QStringLiteral("~saving")) || nome.endsWith(QStringLiteral("~putback")));
    QCOMPARE(!d->dialogs.messaggi.empty()
                 && d->dialogs.messaggi.back().icona == platform::MsgIcon::Exclamation, segno);
    QVERIFY(!segno || d->dialogs.messaggi.back().testo.contains(dir.filePath(nome) + ": left as"));
    QCOMPARE(SalvaProgetto(false), salvato >= 0);
    QVERIFY(salvato >= 0 || (stato() == prima && d->dialogs.messaggi.back().testo.contains(nome)));
    const QFileInfo info(dir.filePath(nome));
    QCOMPARE(info.exists() || info.isSymLink(), salvato <= 0);
}

void TestFileProgetto::saveAsBesideOtherFiles_data()
{
    // Files in the folder, the name chosen, and what the save does: asks and keeps them
    // (0), asks and replaces them (1), saves without asking (2), refuses at once (-1).
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QString>("scelto");
    QTest::addColumn<int>("esito");
    const QString lungo = QString(244, u'p');
    QTest::newRow("another program's .lst, kept") << QStringList{"plant.lst"} << "plant.prj" << 0;
    QTest::newRow("a .LST and a .Dsp, replaced") << QStringList{"PLANT.LST", "plant.Dsp"} << "plant.prj" << 1;
    QTest::newRow("a .ptb, no ending chosen") << QStringList{"Plant.ptb"} << "Plant" << 0;
    QTest::newRow("with their .prj") << QStringList{"plant.prj", "plant.lst"} << "plant.prj" << 2;
    QTest::newRow("a name of 247 bytes") << QStringList{} << lungo.chopped(1) + ".prj" << 2;
    QTest::newRow("a name of 248 bytes") << QStringList{lungo + ".lst"} << lungo + ".prj" << -1;
    // Refused by the system (-2), said in the user's words.
    QTest::newRow("a folder that does not exist") << QStringList{} << "nothere/plant.prj" << -2;
    QTest::newRow("a read-only folder") << QStringList{} << "ro/plant.prj" << -2;
}

void TestFileProgetto::saveAsBesideOtherFiles()
{
    QFETCH(QStringList, presenti);
    QFETCH(QString, scelto);
    QFETCH(int, esito);
    for (const QString& f : presenti)
        scrivi(dir.filePath(f), "mine");
    d->dialogs.fileScelti = {dir.filePath(scelto)};
    d->dialogs.risposte = {esito == 1 ? platform::MsgResult::Yes : platform::MsgResult::No};
    d->dialogs.messaggi.clear();
    const bool solaLettura = scelto.startsWith("ro/") && QDir(dir.path()).mkdir("ro");   // refusing every step
    platform::PassoFileHook = solaLettura ? +[](const char*, const QString&) { return EROFS; } : nullptr;
    QCOMPARE(SalvaProgetto(true), esito > 0);
    platform::PassoFileHook = nullptr;
    const auto primo = d->dialogs.messaggi.empty() ? test::FakeDialogs::Messaggio{}
                                                   : d->dialogs.messaggi.front();
    QCOMPARE(primo.pulsanti == platform::MsgButtons::YesNo, esito == 0 || esito == 1);
    for (const QString& f : presenti)
        QVERIFY((leggi(dir.filePath(f)) != "mine") == (esito > 0)
                && (esito > 1 || primo.testo.contains(dir.filePath(f)) != (esito < 0)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), esito > 0 ? 5 : presenti.size());
    QVERIFY(esito != -1 || primo.testo.contains("at most 255 bytes. Choose a name of at most 247"));
    QVERIFY2(esito != -2 || (primo.testo.contains(QStringLiteral("Folder: %1\nFile: plant.prj").arg(QFileInfo(dir.filePath(scelto)).path()))
                             && primo.testo.contains(solaLettura ? "the folder is read-only." : "the folder does not exist.")
                             && primo.testo.contains("Choose a folder you can write to") && !primo.testo.contains('~')
                             && LogModello::istanza().righe().join(' ').contains("plant.prj~putback: ")), qPrintable(primo.testo));
}

void TestFileProgetto::saveCancelledWritesNothing()
{
    FileProgetto = QStringLiteral("kept.prj");
    QVERIFY(!SalvaProgetto(true));
    QCOMPARE(FileProgetto, QStringLiteral("kept.prj"));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestFileProgetto::caseOfEndings()
{
    // Saved under the name chosen, the companions in the case of its ending; one that
    // another tool named in another case is still read.
    NumTabelle = 1;
    Tabelle[0].NumPunti = 2;
    d->dialogs.fileScelti = {dir.filePath("PLANT.PRJ"), dir.filePath("PLANT.PRJ")};
    QVERIFY(SalvaProgetto(true));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).join(' '), "PLANT.DSP PLANT.LST PLANT.PRJ PLANT.PRJ~lock PLANT.PTB");
    QVERIFY(QFile::rename(dir.filePath("PLANT.PTB"), dir.filePath("PLANT.pTb")));
    NumTabelle = 0;
    ApriProgetto();
    QCOMPARE(int(NumTabelle), 1);
    QCOMPARE(FileProgetto, dir.filePath("PLANT.PRJ"));
    // Base names in another case, as a file system that ignores case leaves them: the
    // save writes back to the files it finds, the first in code order of two.
    QVERIFY(QFile::rename(dir.filePath("PLANT.LST"), dir.filePath("plant.lst")));
    QVERIFY(QFile::rename(dir.filePath("PLANT.DSP"), dir.filePath("plant.DSP")));
    QVERIFY(QFile::copy(dir.filePath("plant.DSP"), dir.filePath("Plant.dsp")));
    TabellaRegistri[30].Nome = QStringLiteral("Level");
    PagineDisplay.NumPagine = 3;
    QVERIFY(SalvaProgetto(false));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name).join(' '),
             "PLANT.PRJ PLANT.PRJ~lock PLANT.pTb Plant.dsp plant.DSP plant.lst");
    // A linked .prj finds them beside the file it leads to.
    QVERIFY(QDir(dir.path()).mkdir("link"));
    QVERIFY(QFile::link(dir.filePath("PLANT.PRJ"), dir.filePath("link/Other.prj")));
    TabellaRegistri[30].Nome.clear();
    d->dialogs.fileScelti = {dir.filePath("link/Other.prj")};
    ApriProgetto();
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Level"));
    QCOMPARE(int(PagineDisplay.NumPagine), 3);
    QVERIFY(LogModello::istanza().righe().join('\n').contains(
        "Plant.dsp, plant.DSP differ from it only in case; Plant.dsp was taken"));
    // Another project whose name differs only in case takes none of these.
    d->dialogs.fileScelti = {dir.filePath("Plant.PRJ")};
    QVERIFY(SalvaProgetto(true));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name).join(' '), "PLANT.PRJ PLANT.PRJ~lock "
             "PLANT.pTb Plant.DSP Plant.LST Plant.PRJ Plant.PRJ~lock Plant.PTB Plant.dsp plant.DSP plant.lst");
}

void TestFileProgetto::baseName_data()
{
    QTest::addColumn<QString>("scelto");
    QTest::addColumn<QString>("base");
    QTest::newRow("prj") << "/a/plant.prj" << "/a/plant";
    QTest::newRow("PRJ") << "/a/plant.PRJ" << "/a/plant";
    QTest::newRow("no extension") << "/a/plant" << "/a/plant";
    QTest::newRow("other extension") << "/a/plant.txt" << "/a/plant.txt";
    QTest::newRow("short") << "ab" << "ab";
}

void TestFileProgetto::baseName()
{
    QFETCH(QString, scelto);
    QFETCH(QString, base);
    QCOMPARE(BaseProgetto(scelto), base);
}

void TestFileProgetto::newClearsFileName()
{
    linee({riga("a", "", 3, 4)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    const QByteArray prj = leggi(base() + QStringLiteral(".prj"));
    d->dialogs.risposte.push_back(platform::MsgResult::No);
    Toolbar1_ButtonClick(QStringLiteral("proj_new"));
    QVERIFY(FileProgetto.isEmpty());
    // Save after New asks for a name; cancelled, the old project is untouched.
    Toolbar1_ButtonClick(QStringLiteral("proj_save"));
    QCOMPARE(d->dialogs.richiesteFile.back().filter, QString::fromLatin1(kFiltroProgetto));
    QCOMPARE(leggi(base() + QStringLiteral(".prj")), prj);
}

void TestFileProgetto::openCancelledKeepsProject()
{
    linee({riga("mine", "", 3, 4)});
    FileProgetto = QStringLiteral("x.prj");
    d->dialogs.messaggi.clear();
    ClickMenu(QStringLiteral("mnu_openProj"));
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("mine"));
    QCOMPARE(FileProgetto, QStringLiteral("x.prj"));
    QVERIFY(d->dialogs.messaggi.empty());   // no save question for nothing
}

void TestFileProgetto::openAsksToSaveOnlyAfterChoosing()
{
    scrivi(base() + QStringLiteral(".prj"), crlf({" 0 "}));
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(d->dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(d->dialogs.messaggi[0].testo, QStringLiteral("Do you want to save your changes?"));
    // Reopened while edited, and saved under its name: the open reads what was saved.
    linee({riga("edited", "", 3, 4)});
    d->dialogs.risposte = {platform::MsgResult::Yes};
    d->dialogs.fileScelti = {base() + QStringLiteral(".prj"), base() + QStringLiteral(".prj")};
    ApriProgetto();
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("edited"));
}

void TestFileProgetto::saveFailedKeepsProjectOpen()
{
    linee({riga("unsaved", "", 3, 4)});
    d->dialogs.risposte.push_back(platform::MsgResult::Yes);   // save? yes, then cancel
    ClickMenu(QStringLiteral("mnu_close"));
    QCOMPARE(int(Sezioni[0].NumRung), 1);
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("unsaved"));
}

void TestFileProgetto::blankLinesStayBlank()
{
    Rung vuota = RungVuoto();
    vuota.ArgTesto[0] = QStringLiteral("x");
    linee({vuota, riga("b", "", 3, 4)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    int ricodificate = 0;
    RicodificaRungHook = [&](int) { return ++ricodificate, QString(); };
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(ricodificate, 1);
    QCOMPARE(Sezioni[0].Rung[1].Classe, std::int16_t(0));
}

void TestFileProgetto::staleRecordsDoNotComeBack()
{
    Rung vecchia = riga("old", "OLD", 3, 4);
    vecchia.Break = true;
    vecchia.LungDati = 10;
    vecchia.Ritardo = 5;
    linee({vecchia, vecchia});
    scrivi(base() + QStringLiteral(".prj"), TestoPrj([] {
               ContenutoProgetto c;
               c.righe = {riga("new", "", 0, 0)};
               return c;
           }()));
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QVERIFY(!Sezioni[0].Rung[1].Break);
    QCOMPARE(Sezioni[0].Rung[1].LungDati, std::int16_t(0));
    QCOMPARE(Sezioni[0].Rung[1].Ritardo, std::int16_t(0));
    QCOMPARE(int(Sezioni[0].NumRung), 1);
}

void TestFileProgetto::openLeavesNothingToRestore()
{
    // The blank line of the empty project gives way to the lines read; restoring it
    // afterwards would push a blank line in front of them.
    linee({riga("a", "A", 3, 4), riga("b", "B", 3, 5)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(int(Sezioni[0].NumRung), 2);
    QVERIFY(!RipristinoDisponibile());
    QVERIFY(!CopiaDisponibile());
    RipristinaRung();
    QCOMPARE(int(Sezioni[0].NumRung), 2);
    QCOMPARE(Sezioni[0].Rung[1].Etichetta, QStringLiteral("A"));
    QCOMPARE(Sezioni[0].Rung[2].Etichetta, QStringLiteral("B"));
}

void TestFileProgetto::lineThatFailsToRebuildIsKept()
{
    linee({riga("a", "", 3, 4), riga("b", "", 3, 5)});
    d->dialogs.fileScelti.push_back(base());
    QVERIFY(SalvaProgetto(true));
    RicodificaRungHook = [](int r) {
        Sezioni[0].Rung[std::size_t(r)].Funzione = 99;   // a half-done rebuild
        return r == 2 ? QStringLiteral("why") : QString();
    };
    d->dialogs.fileScelti.push_back(base() + QStringLiteral(".prj"));
    ApriProgetto();
    QCOMPARE(Sezioni[0].Rung[2].Funzione, std::int16_t(5));
    QCOMPARE(Sezioni[0].Rung[2].Rifiuto, QStringLiteral("why"));
    QVERIFY(Sezioni[0].Rung[1].Rifiuto.isEmpty());
    QCOMPARE(LogModello::istanza().righe().last(), QStringLiteral("  Lines kept as read from the file: 2"));
}

void TestFileProgetto::listing()
{
    linee({riga("<...>", "LONGLABEL12", 3, 1), riga("Fill", "A", 0, 0)});
    AggiornaRiga(1, [](RigaLadder& r) {
        r.lbl_VarN[0] = {QStringLiteral("Dest"), true};
        r.txt_VarN[0] = {QStringLiteral("%R30"), true};
        r.lbl_VarN[1] = {QStringLiteral("Hidden"), false};
    });
    const QString testo = TestoEsportazione(false, true);
    const QString sep = QString(52, QLatin1Char('_'));
    const QString atteso = QStringList{
        "Ludra", sep, "",
        "1[LONGLABEL12] ", QString(14, ' ') + "Add",
        QString(22, ' ') + QStringLiteral("Dest").leftJustified(20) + "%R30", sep, "",
        "2[A         ] Fill", QString(14, ' ') + "Read Holding", sep, ""}.join("\r\n") + "\r\n";
    QCOMPARE(testo, atteso);
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("<...>"));   // model unchanged
    QVERIFY(TestoEsportazione(true, false).contains(QStringLiteral("ID[Label  ] Description            \r\n")));
    QVERIFY(!TestoEsportazione(true, false).contains(QStringLiteral("%R30")));

    const QString percorso = dir.path() + QStringLiteral("/export.txt");
    QString errore;
    QVERIFY(EsportaProgramma(false, true, errore, percorso));
    QCOMPARE(leggi(percorso), testo.toLatin1());
}

void TestFileProgetto::listingWriteError()
{
    QString errore;
    QVERIFY(!EsportaProgramma(false, true, errore, dir.path() + QStringLiteral("/no/such/dir/x.txt")));
    QVERIFY(!errore.isEmpty());
    const QString cartella = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QVERIFY(QDir().mkpath(QStringLiteral("export.txt")));   // a directory: cannot be written
    ClickMenu(QStringLiteral("mnu_Export"));
    QDir::setCurrent(cartella);
    QVERIFY(d->shell.aperti.isEmpty());
    QCOMPARE(d->dialogs.messaggi.back().icona, platform::MsgIcon::Critical);
}

void TestFileProgetto::closePrompt()
{
    // Cancel goes back to the program; No closes without writing anything.
    FileProgetto = base() + QStringLiteral(".prj");
    d->dialogs.risposte.push_back(platform::MsgResult::Cancel);
    QVERIFY(!MDIForm_Unload());
    QCOMPARE(d->dialogs.messaggi.back().pulsanti, platform::MsgButtons::YesNoCancel);
    QCOMPARE(d->dialogs.messaggi.back().titolo, QStringLiteral("Ludra"));
    d->dialogs.risposte.push_back(platform::MsgResult::No);
    QVERIFY(MDIForm_Unload());
    QVERIFY(!QFile::exists(base() + QStringLiteral(".prj")));
    // Yes asks for a name even when the project has one; a cancelled dialog keeps the
    // program running so the work is not lost.
    d->dialogs.risposte.push_back(platform::MsgResult::Yes);
    QVERIFY(!MDIForm_Unload());
    d->dialogs.risposte.push_back(platform::MsgResult::Yes);
    d->dialogs.fileScelti.push_back(base() + QStringLiteral("2.prj"));
    QVERIFY(MDIForm_Unload());
    QVERIFY(QFile::exists(base() + QStringLiteral("2.lst")));
    // When the system ends the session there is no Cancel, and the close goes on.
    d->dialogs.risposte.push_back(platform::MsgResult::Yes);
    QVERIFY(MDIForm_Unload(true));
    QCOMPARE(d->dialogs.messaggi.back().pulsanti, platform::MsgButtons::YesNo);
}

QTEST_GUILESS_MAIN(TestFileProgetto)
#include "tst_fileprogetto.moc"
