// The memory tool's window: opened from the Tools menu, its fields wired to the
// operations.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "devconfig/ui/frm_eeprom.h"
#include "support/Banco.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmEeprom : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Tutti); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void campi();

private:
    test::Banco banco_;
};

void TestFrmEeprom::campi()
{
    ClickMenu(QStringLiteral("mnu_eeprom"));
    auto* f = qobject_cast<frm_eeprom*>(Principale::istanza().finestra(Finestra::frm_eeprom));
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("EEPROM"));
    QCOMPARE(f->txt_punt[1]->text(), QStringLiteral("5634"));
    QCOMPARE(f->Text2->text(), QStringLiteral("65000"));
    QCOMPARE(f->txt_valoreAD[3]->text(), QStringLiteral("000"));
    const auto etichette = f->findChildren<QLabel*>();
    QVERIFY(std::any_of(etichette.begin(), etichette.end(),
                        [](QLabel* l) { return l->text() == QStringLiteral("Puntatore (0-31)"); }));

    // Typing a value splits it at once.
    f->Option2[3]->setChecked(true);
    f->txt_valore->clear();
    QTest::keyClicks(f->txt_valore, QStringLiteral("4660"));
    QCOMPARE(f->txt_valoreAD[0]->text(), QStringLiteral("52"));
    QCOMPARE(f->txt_valoreAD[1]->text(), QStringLiteral("18"));
    QCOMPARE(f->txt_valoreAD[2]->text(), QStringLiteral("0"));
    // A change of width splits again: 70000 is no Int, -1 no Long.
    f->txt_valore->clear();
    QTest::keyClicks(f->txt_valore, QStringLiteral("70000"));
    f->Option2[1]->click();
    QCOMPARE(f->txt_valoreAD[0]->text(), QString());
    f->txt_valore->clear();
    QTest::keyClicks(f->txt_valore, QStringLiteral("-1"));
    QCOMPARE(f->txt_valoreAD[1]->text(), QStringLiteral("255"));
    f->Option2[3]->click();
    QCOMPARE(f->txt_valoreAD[1]->text(), QString());

    // Not connected: the read fails and empties its fields.
    f->cmd_MAC[0]->click();
    QCOMPARE(f->txt_MAC[2]->text(), QString());
    f->cmd_Puntatori[1]->click();
    QCOMPARE(f->txt_punt[0]->text(), QString());
    // A pointer that is not a number is refused before any request.
    const auto messaggi = banco_.dialogs.messaggi.size();
    f->cmd_Puntatori[0]->click();
    QCOMPARE(banco_.dialogs.messaggi.size(), messaggi + 1);
}

QTEST_MAIN(TestFrmEeprom)
#include "tst_frm_eeprom.moc"
