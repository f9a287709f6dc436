// Table files: the bytes written, and files that are no table file.
#include "support/Banco.h"
#include "tables/FileTabellaCsv.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using namespace ludra;

namespace {

Tabella tabella(const QString& nome, std::initializer_list<double> in, std::initializer_list<double> out)
{
    Tabella t;
    t.Nome = nome;
    t.NumPunti = std::uint8_t(in.size());
    std::copy(in.begin(), in.end(), t.Ingresso.begin());
    std::copy(out.begin(), out.end(), t.Uscita.begin());
    return t;
}

const QByteArray kCoda("\r\n 2 \r\n 1\r\n 2\r\n 3\r\n 4\r\n");

} // namespace

Q_DECLARE_METATYPE(ludra::Tabella)

class TestFileTabellaCsv : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void scrittura_data()
    {
        QTest::addColumn<Tabella>("tab");
        QTest::addColumn<QByteArray>("atteso");   // empty: refused
        QTest::newRow("values") << tabella("PT100", {0, .5, -.25}, {12.5, -3, 1e20})
                                << QByteArray("PT100\r\n 3 \r\n 0\r\n .5\r\n-.25\r\n 12.5\r\n-3\r\n 1E+20\r\n");
        QTest::newRow("code page") << tabella(QString::fromUtf8("\u00b0C \u20ac"), {1, 2}, {3, 4})
                                   << QByteArray("\xb0" "C \x80") + kCoda;
        QTest::newRow("comma quoted") << tabella("a,b", {1, 2}, {3, 4}) << "\"a,b\"" + kCoda;
        QTest::newRow("edge blank quoted") << tabella(" x", {1, 2}, {3, 4}) << "\" x\"" + kCoda;
        QTest::newRow("byte-order mark quoted") << tabella(QString::fromUtf8("\u00ef\u00bb\u00bfT"), {1, 2}, {3, 4})
                                                << "\"\xEF\xBB\xBFT\"" + kCoda;
        QTest::newRow("byte-order mark and quote") << tabella(QString::fromUtf8("\u00ef\u00bb\u00bfT\""), {1, 2}, {3, 4})
                                                   << " \xEF\xBB\xBFT\"" + kCoda;
        QTest::newRow("inner quote bare") << tabella("5\" pipe", {1, 2}, {3, 4}) << "5\" pipe" + kCoda;
        QTest::newRow("no name") << tabella("", {1, 2}, {3, 4}) << QByteArray();
        QTest::newRow("line break") << tabella("a\nb", {1, 2}, {3, 4}) << QByteArray();
        QTest::newRow("outside code page") << tabella(QString::fromUtf8("\u4e2d"), {1, 2}, {3, 4}) << QByteArray();
        QTest::newRow("quote and comma") << tabella("a\",b", {1, 2}, {3, 4}) << QByteArray();
        QTest::newRow("one point") << tabella("x", {1}, {3}) << QByteArray();
        QTest::newRow("infinite") << tabella("x", {1, qInf()}, {3, 4}) << QByteArray();
    }

    void scrittura()
    {
        QFETCH(Tabella, tab);
        QFETCH(QByteArray, atteso);
        QString errore;
        const auto byte = TestoTabellaCsv(tab, errore);
        if (atteso.isEmpty()) {
            QVERIFY(!byte && !errore.isEmpty());
            return;
        }
        QVERIFY2(byte, qPrintable(errore));
        QCOMPARE(*byte, atteso);
        Tabella letta;
        QVERIFY2(LeggiTabellaCsv(*byte, "t.csv", letta, errore), qPrintable(errore));
        QCOMPARE(letta, tab);
    }

    void lettura_data()
    {
        QTest::addColumn<QByteArray>("dati");
        QTest::addColumn<QString>("motivo");   // empty: read, last output 4
        QTest::newRow("LF, no last break") << QByteArray("T\n2\n1\n2\n3\n4") << "";
        QTest::newRow("commas, quotes, blank lines after")
            << QByteArray("  \"T\" , 2.0 ,1,2\r\n3,4D0\r\n\r\n  \r\n") << "";
        QTest::newRow("empty") << QByteArray() << "t.csv, line 1: the file ends too early";
        QTest::newRow("no name") << "\r\n" + kCoda.mid(2) << "no name";
        QTest::newRow("truncated") << QByteArray("T\r\n 3 \r\n1\r\n2\r\n3\r\n4\r\n5\r\n")
                                   << "line 8: the file ends too early";
        QTest::newRow("count 33") << QByteArray("T\r\n 33 \r\n") << "line 2: the point count";
        QTest::newRow("count 1") << QByteArray("T\r\n 1 \r\n1\r\n2\r\n") << "line 2";
        QTest::newRow("count 8.5") << QByteArray("T\r\n 8.5 \r\n") << "line 2";
        QTest::newRow("value text") << QByteArray("T\r\n2\r\n1\r\nabc\r\n3\r\n4\r\n")
                                    << "line 4: \"abc\" is not a number";
        QTest::newRow("value with tail") << QByteArray("T\r\n2\r\n1\r\n2x\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("empty value") << QByteArray("T\r\n2\r\n1\r\n\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("overflow") << QByteArray("T\r\n2\r\n1\r\n1E999\r\n3\r\n4\r\n") << "line 4";
        // White space as a typed field has it: a form feed or a non-breaking space is none.
        QTest::newRow("form feed") << QByteArray("T\r\n2\r\n1\r\n\f-.25\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("no-break space") << QByteArray("T\r\n2\r\n1\r\n\xA0 2\r\n3\r\n4\r\n") << "line 4";
        QTest::newRow("open quote") << "\"T" + kCoda << "line 1: a quoted field has no closing";
        QTest::newRow("after quote") << "\"T\"x" + kCoda << "line 1: text follows";
        QTest::newRow("extra values") << "T" + kCoda + "5\r\n" << "line 7: more values follow";
        QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBFT" + kCoda << "";
        QTest::newRow("oversized") << "T" + kCoda + QByteArray(kMaxByteTabellaCsv, ' ') << "too large";
    }

    void lettura()
    {
        QFETCH(QByteArray, dati);
        QFETCH(QString, motivo);
        Tabella t = tabella("old", {7, 8}, {9, 10});
        const Tabella prima = t;
        QString errore;
        const bool ok = LeggiTabellaCsv(dati, "t.csv", t, errore);
        if (motivo.isEmpty()) {
            QVERIFY2(ok, qPrintable(errore));
            QCOMPARE(t.Nome, QStringLiteral("T"));
            QCOMPARE(t.Uscita[1], 4.0);
            return;
        }
        QVERIFY(!ok);
        QVERIFY2(errore.startsWith("t.csv") && errore.contains(motivo), qPrintable(errore));
        QCOMPARE(t, prima);
    }

    void sulDisco()
    {
        QTemporaryDir dir;
        const QString percorso = dir.filePath("t.csv");
        const Tabella t = tabella("NTC", {-40, 25, 125}, {1e5, 1e4, 3.3});
        QVERIFY(!SalvaTabellaCsv(percorso, t));
        // A table that cannot be written leaves the file as it was.
        QVERIFY(SalvaTabellaCsv(percorso, tabella("", {1, 2}, {3, 4})));
        Tabella letta;
        QVERIFY(!CaricaTabellaCsv(percorso, letta));
        QCOMPARE(letta, t);
        QVERIFY(CaricaTabellaCsv(dir.filePath("none.csv"), letta)->startsWith("Cannot open none.csv"));
        QCOMPARE(::mkfifo(qPrintable(dir.filePath("pipe.csv")), 0600), 0);
        QCOMPARE(*CaricaTabellaCsv(dir.filePath("pipe.csv"), letta),
                 QStringLiteral("Cannot open pipe.csv: not a regular file"));
        QVERIFY(SalvaTabellaCsv(dir.filePath("no/dir/t.csv"), t));
        QFile grande(dir.filePath("big.csv"));
        QVERIFY(grande.open(QIODevice::WriteOnly));
        grande.write(QByteArray(4 * kMaxByteTabellaCsv, '1'));
        grande.close();
        QVERIFY(CaricaTabellaCsv(grande.fileName(), letta)->contains("too large"));
        QCOMPARE(letta, t);
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestFileTabellaCsv)
#include "tst_filetabellacsv.moc"
