#include "app/ui/Log.h"

#include "base/Log.h"
#include "base/Notifiche.h"
#include "platform/ui/Fotogramma.h"

#include <QCache>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace ludra::ui {
namespace {

// The Log's lines as rows, as many as the window has been shown so far.
class ModelloRighe final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& padre) const override
    {
        return padre.isValid() ? 0 : mostrate_;
    }
    int columnCount(const QModelIndex& padre) const override { return padre.isValid() ? 0 : 1; }

    QVariant data(const QModelIndex& indice, int ruolo) const override
    {
        const QStringList& righe = LogModello::istanza().righe();
        if (ruolo != Qt::DisplayRole || !indice.isValid() || indice.row() >= righe.size())
            return {};
        return righe[indice.row()];
    }

    Qt::ItemFlags flags(const QModelIndex& indice) const override
    {
        return indice.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    void mostraNuove()
    {
        const int righe = int(LogModello::istanza().righe().size());
        if (righe <= mostrate_)
            return;
        beginInsertRows({}, mostrate_, righe - 1);
        mostrate_ = righe;
        endInsertRows();
    }

    void svuota()
    {
        beginResetModel();
        mostrate_ = 0;
        endResetModel();
    }

private:
    int mostrate_ = 0;
};

// What a row's picture depends on.
struct AspettoRiga {
    QString testo;
    QSize dimensione;
    int stato = 0;
    QRgb fondo = 0;
    qreal scala = 1;
    bool operator==(const AspettoRiga&) const = default;
};

size_t qHash(const AspettoRiga& a, size_t seme = 0)
{
    return qHashMulti(seme, a.testo, a.dimensione.width(), a.dimensione.height(), a.stato,
                      a.fondo, a.scala);
}

// Each new line moves every row the window shows: the rows are drawn once and kept as
// pictures, drawn the same way on the list's own background.
class DelegatoRighe final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void svuota() { immagini_.clear(); }

    void paint(QPainter* pittore, const QStyleOptionViewItem& opzione,
               const QModelIndex& indice) const override
    {
        const auto* vista = qobject_cast<const QAbstractItemView*>(opzione.widget);
        const QWidget* area = vista ? vista->viewport() : nullptr;
        const QBrush fondo = area ? area->palette().brush(area->backgroundRole()) : QBrush();
        if (!area || !area->autoFillBackground() || fondo.style() != Qt::SolidPattern) {
            QStyledItemDelegate::paint(pittore, opzione, indice);
            return;
        }
        const qreal scala = pittore->device()->devicePixelRatio();
        AspettoRiga aspetto{indice.data().toString(), opzione.rect.size(), int(opzione.state),
                            fondo.color().rgba(), scala};
        if (const QPixmap* pronta = immagini_.object(aspetto)) {
            pittore->drawPixmap(opzione.rect.topLeft(), *pronta);
            return;
        }
        auto* immagine = new QPixmap(opzione.rect.size() * scala);
        immagine->setDevicePixelRatio(scala);
        immagine->fill(fondo.color());
        {
            QPainter suImmagine(immagine);
            suImmagine.translate(-opzione.rect.topLeft());
            QStyledItemDelegate::paint(&suImmagine, opzione, indice);
        }
        pittore->drawPixmap(opzione.rect.topLeft(), *immagine);
        immagini_.insert(std::move(aspetto), immagine);
    }

private:
    static constexpr int kImmagini = 256;   // a few windows' worth of rows
    mutable QCache<AspettoRiga, QPixmap> immagini_{kImmagini};
};

// The vertical bar of a long Log looks the same after one more line: its thumb already
// has its least length and stands at the end. A change is drawn when the bar's picture
// differs from the one drawn last, once the change that caused it is complete (a new
// line first widens the range, then moves the value to its end).
class BarraRighe final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void sliderChange(SliderChange cambio) override
    {
        if (cambio == SliderOrientationChange) {
            QScrollBar::sliderChange(cambio);
            return;
        }
        // Lines written in a burst move a short Log's thumb with each one: the bar is
        // drawn at most once a frame, with the picture it then has.
        fotogramma_.chiedi(this, false, [this] {
            if (aspetto() != disegnato_)
                update();
        });
    }

    void paintEvent(QPaintEvent* event) override
    {
        disegnato_ = aspetto();
        fotogramma_.disegnato();
        QScrollBar::paintEvent(event);
    }

private:
    struct Aspetto {
        QRect maniglia;
        bool inizio = false;
        bool fine = false;
        bool operator==(const Aspetto&) const = default;
    };

    Aspetto aspetto() const
    {
        QStyleOptionSlider opzione;
        initStyleOption(&opzione);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &opzione,
                                        QStyle::SC_ScrollBarSlider, this),
                value() == minimum(), value() == maximum()};
    }

    Aspetto disegnato_;
    platform::UnaPerFotogramma fotogramma_;
};

} // namespace

