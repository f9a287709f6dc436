#include "app/Avvio.h"
#include "base/Menu.h"
#include "base/Testi.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"

#include <QTest>

using namespace ludra;

namespace {

void modello(const char* m)
{
    Controllore.Modello = QString::fromLatin1(m);
    ImpostaModello();
}

bool menuDisplay() { return MenuPrincipale::istanza().trova(QStringLiteral("mnu_display"))->visibile; }

} // namespace

class TestRegistri : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Nessuno);
        ImpostaLingua(kInglese);
    }
    void cleanup() { banco_.chiudi(); }

    void systemRows_data();
    void systemRows();
    void limits();
    void startModel();
    void fromDisplayToBase();
    void unknownModelKeepsEverything();
    void caseMattersInModelNames();
    void userTypesSurviveAnotherOk();
    void labelsFollowClass();
    void row1024();

private:
    test::Banco banco_;
};

void TestRegistri::systemRows_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("classe");
    QTest::addColumn<int>("formato");
    QTest::addColumn<QString>("nome");
    const QStringList tutti = {"KVR5200", "KVR5200-DL", "KVR5200-IO", "KVR5200-DL-IO",
                               "KVR5460"};
    for (const QString& m : tutti) {
        const QByteArray p = m.toLatin1();
        QTest::addRow("%s 0", p.data()) << m << 0 << 1 << 0 << "--Reserved--";
        QTest::addRow("%s 1", p.data()) << m << 1 << 2 << 7 << "Firmware[0]";
        QTest::addRow("%s 3", p.data()) << m << 3 << 2 << 8 << "Name[0]";
        QTest::addRow("%s 10", p.data()) << m << 10 << 1 << 9 << "System Flags";
        QTest::addRow("%s 12", p.data()) << m << 12 << 2 << 0 << "WatchDog";
        QTest::addRow("%s 13", p.data()) << m << 13 << 1 << 7 << "PC";
        QTest::addRow("%s 17", p.data()) << m << 17 << 1 << 7 << "Gateway Mask[L-H]";
        QTest::addRow("%s 19", p.data()) << m << 19 << 1 << 0 << "port 0 Settings";
    }
    for (const char* m : {"KVR5200", "KVR5200-DL"}) {
        QTest::addRow("%s 8", m) << m << 8 << 1 << 0 << "--Reserved--";
        QTest::addRow("%s 9", m) << m << 9 << 1 << 0 << "--Reserved--";
    }
    for (const char* m : {"KVR5200-IO", "KVR5200-DL-IO"}) {
        QTest::addRow("%s 8", m) << m << 8 << 1 << 9 << "Digital Inputs";
        QTest::addRow("%s 9", m) << m << 9 << 1 << 9 << "Digital Outputs";
        QTest::addRow("%s 11", m) << m << 11 << 1 << 0 << "--Reserved--";
    }
    QTest::newRow("5460 8") << "KVR5460" << 8 << 1 << 9 << "Function Keys";
    QTest::newRow("5460 9") << "KVR5460" << 9 << 1 << 0 << "View Page";
    QTest::newRow("5460 11") << "KVR5460" << 11 << 1 << 9 << "Display Options";
    for (const char* m : {"KVR5200", "KVR5200-IO"}) {
        QTest::addRow("%s 22", m) << m << 22 << 1 << 0 << "--Reserved--";
        QTest::addRow("%s 25", m) << m << 25 << 1 << 0 << "--Reserved--";
    }
    for (const char* m : {"KVR5200-DL", "KVR5200-DL-IO", "KVR5460"}) {
        QTest::addRow("%s 22", m) << m << 22 << 1 << 7 << "RTC[Sec]";
        QTest::addRow("%s 23", m) << m << 23 << 1 << 7 << "RTC[Min/Hours]";
        QTest::addRow("%s 24", m) << m << 24 << 1 << 7 << "RTC[Day/Date]";
        QTest::addRow("%s 25", m) << m << 25 << 1 << 7 << "RTC[Month/Year]";
    }
}

void TestRegistri::systemRows()
{
    QFETCH(QString, model);
    QFETCH(int, row);
    QFETCH(int, classe);
    QFETCH(int, formato);
    QFETCH(QString, nome);
    modello("KVR5460");   // a model that names more rows first: the rows must be rewritten
    Controllore.Modello = model;
    ImpostaModello();
    const Registro& r = TabellaRegistri[std::size_t(row)];
    QCOMPARE(int(r.Classe), classe);
    QCOMPARE(int(r.Formato), formato);
    QCOMPARE(r.Nome, nome);
    QCOMPARE(r.Etichetta, (classe == 0 || classe == 3 ? QStringLiteral("%R") : QStringLiteral("%S"))
                              + QString::number(row));
}

