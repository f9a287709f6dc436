// Files and device replies whose texts carry markup: every label, box and tooltip of every
// window shows them as the characters they hold, and no image they name is read.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "devconfig/ui/frm_Config.h"
#include "devconfig/ui/frm_LettMAC.h"
#include "discovery/Dispositivi.h"
#include "discovery/ui/frm_search.h"
#include "display/PagineDisplay.h"
#include "ladder/VistaLadder.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "platform/ui/QtDialogs.h"
#include "projectfiles/FileProgetto.h"
#include "support/Banco.h"
#include "support/DispositiviFinti.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"
#include "tables/ui/Input_Tab.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

using namespace ludra;
using namespace ludra::ui;

namespace {

const QString kImg = QStringLiteral("<img src=/dev/zero>"), kB = QStringLiteral("<b>x</b>"),
              kA = QStringLiteral("<a href=http://127.0.0.1/>CLICK</a>");
QStringList visti, ricchi;   // every text shown; the labels and tooltips taken for markup
test::Banco banco;
QTemporaryDir* cartella = nullptr;

// Every window's labels (the boxes' too, each laid out as for drawing, images and all),
// tooltips, fields and lists; then the boxes are answered by closing them.
void guarda()
{
    // A tooltip taken for markup holds no markup but the escaping of what it shows.
    const auto suggerimento = [](const QString& t) {
        visti << (Qt::mightBeRichText(t) ? QTextDocumentFragment::fromHtml(t).toPlainText() : t);
        if (Qt::mightBeRichText(t) && t != Qt::convertFromPlainText(visti.back()))
            ricchi << t;
    };
    for (QWidget* w : QApplication::allWidgets()) {
        suggerimento(w->toolTip());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                suggerimento(c->itemData(i, Qt::ToolTipRole).toString());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            l->sizeHint();
            visti << l->text();
            if (l->textFormat() != Qt::PlainText && Qt::mightBeRichText(l->text()))
                ricchi << l->text();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            visti << e->text();
        } else if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QModelIndex primo = v->model()->index(0, 0);
            for (const QModelIndex& m : v->model()->match(primo, Qt::DisplayRole, QString(), -1,
                                                          Qt::MatchContains | Qt::MatchRecursive))
                visti << m.data().toString();
        }
    }
    for (QDialog* d : Principale::istanza().findChildren<QDialog*>())
        d->close();
}

template <class T> T* finestra(Finestra f) { return qobject_cast<T*>(Principale::istanza().finestra(f)); }

// Written, and chosen in the file dialog.
QString scrivi(const QString& nome, const QByteArray& testo)
{
    QDir().mkpath(QFileInfo(cartella->filePath(nome)).path());
    QFile f(cartella->filePath(nome));
    banco.dialogs.fileScelti = {f.fileName()};
    return f.open(QIODevice::WriteOnly) && f.write(testo) == testo.size() ? f.fileName() : QString();
}

void salvaEApriIlProgetto()
{
    banco.dialogs.fileScelti.assign(2, cartella->filePath(QStringLiteral("p.prj")));
    QVERIFY(SalvaProgetto(true));
    ApriProgetto();
}

using Via = std::function<void(const QString&)>;   // how the text gets where it is shown

} // namespace