ListaLog::ListaLog(QWidget* parent) : QTableView(parent)
{
    setVerticalScrollBar(new BarraRighe(Qt::Vertical, this));
    // Hidden before the model comes: a shown header measures its sections.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setModel(new ModelloRighe(this));
    setItemDelegate(new DelegatoRighe(this));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setHorizontalScrollMode(ScrollPerPixel);
}

int ListaLog::count() const { return model()->rowCount(); }

QString ListaLog::testo(int riga) const { return model()->index(riga, 0).data().toString(); }

int ListaLog::currentRow() const { return currentIndex().row(); }

void ListaLog::setCurrentRow(int riga)
{
    selectionModel()->setCurrentIndex(model()->index(riga, 0),
                                      QItemSelectionModel::ClearAndSelect);
}

void ListaLog::mostraNuove()
{
    const int prima = count();
    static_cast<ModelloRighe*>(model())->mostraNuove();
    if (count() == prima)
        return;
    const QSize ultima = sizeHintForIndex(model()->index(count() - 1, 0));
    if (prima == 0) {
        verticalHeader()->setMinimumSectionSize(ultima.height());
        verticalHeader()->setDefaultSectionSize(ultima.height());
    }
    larghezzaUltima_ = ultima.width();
    adattaLarghezza();
    // The scroll bars the new rows call for, before anything is scrolled into view.
    updateGeometries();
}

void ListaLog::svuota()
{
    static_cast<ModelloRighe*>(model())->svuota();
    larghezzaUltima_ = 0;
    adattaLarghezza();
}

void ListaLog::initViewItemOption(QStyleOptionViewItem* option) const
{
    // A list's options: the style decides whether a selection covers the whole row.
    QAbstractItemView::initViewItemOption(option);
    if (!iconSize().isValid()) {
        const int lato = style()->pixelMetric(QStyle::PM_ListViewIconSize, nullptr, this);
        option->decorationSize = QSize(lato, lato);
    }
    option->decorationPosition = QStyleOptionViewItem::Left;
}

QModelIndex ListaLog::moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori)
{
    // Home and End go to the first and last line, as in a list.
    if (azione == MoveHome || azione == MoveEnd)
        modificatori |= Qt::ControlModifier;
    return QTableView::moveCursor(azione, modificatori);
}

void ListaLog::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    adattaLarghezza();
}

void ListaLog::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    // Rows drawn in another look are drawn again.
    const QEvent::Type tipo = event->type();
    if (tipo == QEvent::PaletteChange || tipo == QEvent::FontChange || tipo == QEvent::StyleChange)
        static_cast<DelegatoRighe*>(itemDelegate())->svuota();
}

void ListaLog::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    allineaInAlto();
}

void ListaLog::updateGeometries()
{
    QTableView::updateGeometries();
    allineaInAlto();
}

void ListaLog::allineaInAlto()
{
    // Scrolled line by line, a list shows its top line whole, at the end of the range too
    // (where a table would show the last one whole instead).
    if (verticalScrollMode() != ScrollPerItem)
        return;
    const int riga = verticalScrollBar()->value();
    if (riga < 0 || riga >= verticalHeader()->count())
        return;
    const int posizione = verticalHeader()->sectionPosition(riga);
    if (verticalHeader()->offset() != posizione) {
        verticalHeader()->setOffset(posizione);
        viewport()->update();
    }
}

void ListaLog::adattaLarghezza()
{
    // Rows are as wide as the window or the last line, whichever is wider.
    const int larghezza = qMax(viewport()->width(), larghezzaUltima_);
    if (columnWidth(0) != larghezza)
        setColumnWidth(0, larghezza);
}

Log::Log(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Log"));
    setWindowTitle(QStringLiteral("Log"));
    setProperty("larghezzaFissaTwips", kLarghezzaTwips);
    testo_ = new ListaLog(this);
    testo_->setObjectName(QStringLiteral("Testo"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(testo_);

    aggiungiRighe();
    connect(&Notifiche::istanza(), &Notifiche::logRigaAggiunta, this, &Log::rigaAggiunta);
    connect(&Notifiche::istanza(), &Notifiche::logSvuotato, testo_, &ListaLog::svuota);
}

void Log::rigaAggiunta()
{
    if (inAttesa_)
        return;
    inAttesa_ = true;
    QMetaObject::invokeMethod(this, &Log::aggiungiRighe, Qt::QueuedConnection);
}

void Log::aggiungiRighe()
{
    inAttesa_ = false;
    testo_->mostraNuove();
    const int sel = LogModello::istanza().selezione();
    if (sel >= 0 && sel < testo_->count() && testo_->currentRow() != sel) {
        testo_->setCurrentRow(sel);
        testo_->scrollTo(testo_->model()->index(sel, 0));
    }
}

} // namespace ludra::ui
