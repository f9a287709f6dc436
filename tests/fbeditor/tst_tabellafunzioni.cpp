#include "fbeditor/TabellaFunzioni.h"
#include "support/Banco.h"

#include <QTest>
#include <map>
#include <set>

using namespace ludra;

class TestTabellaFunzioni : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void funzToOpt_data();
    void funzToOpt();
    void andataERitorno();
    void logWriteTieneIlSuoTriplo();
    void voci_data();
    void voci();
    void vociOltre46SonoVuote();
    void schede();
    void griglia_data();
    void griglia();
    void codiciSenzaScheda();
    void schedaFuoriIntervallo();

private:
    test::Banco banco_;
};

void TestTabellaFunzioni::funzToOpt_data()
{
    QTest::addColumn<int>("classe");
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("subOp");
    QTest::addColumn<int>("codice");
    QTest::newRow("write") << 1 << 0 << 7 << 1;
    QTest::newRow("write module") << 1 << 1 << 3 << 9;
    QTest::newRow("read holding") << 2 << 0 << 9 << 0;
    QTest::newRow("read module") << 2 << 1 << 0 << 2;
    QTest::newRow("read input any") << 4 << 7 << 9 << 40;
    QTest::newRow("read input 0") << 4 << 0 << 0 << 40;
    const int aritmetica[] = {4, 5, 18, 19, 7, 29, 39, 8, 30, 32, 38};
    for (int s = 0; s <= 10; ++s)
        QTest::addRow("3,1,%d", s) << 3 << 1 << s << aritmetica[s];
    QTest::newRow("3,1,11") << 3 << 1 << 11 << 0;
    QTest::newRow("scale") << 3 << 2 << 5 << 3;
    QTest::newRow("call page") << 3 << 3 << 253 << 43;
    QTest::newRow("display refresh") << 3 << 3 << 254 << 44;
    QTest::newRow("A>B gives 0") << 3 << 3 << 0 << 0;
    QTest::newRow("3,4 is SQRT") << 3 << 4 << 0 << 8;
    QTest::newRow("block move") << 3 << 6 << 1 << 46;
    QTest::newRow("compare") << 3 << 128 << 0 << 10;
    QTest::newRow("if goto") << 3 << 129 << 0 << 13;
    QTest::newRow("goto") << 3 << 130 << 0 << 11;
    QTest::newRow("call") << 3 << 131 << 0 << 14;
    QTest::newRow("return") << 3 << 132 << 0 << 15;
    for (int s = 0; s <= 7; ++s)
        QTest::addRow("3,133,%d", s) << 3 << 133 << s << s + 21;
    for (int s = 8; s <= 12; ++s)
        QTest::addRow("3,133,%d", s) << 3 << 133 << s << s + 25;
    QTest::newRow("3,133,13") << 3 << 133 << 13 << 0;
    QTest::newRow("timer") << 3 << 134 << 0 << 16;
    QTest::newRow("trip") << 3 << 137 << 0 << 20;
    QTest::newRow("log write") << 3 << 138 << 0 << 41;
    QTest::newRow("if call") << 3 << 139 << 0 << 42;
    QTest::newRow("watchdog") << 3 << 140 << 0 << 45;
    QTest::newRow("blank") << 0 << 0 << 0 << 0;
    QTest::newRow("3,0") << 3 << 0 << 0 << 0;
    QTest::newRow("3,135") << 3 << 135 << 0 << 0;
    QTest::newRow("3,141") << 3 << 141 << 0 << 0;
    QTest::newRow("class 5") << 5 << 0 << 0 << 0;
    QTest::newRow("1,2") << 1 << 2 << 0 << 0;
    QTest::newRow("negative") << -1 << -1 << -1 << 0;
}

void TestTabellaFunzioni::funzToOpt()
{
    QFETCH(int, classe);
    QFETCH(int, funzione);
    QFETCH(int, subOp);
    QFETCH(int, codice);
    QCOMPARE(int(FunzToOpt(classe, funzione, subOp)), codice);
}

void TestTabellaFunzioni::andataERitorno()
{
    // Every code comes back from its own triple, but the ones the way back never yields.
    const std::set<int> maiRestituiti = {6, 12, 17, 31};
    for (int c = 0; c < kNumCodiciFunzione; ++c) {
        const VoceFunzione& v = TabellaFunzioni[std::size_t(c)];
        const int ritorno = FunzToOpt(v.Classe, v.Funzione, v.SubOp);
        if (maiRestituiti.count(c))
            QCOMPARE(ritorno, 0);
        else
            QCOMPARE(ritorno, c);
    }
}

