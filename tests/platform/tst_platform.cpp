#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "platform/Waiter.h"
#include "support/Doubles.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

using namespace ludra::platform;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void twips();
    void msgBoxCarriesAppTitle();
    void silentDialogsNeverConfirm();
    void waitEndsOnTimeout();
    void waitWakesOnArrival();
    void waitPumpsEvents();
    void waitHandlesNestedWaits();
    void pausaZeroDoesNotPump();
};

void TestPlatform::filters_data()
{
    QTest::addColumn<QString>("vb");
    QTest::addColumn<QString>("qt");
    QTest::newRow("project") << " (*.prj)|*.prj|(*.*)|*.*|" << "(*.prj);;(*.*)";
    QTest::newRow("hex") << " (*.hex)|*.hex|(*.*)|*.*|" << "(*.hex);;(*.*)";
    QTest::newRow("described") << "Images|*.bmp;*.dib|" << "Images (*.bmp *.dib)";
    QTest::newRow("no description") << "|*.csv|" << "(*.csv)";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("dangling") << "Text|" << "";
}

void TestPlatform::filters()
{
    QFETCH(QString, vb);
    QFETCH(QString, qt);
    QCOMPARE(qtFilter(vb), qt);
}

void TestPlatform::twips()
{
    QCOMPARE(twipsToPx(15), 1);
    QCOMPARE(twipsToPx(1440), 96);
    QCOMPARE(twipsToPx(16000), 1067);
    QCOMPARE(twipsToPx(10000), 667);
    QCOMPARE(twipsToPx(7), 0);
    QCOMPARE(twipsToPx(8), 1);
    QCOMPARE(twipsToPx(-15), -1);
    QCOMPARE(pxToTwips(96), 1440);
}

void TestPlatform::msgBoxCarriesAppTitle()
{
    ludra::test::PlatformDoubles doubles;
    msgBox(QStringLiteral("Connection Timeout"), MsgButtons::Ok, MsgIcon::Critical);
    msgBox(QStringLiteral("x"), MsgButtons::Ok, MsgIcon::None, QStringLiteral("VUV-ODO"));
    QCOMPARE(doubles.dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(doubles.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
    QCOMPARE(doubles.dialogs.messaggi[1].titolo, QStringLiteral("VUV-ODO"));
}

void TestPlatform::silentDialogsNeverConfirm()
{
    // Without a window layer nothing may be confirmed on the user's behalf.
    QCOMPARE(dialogs().messageBox({}, MsgButtons::OkCancel, MsgIcon::None, {}), MsgResult::Cancel);
    QCOMPARE(dialogs().messageBox({}, MsgButtons::YesNo, MsgIcon::None, {}), MsgResult::No);
    QVERIFY(dialogs().saveFile({}).isEmpty());
    QVERIFY(!dialogs().inputBox({}, {}, {}));
}

void TestPlatform::waitEndsOnTimeout()
{
    const qint64 start = waiter().nowMs();
    QVERIFY(!waiter().waitUntil([] { return false; }, 30));
    QVERIFY(waiter().nowMs() - start >= 30);
}

void TestPlatform::waitWakesOnArrival()
{
    bool arrived = false;
    QTimer::singleShot(5, [&] {
        arrived = true;
        wakeWaiters();
    });
    const qint64 start = waiter().nowMs();
    QVERIFY(waiter().waitUntil([&] { return arrived; }, 10000));
    QVERIFY(waiter().nowMs() - start < 5000);
}

void TestPlatform::waitPumpsEvents()
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    pause(0.05);
    QVERIFY(ticks > 0);
}

void TestPlatform::waitHandlesNestedWaits()
{
    // A handler that runs during a wait starts a wait of its own; the outer one ends
    // after the inner one returns.
    bool innerDone = false;
    QTimer::singleShot(1, [&] {
        pause(0.02);
        innerDone = true;
        wakeWaiters();
    });
    QVERIFY(waiter().waitUntil([&] { return innerDone; }, 10000));
}

void TestPlatform::pausaZeroDoesNotPump()
{
    ludra::test::PlatformDoubles doubles;
    pause(0);
    pause(-1);
    QCOMPARE(doubles.waiter.pompaggi, 0);
    pause(0.5);
    QCOMPARE(doubles.waiter.attese.back(), qint64(500));
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
