// Row layout of both formats, parked rows, the scroll bar and the format toggle.
#include "app/Comandi.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Banco.h"
#include "support/Ladder.h"

#include <QtTest>

using namespace ludra;
using namespace ludra::test;

namespace {

QString tops(int n, bool bordo = false)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QString::number(bordo ? Riga(0, i).topBordo : Riga(0, i).topPannello);
    return out.join(QLatin1Char(','));
}

void righe(int n)
{
    avviaProgetto();
    for (int i = 2; i <= n; ++i)
        AggiungiRung();
}

} // namespace

class TestGeometria : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(Banco::Doppi::Tutti); }
    void cleanup() { banco_.chiudi(); }
    void disposizione_data();
    void disposizione();
    void altezzeEFormato_data();
    void altezzeEFormato();
    void limiteDellaFinestraPrincipale();
    void barraDiScorrimento();
    void barraMossaDallUtente();
    void formatoSuLineaCorrente();
    void formatoDueVolte();
    void formatoSenzaLineaCorrente();
    void formatoConBarraNascosta();
    void rigaFuoriVista();
    void rigaZeroNonSiMuove();

private:
    Banco banco_;
};

void TestGeometria::disposizione_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("linee");
    QTest::addColumn<int>("primo");
    QTest::addColumn<QString>("pannelli");
    QTest::addColumn<QString>("cornici");

    QTest::newRow("tall, top") << 0 << 3 << 0 << "200,2000,3800" << "140,1940,3740";
    QTest::newRow("compact, top") << 1 << 3 << 0 << "200,765,1330" << "140,705,1270";
    QTest::newRow("tall, position 3") << 0 << 5 << 3 << "-1600,-1600,-1600,200,2000"
                                      << "-1660,-1660,-1660,140,1940";
    QTest::newRow("compact, position 2") << 1 << 4 << 2 << "-365,-365,200,765" << "-425,-425,140,705";
    QTest::newRow("tall, 10 lines: 8 laid out")
        << 0 << 10 << 0 << "200,2000,3800,5600,7400,9200,11000,12800,-1600,-1600"
        << "140,1940,3740,5540,7340,9140,10940,12740,-1660,-1660";
    QTest::newRow("position past the last line") << 0 << 3 << 3 << "-1600,-1600,-1600" << "-1660,-1660,-1660";
    QTest::newRow("position before the first line") << 1 << 2 << -1 << "200,765" << "140,705";
}

void TestGeometria::disposizione()
{
    QFETCH(int, formato);
    QFETCH(int, linee);
    QFETCH(int, primo);
    QFETCH(QString, pannelli);
    QFETCH(QString, cornici);
    righe(linee);
    Sezioni[0].Formato = std::uint8_t(formato);
    DisegnaProgramma(primo);
    QCOMPARE(tops(linee), pannelli);
    QCOMPARE(tops(linee, true), cornici);
}

void TestGeometria::altezzeEFormato_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("pannello");
    QTest::addColumn<int>("cornice");
    QTest::addColumn<bool>("riassunto");
    QTest::addColumn<int>("passo");
    QTest::newRow("tall") << 0 << 1515 << 1635 << false << 1800;
    QTest::newRow("compact") << 1 << 400 << 520 << true << 565;
}

void TestGeometria::altezzeEFormato()
{
    QFETCH(int, formato);
    QFETCH(int, pannello);
    QFETCH(int, cornice);
    QFETCH(bool, riassunto);
    QFETCH(int, passo);
    righe(2);
    Sezioni[0].Formato = std::uint8_t(formato);
    DisegnaProgramma(0);
    for (int i = 1; i <= 2; ++i) {
        const RigaLadder& r = Riga(0, i);
        QCOMPARE(r.altezzaPannello, pannello);
        QCOMPARE(r.altezzaBordo, cornice);
        QCOMPARE(r.txt_Func.visibile, riassunto);
        QCOMPARE(r.txt_Var.visibile, riassunto);
    }
    QCOMPARE(Riga(0, 2).topPannello - Riga(0, 1).topPannello, passo);
    QCOMPARE(PassoRighe(0), passo);
}

void TestGeometria::limiteDellaFinestraPrincipale()
{
    righe(30);
    Sezioni[0].Formato = 1;
    DisegnaProgramma(0);
    // Row 23 is the first whose panel reaches 13000 twips.
    QCOMPARE(Riga(0, 23).topPannello, 200 + 22 * 565);
    QCOMPARE(Riga(0, 24).topPannello, -365);
    Vista().altezzaPrincipale = 6000;
    DisegnaProgramma(0);
    QCOMPARE(Riga(0, 11).topPannello, 200 + 10 * 565);
    QCOMPARE(Riga(0, 12).topPannello, -365);
}

