#include "app/Avvio.h"
#include "base/Testi.h"
#include "monitor/VistaRegistri.h"
#include "project/Registri.h"
#include "support/Banco.h"

#include <QLocale>
#include <QTest>

using namespace ludra;

class TestVistaRegistri : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Nessuno, test::Banco::Avvio::Stato);
    }
    void cleanup() { banco_.chiudi(); }

    void singleWords_data();
    void singleWords();
    void pairs_data();
    void pairs();
    void secondOfPair();
    void rowZeroHasNoPair();
    void colours();
    void floatIgnoresLocale();
    void lastRegisterHasNoPartner();

private:
    test::Banco banco_;
};

void TestVistaRegistri::singleWords_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("valore");
    QTest::addColumn<QString>("testo");
    QTest::newRow("uInt -1") << 0 << -1 << "65535";
    QTest::newRow("uInt 40000") << 0 << 40000 << "40000";
    QTest::newRow("Int -1") << 1 << -1 << "-1";
    QTest::newRow("Int 40000") << 1 << 40000 << "-25536";
    QTest::newRow("Int 32767") << 1 << 32767 << "32767";
    QTest::newRow("Hex 255") << 7 << 255 << "00FF";
    QTest::newRow("Hex -1") << 7 << -1 << "FFFF";
    QTest::newRow("ASCII") << 8 << 0x4241 << "AB";
    QTest::newRow("ASCII 0 and control bytes as blanks") << 8 << 0x0041 << "A ";
    QTest::newRow("ASCII DEL and tab as blanks") << 8 << 0x097F << "  ";
    QTest::newRow("ASCII code page") << 8 << 0xE980 << QString::fromUtf8("\u20ac\u00e9");
    QTest::newRow("Bin 5") << 9 << 5 << "00000000 00000101";
    QTest::newRow("Table") << 10 << 3 << "3";
    QTest::newRow("K_Flt") << 5 << 7 << "7";
    QTest::newRow("Hex out of range") << 7 << 70000 << "";
}

void TestVistaRegistri::singleWords()
{
    QFETCH(int, formato);
    QFETCH(int, valore);
    QFETCH(QString, testo);
    TabellaRegistri[30].Formato = std::uint8_t(formato);
    TabellaRegistri[30].Valore = valore;
    QCOMPARE(DescriviRegistro(30).valore, testo);
    QCOMPARE(DescriviRegistro(30).tipo, NomiTipi[std::size_t(formato)]);
}

void TestVistaRegistri::pairs_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("basso");
    QTest::addColumn<int>("alto");
    QTest::addColumn<QString>("testo");
    QTest::newRow("Long -1") << 3 << 65535 << 65535 << "-1";
    QTest::newRow("K_Long -1") << 6 << 65535 << 65535 << "-1";
    QTest::newRow("uLong all ones is unsigned") << 2 << 65535 << 65535 << "4294967295";
    QTest::newRow("Long 65536") << 3 << 0 << 1 << "65536";
    QTest::newRow("Float 1") << 4 << 0 << 0x3F80 << "1.00000";
    QTest::newRow("Float -2.5") << 4 << 0 << 0xC020 << "-2.50000";
    QTest::newRow("Float 0") << 4 << 0 << 0 << "0.00000";
}

void TestVistaRegistri::pairs()
{
    QFETCH(int, formato);
    QFETCH(int, basso);
    QFETCH(int, alto);
    QFETCH(QString, testo);
    TabellaRegistri[40].Formato = std::uint8_t(formato);
    TabellaRegistri[40].Valore = basso;
    TabellaRegistri[41].Valore = alto;
    QCOMPARE(DescriviRegistro(40).valore, testo);
}

void TestVistaRegistri::secondOfPair()
{
    TabellaRegistri[40].Formato = 3;
    TabellaRegistri[41].Formato = 3;
    const RigaRegistro riga = DescriviRegistro(41);
    QCOMPARE(riga.valore, QStringLiteral("---"));
    QVERIFY(riga.tipo.isEmpty());
    QCOMPARE(riga.etichetta, QStringLiteral("%R41"));
}

void TestVistaRegistri::rowZeroHasNoPair()
{
    TabellaRegistri[0].Valore = 255;
    QCOMPARE(DescriviRegistro(0).valore, QStringLiteral("255"));
    TabellaRegistri[1].Formato = 0;
    TabellaRegistri[0].Formato = 4;
    QCOMPARE(DescriviRegistro(1).valore, QStringLiteral("---"));
}

void TestVistaRegistri::colours()
{
    TabellaRegistri[30].Cambiato = true;
    QCOMPARE(DescriviRegistro(30).coloreValore, 0x0000C0u);
    QCOMPARE(DescriviRegistro(31).coloreValore, 0x00C000u);
    QCOMPARE(DescriviRegistro(30).coloreNome, 0x000000u);   // user
    QCOMPARE(DescriviRegistro(13).coloreNome, 0x0000FFu);   // system, red
    QCOMPARE(DescriviRegistro(1).coloreNome, 0x0000FFu);
    QCOMPARE(DescriviRegistro(1000).coloreNome, 0xFF0000u); // block, blue
}

void TestVistaRegistri::floatIgnoresLocale()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    TabellaRegistri[40].Formato = 4;
    TabellaRegistri[41].Valore = 0x3FC0;
    QCOMPARE(DescriviRegistro(40).valore, QStringLiteral("1.50000"));
    QLocale::setDefault(QLocale::c());
}

void TestVistaRegistri::lastRegisterHasNoPartner()
{
    TabellaRegistri[1024].Formato = 3;
    TabellaRegistri[1024].Valore = 5;
    QVERIFY(DescriviRegistro(1024).valore.isEmpty());
    QVERIFY(DescriviRegistro(1025).etichetta.isEmpty());
    QVERIFY(DescriviRegistro(-1).etichetta.isEmpty());
}

QTEST_GUILESS_MAIN(TestVistaRegistri)
#include "tst_vistaregistri.moc"
