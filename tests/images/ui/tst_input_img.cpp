// The image window in the running main window: bitmaps loaded, refused and inserted.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "images/Immagini.h"
#include "images/ui/Input_Img.h"
#include "support/Banco.h"
#include "support/BmpProva.h"
#include "support/Doubles.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

namespace {

Input_Img* finestra()
{
    return qobject_cast<Input_Img*>(Principale::istanza().finestra(Finestra::Input_Img));
}

} // namespace

class TestInputImg : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        banco_.apri();
        Main();
        ClickMenu(QStringLiteral("mnu_images"));
        QVERIFY(finestra());
    }

    void cleanup()
    {
        Principale::distruggi();
        banco_.chiudi();
    }

    void caricaEInserisci()
    {
        const QString a = scrivi("a.bmp", test::bmp(16, 12, 24, [](int x, int y) {
                                     return x == 0 && y == 11 ? 0u : 0xFFFFFFu;
                                 }));
        dialogs->fileScelti.push_back(a);
        QVERIFY(finestra()->cmd_Load_Click());
        QCOMPARE(dialogs->richiesteFile.back().filter, QStringLiteral(" (*.bmp)|*.bmp|(*.*)|*.*|"));
        QCOMPARE(finestra()->txt_DimX()->text(), QStringLiteral("16"));
        QCOMPARE(finestra()->txt_dimY()->text(), QStringLiteral("12"));
        finestra()->txt_NomeImg()->setText(QStringLiteral("logo"));
        QVERIFY(finestra()->cmd_Insert_Click());
        QCOMPARE(finestra()->ListaImg()->count(), 1);
        QCOMPARE(NumImmagini, 1);
        QCOMPARE(Immagini[0].NumByte, 32);
        QCOMPARE(Immagini[0].Bitmap[16], 8);   // column 0, row 11
        // The same file over the selected image overwrites it.
        finestra()->ListaImg()->setCurrentRow(0);
        QVERIFY(finestra()->cmd_Insert_Click());
        QCOMPARE(NumImmagini, 1);
        // The file changed, the row's highlight taken away by Ctrl+Space: a new image, and
        // the one the cursor is on stays as it was.
        QTest::keyClick(finestra()->ListaImg(), Qt::Key_Space, Qt::ControlModifier);
        scrivi("a.bmp", test::bmp(16, 12, 24, [](int, int) { return 0xFFFFFFu; }));
        dialogs->fileScelti.push_back(a);
        QVERIFY(finestra()->cmd_Load_Click() && finestra()->cmd_Insert_Click());
        QVERIFY(NumImmagini == 2 && Immagini[0].Bitmap[16] == 8 && Immagini[1].Bitmap[16] == 0);
        finestra()->cmd_ok_Click(1);
        QVERIFY(!Principale::istanza().caricata(Finestra::Input_Img));
    }

    void rifiuti()
    {
        // Nothing loaded yet: nothing to insert.
        QVERIFY(!finestra()->cmd_Insert_Click());
        QCOMPARE(NumImmagini, 0);
        // A cancelled dialog changes nothing and says nothing.
        dialogs->fileScelti.push_back(QString());
        QVERIFY(!finestra()->cmd_Load_Click());
        QCOMPARE(dialogs->messaggi.size(), std::size_t(1));
        const QString buono = scrivi("ok.bmp", test::bmp(8, 8, 1, [](int, int) { return 1u; }));
        dialogs->fileScelti.push_back(buono);
        QVERIFY(finestra()->cmd_Load_Click());
        QByteArray tronco = test::bmp(20, 20, 24, [](int, int) { return 0u; });
        tronco.chop(10);
        dialogs->fileScelti.push_back(scrivi("cut.bmp", tronco));
        QVERIFY(!finestra()->cmd_Load_Click());
        QCOMPARE(dialogs->messaggi.size(), std::size_t(2));
        // The window still holds the good picture.
        QCOMPARE(finestra()->txt_DimX()->text(), QStringLiteral("8"));
        QVERIFY(finestra()->cmd_Insert_Click());
        QCOMPARE(Immagini[0].Percorso, buono);
    }

private:
    QString scrivi(const char* nome, const QByteArray& dati)
    {
        const QString percorso = dir.filePath(QString::fromLatin1(nome));
        QFile f(percorso);
        if (f.open(QIODevice::WriteOnly))
            f.write(dati);
        return percorso;
    }

    QTemporaryDir dir;
    test::Banco banco_;
    test::FakeDialogs* dialogs = &banco_.dialogs;
};

QTEST_MAIN(TestInputImg)
#include "tst_input_img.moc"
