// Table files: the bytes written, and files that are no table file.
#include "support/Doubles.h"
#include "tables/FileTabellaCsv.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace ludra;

namespace {

Tabella tabella(const QString& nome, std::initializer_list<double> ingressi,
                std::initializer_list<double> uscite)
{
    Tabella t;
    t.Nome = nome;
    t.NumPunti = std::uint8_t(ingressi.size());
    std::copy(ingressi.begin(), ingressi.end(), t.Ingresso.begin());
    std::copy(uscite.begin(), uscite.end(), t.Uscita.begin());
    return t;
}

} // namespace

class TestFileTabellaCsv : public QObject {
    Q_OBJECT

private slots:
    void byteScritti_data()
    {
        QTest::addColumn<Tabella>("tab");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("values")
            << tabella(QStringLiteral("PT100"), {0, .5, -.25}, {12.5, -3, 1e20})
            << QByteArray("PT100\r\n 3 \r\n 0\r\n .5\r\n-.25\r\n 12.5\r\n-3\r\n 1E+20\r\n");
        QTest::newRow("code page")
            << tabella(QString::fromUtf8("Temp \u00b0C \u20ac"), {1, 2}, {3, 4})
            << QByteArray("Temp \xb0" "C \x80\r\n 2 \r\n 1\r\n 2\r\n 3\r\n 4\r\n");
        QTest::newRow("comma quoted")
            << tabella(QStringLiteral("a,b"), {1, 2}, {3, 4})
            << QByteArray("\"a,b\"\r\n 2 \r\n 1\r\n 2\r\n 3\r\n 4\r\n");
        QTest::newRow("edge blank quoted")
            << tabella(QStringLiteral(" x"), {1, 2}, {3, 4})
            << QByteArray("\" x\"\r\n 2 \r\n 1\r\n 2\r\n 3\r\n 4\r\n");
        QTest::newRow("inner quote bare")
            << tabella(QStringLiteral("5\" pipe"), {1, 2}, {3, 4})
            << QByteArray("5\" pipe\r\n 2 \r\n 1\r\n 2\r\n 3\r\n 4\r\n");
    }

    void byteScritti()
    {
        QFETCH(Tabella, tab);
        QFETCH(QByteArray, atteso);
        QString errore;
        const auto byte = TestoTabellaCsv(tab, errore);
        QVERIFY2(byte, qPrintable(errore));
        QCOMPARE(*byte, atteso);
        // And back: the same table.
        Tabella letta;
        QVERIFY2(LeggiTabellaCsv(*byte, QStringLiteral("t.csv"), letta, errore),
                 qPrintable(errore));
        QCOMPARE(letta, tab);
    }

    void nonScrivibili_data()
    {
        QTest::addColumn<Tabella>("tab");
        QTest::newRow("no name") << tabella(QString(), {1, 2}, {3, 4});
        QTest::newRow("line break") << tabella(QStringLiteral("a\nb"), {1, 2}, {3, 4});
        QTest::newRow("outside code page") << tabella(QString::fromUtf8("\u4e2d"), {1, 2}, {3, 4});
        QTest::newRow("quote and comma") << tabella(QStringLiteral("a\",b"), {1, 2}, {3, 4});
        QTest::newRow("one point") << tabella(QStringLiteral("x"), {1}, {3});
        QTest::newRow("infinite") << tabella(QStringLiteral("x"), {1, qInf()}, {3, 4});
        QTest::newRow("nan") << tabella(QStringLiteral("x"), {1, 2}, {qQNaN(), 4});
    }

    void nonScrivibili()
    {
        QFETCH(Tabella, tab);
        QString errore;
        QVERIFY(!TestoTabellaCsv(tab, errore));
        QVERIFY(!errore.isEmpty());
    }

    void campiLetti_data()
    {
        QTest::addColumn<QByteArray>("dati");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<double>("ultimaUscita");
        QTest::newRow("LF only") << QByteArray("T\n2\n1\n2\n3\n4") << "T" << 4.0;
        QTest::newRow("commas on one line") << QByteArray("T, 2 ,1,2\r\n3,4\r\n") << "T" << 4.0;
        QTest::newRow("quoted name, blanks") << QByteArray("  \"A, B\"  \r\n 2\r\n1\r\n2\r\n3\r\n 4e1\r\n")
                                             << "A, B" << 40.0;
        QTest::newRow("trailing blank lines") << QByteArray("T\r\n2\r\n1\r\n2\r\n3\r\n4D0\r\n\r\n  \r\n")
                                              << "T" << 4.0;
        QTest::newRow("whole float count") << QByteArray("T\r\n2.0\r\n1\r\n2\r\n3\r\n-.5\r\n")
                                           << "T" << -0.5;
    }