void TestGeometria::barraDiScorrimento()
{
    avviaProgetto();
    struct Atteso {
        int max, valore;
        bool visibile;
    };
    const Atteso attesi[] = {{1, 0, false}, {2, 0, false}, {3, 0, false},
                             {4, 1, true},  {5, 2, true},  {6, 3, true}};
    for (int n = 1; n <= 6; ++n) {
        if (n > 1)
            AggiungiRung();
        const BarraScorrimento& b = Vista().VScroll;
        const Atteso& a = attesi[n - 1];
        QCOMPARE(b.max, a.max);
        QCOMPARE(b.valore, a.valore);
        QCOMPARE(b.visibile, a.visibile);
        // Position p shows line p + 1 as the top row.
        QCOMPARE(Riga(0, b.valore + 1).topPannello, 200);
    }
}

void TestGeometria::barraMossaDallUtente()
{
    righe(6);
    ImpostaScroll(0);
    QCOMPARE(tops(3), QStringLiteral("200,2000,3800"));
    ImpostaScroll(99);
    QCOMPARE(Vista().VScroll.valore, 6);
    QCOMPARE(tops(6), QStringLiteral("-1600,-1600,-1600,-1600,-1600,-1600"));
    ImpostaScroll(-5);
    QCOMPARE(Vista().VScroll.valore, 0);
    QCOMPARE(Riga(0, 1).topPannello, 200);
    // Tab clicks keep the cursor and the bar.
    Riga_Click(4);
    ImpostaScroll(2);
    Tab_Prog_Click(1);
    QCOMPARE(int(RungCorrente), 4);
    QCOMPARE(Vista().VScroll.valore, 2);
}

void TestGeometria::formatoSuLineaCorrente()
{
    righe(8);
    Riga_Click(5);
    cmd_Formato_Click();
    QCOMPARE(int(Sezioni[0].Formato), 1);
    QCOMPARE(ImmagineFormato(), 129);
    QCOMPARE(Vista().VScroll.valore, 4);
    QCOMPARE(Riga(0, 5).topPannello, 200);
    QCOMPARE(Riga(0, 6).topPannello, 765);
    QCOMPARE(Riga(0, 4).topPannello, -365);
    QCOMPARE(int(RungCorrente), 5);
    QCOMPARE(Riga(0, 5).coloreBordo, colore::kRosso);
}

void TestGeometria::formatoDueVolte()
{
    righe(2);
    QCOMPARE(ImmagineFormato(), 130);
    cmd_Formato_Click();
    QCOMPARE(ImmagineFormato(), 129);
    cmd_Formato_Click();
    QCOMPARE(ImmagineFormato(), 130);
    QCOMPARE(int(Sezioni[0].Formato), 0);
    // Each unit keeps its own format; the button shows the current unit's.
    cmd_Formato_Click();
    QVERIFY(NuovaSub());
    QCOMPARE(ImmagineFormato(), 130);
    Tab_Prog_Click(1);
    QCOMPARE(ImmagineFormato(), 129);
    // A new project keeps the format.
    NuovoProgetto();
    InitProgetto();
    QCOMPARE(int(Sezioni[0].Formato), 1);
    QCOMPARE(Riga(0, 1).altezzaPannello, 400);
}

void TestGeometria::formatoSenzaLineaCorrente()
{
    righe(1);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    QCOMPARE(int(RungCorrente), 0);
    cmd_Formato_Click();
    QCOMPARE(Vista().VScroll.valore, 0);
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    QCOMPARE(Riga(0, 1).topPannello, 200);
    QCOMPARE(Riga(0, 1).altezzaPannello, 400);
}

void TestGeometria::formatoConBarraNascosta()
{
    righe(3);
    Riga_Click(3);
    cmd_Formato_Click();
    // Line 3 on top: the bar must be there to bring lines 1 and 2 back.
    QCOMPARE(Vista().VScroll.valore, 2);
    QVERIFY(Vista().VScroll.visibile);
    ImpostaScroll(0);
    QCOMPARE(Riga(0, 1).topPannello, 200);
}

void TestGeometria::rigaFuoriVista()
{
    righe(5);
    ImpostaScroll(0);
    QVERIFY(!RigaFuoriVista(1));
    QVERIFY(!RigaFuoriVista(3));   // 3800 + 1515 ends inside the 5355-twip area
    QVERIFY(RigaFuoriVista(4));
    ImpostaScroll(2);
    QVERIFY(RigaFuoriVista(1));
    QVERIFY(!RigaFuoriVista(4));
}

void TestGeometria::rigaZeroNonSiMuove()
{
    righe(4);
    Riga_Click(2);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Toolbar1_ButtonClick(QStringLiteral("rung_move_down"));
    cmd_Formato_Click();
    const RigaLadder& zero = Riga(0, 0);
    QVERIFY(!zero.pannelloVisibile);
    QCOMPARE(zero.topPannello, 120);
    QCOMPARE(zero.altezzaPannello, 1515);
}

QTEST_GUILESS_MAIN(TestGeometria)
#include "tst_geometria.moc"
