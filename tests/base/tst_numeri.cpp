#include "base/CampoIntero.h"
#include "base/Numeri.h"
#include "support/Banco.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ludra;

class TestNumeri : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void leggi_data();
    void leggi();
    void leggiOltreIlDouble();
    void digitato_data();
    void digitato();
    void mostra_data();
    void mostra();
    void mostraRilegge_data();
    void mostraRilegge();

private:
    test::Banco banco_;
};

void TestNumeri::leggi_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<double>("valore");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blank") << " " << 0.0;
    QTest::newRow("plain") << "12" << 12.0;
    QTest::newRow("leading blank") << " 12" << 12.0;
    QTest::newRow("blanks inside") << "1 2 3" << 123.0;
    QTest::newRow("tab and line feed") << "\t4\n5" << 45.0;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("sign then blank") << "- 5" << -5.0;
    QTest::newRow("point") << ".5" << 0.5;
    QTest::newRow("negative point") << "-.25" << -0.25;
    QTest::newRow("trailing point") << "3." << 3.0;
    QTest::newRow("two points") << "1.2.3" << 1.2;
    QTest::newRow("fraction") << "3.75" << 3.75;
    QTest::newRow("comma ends") << "1,5" << 1.0;
    QTest::newRow("trailing text") << "12abc" << 12.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("exponent") << "1E3" << 1000.0;
    QTest::newRow("exponent lower") << "2e-2" << 0.02;
    QTest::newRow("D exponent") << "1.5D2" << 150.0;
    QTest::newRow("exponent sign only") << "1E+" << 1.0;
    QTest::newRow("exponent letter only") << "7E" << 7.0;
    QTest::newRow("exponent blanks") << "1 E 2" << 100.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower") << "&hff" << 255.0;
    QTest::newRow("hex word unsigned") << "&HFFFF" << 65535.0;
    QTest::newRow("hex stops") << "&H1G" << 1.0;
    QTest::newRow("hex empty") << "&H" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O78" << 7.0;
    QTest::newRow("ampersand alone") << "&" << 0.0;
    QTest::newRow("register text") << "%R12" << 0.0;
    QTest::newRow("carriage return ends") << "1\r2" << 1.0;
    QTest::newRow("non-ASCII digit ends") << QString::fromUtf8("1\xD9\xA3") << 1.0;
}

void TestNumeri::leggi()
{
    QFETCH(QString, testo);
    QFETCH(double, valore);
    QCOMPARE(LeggiNumero(testo), valore);
}

void TestNumeri::leggiOltreIlDouble()
{
    QVERIFY(std::isinf(LeggiNumero(QStringLiteral("1E400"))));
    QVERIFY(LeggiNumero(QStringLiteral("-1E400")) < 0);
    QCOMPARE(LeggiNumero(QStringLiteral("1E-400")), 0.0);
    // A very long hexadecimal text stays a finite (if inexact) number.
    QVERIFY(std::isfinite(LeggiNumero(QStringLiteral("&H") + QString(40, QLatin1Char('F')))));
}

// A typed field takes a text only when the whole of it is a number; a whole-number
// field only a whole number in its range (here -65535..65535).
void TestNumeri::digitato_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<double>("valore");   // NaN: no number
    for (const char* t : {"12a", "abc", "2x0", "", " ", "1E", "&H", "&H1G", "%R12", "1,5", "--1"})
        QTest::addRow("'%s'", t) << t << std::numeric_limits<double>::quiet_NaN();
    const std::pair<const char*, double> numeri[] = {
        {" 12 ", 12},  {"1e3", 1000}, {"&H1F", 31}, {"70000", 70000}, {"1 2", 12},   {"\t4\n", 4},
        {"-.5", -0.5}, {"+7", 7},     {"&O17", 15}, {"1.5D2", 150},   {"9E999", HUGE_VAL},
        {"3.75", 3.75}, {".5", 0.5},  {"1.5", 1.5}, {"2.5E1", 25}};
    for (const auto& [t, v] : numeri)
        QTest::addRow("'%s'", t) << t << v;
}

void TestNumeri::digitato()
{
    QFETCH(QString, testo);
    QFETCH(double, valore);
    const std::optional<double> v = NumeroDigitato(testo);
    QCOMPARE(v.has_value(), !std::isnan(valore));
    QCOMPARE(v.value_or(valore), valore);
    // The texts the whole-number field takes, as the number they are.
    const QStringList interi{" 12 ", "1e3", "&H1F", "1 2", "\t4\n", "+7", "&O17", "1.5D2", "2.5E1"};
    const bool intero = interi.contains(testo);
    QCOMPARE(CampoIntero(testo, -65535, 65535),
             intero ? std::optional<long long>(valore) : std::nullopt);
}

void TestNumeri::mostra_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<QString>("testo");
    QTest::newRow("12") << 12.0 << " 12";
    QTest::newRow("-3") << -3.0 << "-3";
    QTest::newRow("0") << 0.0 << " 0";
    QTest::newRow("-0") << -0.0 << " 0";
    QTest::newRow("0.5") << 0.5 << " .5";
    QTest::newRow("-0.25") << -0.25 << "-.25";
    QTest::newRow("1.5") << 1.5 << " 1.5";
    QTest::newRow("no grouping") << 1234567.0 << " 1234567";
    QTest::newRow("32-bit") << 4294967295.0 << " 4294967295";
    QTest::newRow("third") << 1.0 / 3 << " .333333333333333";
    QTest::newRow("0.0001") << 0.0001 << " .0001";
    QTest::newRow("1E-05") << 0.00001 << " 1E-05";
    QTest::newRow("-1.5E-07") << -1.5e-7 << "-1.5E-07";
    QTest::newRow("largest fixed") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("1E+15") << 1e15 << " 1E+15";
    QTest::newRow("1E+20") << 1e20 << " 1E+20";
    QTest::newRow("1.25E+100") << 1.25e100 << " 1.25E+100";
    QTest::newRow("0.1") << 0.1 << " .1";
    QTest::newRow("single 0.1") << double(0.1f) << " .100000001490116";
    // The form follows the 15 digits shown, not the value itself.
    QTest::newRow("just below 1E-04") << 9.9999999999999991e-05 << " .0001";
    QTest::newRow("just below 1E+15") << 999999999999999.875 << " 1E+15";
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << " 1.79769313486231E+308";
    QTest::newRow("least double") << -std::numeric_limits<double>::denorm_min() << "-4.94065645841247E-324";
}

void TestNumeri::mostra()
{
    QFETCH(double, valore);
    QFETCH(QString, testo);
    QCOMPARE(TestoNumero(valore), testo);
}

void TestNumeri::mostraRilegge_data()
{
    QTest::addColumn<double>("valore");
    for (double v : {0.0, 1.0, -1.0, 0.5, -0.75, 26.0, 65535.0, -65536.0, 4294967295.0, 1e-5,
                     3.25e-9, 1e15, -2.5e30, 123.456, 9.9999999999999991e-05,
                     -999999999999999.875, std::numeric_limits<double>::max()})
        QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
}

void TestNumeri::mostraRilegge()
{
    QFETCH(double, valore);
    const QString testo = TestoNumero(valore);
    QCOMPARE(TestoNumero(LeggiNumero(testo)), testo);
    QVERIFY(qAbs(LeggiNumero(testo) - valore) <= qAbs(valore) * 1e-14);
}

QTEST_GUILESS_MAIN(TestNumeri)
#include "tst_numeri.moc"
