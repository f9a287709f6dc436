// The table editor's commands on the boxes, the list, the grid and the store.
#include "app/Avvio.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "tables/EditorTabelle.h"

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

// The boxes of a table of n points: input 2i, output -i.
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
    test::Banco banco_;
    test::Banco* doubles = &banco_;
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
        banco_.apri(test::Banco::Doppi::Tutti);
    }
    void cleanup() { banco_.chiudi(); }

    void griglia_data()
    {
        QTest::addColumn<QString>("npunti");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<bool>("abilitato");
        QTest::addColumn<QList<int>>("visibili");
        QTest::newRow("8 points") << "8" << 0 << false << righe(0, 7);
        QTest::newRow("2 points") << "2" << 0 << false << righe(0, 1);
        QTest::newRow("8.9 counts 8") << "8.9" << 0 << false << righe(0, 7);
        QTest::newRow("20 at 5") << "20" << 5 << true << righe(5, 12);
        QTest::newRow("20 dragged to 20") << "20" << 20 << true << righe(12, 19);
        QTest::newRow("100 typed") << "100" << 100 << true << righe(25, 32);
    }

    void griglia()
    {
        QFETCH(QString, npunti);
        QFETCH(int, scroll);
        QFETCH(bool, abilitato);
        QFETCH(QList<int>, visibili);
        EditorTabelle e;
        e.Carica(-1);
        e.Npunti = npunti;
        e.CambioNpunti();
        e.CambioScroll(scroll);
        QCOMPARE(e.ScrollAbilitato, abilitato);
        QCOMPARE(e.Righe, visibili);
    }

    void controllo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("npunti");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QString>("messaggio");   // "-": passes
        QTest::newRow("2 points") << "T" << "2" << "1" << "-";
        QTest::newRow("32 points") << "T" << "32" << "1" << "-";
        QTest::newRow("8.9 is 8") << "T" << "8.9" << "1" << "-";
        QTest::newRow("1 point") << "T" << "1" << "1" << "Check N points";
        QTest::newRow("33 points") << "T" << "33" << "1" << "Check N points";
        QTest::newRow("empty name") << "" << "8" << "1" << "Check Table Name";
        QTest::newRow("line break") << "a\nb" << "8" << "1" << "Check Table Name";
        QTest::newRow("not code page") << QString::fromUtf8("\u4e2d") << "8" << "1"
            << "Check Table Name\nTable Name: the character \"\u4e2d\" (U+4E2D) is not in the "
               "Windows-1252 code page and cannot be written";
        QTest::newRow("count not a number") << "T" << "" << "1" << "";
        QTest::newRow("value not a number") << "T" << "8" << "1,5" << "";
        QTest::newRow("value overflows") << "T" << "8" << "1E400" << "";
        QTest::newRow("value 12a") << "T" << "8" << "12a" << "";
        QTest::newRow("value &H1F, count 1e1") << "T" << "1e1" << "&H1F" << "-";
    }

    void controllo()
    {
        QFETCH(QString, nome);
        QFETCH(QString, npunti);
        QFETCH(QString, valore);
        QFETCH(QString, messaggio);
        EditorTabelle e;
        e.Carica(-1);
        e.NomeTab = nome;
        e.Npunti = npunti;
        e.TabB[1] = valore;
        const Tabella prima = e.TabellaCorrente();
        const bool ok = messaggio == "-";
        QCOMPARE(e.ControllaTabella(), ok);
        QCOMPARE(messaggi(), ok || messaggio.isEmpty() ? QStringList{} : QStringList{messaggio});
        QCOMPARE(e.TabellaCorrente() == prima, !ok);
        if (!ok && messaggio.isEmpty() && !npunti.isEmpty())
            QVERIFY(e.CampoErrato == EditorTabelle::Campo::Uscita && e.RigaErrata == 1);
    }

    void inserimento_data()
    {
        QTest::addColumn<int>("selezione");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("slot");
        QTest::newRow("no selection") << -1 << "NEW" << 2;
        QTest::newRow("other name") << 0 << "NEW" << 2;
        QTest::newRow("case differs") << 0 << "pt100" << 2;
        QTest::newRow("same name") << 1 << "NTC" << 1;
    }

    void inserimento()
    {
        QFETCH(int, selezione);
        QFETCH(QString, nome);
        QFETCH(int, slot);
        metti(0, "PT100", 3);
        metti(1, "NTC", 20);
        AllocaTabelle();   // as the Insert places them
        const Tabella prima = Tabelle[0];
        EditorTabelle e;
        e.Carica(selezione);
        riempi(e, nome, 4);
        QVERIFY(e.Inserisci());
        QCOMPARE(int(NumTabelle), std::max(2, slot + 1));
        QCOMPARE(e.Lista, NomiTabelle());
        QCOMPARE(e.Selezione, slot);
        const Tabella& t = Tabelle[std::size_t(slot)];
        QCOMPARE(t.Nome, nome);
        QCOMPARE(int(t.NumPunti), 4);
        QCOMPARE(t.Uscita[3], -3.0);
        QCOMPARE(Tabelle[0], prima);
        // Insert again overwrites the table just added instead of adding a copy.
        QVERIFY(e.Inserisci());
        QCOMPARE(int(NumTabelle), std::max(2, slot + 1));
    }

    void noveTabelleAlMassimo()
    {
        for (int i = 0; i < kMaxTabelle; ++i)
            metti(i, QStringLiteral("T%1").arg(i), 2);
        EditorTabelle e;
        e.Carica(3);
        riempi(e, "TENTH", 2);
        QVERIFY(!e.Inserisci());
        QCOMPARE(int(NumTabelle), kMaxTabelle);
        QCOMPARE(e.Lista.size(), kMaxTabelle);
        QCOMPARE(messaggi().size(), 1);
        riempi(e, "T3", 5);
        QVERIFY(e.Inserisci());
        QCOMPARE(int(Tabelle[3].NumPunti), 5);
    }

    void listaSeguitaLoStore()
    {
        // A project opened while the window is open: Insert writes into the new store
        // and the list shows it.
        metti(0, "A", 2);
        metti(1, "B", 2);
        EditorTabelle e;
        e.Carica(1);
        AzzeraTabelle();
        metti(0, "X", 2);
        riempi(e, "B", 3);
        QVERIFY(e.Inserisci());
        QCOMPARE(e.Lista, (QStringList{"X", "B"}));
        QCOMPARE(e.Selezione, 1);
    }

    void file()
    {
        QTemporaryDir dir;
        const QString percorso = dir.filePath("t.csv");
        EditorTabelle e;
        e.Carica(-1);
        riempi(e, "Flow", 12);
        e.TabB[11] = QStringLiteral(".125");
        doubles->dialogs.fileScelti = {percorso};
        QVERIFY(e.SalvaSuFile());
        QCOMPARE(doubles->dialogs.richiesteFile.back().filter, QStringLiteral(" (*.csv)|*.csv|(*.*)|*.*|"));

        EditorTabelle f;
        f.Carica(-1);
        doubles->dialogs.fileScelti = {percorso};
        QVERIFY(f.CaricaDaFile());
        QCOMPARE(f.NomeTab, QStringLiteral("Flow"));
        QCOMPARE(f.Npunti, QStringLiteral("12"));
        QCOMPARE(f.TabB[11], QStringLiteral(".125"));
        QCOMPARE(f.TabellaCorrente(), e.TabellaCorrente());
        QCOMPARE(f.Righe, righe(0, 7));
        QCOMPARE(int(NumTabelle), 0);   // stored only by Insert

        // Cancelled load, bad file: nothing changes; only the bad file says why.
        QFile guasto(dir.filePath("bad.csv"));
        QVERIFY(guasto.open(QIODevice::WriteOnly));
        guasto.write("T\r\n 40 \r\n");
        guasto.close();
        QVERIFY(!f.CaricaDaFile());
        doubles->dialogs.fileScelti = {guasto.fileName()};
        QVERIFY(!f.CaricaDaFile());
        QCOMPARE(f.NomeTab, QStringLiteral("Flow"));
        QCOMPARE(f.TabellaCorrente(), e.TabellaCorrente());
        QCOMPARE(messaggi().size(), 1);
        QVERIFY(messaggi()[0].startsWith("bad.csv, line 2"));
        // A cancelled save checks nothing; a save that fails the check writes nothing.
        f.NomeTab.clear();
        QVERIFY(!f.SalvaSuFile());
        QCOMPARE(messaggi().size(), 1);
        doubles->dialogs.fileScelti = {dir.filePath("new.csv")};
        QVERIFY(!f.SalvaSuFile());
        QCOMPARE(messaggi().last(), QStringLiteral("Check Table Name"));
        QVERIFY(!QFile::exists(dir.filePath("new.csv")));
    }
};

QTEST_GUILESS_MAIN(TestEditorTabelle)
#include "tst_editortabelle.moc"
