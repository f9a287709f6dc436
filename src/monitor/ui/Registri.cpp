#include "monitor/ui/Registri.h"

#include "base/Notifiche.h"
#include "base/Testi.h"
#include "monitor/AggiornaRegistri.h"
#include "monitor/DialogoRegistro.h"
#include "monitor/ui/ModelloRegistri.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>

namespace ludra::ui {

using platform::twipsToPx;

namespace {

// Qt measures every header label in bold, for the section a selection highlights. No
// section of this header is ever highlighted: its labels are measured in the font they
// are drawn in, which spares loading a bold face before the first window shows.
class Intestazione final : public QHeaderView {
public:
    explicit Intestazione(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setHighlightSections(false);
    }

protected:
    QSize sectionSizeFromContents(int sezione) const override
    {
        if (!model())
            return {};
        QStyleOptionHeader opzione;
        initStyleOption(&opzione);
        opzione.section = sezione;
        opzione.text = model()->headerData(sezione, orientation(), Qt::DisplayRole).toString();
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &opzione, QSize(), this);
    }
};

} // namespace

Registri::Registri(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Registri"));
    modello_ = new ModelloRegistri(this);
    vista_ = new QTableView(this);
    vista_->setObjectName(QStringLiteral("pRegistri"));
    // The row height is set before the rows arrive: set after, it resizes every one of
    // the thousand rows one by one.
    vista_->verticalHeader()->hide();
    vista_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vista_->verticalHeader()->setDefaultSectionSize(twipsToPx(kAltezzaRigaTwips));
    vista_->setHorizontalHeader(new Intestazione(vista_));
    vista_->setModel(modello_);
    vista_->setSelectionMode(QAbstractItemView::NoSelection);
    vista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista_->setShowGrid(true);
    vista_->setWordWrap(false);
    vista_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    vista_->setColumnWidth(0, twipsToPx(900));
    vista_->setColumnWidth(1, twipsToPx(2000));
    vista_->setColumnWidth(2, twipsToPx(2500));
    vista_->setColumnWidth(3, twipsToPx(800));
    vista_->horizontalHeader()->setStretchLastSection(true);

    Command1 = new QPushButton(QStringLiteral("R"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedWidth(twipsToPx(450));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Command1, 0, Qt::AlignLeft);
    layout->addWidget(vista_);

    setMinimumWidth(sizeHint().width());
    setMaximumHeight(twipsToPx(kAltezzaMassimaTwips));

    connect(vista_, &QTableView::clicked, this,
            [this](const QModelIndex& i) { emit registroCliccato(i.row()); });
    connect(vista_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& i) { emit registroDoppioClic(i.row()); });
    // Both handlers wait with the events running, during which this window may close:
    // nothing of it is touched once they return.
    connect(this, &Registri::registroDoppioClic, this, [](int r) { ModificaRegistro(r); },
            Qt::QueuedConnection);
    connect(Command1, &QPushButton::clicked, this, [] { AggiornaRegistri_new(true); },
            Qt::QueuedConnection);
    // A new window starts at the top; the refresh reads from wherever it is scrolled.
    PrimoRegistroSchermo = 0;
    connect(vista_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { PrimoRegistroSchermo = primoVisibile(); });
    connect(&Notifiche::istanza(), &Notifiche::registriCambiati, this,
            &Registri::VScroll1_Change);

    FinestreCaricate::istanza().registra(this);
    SetRes();
}

Registri::~Registri() { FinestreCaricate::istanza().rimuovi(this); }

void Registri::SetRes()
{
    setWindowTitle(Testi.t(54));
    modello_->setIntestazioni({Testi.t(55), Testi.t(56), Testi.t(57), Testi.t(58)});
}

QSize Registri::sizeHint() const
{
    return {twipsToPx(900 + 2000 + 2500 + 800 + 500), twipsToPx(kAltezzaMassimaTwips) - 40};
}

void Registri::VScroll1_Change() { modello_->ridisegna(); }

int Registri::primoVisibile() const
{
    const int riga = vista_->rowAt(0);
    return riga < 0 ? 0 : riga;
}

void Registri::scorriA(int registro)
{
    vista_->verticalScrollBar()->setValue(registro);
}

} // namespace ludra::ui