void TestTabellaFunzioni::logWriteTieneIlSuoTriplo()
{
    const VoceFunzione& v = TabellaFunzioni[41];
    QCOMPARE(int(v.Classe), 3);
    QCOMPARE(int(v.Funzione), 138);
    QCOMPARE(int(v.SubOp), 0);
    QCOMPARE(int(v.Categoria), 0);
    QVERIFY(!HaPulsanteFunzione(41));
    QCOMPARE(ColoreFunzione(41), 0u);
}

void TestTabellaFunzioni::voci_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("categoria");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("classe");
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("subOp");
    QTest::addColumn<int>("immagine");
    // clang-format off
    const int righe[][9] = {
        {0, 1, 0, 255, 1, 2, 0, 0, 1},        {1, 1, 0, 255, 1, 1, 0, 0, 2},
        {2, 1, 0, 255, 1, 2, 1, 0, 8},        {3, 5, 255, 255, 0, 3, 2, 0, 5},
        {4, 5, 255, 255, 0, 3, 1, 0, 17},     {5, 5, 255, 255, 0, 3, 1, 1, 18},
        {6, 6, 255, 192, 128, 3, 3, 0, 7},    {7, 2, 255, 255, 0, 3, 1, 4, 3},
        {8, 5, 255, 255, 0, 3, 1, 7, 6},      {9, 1, 0, 255, 1, 1, 1, 0, 9},
        {10, 6, 255, 192, 128, 3, 128, 0, 10}, {11, 7, 128, 255, 255, 3, 130, 0, 11},
        {12, 5, 128, 255, 255, 0, 0, 0, 0},   {13, 7, 128, 255, 255, 3, 129, 0, 12},
        {14, 7, 128, 255, 255, 3, 131, 0, 13}, {15, 7, 128, 255, 255, 3, 132, 0, 14},
        {16, 8, 255, 0, 255, 3, 134, 0, 15},  {17, 2, 255, 255, 0, 0, 0, 0, 0},
        {18, 5, 255, 255, 0, 3, 1, 2, 21},    {19, 5, 255, 255, 0, 3, 1, 3, 22},
        {20, 6, 255, 192, 128, 3, 137, 0, 20}, {21, 3, 0, 255, 255, 3, 133, 0, 23},
        {22, 3, 0, 255, 255, 3, 133, 1, 24},  {23, 3, 0, 255, 255, 3, 133, 2, 25},
        {24, 3, 0, 255, 255, 3, 133, 3, 26},  {25, 4, 0, 255, 255, 3, 133, 4, 27},
        {26, 4, 0, 255, 255, 3, 133, 5, 28},  {27, 4, 0, 255, 255, 3, 133, 6, 29},
        {28, 4, 0, 255, 255, 3, 133, 7, 30},  {29, 5, 255, 255, 0, 3, 1, 5, 31},
        {30, 5, 255, 255, 0, 3, 1, 8, 32},    {31, 1, 0, 255, 1, 2, 0, 0, 33},
        {32, 5, 255, 255, 0, 3, 1, 9, 34},    {33, 3, 0, 255, 255, 3, 133, 8, 35},
        {34, 3, 0, 255, 255, 3, 133, 9, 36},  {35, 3, 0, 255, 255, 3, 133, 10, 37},
        {36, 3, 0, 255, 255, 3, 133, 11, 38}, {37, 3, 0, 255, 255, 3, 133, 12, 39},
        {38, 5, 255, 255, 0, 3, 1, 10, 40},   {39, 5, 255, 255, 0, 3, 1, 6, 41},
        {40, 1, 0, 255, 1, 4, 0, 0, 4},       {42, 7, 128, 255, 255, 3, 139, 0, 44},
        {43, 9, 255, 0, 0, 3, 3, 253, 45},    {44, 9, 255, 0, 0, 3, 3, 254, 46},
        {45, 7, 128, 255, 255, 3, 140, 0, 47}, {46, 2, 255, 255, 0, 3, 6, 0, 48},
    };
    // clang-format on
    for (const auto& r : righe)
        QTest::addRow("%d", r[0]) << r[0] << r[1] << r[2] << r[3] << r[4] << r[5] << r[6]
                                  << r[7] << r[8];
}

