#include "app/ui/Principale.h"

#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "app/Uscita.h"
#include "base/Menu.h"
#include "base/Notifiche.h"
#include "platform/Twips.h"
#include "platform/ui/Geometria.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QPainter>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSizeGrip>
#include <QStatusBar>
#include <QStyleOption>
#include <QToolBar>

#include <utility>

namespace ludra::ui {
namespace {
Principale* instance = nullptr;

// What a screen reader hears of a panel: its text, as of a label.
class AccessoPannello final : public QAccessibleWidget {
public:
    explicit AccessoPannello(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QString text(QAccessible::Text tipo) const override
    {
        if (tipo == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const PannelloStato*>(widget())->text();
        return QAccessibleWidget::text(tipo);
    }
};

QAccessibleInterface* accessoPannello(const QString& classe, QObject* oggetto)
{
    if (classe == QLatin1String(PannelloStato::staticMetaObject.className()) && oggetto &&
        oggetto->isWidgetType())
        return new AccessoPannello(static_cast<QWidget*>(oggetto));
    return nullptr;
}
} // namespace

PannelloStato::PannelloStato(QWidget* parent) : QFrame(parent)
{
    static const bool installato = [] {
        QAccessible::installFactory(accessoPannello);
        return true;
    }();
    Q_UNUSED(installato);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void PannelloStato::setText(const QString& testo)
{
    if (testo == testo_)
        return;
    testo_ = testo;
    misura_.reset();
    updateGeometry();   // a panel that grows with its text asks the bar for room
    if (QAccessible::isActive()) {
        QAccessibleEvent evento(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&evento);
    }
    fotogramma_.chiedi(this, true, [this] { update(); });
}

QRect PannelloStato::rettangoloTesto() const
{
    // A label with a frame and no indent of its own sets its text in by half an "x".
    QRect r = contentsRect();
    r.setLeft(r.left() + fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    return r;
}

QSize PannelloStato::sizeHint() const
{
    // The bar asks again and again while it lays out: the measure holds until the text,
    // the font or the frame changes.
    if (!misura_) {
        // As a label measures one line: the text, an "x" of indent, the frame.
        const QFontMetrics fm = fontMetrics();
        const QMargins m = contentsMargins();
        const int rientro = fm.horizontalAdvance(QLatin1Char('x'));
        const int larghezza = 2000 - rientro - m.left() - m.right();
        const QRect testo = fm.boundingRect(0, 0, larghezza, 2000, Qt::AlignLeft, testo_);
        misura_ = QSize(testo.width() + rientro + m.left() + m.right(),
                        testo.height() + m.top() + m.bottom());
    }
    return misura_->expandedTo(minimumSize());
}

void PannelloStato::changeEvent(QEvent* event)
{
    const QEvent::Type tipo = event->type();
    if (tipo == QEvent::FontChange || tipo == QEvent::ApplicationFontChange
        || tipo == QEvent::StyleChange || tipo == QEvent::ContentsRectChange)
        misura_.reset();
    QFrame::changeEvent(event);
}

void PannelloStato::paintEvent(QPaintEvent*)
{
    fotogramma_.disegnato();
    QPainter pittore(this);
    drawFrame(&pittore);
    QStyleOption opzione;
    opzione.initFrom(this);
    style()->drawItemText(&pittore, rettangoloTesto(),
                          Qt::AlignLeft | Qt::AlignVCenter | Qt::TextForceLeftToRight,
                          opzione.palette, isEnabled(), testo_, foregroundRole());
}

Principale& Principale::istanza()
{
    if (!instance)
        instance = new Principale;
    return *instance;
}

bool Principale::esiste() { return instance != nullptr; }

void Principale::distruggi()
{
    delete instance;
    instance = nullptr;
}

Principale::Principale()
{
    setObjectName(QStringLiteral("Principale"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    mdi = new QMdiArea(this);
    mdi->setObjectName(QStringLiteral("mdi"));
    // Child windows placed side by side can reach past the frame: let the user scroll to
    // them rather than lose their close boxes off screen.
    mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi);

    Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setIconSize(QSize(24, 24));

    // Five panels of 1440 twips; panel 5 names the controller sequence running, and
    // grows to show it whole. The other four keep one size: every link request writes
    // panel 4, and a new text then repaints that panel alone instead of laying the whole
    // bar out again. They are as high as the bar makes its items: its tallest one, the
    // size grip included.
    QStatusBar* barra = statusBar();
    int altezza = barra->fontMetrics().height();
    if (const auto* maniglia = barra->findChild<QSizeGrip*>())
        altezza = qMax(altezza, maniglia->sizeHint().height());
    for (int i = 1; i <= 5; ++i) {
        auto* label = new PannelloStato(this);
        label->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        if (i < 5)
            label->setFixedSize(platform::twipsToPx(1440),
                                qMax(altezza, label->sizeHint().height()));
        else
            label->setMinimumWidth(platform::twipsToPx(1440));
        barra->addWidget(label, i < 5 ? 0 : 1);
        pannelli << label;
    }

    costruisciMenu();
    ricostruisciToolbar();
    for (int i = 1; i <= pannelli.size(); ++i)
        aggiornaPannello(i);

    Notifiche& n = Notifiche::istanza();
    connect(&n, &Notifiche::toolbarRicostruita, this, &Principale::ricostruisciToolbar);
    connect(&n, &Notifiche::toolbarCambiata, this, &Principale::aggiornaPulsante);
    connect(&n, &Notifiche::menuCambiato, this, &Principale::aggiornaVoce);
    connect(&n, &Notifiche::statoCambiato, this, &Principale::aggiornaPannello);

    setHostFinestre(this);
    setFinestraPrincipale(this);
}

Principale::~Principale()
{
    if (hostFinestre() == this)
        setHostFinestre(nullptr);
    if (finestraPrincipale() == this)
        setFinestraPrincipale(nullptr);
    // A child window takes itself off the list as it is deleted: they go from a copy,
    // unhooked first, so none changes the list under this loop or reaches it once gone.
    const QList<QMdiSubWindow*> aperte = mdi->subWindowList();
    for (QMdiSubWindow* sub : aperte) {
        disconnect(sub, nullptr, this, nullptr);
        delete sub;
    }
    caricate.clear();
}

void Principale::CaricaImmagini()
{
    for (const ImmagineLista& i : ElencoImmagini())
        ImageList1.insert(QString::fromLatin1(i.chiave), platform::LoadResIcon(i.risorsa));
    ricostruisciToolbar();
}

void Principale::costruisciMenu()
{
    const MenuPrincipale& modello = MenuPrincipale::istanza();
    for (const VoceMenu* barra : modello.figli(QString())) {
        auto* menu = new QMenu(barra->caption, this);
        menu->setObjectName(barra->nome);
        const bool diBarra = barra->nome != QLatin1String("mnu_FB")
                             && barra->nome != QLatin1String("mnu_Cont");
        if (diBarra) {
            QAction* a = menuBar()->addMenu(menu);
            a->setObjectName(barra->nome);
            a->setVisible(barra->visibile);
            azioniMenu.insert(barra->nome, a);
        } else {
            popupMenu.insert(barra->nome, menu);
        }
        for (const VoceMenu* voce : modello.figli(barra->nome)) {
            QAction* a = voce->separatore ? menu->addSeparator() : menu->addAction(voce->caption);
            a->setObjectName(voce->nome);
            a->setVisible(voce->visibile);
            const QString nome = voce->nome;
            connect(a, &QAction::triggered, this, [nome] { ClickMenu(nome); });
            azioniMenu.insert(nome, a);
        }
    }
}

void Principale::aggiornaVoce(const QString& nome)
{
    const VoceMenu* voce = MenuPrincipale::istanza().trova(nome);
    QAction* a = azioniMenu.value(nome);
    if (!voce || !a)
        return;
    a->setText(voce->caption);
    a->setVisible(voce->visibile);
}

void Principale::ricostruisciToolbar()
{
    Toolbar1->clear();
    azioniToolbar.clear();
    for (const Pulsante& p : BarraStrumenti::istanza().pulsanti()) {
        if (p.separatore) {
            Toolbar1->addSeparator();
            continue;
        }
        QAction* a = Toolbar1->addAction(ImageList1.value(p.immagine), QString());
        a->setObjectName(p.chiave);
        platform::suggerimento(a, p.tooltip);
        a->setEnabled(p.attivo());
        const QString chiave = p.chiave;
        connect(a, &QAction::triggered, this, [chiave] { Toolbar1_ButtonClick(chiave); });
        azioniToolbar.insert(chiave, a);
    }
}

void Principale::aggiornaPulsante(const QString& chiave)
{
    const Pulsante* p = BarraStrumenti::istanza().trova(chiave);
    if (QAction* a = azioniToolbar.value(chiave); a && p)
        a->setEnabled(p->attivo());
}

void Principale::aggiornaPannello(int n)
{
    if (PannelloStato* p = pannello(n))
        p->setText(BarraStato::istanza().pannello(n));
}

PannelloStato* Principale::pannello(int n) const
{
    return n >= 1 && n <= pannelli.size() ? pannelli[n - 1] : nullptr;
}

void Principale::registraFinestra(Finestra finestra, Fabbrica fabbrica)
{
    fabbriche.insert(nomeFinestra(finestra), std::move(fabbrica));
}

QMdiSubWindow* Principale::cornice(Finestra f) const { return caricate.value(nomeFinestra(f)); }

QWidget* Principale::finestra(Finestra f) const
{
    QMdiSubWindow* sub = cornice(f);
    return sub ? sub->widget() : nullptr;
}

QWidget* Principale::carica(Finestra f)
{
    if (QWidget* w = finestra(f))
        return w;
    const QString nome = nomeFinestra(f);
    const auto it = fabbriche.constFind(nome);
    if (it == fabbriche.constEnd())
        return nullptr;
    QWidget* w = it.value()();
    // Each step of taking a window in makes Qt lay out the frame's title bar again,
    // shaping the title every time (and so does each layout pass the start queues):
    // that was most of the cost of opening a window. The frame takes the title once it
    // is set up, or at the start once the queued layout has run.
    const QString titolo = w->windowTitle();
    w->setWindowTitle(QString());
    QMdiSubWindow* sub = mdi->addSubWindow(w);
    sub->setObjectName(nome + QStringLiteral("_frame"));
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    sub->resize(sub->sizeHint());
    // Narrow windows keep their width whatever the user drags.
    if (const QVariant larghezza = w->property("larghezzaFissaTwips"); larghezza.isValid())
        sub->setFixedWidth(platform::twipsToPx(larghezza.toInt()));
    w->setWindowTitle(titolo);
    if (titoliTrattenuti_) {
        // The frame waits without its title, and takes it with the other frames.
        sub->setWindowTitle(QString());
        senzaTitolo_.append(sub);
    }
    caricate.insert(nome, sub);
    // A window reloaded under the same name before the old one is gone keeps its entry.
    connect(sub, &QObject::destroyed, this, [this, nome, sub] {
        if (caricate.value(nome) == sub)
            caricate.remove(nome);
    });
    return w;
}

void Principale::rilasciaTitoli()
{
    titoliTrattenuti_ = false;
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (const QPointer<QMdiSubWindow>& sub : std::exchange(senzaTitolo_, {}))
                if (sub && sub->widget())
                    sub->setWindowTitle(sub->widget()->windowTitle());
        },
        Qt::QueuedConnection);
}

void Principale::mostra(Finestra f, bool inPrimoPiano)
{
    if (!carica(f))
        return;   // that window belongs to a later step
    QMdiSubWindow* sub = cornice(f);
    sub->show();
    sub->widget()->show();
    tieniInVista(sub);
    if (inPrimoPiano) {
        sub->raise();
        mdi->setActiveSubWindow(sub);
    }
}

void Principale::chiudi(Finestra f)
{
    // Windows close themselves from their own handlers: the frame goes at once from
    // the loaded windows and is destroyed once control is back in the event loop.
    if (QMdiSubWindow* sub = caricate.take(nomeFinestra(f))) {
        sub->hide();
        sub->deleteLater();
    }
}

void Principale::mostraPagina(Finestra f, int pagina)
{
    QWidget* w = carica(f);
    if (!w)
        return;
    QMetaObject::invokeMethod(w, "mostraPagina", Q_ARG(int, pagina));
    mostra(f);
}

void Principale::affianca(Finestra f, Finestra riferimento)
{
    if (!carica(f))
        return;
    QMdiSubWindow* sub = cornice(f);
    const QMdiSubWindow* rif = cornice(riferimento);
    sub->move(rif ? rif->geometry().right() + 1 : 0, 0);
    sub->show();
    tieniInVista(sub);
}

void Principale::tieniInVista(QMdiSubWindow* sub) const
{
    // The area places a new window below the others once the top is taken; on a small
    // screen that is past the bottom edge, buttons and all.
    platform::nellArea(sub, mdi->viewport()->rect());
}

void Principale::clessidra(bool attiva)
{
    // Nested transfers each set and restore their own pointer.
    if (attiva)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void Principale::chiudiPrincipale() { close(); }

void Principale::closeEvent(QCloseEvent* event)
{
    // The session's end cannot wait for its turn: it waits for nothing.
    const bool sessione = qApp->isSavingSession();
    if (!sessione && !ChiusuraAlTurno([w = QPointer<Principale>(this)] {
            if (w)
                w->close();
        })) {
        event->ignore();
        return;
    }
    // A window holding unsaved work of its own is asked first and may keep the
    // program open.
    for (const Finestra f : {Finestra::frm_LettMAC}) {
        if (QMdiSubWindow* sub = cornice(f); sub && !sub->close()) {
            event->ignore();
            return;
        }
    }
    // The program goes on only when a save the user asked for did not happen.
    if (!MDIForm_Unload(sessione)) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace ludra::ui
