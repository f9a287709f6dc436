// The table editor's commands on the boxes, the list, the grid and the store.
#include "app/Avvio.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Doubles.h"
#include "tables/EditorTabelle.h"
#include "tables/FileTabellaCsv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ludra;

namespace {

void metti(int i, const QString& nome, int punti)
{
    Tabella& t = Tabelle[std::size_t(i)];
    t.Nome = nome;
    t.NumPunti = std::uint8_t(punti);
    for (int p = 0; p < punti; ++p) {
        t.Ingresso[std::size_t(p)] = p * 10;
        t.Uscita[std::size_t(p)] = p + 0.5;
    }
    NumTabelle = std::uint8_t(std::max(int(NumTabelle), i + 1));
}

QList<int> righe(int da, int a)
{
    QList<int> r;
    for (int i = da; i <= a; ++i)
        r << i;
    return r;
}

// Boxes for a table of n points: input i * 2, output -i.
void riempi(EditorTabelle& e, const QString& nome, int n)
{
    e.NomeTab = nome;
    e.Npunti = QString::number(n);
    for (int i = 0; i < n; ++i) {
        e.TabA[std::size_t(i)] = QString::number(i * 2);
        e.TabB[std::size_t(i)] = QString::number(-i);
    }
}

} // namespace

class TestEditorTabelle : public QObject {
    Q_OBJECT
    test::PlatformDoubles* doubles = nullptr;
    QStringList messaggi() const
    {
        QStringList m;
        for (const auto& x : doubles->dialogs.messaggi)
            m << x.testo;
        return m;
    }

private slots:
    void init()
    {
        doubles = new test::PlatformDoubles;
        AzzeraStatoProcesso();
        Controllore.Modello = QStringLiteral("KVR5200-IO");
        ImpostaModello();
    }
    void cleanup()
    {
        delete doubles;
        doubles = nullptr;
    }

    void apertura_data()
    {
        QTest::addColumn<int>("tabAttiva");
        QTest::addColumn<int>("selezione");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("npunti");
        QTest::newRow("first table") << 0 << 0 << "PT100" << "3";
        QTest::newRow("second") << 1 << 1 << "NTC" << "20";
        QTest::newRow("none") << -1 << -1 << "" << "8";
        QTest::newRow("beyond list") << 2 << -1 << "" << "8";
    }

    void apertura()
    {
        QFETCH(int, tabAttiva);
        QFETCH(int, selezione);
        QFETCH(QString, nome);
        QFETCH(QString, npunti);
        metti(0, QStringLiteral("PT100"), 3);
        metti(1, QStringLiteral("NTC"), 20);
        EditorTabelle e;
        e.Carica(tabAttiva);
        QCOMPARE(e.Lista, (QStringList{"PT100", "NTC"}));
        QCOMPARE(e.Selezione, selezione);
        QCOMPARE(e.NomeTab, nome);
        QCOMPARE(e.Npunti, npunti);
        if (selezione == 0) {
            QCOMPARE(e.TabA[2], QStringLiteral("20"));
            QCOMPARE(e.TabB[1], QStringLiteral("1.5"));
            QCOMPARE(e.TabA[3], QStringLiteral("0"));
        }
    }

    void griglia_data()
    {
        QTest::addColumn<QString>("npunti");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<bool>("abilitato");
        QTest::addColumn<int>("valore");
        QTest::addColumn<QList<int>>("visibili");
        QTest::newRow("8 points") << "8" << 0 << false << 0 << righe(0, 7);
        QTest::newRow("2 points") << "2" << 0 << false << 0 << righe(0, 1);
        QTest::newRow("8.9 counts 8") << "8.9" << 0 << false << 0 << righe(0, 7);
        QTest::newRow("20 at 5") << "20" << 5 << true << 5 << righe(5, 12);
        QTest::newRow("20 dragged to 20") << "20" << 20 << true << 12 << righe(12, 19);
        QTest::newRow("32 at end") << "32" << 32 << true << 24 << righe(24, 31);
        QTest::newRow("100 typed") << "100" << 100 << true << 25 << righe(25, 32);
        QTest::newRow("not a number") << "x" << 0 << false << 0 << righe(0, 7);
    }

    void griglia()
    {
        QFETCH(QString, npunti);
        QFETCH(int, scroll);
        QFETCH(bool, abilitato);
        QFETCH(int, valore);
        QFETCH(QList<int>, visibili);
        EditorTabelle e;
        e.Carica(-1);
        e.Npunti = npunti;
        e.CambioNpunti();
        e.CambioScroll(scroll);
        QCOMPARE(e.ScrollAbilitato, abilitato);
        QCOMPARE(e.ScrollValore, valore);
        QCOMPARE(e.Righe, visibili);
    }