class TestTestoSemplice : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco.apri();
        Main();
        // Every box shown for real as well, by the application's own dialogs; a save
        // asked before an open is declined.
        banco.dialogs.predefinita = platform::MsgResult::No;
        banco.dialogs.durante = [] {
            const auto& m = banco.dialogs.messaggi.back();
            platform::QtDialogs(&Principale::istanza()).notice(m.testo, m.icona, m.titolo);
            guarda();
        };
        cartella = new QTemporaryDir;
        visti = ricchi = QStringList();
    }
    void cleanup()
    {
        Principale::distruggi();
        delete cartella;
        banco.chiudi();
    }
    void mostraIlTesto_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<Via>("via");
        const Via rigaLadder = [](const QString& t) {
            test::scriviLinea(1, t);
            Sezioni[0].Rung[1].ArgTesto[1] = kA;
            ImpostaDescrizione(0, 1, kB);
            salvaEApriIlProgetto();
        };
        const Via cellaTabella = [](const QString& t) {
            scrivi(QStringLiteral("t.csv"), "T\r\n 2 \r\n 1 \r\n" + t.toLatin1() + "\r\n");
            ClickMenu(QStringLiteral("mnu_Tables"));
            finestra<Input_Tab>(Finestra::Input_Tab)->cmd_Load()->click();
        };
        QTest::newRow("ladder row, image") << kImg << rigaLadder;
        QTest::newRow("ladder row, bold") << QStringLiteral("<b>L1</b>") << rigaLadder;
        QTest::newRow("table file's value cell, image") << kImg << cellaTabella;
        QTest::newRow("table file's value cell, link") << kA << cellaTabella;
        QTest::newRow("MAC register's path") << kImg << Via([](const QString& t) {
            scrivi(t + QStringLiteral(".csv"), "x\r\n");
            ClickMenu(QStringLiteral("mnu_mac"));
            finestra<frm_LettMAC>(Finestra::frm_LettMAC)->cmd_loadFile->click();
        });
        QTest::newRow("display page's label") << kImg << Via([](const QString& t) {
            Controllore.Modello = QStringLiteral("KVR5460");
            ImpostaModello();
            PagineDisplay.Pagine[0].NumOggetti = 1;
            PagineDisplay.Pagine[0].Oggetti[1].Testo[0] = t;
            salvaEApriIlProgetto();
            ClickMenu(QStringLiteral("mnu_display"));
        });
        QTest::newRow("search reply's device name") << QStringLiteral("<b>x") << Via([](const QString& t) {
            test::RisponditoreUdp udp;
            udp.risposteController = {
                test::RispostaControllerFinta(t.toLatin1(), {1, 2, 3, 4, 5, 6}, {10, 0, 0, 7}, 3, 0)};
            IndirizziRicerca.broadcast = QStringLiteral("127.0.0.1");
            IndirizziRicerca.portaUdp = udp.porta();
            ClickMenu(QStringLiteral("mnu_search"));
            finestra<frm_search>(Finestra::frm_search)->cmd_Search->click();
        });
        QTest::newRow("configuration's device name") << QStringLiteral("<b>x") << Via([](const QString& t) {
            test::LinkSuSim link(test::Mezzo::Tcp);
            QVERIFY(link.connetti());
            link.sim.setRegistro(3, std::uint16_t(t[1].unicode() << 8 | t[0].unicode()));
            link.sim.setRegistro(4, std::uint16_t(t[3].unicode() << 8 | t[2].unicode()));
            Controllore.Modello = QStringLiteral("KVR1212");
            ClickMenu(QStringLiteral("mnu_1000"));
            finestra<frm_Config>(Finestra::frm_Config)->cmd_read[0]->click();
        });
        QTest::newRow("serial port's tooltip") << kB << Via([](const QString& t) {
            const QString porta = scrivi(t, {});
            const platform::MappaPorte prima = platform::setMappaPorte([porta](int) { return porta; });
            ClickMenu(QStringLiteral("mnu_controller"));
            platform::setMappaPorte(prima);
        });
        QTest::newRow("input box's prompt") << kA << Via([](const QString& t) {
            QTimer::singleShot(0, guarda);
            platform::QtDialogs(&Principale::istanza()).inputBox(t, {}, {});
        });
    }
    void mostraIlTesto()
    {
        QFETCH(QString, testo);
        QFETCH(Via, via);
        via(testo);
        guarda();
        QVERIFY2(ricchi.isEmpty(), qPrintable(ricchi.join(u'\n')));
        QVERIFY2(!visti.filter(testo).isEmpty(), qPrintable(testo));
    }
};

QTEST_MAIN(TestTestoSemplice)
#include "tst_testosemplice.moc"
