#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/LetturaFile.h"
#include "platform/Twips.h"
#include "platform/Waiter.h"
#include "support/Banco.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

using namespace ludra::platform;
using ludra::test::Banco;

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    // The waits and the silent dialogs under test are the platform's own; a test that
    // reads what a double recorded opens the bench again with every double.
    void init() { banco_.apri(Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void filters_data();
    void filters();
    void twips();
    void msgBoxCarriesAppTitle();
    void silentDialogsNeverConfirm();
    void waitEndsOnTimeout();
    void waitWakesOnArrival();
    void waitPumpsEvents();
    void waitHandlesNestedWaits();
    void waitEndsOnceQuitting();
    void pausaZeroDoesNotPump();
    void onlyRegularFilesOpen_data();
    void onlyRegularFilesOpen();
    void linesOneAtATime_data();
    void linesOneAtATime();

private:
    Banco banco_;
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
    banco_.chiudi();
    banco_.apri(Banco::Doppi::Tutti);
    msgBox(QStringLiteral("Connection Timeout"), MsgButtons::Ok, MsgIcon::Critical);
    msgBox(QStringLiteral("x"), MsgButtons::Ok, MsgIcon::None, QStringLiteral("VUV-ODO"));
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(banco_.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
    QCOMPARE(banco_.dialogs.messaggi[1].titolo, QStringLiteral("VUV-ODO"));
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
    });
    QVERIFY(waiter().waitUntil([&] { return innerDone; }, 10000));
}

// Once the Quit event has gone through, a wait returns at once; once the event loop has
// ended (the quit is over), waits wait again.
void TestPlatform::waitEndsOnceQuitting()
{
    QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
    const qint64 start = waiter().nowMs();
    QVERIFY(!waiter().waitUntil([] { return false; }, 5000));
    QVERIFY(waiter().nowMs() - start < 2500);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    const qint64 dopo = waiter().nowMs();
    QVERIFY(!waiter().waitUntil([] { return false; }, 30));
    QVERIFY(waiter().nowMs() - dopo >= 30);
}

void TestPlatform::pausaZeroDoesNotPump()
{
    banco_.chiudi();
    banco_.apri(Banco::Doppi::Tutti);
    pause(0);
    pause(-1);
    QCOMPARE(banco_.waiter.pompaggi, 0);
    pause(0.5);
    QCOMPARE(banco_.waiter.attese.back(), qint64(500));
}

void TestPlatform::onlyRegularFilesOpen_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("perche");
    QTest::newRow("regular") << "file" << "";
    QTest::newRow("named pipe") << "pipe" << "not a regular file";
    QTest::newRow("folder") << "." << "not a regular file";
    QTest::newRow("device") << "/dev/null" << "not a regular file";
    QTest::newRow("missing under C") << "none" << "No such file";
    QTest::newRow("not a folder under tr_TR.ISO-8859-9") << "/dev/null/x" << "Bir dizin de\u011Fil";
}

// A pipe with no writer would block the open for good: it must be refused at once.
void TestPlatform::onlyRegularFilesOpen()
{
    QFETCH(QString, nome);
    QFETCH(QString, perche);
    QTemporaryDir dir;
    QFile scritto(dir.filePath(QStringLiteral("file")));
    QVERIFY(scritto.open(QIODevice::WriteOnly) && scritto.write("x") == 1);
    scritto.close();
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    QFile f(nome.startsWith(QLatin1Char('/')) ? nome : dir.filePath(nome));
    QString motivo;
    QCOMPARE(ApriFileRegolare(f, motivo), perche.isEmpty());
    QVERIFY2(motivo.contains(perche), qPrintable(motivo));
    if (perche.isEmpty())
        QCOMPARE(f.readAll(), QByteArray("x"));
}

void TestPlatform::linesOneAtATime_data()
{
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<QStringList>("righe");
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF, no last end") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("lone CRs") << QByteArray("a\rb\r\r\nc\r") << QStringList{"a\rb\r", "c"};
    QTest::newRow("code page") << QByteArray("\x80\xE8\n") << QStringList{QString::fromUtf8("\u20AC\u00E8")};
}

void TestPlatform::linesOneAtATime()
{
    QFETCH(QByteArray, testo);
    QFETCH(QStringList, righe);
    RigheCp1252 lette(testo);
    QStringList tutte;
    for (QString riga; lette.prossima(riga);)
        tutte << riga;
    QCOMPARE(tutte, righe);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