void TestRegistri::limits()
{
    modello("KVR5200-DL");
    QCOMPARE(NumRegistri, std::int16_t(1024));
    QCOMPARE(PrimoRegUtente, std::int16_t(26));
    QCOMPARE(PrimoRegBlocco, std::int16_t(960));
    QCOMPARE(NumRegBlocco, std::int16_t(64));
    QCOMPARE(TopTabelle, std::int16_t(128));
    QCOMPARE(PuntProg, std::int16_t(512));
    QCOMPARE(DimProg, std::int16_t(5634));
    QCOMPARE(DimRegEprom, std::int16_t(32));
    QCOMPARE(PuntWebPages, std::int16_t(8192));
}

void TestRegistri::startModel()
{
    modello("KVR5200-IO");
    QCOMPARE(TabellaRegistri[8].Nome, QStringLiteral("Digital Inputs"));
    QCOMPARE(TabellaRegistri[8].Etichetta, QStringLiteral("%S8"));
    QCOMPARE(int(TabellaRegistri[26].Classe), 0);
    QCOMPARE(int(TabellaRegistri[26].Formato), 1);
    QCOMPARE(TabellaRegistri[26].Etichetta, QStringLiteral("%R26"));
    QCOMPARE(int(TabellaRegistri[960].Classe), 3);
    QCOMPARE(int(TabellaRegistri[960].Formato), 1);
    QCOMPARE(TabellaRegistri[960].Etichetta, QStringLiteral("%R960"));
    QCOMPARE(int(TabellaRegistri[1023].Classe), 3);
    QCOMPARE(int(TabellaRegistri[959].Classe), 0);
    QVERIFY(!menuDisplay());
}

void TestRegistri::fromDisplayToBase()
{
    modello("KVR5460");
    QVERIFY(menuDisplay());
    TabellaRegistri[30].Nome = QStringLiteral("Pressure");
    TabellaRegistri[30].Valore = 77;
    modello("KVR5200");
    for (int r : {8, 9, 11, 22, 23, 24, 25}) {
        QCOMPARE(TabellaRegistri[std::size_t(r)].Nome, QStringLiteral("--Reserved--"));
        QCOMPARE(int(TabellaRegistri[std::size_t(r)].Formato), 0);
    }
    QVERIFY(!menuDisplay());
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Pressure"));
    QCOMPARE(TabellaRegistri[30].Valore, 77);
}

void TestRegistri::unknownModelKeepsEverything()
{
    modello("KVR5460");
    const auto prima = TabellaRegistri;
    modello("KVR1750-MBTCP");
    QVERIFY(menuDisplay());
    for (std::size_t r = 0; r < prima.size(); ++r) {
        QCOMPARE(TabellaRegistri[r].Nome, prima[r].Nome);
        QCOMPARE(TabellaRegistri[r].Formato, prima[r].Formato);
        QCOMPARE(TabellaRegistri[r].Etichetta, prima[r].Etichetta);
    }
    QCOMPARE(DimProg, std::int16_t(5634));
}

void TestRegistri::caseMattersInModelNames()
{
    modello("KVR5460");
    modello("kvr5200");
    QCOMPARE(TabellaRegistri[8].Nome, QStringLiteral("Function Keys"));
    QVERIFY(menuDisplay());
}

void TestRegistri::userTypesSurviveAnotherOk()
{
    // Each OK of the settings window runs the model set-up again; the types the user
    // gave the registers (or the project file loaded) must stay.
    modello("KVR5200-IO");
    TabellaRegistri[26].Formato = 4;
    TabellaRegistri[500].Formato = 10;
    TabellaRegistri[970].Formato = 7;
    modello("KVR5200-IO");
    modello("KVR5460");
    QCOMPARE(int(TabellaRegistri[26].Formato), 4);
    QCOMPARE(int(TabellaRegistri[500].Formato), 10);
    QCOMPARE(int(TabellaRegistri[970].Formato), 7);
    QCOMPARE(int(TabellaRegistri[970].Classe), 3);
}

void TestRegistri::labelsFollowClass()
{
    modello("KVR5200");
    QCOMPARE(TabellaRegistri[0].Etichetta, QStringLiteral("%S0"));
    QCOMPARE(TabellaRegistri[25].Etichetta, QStringLiteral("%S25"));
    QCOMPARE(TabellaRegistri[1023].Etichetta, QStringLiteral("%R1023"));
}

void TestRegistri::row1024()
{
    modello("KVR5200-IO");
    QCOMPARE(int(TabellaRegistri[1024].Classe), 0);
    QCOMPARE(int(TabellaRegistri[1024].Formato), 0);
    QCOMPARE(TabellaRegistri[1024].Etichetta, QStringLiteral("%R1024"));
}

QTEST_GUILESS_MAIN(TestRegistri)
#include "tst_registri.moc"
