// The table window opened from the Tools menu: editing, the grid, files, OK.
#include "app/Comandi.h"
#include "base/Testi.h"
#include "compiler/Compilatore.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "monitor/DialogoValori.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"
#include "tables/ui/Input_Tab.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

namespace {

Input_Tab* finestra()
{
    return qobject_cast<Input_Tab*>(Principale::istanza().finestra(Finestra::Input_Tab));
}

QList<int> righeVisibili(Input_Tab* w)
{
    QList<int> r;
    for (int i = 0; i < kRigheGriglia; ++i)
        if (w->pTab(i)->isVisibleTo(w))
            r << i;
    return r;
}

void scrivi(QLineEdit* e, const QString& testo)
{
    e->selectAll();
    QTest::keyClicks(e, testo);
}

} // namespace

class TestInputTab : public QObject {
    Q_OBJECT
    test::Banco banco_;
    test::Banco* doubles = &banco_;

private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Tutti);
        Main();
    }
    void cleanup()
    {
        Principale::distruggi();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        banco_.chiudi();
    }

    void dalMenuSiModificaESiPiazza()
    {
        NumTabelle = 1;
        Tabelle[0].Nome = QStringLiteral("PT100");
        Tabelle[0].NumPunti = 3;
        Tabelle[0].Uscita[2] = 0.5;
        ClickMenu(QStringLiteral("mnu_Tables"));
        Input_Tab* w = finestra();
        QVERIFY(w);
        QVERIFY(!DialogoAperto);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tables"));
        QCOMPARE(w->cmd_Load()->text(), QStringLiteral("Load from File"));
        // Table 0 is shown the first time.
        QCOMPARE(w->ListaTab()->currentRow(), 0);
        QCOMPARE(w->txt_NomeTab()->text(), QStringLiteral("PT100"));
        QCOMPARE(w->txt_TabB(2)->text(), QStringLiteral(".5"));
        QCOMPARE(righeVisibili(w), (QList<int>{0, 1, 2}));
        QVERIFY(!w->VScroll1()->isEnabled());

        // A new table of 20 points, typed; the grid scrolls to its last point.
        scrivi(w->txt_NomeTab(), QStringLiteral("Flow"));
        scrivi(w->txt_Npunti(), QStringLiteral("20"));
        QVERIFY(w->VScroll1()->isEnabled());
        QCOMPARE(righeVisibili(w), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        w->VScroll1()->setValue(20);
        QCOMPARE(w->VScroll1()->value(), 12);
        QCOMPARE(righeVisibili(w), (QList<int>{12, 13, 14, 15, 16, 17, 18, 19}));
        QCOMPARE(w->pTab(12)->y(), w->pTab(19)->y() - 7 * w->pTab(12)->height());
        scrivi(w->txt_TabA(19), QStringLiteral("250"));
        QTest::mouseClick(w->cmd_Insert(), Qt::LeftButton);
        QCOMPARE(int(NumTabelle), 2);
        QCOMPARE(Tabelle[1].Ingresso[19], 250.0);
        QCOMPARE(w->ListaTab()->count(), 2);
        QCOMPARE(w->ListaTab()->currentRow(), 1);

        QTest::mouseClick(w->cmd_ok(1), Qt::LeftButton);
        QVERIFY(!Principale::istanza().caricata(Finestra::Input_Tab));
        QCOMPARE(InputTab.TabAttiva, std::int16_t(1));
        QCOMPARE(Tabelle[0].Blocco2, std::int16_t(107));
        QCOMPARE(Tabelle[1].Blocco2, std::int16_t(103));
        QCOMPARE(Tabelle[1].Blocco1, std::int16_t(100));

        // An index beyond the list selects nothing; OK then gives -1.
        InputTab.TabAttiva = 5;
        ClickMenu(QStringLiteral("mnu_Tables"));
        w = finestra();
        QCOMPARE(w->ListaTab()->currentRow(), -1);
        QVERIFY(CambiaLingua(kItaliano));
        QCOMPARE(w->findChild<QGroupBox*>(QStringLiteral("f_Tab_0"))->title(),
                 QStringLiteral("Elenco Punti"));
        QCOMPARE(w->cmd_Save()->text(), QStringLiteral("Salva su File"));
        w->cmd_ok_Click(1);
        QCOMPARE(InputTab.TabAttiva, std::int16_t(-1));
    }

    void valoreNonNumericoPrendeIlFuoco()
    {
        ClickMenu(QStringLiteral("mnu_Tables"));
        Input_Tab* w = finestra();
        w->activateWindow();
        scrivi(w->txt_NomeTab(), QStringLiteral("T"));
        scrivi(w->txt_Npunti(), QStringLiteral("12"));
        w->VScroll1()->setValue(0);
        scrivi(w->txt_TabB(10), QStringLiteral("1,5"));
        QTest::mouseClick(w->cmd_Insert(), Qt::LeftButton);
        QCOMPARE(int(NumTabelle), 0);
        QVERIFY(doubles->dialogs.messaggi.empty());
        QVERIFY(w->pTab(10)->isVisibleTo(w));
        QCOMPARE(w->txt_TabB(10)->selectedText(), QStringLiteral("1,5"));
    }

    void inseritaEAnnullataSiCompila()
    {
        ClickMenu(QStringLiteral("mnu_Tables"));
        scrivi(finestra()->txt_NomeTab(), QStringLiteral("T"));
        scrivi(finestra()->txt_Npunti(), QStringLiteral("32"));
        finestra()->cmd_Insert()->click();
        QTest::mouseClick(finestra()->cmd_ok(0), Qt::LeftButton);
        QCOMPARE(int(Tabelle[0].Blocco1), 100);
        QVERIFY(Compila() > 0);
    }
};

QTEST_MAIN(TestInputTab)
#include "tst_input_tab.moc"
