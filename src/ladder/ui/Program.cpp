#include "ladder/ui/Program.h"

#include "base/Notifiche.h"
#include "base/Testi.h"
#include "base/ui/FinestraPrincipale.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/RigaProgram.h"
#include "platform/Twips.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/VbColor.h"
#include "platform/ui/Geometria.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

namespace ludra::ui {

using platform::pxToTwips;
using platform::twipsRect;
using platform::twipsToPx;

namespace {

void sfondo(QWidget* w, quint32 colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, platform::vbColor(colore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

constexpr int kProgLeft = 120, kProgTop = 900, kProgLarghezza = 5715, kProgAltezza = 5355;

} // namespace

Program::Program(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Program"));
    setFixedWidth(twipsToPx(kLarghezzaTwips));
    resize(twipsToPx(kLarghezzaTwips), twipsToPx(kAltezzaTwips));
    sfondo(this, colore::kSfondoVista);

    tab_ = new QTabBar(this);
    tab_->setObjectName(QStringLiteral("Tab_Prog"));
    tab_->setExpanding(false);
    tab_->setDrawBase(false);
    tab_->move(twipsToPx(60), twipsToPx(60));
    pagina_ = new QFrame(this);
    pagina_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);

    note_ = new QLineEdit(QStringLiteral("Main Program"), this);
    note_->setObjectName(QStringLiteral("note"));
    note_->setGeometry(twipsRect(120, 480, 4455, 405));
    note_->setReadOnly(true);
    {
        QPalette p = note_->palette();
        p.setColor(QPalette::Base, platform::vbColor(colore::kBianco));
        p.setColor(QPalette::Text, platform::vbColor(colore::kRossoScuro));
        note_->setPalette(p);
    }

    formato_ = new QToolButton(this);
    formato_->setObjectName(QStringLiteral("cmd_Formato"));
    formato_->setGeometry(twipsRect(5400, 420, 435, 435));
    formato_->setIconSize(QSize(twipsToPx(435) - 6, twipsToPx(435) - 6));

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("VScroll"));
    scroll_->setGeometry(twipsRect(5880, 1020, 315, kProgAltezza));
    scroll_->setSingleStep(1);
    scroll_->setPageStep(1);

    connect(formato_, &QToolButton::clicked, this, [] { cmd_Formato_Click(); });
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (!sincronizzando_)
            ImpostaScroll(v);
    });
    connect(tab_, &QTabBar::currentChanged, this, [this](int indice) {
        if (!sincronizzando_ && indice >= 0)
            Tab_Prog_Click(indice + 1);
    });

    Notifiche& n = Notifiche::istanza();
    connect(&n, &Notifiche::rungCambiato, this, &Program::sincronizzaRiga);
    connect(&n, &Notifiche::ladderCambiato, this, &Program::sincronizza);

    // The main window's height bounds the layout.
    if (QWidget* principale = finestraPrincipale() ? finestraPrincipale()->cornice() : nullptr) {
        principale->installEventFilter(this);
        Vista().altezzaPrincipale = pxToTwips(principale->frameGeometry().height());
    }

    SetRes();
    FinestreCaricate::istanza().registra(this);
    // The view's state outlives the window: loading draws the project as it stands.
    if (!Vista().Loaded)
        Program_Load();
    sincronizza();
}

Program::~Program()
{
    FinestreCaricate::istanza().rimuovi(this);
    disconnect(&Notifiche::istanza(), nullptr, this, nullptr);
    for (auto& area : righe_)
        for (auto& r : area)
            r.reset();
    Program_Unload();
}

void Program::SetRes() { setWindowTitle(Testi.t(53)); }

QSize Program::sizeHint() const
{
    return {twipsToPx(kLarghezzaTwips), twipsToPx(kAltezzaTwips)};
}

QWidget* Program::prog(int u) const
{
    return u >= 0 && u < int(prog_.size()) ? prog_[std::size_t(u)] : nullptr;
}

RigaProgram* Program::riga(int u, int i)
{
    if (u < 0 || u >= int(righe_.size()) || i < 1 || i >= int(righe_[0].size()) || !RigaEsiste(u, i))
        return nullptr;
    // A removed row's controls wait hidden for the line that takes the row again.
    RigaProgram* r = righe_[std::size_t(u)][std::size_t(i)].get();
    return r ? r : costruisci(u, i);
}