    void campiLetti()
    {
        QFETCH(QByteArray, dati);
        QFETCH(QString, nome);
        QFETCH(double, ultimaUscita);
        Tabella t;
        QString errore;
        QVERIFY2(LeggiTabellaCsv(dati, QStringLiteral("t.csv"), t, errore), qPrintable(errore));
        QCOMPARE(t.Nome, nome);
        QCOMPARE(int(t.NumPunti), 2);
        QCOMPARE(t.Uscita[1], ultimaUscita);
    }

    void fileRifiutati_data()
    {
        QTest::addColumn<QByteArray>("dati");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("empty") << QByteArray() << "line 1: the file ends too early";
        QTest::newRow("no name") << QByteArray("\r\n2\r\n1\r\n2\r\n3\r\n4\r\n") << "no name";
        QTest::newRow("truncated") << QByteArray("T\r\n 3 \r\n1\r\n2\r\n3\r\n4\r\n5\r\n")
                                   << "line 8: the file ends too early";
        QTest::newRow("count 33") << QByteArray("T\r\n 33 \r\n") << "line 2: the point count";
        QTest::newRow("count 1") << QByteArray("T\r\n 1 \r\n1\r\n2\r\n") << "line 2";
        QTest::newRow("count 8.5") << QByteArray("T\r\n 8.5 \r\n") << "line 2";
        QTest::newRow("count text") << QByteArray("T\r\neight\r\n") << "line 2";
        QTest::newRow("value text") << QByteArray("T\r\n2\r\n1\r\nabc\r\n3\r\n4\r\n")
                                    << "line 4: \"abc\" is not a number";
        QTest::newRow("value with tail") << QByteArray("T\r\n2\r\n1\r\n2x\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("empty value") << QByteArray("T\r\n2\r\n1\r\n\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("overflowing value") << QByteArray("T\r\n2\r\n1\r\n1E999\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("inf") << QByteArray("T\r\n2\r\n1\r\ninf\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("open quote") << QByteArray("\"T\r\n2\r\n1\r\n2\r\n3\r\n4\r\n")
                                    << "line 1: a quoted field has no closing quote";
        QTest::newRow("text after quote") << QByteArray("\"T\"x\r\n2\r\n1\r\n2\r\n3\r\n4\r\n")
                                          << "line 1: text follows";
        QTest::newRow("extra values") << QByteArray("T\r\n2\r\n1\r\n2\r\n3\r\n4\r\n5\r\n")
                                      << "line 7: more values follow";
        QTest::newRow("oversized") << QByteArray("T\r\n2\r\n1\r\n2\r\n3\r\n4\r\n")
                                          .append(QByteArray(kMaxByteTabellaCsv, ' '))
                                   << "too large";
    }

    void fileRifiutati()
    {
        QFETCH(QByteArray, dati);
        QFETCH(QString, motivo);
        Tabella t = tabella(QStringLiteral("old"), {7, 8}, {9, 10});
        const Tabella prima = t;
        QString errore;
        QVERIFY(!LeggiTabellaCsv(dati, QStringLiteral("t.csv"), t, errore));
        QVERIFY2(errore.contains(motivo), qPrintable(errore));
        QVERIFY(errore.startsWith(QStringLiteral("t.csv")));
        QCOMPARE(t, prima);
    }

    void sulDisco()
    {
        QTemporaryDir dir;
        const QString percorso = dir.filePath(QStringLiteral("t.csv"));
        const Tabella t = tabella(QStringLiteral("NTC"), {-40, 25, 125}, {1e5, 1e4, 3.3});
        QVERIFY(!SalvaTabellaCsv(percorso, t));
        Tabella letta;
        QVERIFY(!CaricaTabellaCsv(percorso, letta));
        QCOMPARE(letta, t);
        // A table that cannot be written leaves the file there as it was.
        QVERIFY(SalvaTabellaCsv(percorso, tabella(QString(), {1, 2}, {3, 4})));
        QVERIFY(!CaricaTabellaCsv(percorso, letta));
        QCOMPARE(letta, t);
        const auto errore = CaricaTabellaCsv(dir.filePath(QStringLiteral("none.csv")), letta);
        QVERIFY(errore && errore->startsWith(QStringLiteral("Cannot open none.csv")));
        QVERIFY(SalvaTabellaCsv(dir.filePath(QStringLiteral("no/dir/t.csv")), t));
        // A file far beyond the limit is refused without being read whole.
        QFile grande(dir.filePath(QStringLiteral("big.csv")));
        QVERIFY(grande.open(QIODevice::WriteOnly));
        grande.write(QByteArray(4 * kMaxByteTabellaCsv, '1'));
        grande.close();
        const auto troppo = CaricaTabellaCsv(grande.fileName(), letta);
        QVERIFY(troppo && troppo->contains(QStringLiteral("too large")));
        QCOMPARE(letta, t);
    }
};

Q_DECLARE_METATYPE(ludra::Tabella)

QTEST_GUILESS_MAIN(TestFileTabellaCsv)
#include "tst_filetabellacsv.moc"
