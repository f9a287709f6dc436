#include "app/InfoSistema.h"
#include "support/Doubles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

class TestInfoSistema : public QObject {
    Q_OBJECT
private slots:
    void firstValueStartsTool();
    void firstValueButStartFails();
    void secondValueNeedsTheFile();
    void secondValueWithFile();
    void nothingFound();
};

namespace {
const QString kChiave1 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kChiave2 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kMessaggio = QString::fromUtf8(kInfoSistemaNonDisponibile);
} // namespace

void TestInfoSistema::firstValueStartsTool()
{
    test::PlatformDoubles d;
    d.registry.valori[{kChiave1, QStringLiteral("PATH")}] = QStringLiteral("/opt/tool");
    d.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = QStringLiteral("/x");
    StartSysInfo();
    QCOMPARE(d.shell.avviati, QStringList{"/opt/tool"});
    QCOMPARE(d.registry.letti.size(), 1);   // the second value is not looked at
    QVERIFY(d.dialogs.messaggi.empty());
}

void TestInfoSistema::firstValueButStartFails()
{
    test::PlatformDoubles d;
    d.registry.valori[{kChiave1, QStringLiteral("PATH")}] = QStringLiteral("/nowhere");
    d.shell.avvioRiesce = false;
    StartSysInfo();
    QCOMPARE(d.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(d.dialogs.messaggi[0].testo, kMessaggio);
}

void TestInfoSistema::secondValueNeedsTheFile()
{
    test::PlatformDoubles d;
    QTemporaryDir cartella;
    d.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = cartella.path();
    StartSysInfo();
    QVERIFY(d.shell.avviati.isEmpty());
    QCOMPARE(d.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(d.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
}

void TestInfoSistema::secondValueWithFile()
{
    test::PlatformDoubles d;
    QTemporaryDir cartella;
    // The tool's name is joined with a backslash, as its settings store writes paths.
    const QString file = cartella.path() + QStringLiteral("\\MSINFO32.EXE");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    d.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = cartella.path();
    StartSysInfo();
    QCOMPARE(d.shell.avviati, QStringList{file});
    QVERIFY(d.dialogs.messaggi.empty());
}

void TestInfoSistema::nothingFound()
{
    test::PlatformDoubles d;
    StartSysInfo();
    QVERIFY(d.shell.avviati.isEmpty());
    QCOMPARE(d.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(d.dialogs.messaggi[0].testo, kMessaggio);
    QCOMPARE(d.dialogs.messaggi[0].pulsanti, platform::MsgButtons::Ok);
}

QTEST_GUILESS_MAIN(TestInfoSistema)
#include "tst_infosistema.moc"