    void controllo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("npunti");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("2 points") << "T" << "2" << "1" << true << "";
        QTest::newRow("32 points") << "T" << "32" << "1" << true << "";
        QTest::newRow("8.9 is 8") << "T" << "8.9" << "1" << true << "";
        QTest::newRow("1 point") << "T" << "1" << "1" << false << "Check N points";
        QTest::newRow("33 points") << "T" << "33" << "1" << false << "Check N points";
        QTest::newRow("empty name") << "" << "8" << "1" << false << "Check Table Name";
        QTest::newRow("line break") << "a\nb" << "8" << "1" << false << "Check Table Name";
        QTest::newRow("not code page") << QString::fromUtf8("\u4e2d") << "8" << "1" << false
                                       << "Check Table Name";
        QTest::newRow("count not a number") << "T" << "" << "1" << false << "";
        QTest::newRow("value not a number") << "T" << "8" << "abc" << false << "";
        QTest::newRow("value overflows") << "T" << "8" << "1E400" << false << "";
    }

    void controllo()
    {
        QFETCH(QString, nome);
        QFETCH(QString, npunti);
        QFETCH(QString, valore);
        QFETCH(bool, ok);
        QFETCH(QString, messaggio);
        EditorTabelle e;
        e.Carica(-1);
        e.NomeTab = nome;
        e.Npunti = npunti;
        e.TabB[1] = valore;
        const Tabella prima = e.TabellaCorrente();
        QCOMPARE(e.ControllaTabella(), ok);
        QCOMPARE(messaggi(), messaggio.isEmpty() ? QStringList{} : QStringList{messaggio});
        if (!ok) {
            QCOMPARE(e.TabellaCorrente(), prima);
            return;
        }
        QCOMPARE(e.TabellaCorrente().Nome, nome);
        QCOMPARE(e.TabellaCorrente().Uscita[1], 1.0);
    }

    void campoSenzaNumero()
    {
        EditorTabelle e;
        e.Carica(-1);
        e.NomeTab = QStringLiteral("T");
        e.TabA[6] = QStringLiteral("1,5");
        QVERIFY(!e.ControllaTabella());
        QCOMPARE(e.CampoErrato, EditorTabelle::Campo::Ingresso);
        QCOMPARE(e.RigaErrata, 6);
    }

    void inserimento_data()
    {
        QTest::addColumn<int>("selezione");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("numTabelle");
        QTest::newRow("no selection") << -1 << "NEW" << 2 << 3;
        QTest::newRow("other name") << 0 << "NEW" << 2 << 3;
        QTest::newRow("case differs") << 0 << "pt100" << 2 << 3;
        QTest::newRow("same name") << 1 << "NTC" << 1 << 2;
    }

    void inserimento()
    {
        QFETCH(int, selezione);
        QFETCH(QString, nome);
        QFETCH(int, slot);
        QFETCH(int, numTabelle);
        metti(0, QStringLiteral("PT100"), 3);
        metti(1, QStringLiteral("NTC"), 20);
        Tabelle[1].Blocco1 = 77;
        const Tabella altra = Tabelle[std::size_t(1 - std::min(slot, 1))];
        EditorTabelle e;
        e.Carica(selezione);
        riempi(e, nome, 4);
        QVERIFY(e.Inserisci());
        QCOMPARE(int(NumTabelle), numTabelle);
        QCOMPARE(e.Lista, NomiTabelle());
        QCOMPARE(e.Selezione, slot);
        const Tabella& t = Tabelle[std::size_t(slot)];
        QCOMPARE(t.Nome, nome);
        QCOMPARE(int(t.NumPunti), 4);
        QCOMPARE(t.Ingresso[3], 6.0);
        QCOMPARE(t.Uscita[3], -3.0);
        if (slot == 1) {
            QCOMPARE(t.Blocco1, std::int16_t(77));   // placed only on OK
            QCOMPARE(t.Ingresso[4], 40.0);           // beyond the count: as it was
        }
        QCOMPARE(Tabelle[std::size_t(1 - std::min(slot, 1))], altra);
        // Insert again: the table just added is overwritten, not copied.
        QVERIFY(e.Inserisci());
        QCOMPARE(int(NumTabelle), numTabelle);
    }

    void noveTabelleAlMassimo()
    {
        for (int i = 0; i < kMaxTabelle; ++i)
            metti(i, QStringLiteral("T%1").arg(i), 2);
        EditorTabelle e;
        e.Carica(3);
        riempi(e, QStringLiteral("TENTH"), 2);
        QVERIFY(!e.Inserisci());
        QCOMPARE(int(NumTabelle), kMaxTabelle);
        QCOMPARE(e.Lista.size(), kMaxTabelle);
        QCOMPARE(doubles->dialogs.messaggi.size(), std::size_t(1));
        // Overwriting one of the nine still works.
        riempi(e, QStringLiteral("T3"), 5);
        QVERIFY(e.Inserisci());
        QCOMPARE(int(Tabelle[3].NumPunti), 5);
    }

    void insertNonValidoNonTocca()
    {
        metti(0, QStringLiteral("PT100"), 3);
        const auto prima = Tabelle;
        EditorTabelle e;
        e.Carica(0);
        e.Npunti = QStringLiteral("33");
        QVERIFY(!e.Inserisci());
        QCOMPARE(Tabelle, prima);
        QCOMPARE(int(NumTabelle), 1);
    }

    void fileAvantiEIndietro()
    {
        QTemporaryDir dir;
        const QString percorso = dir.filePath(QStringLiteral("t.csv"));
        EditorTabelle e;
        e.Carica(-1);
        riempi(e, QStringLiteral("Flow"), 12);
        e.TabB[11] = QStringLiteral(".125");
        doubles->dialogs.fileScelti = {percorso};
        QVERIFY(e.SalvaSuFile());
        QCOMPARE(doubles->dialogs.richiesteFile.back().filter,
                 QStringLiteral(" (*.csv)|*.csv|(*.*)|*.*|"));
        QVERIFY(doubles->dialogs.richiesteFile.back().fileName.isEmpty());

        EditorTabelle f;
        f.Carica(-1);
        doubles->dialogs.fileScelti = {percorso};
        QVERIFY(f.CaricaDaFile());
        QCOMPARE(f.NomeTab, QStringLiteral("Flow"));
        QCOMPARE(f.Npunti, QStringLiteral("12"));
        QCOMPARE(f.TabA[11], QStringLiteral("22"));
        QCOMPARE(f.TabB[11], QStringLiteral(".125"));
        QCOMPARE(f.TabellaCorrente().Uscita[11], 0.125);
        QVERIFY(f.ScrollAbilitato);
        QCOMPARE(f.Righe, righe(0, 7));
        QCOMPARE(int(NumTabelle), 0);   // stored only by Insert
        QVERIFY(doubles->dialogs.messaggi.empty());
    }

    void fileAnnullatoOGuasto()
    {
        QTemporaryDir dir;
        const QString guasto = dir.filePath(QStringLiteral("bad.csv"));
        QFile f(guasto);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("T\r\n 40 \r\n");
        f.close();
        EditorTabelle e;
        e.Carica(-1);
        e.NomeTab = QStringLiteral("keep");
        // Cancelled load, bad file: nothing changes; only the bad file says why.
        QVERIFY(!e.CaricaDaFile());
        doubles->dialogs.fileScelti = {guasto};
        QVERIFY(!e.CaricaDaFile());
        QCOMPARE(e.NomeTab, QStringLiteral("keep"));
        QCOMPARE(e.Npunti, QStringLiteral("8"));
        QCOMPARE(messaggi().size(), 1);
        QVERIFY(messaggi()[0].startsWith(QStringLiteral("bad.csv, line 2")));
        // A cancelled save checks nothing and writes nothing, even with a bad name.
        e.NomeTab.clear();
        QVERIFY(!e.SalvaSuFile());
        QCOMPARE(messaggi().size(), 1);
        // A save that fails the check writes no file.
        const QString nuovo = dir.filePath(QStringLiteral("new.csv"));
        doubles->dialogs.fileScelti = {nuovo};
        QVERIFY(!e.SalvaSuFile());
        QCOMPARE(messaggi().last(), QStringLiteral("Check Table Name"));
        QVERIFY(!QFile::exists(nuovo));
    }

    void listaSeguitaLoStore()
    {
        // A project opened while the window is open: Insert writes into the new store
        // and the list shows it.
        metti(0, QStringLiteral("A"), 2);
        metti(1, QStringLiteral("B"), 2);
        EditorTabelle e;
        e.Carica(1);
        AzzeraTabelle();
        metti(0, QStringLiteral("X"), 2);
        riempi(e, QStringLiteral("B"), 3);
        QVERIFY(e.Inserisci());
        QCOMPARE(e.Lista, (QStringList{"X", "B"}));
        QCOMPARE(int(NumTabelle), 2);
        QCOMPARE(e.Selezione, 1);
    }

    void okPiazzaLeTabelle()
    {
        metti(0, QStringLiteral("A"), 8);
        metti(1, QStringLiteral("B"), 9);
        EditorTabelle e;
        e.Carica(1);
        QCOMPARE(e.Ok(), std::int16_t(1));
        QCOMPARE(Tabelle[0].Blocco2, std::int16_t(107));
        QCOMPARE(Tabelle[1].Blocco1, std::int16_t(102));
        e.ClickLista(-1);
        QCOMPARE(e.Ok(), std::int16_t(-1));
    }
};

QTEST_GUILESS_MAIN(TestEditorTabelle)
#include "tst_editortabelle.moc"
