#include "platform/ui/VbColor.h"
#include "support/Banco.h"

#include <QGuiApplication>
#include <QPalette>
#include <QTest>

using namespace ludra::platform;

class TestVbColor : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(ludra::test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void colours_data();
    void colours();
    void systemColours();

private:
    ludra::test::Banco banco_;
};

void TestVbColor::colours_data()
{
    QTest::addColumn<quint32>("vb");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << quint32(0x000000FF) << QColor(255, 0, 0);
    QTest::newRow("blue") << quint32(0x00FF0000) << QColor(0, 0, 255);
    QTest::newRow("white") << quint32(0x00FFFFFF) << QColor(255, 255, 255);
    QTest::newRow("mix") << quint32(0x00336699) << QColor(0x99, 0x66, 0x33);
}

void TestVbColor::colours()
{
    QFETCH(quint32, vb);
    QFETCH(QColor, colour);
    QCOMPARE(vbColor(vb), colour);
}

void TestVbColor::systemColours()
{
    const QPalette p = QGuiApplication::palette();
    QCOMPARE(vbColor(kVbButtonFace), p.color(QPalette::Button));
    QCOMPARE(vbColor(kVbWindow), p.color(QPalette::Base));
    QCOMPARE(vbColor(kVbWindowText), p.color(QPalette::Text));
}

QTEST_MAIN(TestVbColor)
#include "tst_vbcolor.moc"
