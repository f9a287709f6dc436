#include "fbeditor/ui/PulsanteFunzione.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace ludra::ui {

PulsanteFunzione::PulsanteFunzione(int codice, const QColor& colore, QWidget* parent)
    : QAbstractButton(parent), codice_(codice), colore_(colore)
{
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QStringLiteral("opt_Funzione_%1").arg(codice));
}

QSize PulsanteFunzione::sizeHint() const { return {70, 33}; }

void PulsanteFunzione::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    QColor fondo = colore_;
    if (isDown())
        fondo = fondo.darker(115);
    p.fillRect(r, fondo);
    // Raised when free, sunken when chosen.
    const QColor chiaro = isChecked() ? QColor(90, 90, 90) : QColor(255, 255, 255);
    const QColor scuro = isChecked() ? QColor(255, 255, 255) : QColor(90, 90, 90);
    p.setPen(chiaro);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(scuro);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    if (isChecked()) {
        p.setPen(QPen(QColor(0, 0, 0), 2));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
    // A caption that does not fit, even wrapped, is drawn smaller rather than cut.
    QFont f = font();
    f.setBold(isChecked());
    const QRect area = r.adjusted(3, 2, -3, -2);
    constexpr int kFlag = Qt::AlignCenter | Qt::TextWordWrap;
    for (qreal punti = f.pointSizeF(); punti > 5.5; punti -= 0.5) {
        f.setPointSizeF(punti);
        const QRect serve = QFontMetrics(f).boundingRect(area, kFlag, text());
        if (serve.width() <= area.width() && serve.height() <= area.height())
            break;
    }
    p.setFont(f);
    p.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(120, 120, 120));
    p.drawText(area, kFlag, text());
    if (hasFocus()) {
        QStyleOptionFocusRect o;
        o.initFrom(this);
        o.rect = r.adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
    }
}

} // namespace ludra::ui
