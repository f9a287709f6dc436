// Placement of the linearisation tables in controller memory.
#include "app/Avvio.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "tables/Tabelle.h"

#include <QtTest>

using namespace ludra;

class TestTabelle : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Nessuno);
        Controllore.Modello = QStringLiteral("KVR5200-IO");
        ImpostaModello();
    }
    void cleanup() { banco_.chiudi(); }

    void unaTabella_data()
    {
        QTest::addColumn<int>("punti");
        QTest::addColumn<int>("blocco2");
        QTest::addColumn<int>("blocco1");
        QTest::newRow("2 points") << 2 << 107 << 106;
        QTest::newRow("8 points") << 8 << 107 << 106;
        QTest::newRow("9 points") << 9 << 106 << 104;
        QTest::newRow("16 points") << 16 << 106 << 104;
        QTest::newRow("17 points") << 17 << 105 << 102;
        QTest::newRow("32 points") << 32 << 104 << 100;
    }

    void unaTabella()
    {
        QFETCH(int, punti);
        QFETCH(int, blocco2);
        QFETCH(int, blocco1);
        NumTabelle = 1;
        Tabelle[0].NumPunti = std::uint8_t(punti);
        AllocaTabelle();
        QCOMPARE(int(Tabelle[0].Blocco2), blocco2);
        QCOMPARE(int(Tabelle[0].Blocco1), blocco1);
        QCOMPARE(BloccoPiuBasso(), std::optional<int>(blocco1));
    }

    void tabelleSeparate()
    {
        NumTabelle = 3;
        Tabelle[0].NumPunti = 8;
        Tabelle[1].NumPunti = 32;
        Tabelle[2].NumPunti = 9;
        AllocaTabelle();
        QCOMPARE(int(Tabelle[0].Blocco2), 107);
        QCOMPARE(int(Tabelle[0].Blocco1), 106);
        QCOMPARE(int(Tabelle[1].Blocco2), 102);
        QCOMPARE(int(Tabelle[1].Blocco1), 98);
        QCOMPARE(int(Tabelle[2].Blocco2), 96);
        QCOMPARE(int(Tabelle[2].Blocco1), 94);
        QCOMPARE(BloccoPiuBasso(), std::optional<int>(94));
    }

    void senzaTabelle()
    {
        Tabelle[0].Blocco1 = 5;
        AllocaTabelle();
        QCOMPARE(int(Tabelle[0].Blocco1), 5);
        QCOMPARE(BloccoPiuBasso(), std::nullopt);
    }

    void straripamento()
    {
        // A block number that does not fit 16 bits ends the pass; what is not placed
        // keeps its numbers.
        TopTabelle = -32760;
        NumTabelle = 1;
        Tabelle[0].NumPunti = 32;
        Tabelle[0].Blocco1 = 11;
        Tabelle[0].Blocco2 = 12;
        AllocaTabelle();
        QCOMPARE(int(Tabelle[0].Blocco1), 11);
        QCOMPARE(int(Tabelle[0].Blocco2), 12);
    }

    void conteggioOltreIlLimite()
    {
        NumTabelle = 200;
        for (Tabella& t : Tabelle)
            t.NumPunti = 8;
        AllocaTabelle();   // only the nine tables the store has
        QCOMPARE(int(Tabelle[8].Blocco1), 108 - 18);
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestTabelle)
#include "tst_Tabelle.moc"
