#include "ladder/ui/RigaProgram.h"

#include "ladder/VistaLadder.h"
#include "platform/Twips.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"
#include "platform/ui/VbColor.h"
#include "platform/ui/Geometria.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

namespace ludra::ui {

using platform::twipsRect;
using platform::twipsToPx;
using platform::vbColor;

namespace {

void sfondo(QWidget* w, quint32 colore)
{
    const QColor c = vbColor(colore);
    if (w->autoFillBackground() && w->palette().color(QPalette::Window) == c)
        return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void testo(QWidget* w, quint32 colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, vbColor(colore));
    p.setColor(QPalette::Text, vbColor(colore));
    w->setPalette(p);
}

QLabel* etichetta(QWidget* panel, const QString& nome, int riga, const QRect& r)
{
    auto* l = new platform::Etichetta(panel);
    l->setObjectName(QStringLiteral("%1_%2").arg(nome).arg(riga));
    l->setGeometry(r);
    l->setProperty("riga", riga);
    l->hide();
    return l;
}

void mostra(QWidget* w, bool visibile)
{
    if (w->isVisibleTo(w->parentWidget()) != visibile)
        w->setVisible(visibile);
}

void scrivi(QLabel* l, const ControlloRiga& c)
{
    if (l->text() != c.caption)
        l->setText(c.caption);
    mostra(l, c.visibile);
}

// The breakpoint mark: a red dot of 13 by 13 pixels.
QPixmap marcaBreak()
{
    static const QPixmap p = platform::LoadResPicture(122, 13);
    return p;
}

// The four argument lines between the header and the description: a line's pitch
// and height is its type's real line height, at least the 12 pixels the row was drawn
// for, so one line's descenders never run under the next. The type is the small one of
// the block name, smaller still when four of its lines would reach the description.
struct RigheArgomenti {
    QFont font;
    int passo = 0;
};

RigheArgomenti righeArgomenti(const QFont& base)
{
    const int spazio = twipsToPx(1200) - twipsToPx(360);
    RigheArgomenti r{base, 0};
    for (qreal punti = 8.25;; punti -= 0.25) {
        r.font.setPointSizeF(punti);
        r.passo = std::max(twipsToPx(180), QFontMetrics(r.font).height());
        if (4 * r.passo <= spazio || punti <= 6)
            return r;
    }
}

} // namespace

Cornice::Cornice(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Cornice::setColore(const QColor& c)
{
    if (c == colore_)
        return;
    colore_ = c;
    update();
}

void Cornice::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(colore_, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

RigaProgram::RigaProgram(QWidget* area, int riga, QObject* filtro)
{
    const auto nome = [riga](const char* n) { return QStringLiteral("%1_%2").arg(QLatin1String(n)).arg(riga); };

    Bordo = new Cornice(area);
    Bordo->setObjectName(nome("Bordo"));
    shRung = new QWidget(area);
    shRung->setObjectName(nome("shRung"));
    shRung->setProperty("riga", riga);
    sfondo(shRung, colore::kBianco);

    lbl_Rung = etichetta(shRung, QStringLiteral("lbl_Rung"), riga, twipsRect(0, 0, 375, 255));
    QFont grassetto(QStringLiteral("Arial"));
    grassetto.setPointSizeF(9.75);
    grassetto.setBold(true);
    lbl_Rung->setFont(grassetto);
    sfondo(lbl_Rung, colore::kSfondoFinestra);
    testo(lbl_Rung, colore::kBlu);

    txt_Label = etichetta(shRung, QStringLiteral("txt_Label"), riga, twipsRect(360, 0, 795, 255));
    sfondo(txt_Label, colore::kGrigioChiaro);

    txt_Func = etichetta(shRung, QStringLiteral("txt_Func"), riga, twipsRect(1140, 0, 1455, 255));
    QFont funzione = txt_Func->font();
    funzione.setPointSizeF(8.25);
    funzione.setBold(true);
    txt_Func->setFont(funzione);
    sfondo(txt_Func, colore::kGrigioChiaro);

    txt_Var = etichetta(shRung, QStringLiteral("txt_Var"), riga, twipsRect(2580, 0, 2535, 255));

    img_Break = etichetta(shRung, QStringLiteral("img_Break"), riga, twipsRect(5160, 60, 195, 195));
    img_Break->setPixmap(marcaBreak());
    img_Break->setAlignment(Qt::AlignCenter);

    Immagine = etichetta(shRung, QStringLiteral("Immagine"), riga, twipsRect(2220, 360, 900, 750));
    Immagine->setAlignment(Qt::AlignCenter);
    sfondo(Immagine, colore::kGrigioChiaro);

    const RigheArgomenti argomenti = righeArgomenti(shRung->font());
    for (int k = 0; k < 8; ++k) {
        const int su = twipsToPx(360) + argomenti.passo * (k % 4);
        const auto posto = [&](int left, int width) {
            return QRect(twipsToPx(left), su, twipsToPx(width), argomenti.passo);
        };
        const QString n = QString::number(k);
        if (k < 4) {
            lbl_VarN[k] = etichetta(shRung, QStringLiteral("lbl_Var") + n, riga, posto(0, 1395));
            txt_VarN[k] = etichetta(shRung, QStringLiteral("txt_Var") + n, riga, posto(1440, 795));
        } else {
            txt_VarN[k] = etichetta(shRung, QStringLiteral("txt_Var") + n, riga, posto(3120, 795));
            lbl_VarN[k] = etichetta(shRung, QStringLiteral("lbl_Var") + n, riga, posto(3960, 1455));
        }
        for (QLabel* l : {lbl_VarN[k], txt_VarN[k]})
            l->setFont(argomenti.font);
        sfondo(lbl_VarN[k], colore::kBianco);
        sfondo(txt_VarN[k], colore::kVerdeValori);
    }

    txt_desc = new QLineEdit(shRung);
    txt_desc->setObjectName(nome("txt_desc"));
    txt_desc->setProperty("riga", riga);
    txt_desc->setGeometry(twipsRect(60, 1200, 4815, 225));
    txt_desc->setFrame(false);
    txt_desc->setTextMargins(0, 0, 0, 0);
    sfondo(txt_desc, colore::kBianco);
    testo(txt_desc, colore::kVerdeDescrizione);
    // What the user types goes into the line at once.
    QObject::connect(txt_desc, &QLineEdit::textEdited, txt_desc,
                     [riga](const QString& t) { txt_desc_Change(riga, t); });

    // The controls that answer a click, a double click and a press.
    shRung->installEventFilter(filtro);
    for (QWidget* w : std::initializer_list<QWidget*>{Immagine, txt_Label, txt_Func, txt_Var})
        w->installEventFilter(filtro);
    for (int k = 0; k < 8; ++k) {
        txt_VarN[k]->installEventFilter(filtro);
        lbl_VarN[k]->installEventFilter(filtro);
    }
    txt_desc->installEventFilter(filtro);
    // The line number and the breakpoint mark answer nothing; the filter swallows
    // their presses so that the panel under them does not take them.
    for (QLabel* muto : {lbl_Rung, img_Break}) {
        muto->setProperty("muto", true);
        muto->installEventFilter(filtro);
    }
}

RigaProgram::~RigaProgram()
{
    // The row may go while one of its controls is handling an event: hide it now and
    // let the event loop destroy it.
    for (QWidget* w : std::initializer_list<QWidget*>{shRung, Bordo}) {
        w->hide();
        w->deleteLater();
    }
}

void RigaProgram::riponi()
{
    inUso_ = false;
    shRung->hide();
    Bordo->hide();
}

void RigaProgram::disegna(const RigaLadder& r)
{
    inUso_ = true;
    scrivi(lbl_Rung, r.lbl_Rung);
    sfondo(lbl_Rung, r.sfondoNumero);
    scrivi(txt_Label, r.txt_Label);
    scrivi(txt_Func, r.txt_Func);
    sfondo(txt_Func, r.sfondoFunzione);
    scrivi(txt_Var, r.txt_Var);
    mostra(img_Break, r.img_Break);
    if (immagine_ != r.immagine) {
        immagine_ = r.immagine;
        Immagine->setPixmap(r.immagine ? platform::LoadResPicture(r.immagine, 48) : QPixmap());
    }
    mostra(Immagine, r.immagineVisibile);
    for (int k = 0; k < 8; ++k) {
        scrivi(txt_VarN[k], r.txt_VarN[k]);
        scrivi(lbl_VarN[k], r.lbl_VarN[k]);
    }
    if (txt_desc->text() != r.txt_desc)
        txt_desc->setText(r.txt_desc);
    Bordo->setColore(vbColor(r.coloreBordo));
}

void RigaProgram::posiziona(const RigaLadder& r)
{
    const QRect pannello = twipsRect(geo::kPannelloLeft, r.topPannello, geo::kPannelloLarghezza, r.altezzaPannello);
    const QRect bordo = twipsRect(geo::kBordoLeft, r.topBordo, geo::kBordoLarghezza, r.altezzaBordo);
    if (shRung->geometry() != pannello)
        shRung->setGeometry(pannello);
    if (Bordo->geometry() != bordo)
        Bordo->setGeometry(bordo);
    mostra(txt_Func, r.txt_Func.visibile);
    mostra(txt_Var, r.txt_Var.visibile);
    mostra(shRung, r.pannelloVisibile);
    mostra(Bordo, r.pannelloVisibile);
}

} // namespace ludra::ui