bool Program::inVista(int u, int i) const
{
    const QWidget* area = prog(u);
    if (!area || area->isHidden())
        return false;
    const RigaLadder& r = Riga(u, i);
    if (!r.caricata || !r.pannelloVisibile)
        return false;
    const QRect dentro = area->rect();
    if (!twipsRect(geo::kPannelloLeft, r.topPannello, geo::kPannelloLarghezza, r.altezzaPannello).intersects(dentro)
        && !twipsRect(geo::kBordoLeft, r.topBordo, geo::kBordoLarghezza, r.altezzaBordo).intersects(dentro))
        return false;
    // A later row's panel and frame cover an earlier one in the same place whole.
    for (int j = i + 1; j < int(righe_[0].size()); ++j) {
        const RigaLadder& sopra = Riga(u, j);
        if (sopra.caricata && sopra.pannelloVisibile && sopra.topPannello == r.topPannello
            && sopra.altezzaPannello == r.altezzaPannello && sopra.topBordo == r.topBordo
            && sopra.altezzaBordo == r.altezzaBordo)
            return false;
    }
    return true;
}

RigaProgram* Program::costruisci(int u, int i)
{
    sincronizzaAree();
    QWidget* area = prog(u);
    if (!area)
        return nullptr;
    auto& posto = righe_[std::size_t(u)][std::size_t(i)];
    posto = std::make_unique<RigaProgram>(area, i, this);
    // Later lines lie over earlier ones, whatever order their rows were built in.
    const RigaProgram* seguente = nullptr;
    for (int j = i + 1; j < int(righe_[0].size()) && !seguente; ++j)
        seguente = righe_[std::size_t(u)][std::size_t(j)].get();
    if (seguente) {
        posto->shRung->stackUnder(seguente->Bordo);
        posto->Bordo->stackUnder(posto->shRung);
    } else {
        posto->Bordo->raise();
        posto->shRung->raise();
    }
    // The description boxes take the focus in line order.
    const RigaProgram* precedente = nullptr;
    for (int j = i - 1; j >= 1 && !precedente; --j)
        precedente = righe_[std::size_t(u)][std::size_t(j)].get();
    if (precedente)
        QWidget::setTabOrder(precedente->txt_desc, posto->txt_desc);
    else if (seguente)
        QWidget::setTabOrder(seguente->txt_desc->previousInFocusChain(), posto->txt_desc);
    const RigaLadder& modello = Riga(u, i);
    posto->disegna(modello);
    posto->posiziona(modello);
    return posto.get();
}

void Program::costruisciVisibili()
{
    for (int u = 0; u < int(righe_.size()); ++u)
        for (int i = 1; i < int(righe_[0].size()); ++i)
            if (!righe_[std::size_t(u)][std::size_t(i)] && inVista(u, i))
                costruisci(u, i);
}

void Program::sincronizzaAree()
{
    // One drawing area per unit that has a tab; the current unit's is shown.
    const int tabs = NumeroTab();
    for (int u = 0; u < int(prog_.size()); ++u) {
        QWidget*& area = prog_[std::size_t(u)];
        if (!area && u < tabs) {
            area = new QWidget(this);
            area->setObjectName(QStringLiteral("prog_%1").arg(u));
            area->setGeometry(twipsRect(kProgLeft, kProgTop, kProgLarghezza, kProgAltezza));
            if (u > 0 && prog_[0])
                area->resize(prog_[0]->size());
            sfondo(area, colore::kFacciaPulsante);
        }
        if (area)
            area->setVisible(u == SubCorrente);
    }
    if (QWidget* attuale = prog(SubCorrente))
        attuale->raise();
    scroll_->raise();
}

void Program::sincronizza()
{
    sincronizzando_ = true;
    while (tab_->count() > NumeroTab())
        tab_->removeTab(tab_->count() - 1);
    for (int i = 0; i < tab_->count(); ++i)
        tab_->setTabText(i, CaptionTab(i + 1));
    while (tab_->count() < NumeroTab())
        tab_->addTab(CaptionTab(tab_->count() + 1));
    if (SubCorrente >= 0 && SubCorrente < tab_->count())
        tab_->setCurrentIndex(SubCorrente);
    sincronizzaAree();

    const BarraScorrimento& b = Vista().VScroll;
    scroll_->setRange(0, std::max(b.max, 0));
    scroll_->setValue(b.valore);
    scroll_->setVisible(b.visibile);

    if (immagineFormato_ != ImmagineFormato()) {
        immagineFormato_ = ImmagineFormato();
        formato_->setIcon(platform::LoadResIcon(immagineFormato_));
    }
    sincronizzando_ = false;

    // Layout, format and load changes move rows; their contents come with rungCambiato.
    for (int u = 0; u < int(righe_.size()); ++u) {
        for (int i = 1; i < int(righe_[0].size()); ++i) {
            auto& posto = righe_[std::size_t(u)][std::size_t(i)];
            if (!posto)
                continue;
            if (RigaEsiste(u, i) && posto->inUso())
                posto->posiziona(Riga(u, i));
            else
                sincronizzaRiga(u, i);
        }
    }
    costruisciVisibili();
}

