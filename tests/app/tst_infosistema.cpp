#include "app/InfoSistema.h"
#include "support/Banco.h"

#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

class TestInfoSistema : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Tutti); }
    void cleanup() { banco_.chiudi(); }
    void firstValueStartsTool();
    void firstValueButStartFails();
    void secondValueNeedsTheFile();
    void secondValueWithFile();
    void nothingFound();

private:
    test::Banco banco_;
};

namespace {
const QString kChiave1 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kChiave2 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kMessaggio = QString::fromUtf8(kInfoSistemaNonDisponibile);
} // namespace

void TestInfoSistema::firstValueStartsTool()
{
    banco_.registry.valori[{kChiave1, QStringLiteral("PATH")}] = QStringLiteral("/opt/tool");
    banco_.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = QStringLiteral("/x");
    StartSysInfo();
    QCOMPARE(banco_.shell.avviati, QStringList{"/opt/tool"});
    QCOMPARE(banco_.registry.letti.size(), 1);   // the second value is not looked at
    QVERIFY(banco_.dialogs.messaggi.empty());
}

void TestInfoSistema::firstValueButStartFails()
{
    banco_.registry.valori[{kChiave1, QStringLiteral("PATH")}] = QStringLiteral("/nowhere");
    banco_.shell.avvioRiesce = false;
    StartSysInfo();
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(banco_.dialogs.messaggi[0].testo, kMessaggio);
}

void TestInfoSistema::secondValueNeedsTheFile()
{
    QTemporaryDir cartella;
    banco_.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = cartella.path();
    StartSysInfo();
    QVERIFY(banco_.shell.avviati.isEmpty());
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(banco_.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
}

void TestInfoSistema::secondValueWithFile()
{
    QTemporaryDir cartella;
    // The tool's name is joined with a backslash, as its settings store writes paths.
    const QString file = cartella.path() + QStringLiteral("\\MSINFO32.EXE");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    banco_.registry.valori[{kChiave2, QStringLiteral("MSINFO")}] = cartella.path();
    StartSysInfo();
    QCOMPARE(banco_.shell.avviati, QStringList{file});
    QVERIFY(banco_.dialogs.messaggi.empty());
}

void TestInfoSistema::nothingFound()
{
    StartSysInfo();
    QVERIFY(banco_.shell.avviati.isEmpty());
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(banco_.dialogs.messaggi[0].testo, kMessaggio);
    QCOMPARE(banco_.dialogs.messaggi[0].pulsanti, platform::MsgButtons::Ok);
}

QTEST_GUILESS_MAIN(TestInfoSistema)
#include "tst_infosistema.moc"
