#include "discovery/ui/ImmaginiRete.h"

#include "platform/ui/Pictures.h"

#include <QPainter>

namespace ludra::ui {
namespace {

const QColor kVerde(36, 160, 72);
const QColor kRosso(207, 34, 46);

void dispositivo(QPainter& p, const QString& famiglia)
{
    p.setPen(QPen(QColor(70, 70, 80), 1.2));
    p.setBrush(QColor(210, 214, 220));
    p.drawRect(QRectF(10, 4, 30, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(kVerde);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(14 + i * 6, 8, 4, 3));
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(14, 16, 22, 10));
    p.setPen(Qt::black);
    QFont f = p.font();
    f.setPixelSize(9);
    p.setFont(f);
    p.drawText(QRectF(0, 34, 50, 14), Qt::AlignCenter, famiglia);
}

} // namespace

QPixmap ImmagineRete(int id)
{
    QPixmap pixmap(50, 50);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor linea = (id == 202 || id == 205) ? kRosso : kVerde;
    switch (id) {
    case 200: {
        p.drawPixmap(9, 0, platform::LoadResPicture(200, 32));
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 33, 50, 15), Qt::AlignCenter, QStringLiteral("HOST"));
        break;
    }
    case 201:
    case 202:
        p.setPen(QPen(linea, 3));
        p.drawLine(QPointF(0, 25), QPointF(25, 25));
        p.drawLine(QPointF(25, 25), QPointF(25, 50));
        break;
    case 204:
    case 205:
        p.setPen(QPen(linea, 3));
        p.drawLine(QPointF(25, 0), QPointF(25, 50));
        p.drawLine(QPointF(25, 25), QPointF(50, 25));
        p.setPen(Qt::NoPen);
        p.setBrush(linea);
        p.drawEllipse(QPointF(25, 25), 4, 4);
        break;
    case 206:
        dispositivo(p, QStringLiteral("KVR5200"));
        break;
    case 207:
        dispositivo(p, QStringLiteral("KVR1000"));
        break;
    default:   // 203 and anything else: blank
        break;
    }
    return pixmap;
}

} // namespace ludra::ui