void Program::sincronizzaRiga(int u, int i)
{
    // Row 0 only carries lines that pass through it; it is never drawn.
    if (u < 0 || u >= int(righe_.size()) || i < 1 || i >= int(righe_[0].size()))
        return;
    auto& posto = righe_[std::size_t(u)][std::size_t(i)];
    const RigaLadder& modello = Riga(u, i);
    if (!modello.caricata) {
        if (posto) {
            if (entrato_ == posto->txt_desc)
                entrato_ = nullptr;
            posto->riponi();
        }
        return;
    }
    if (!posto) {
        if (inVista(u, i))
            costruisci(u, i);
        return;
    }
    posto->disegna(modello);
    posto->posiziona(modello);
}

bool Program::eventFilter(QObject* o, QEvent* e)
{
    if (finestraPrincipale() && o == finestraPrincipale()->cornice()) {
        if (e->type() == QEvent::Resize)
            Vista().altezzaPrincipale = pxToTwips(static_cast<QWidget*>(o)->frameGeometry().height());
        return false;
    }
    const QVariant riga = o->property("riga");
    if (!riga.isValid())
        return false;
    const int i = riga.toInt();
    const bool desc = qobject_cast<QLineEdit*>(o) != nullptr;
    switch (e->type()) {
    case QEvent::KeyPress: {
        // Tab walks the description boxes line by line: the next line's row is built
        // before the focus moves on to it.
        const int tasto = static_cast<QKeyEvent*>(e)->key();
        const int vicina = tasto == Qt::Key_Tab ? i + 1 : tasto == Qt::Key_Backtab ? i - 1 : 0;
        if (desc && vicina > 0)
            Program::riga(SubCorrente, vicina);
        return false;
    }
    case QEvent::FocusIn: {
        // Entering the box, not coming back to it from a menu or another window.
        const Qt::FocusReason perche = static_cast<QFocusEvent*>(e)->reason();
        if (desc && perche != Qt::ActiveWindowFocusReason && perche != Qt::PopupFocusReason)
            entra(static_cast<QLineEdit*>(o), i);
        return false;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason perche = static_cast<QFocusEvent*>(e)->reason();
        if (desc && perche != Qt::ActiveWindowFocusReason && perche != Qt::PopupFocusReason
            && o == entrato_)
            entrato_ = nullptr;
        return false;
    }
    case QEvent::MouseButtonPress: {
        // A click into a box that the window's activation focused still enters it.
        if (desc) {
            entra(static_cast<QLineEdit*>(o), i);
            return false;
        }
        if (!o->property("muto").toBool()) {
            auto* me = static_cast<QMouseEvent*>(e);
            const int pulsante = me->button() == Qt::RightButton ? kTastoDestro : 1;
            if (Riga_MouseDown(i, pulsante))
                mostraPopup(me->globalPosition().toPoint());
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (desc)
            return false;
        if (!o->property("muto").toBool())
            Riga_DblClick(i);
        return true;
    default:
        return false;
    }
}

void Program::entra(QLineEdit* box, int riga)
{
    if (entrato_ == box)
        return;
    entrato_ = box;
    txt_desc_GotFocus(riga);
}

void Program::mostraPopup(const QPoint& globale)
{
    if (!finestraPrincipale())
        return;
    if (QMenu* menu = finestraPrincipale()->popup(QStringLiteral("mnu_FB")))
        menu->popup(globale);
}

void Program::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    // The strip follows the window's height; the drawing area of unit 0 and the bar
    // follow the strip. The frame's caption and borders count in the window's height.
    constexpr int kCornice = 495;
    const int altezza = pxToTwips(height()) + kCornice;
    const int tab = std::max(altezza - 600, 1200);
    const int area = tab - 1100;
    const int striscia = tab_->sizeHint().height();
    tab_->resize(twipsToPx(6195), striscia);
    pagina_->setGeometry(twipsToPx(60), twipsToPx(60) + striscia - 1, twipsToPx(6195),
                         twipsToPx(tab) - striscia);
    pagina_->lower();
    if (prog_[0])
        prog_[0]->resize(prog_[0]->width(), twipsToPx(area));
    scroll_->resize(scroll_->width(), twipsToPx(area));
    Vista().altezzaArea = area;
    costruisciVisibili();
}

} // namespace ludra::ui