void TestTabellaFunzioni::voci()
{
    QFETCH(int, codice);
    QFETCH(int, categoria);
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(int, classe);
    QFETCH(int, funzione);
    QFETCH(int, subOp);
    QFETCH(int, immagine);
    const VoceFunzione& v = TabellaFunzioni[std::size_t(codice)];
    QCOMPARE(int(v.Categoria), categoria);
    QCOMPARE(int(v.Classe), classe);
    QCOMPARE(int(v.Funzione), funzione);
    QCOMPARE(int(v.SubOp), subOp);
    QCOMPARE(int(v.IdImmagine), immagine);
    QVERIFY(HaPulsanteFunzione(codice));
    // &HBBGGRR
    QCOMPARE(ColoreFunzione(codice), std::uint32_t(r | g << 8 | b << 16));
}

void TestTabellaFunzioni::vociOltre46SonoVuote()
{
    for (int c = kNumCodiciFunzione; c < kVociTabellaFunzioni; ++c) {
        const VoceFunzione& v = TabellaFunzioni[std::size_t(c)];
        QCOMPARE(v.Categoria + v.Classe + v.Funzione + v.SubOp + v.IdImmagine, 0);
        QVERIFY(!HaPulsanteFunzione(c));
    }
    QVERIFY(!HaPulsanteFunzione(-1));
}

void TestTabellaFunzioni::schede()
{
    const QStringList attese = {"Comm", "Move", "Bitwise", "Shift", "Math",
                                "Comp", "Flow", "Timers", "Display"};
    for (int s = 1; s <= kNumSchede; ++s)
        QCOMPARE(NomeScheda(s), attese[s - 1]);
    QVERIFY(NomeScheda(0).isEmpty());
    QVERIFY(NomeScheda(10).isEmpty());
}

void TestTabellaFunzioni::griglia_data()
{
    QTest::addColumn<int>("scheda");
    QTest::addColumn<QString>("attesa");   // "code@row,col ..."
    QTest::newRow("Comm") << 1 << "40@0,0 0@0,1 1@0,2 2@1,0 9@1,1";
    QTest::newRow("Move") << 2 << "7@0,0 46@0,1";
    QTest::newRow("Bitwise") << 3 << "33@0,0 34@0,1 35@0,2 21@1,0 22@1,1 23@1,2 24@2,0 36@2,1 37@2,2";
    QTest::newRow("Shift") << 4 << "25@0,0 26@0,1 27@1,0 28@1,1";
    QTest::newRow("Math") << 5 << "4@0,0 5@0,1 18@0,2 19@1,0 3@1,1 8@1,2 29@2,0 30@2,1 32@2,2 38@3,0 39@3,1";
    QTest::newRow("Comp") << 6 << "20@0,0";
    QTest::newRow("Flow") << 7 << "11@0,0 13@0,1 14@0,2 15@1,0 42@1,1 45@1,2";
    QTest::newRow("Timers") << 8 << "16@0,0";
    QTest::newRow("Display") << 9 << "43@0,0 44@0,1";
}

void TestTabellaFunzioni::griglia()
{
    QFETCH(int, scheda);
    QFETCH(QString, attesa);
    QStringList trovata;
    for (const PosizioneFunzione& p : PosizioniScheda(scheda)) {
        trovata << QStringLiteral("%1@%2,%3").arg(p.codice).arg(p.riga).arg(p.colonna);
        // A choice is offered on the tab of its own category.
        QCOMPARE(int(TabellaFunzioni[p.codice].Categoria), scheda);
    }
    QCOMPARE(trovata.join(QLatin1Char(' ')), attesa);
}

void TestTabellaFunzioni::codiciSenzaScheda()
{
    std::map<int, int> volte;
    for (int s = 1; s <= kNumSchede; ++s)
        for (const PosizioneFunzione& p : PosizioniScheda(s))
            ++volte[p.codice];
    for (int c = 0; c < kNumCodiciFunzione; ++c) {
        const bool nessuna = c == 6 || c == 10 || c == 12 || c == 17 || c == 31 || c == 41;
        QCOMPARE(volte[c], nessuna ? 0 : 1);
    }
    QCOMPARE(kLeftPulsante(1), 1200);
    QCOMPARE(kTopPulsante(3), 3300);
}

void TestTabellaFunzioni::schedaFuoriIntervallo()
{
    QVERIFY(PosizioniScheda(0).empty());
    QVERIFY(PosizioniScheda(10).empty());
}

QTEST_GUILESS_MAIN(TestTabellaFunzioni)
#include "tst_tabellafunzioni.moc"
