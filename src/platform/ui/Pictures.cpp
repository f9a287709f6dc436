#include "platform/ui/Pictures.h"

#include "platform/ui/PictureBlocchi.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <functional>
#include <map>

namespace ludra::platform {
namespace {

// All pictures are drawn on a 32 x 32 grid and scaled.
using Disegno = std::function<void(QPainter&)>;

const QColor kVerde(46, 160, 67);
const QColor kRosso(207, 34, 46);
const QColor kAmbra(219, 145, 0);
const QColor kBlu(31, 111, 235);
const QColor kGrigio(87, 96, 106);
const QColor kCarta(250, 250, 247);

void penna(QPainter& p, const QColor& c, double w = 2.5)
{
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void triangolo(QPainter& p, const QColor& c, double x0 = 9, double x1 = 25)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(x0, 6), QPointF(x1, 16), QPointF(x0, 26)}));
}

void quadrato(QPainter& p, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(8, 8, 16, 16), 2, 2);
}

void barre(QPainter& p, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(QRectF(8, 7, 6, 18), 1.5, 1.5);
    p.drawRoundedRect(QRectF(18, 7, 6, 18), 1.5, 1.5);
}

void pagina(QPainter& p, const QRectF& r = QRectF(7, 4, 18, 24))
{
    penna(p, kGrigio, 1.8);
    p.setBrush(kCarta);
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void freccia(QPainter& p, const QColor& c, bool suGiu, double x = 16, double y0 = 6,
             double y1 = 24)
{
    penna(p, c, 3);
    p.drawLine(QPointF(x, y0), QPointF(x, y1));
    const double punta = suGiu ? y0 : y1;
    const double d = suGiu ? 6 : -6;
    p.drawLine(QPointF(x, punta), QPointF(x - 6, punta + d));
    p.drawLine(QPointF(x, punta), QPointF(x + 6, punta + d));
}

void piu(QPainter& p, const QColor& c, double cx, double cy, double r = 5)
{
    penna(p, c, 3);
    p.drawLine(QPointF(cx - r, cy), QPointF(cx + r, cy));
    p.drawLine(QPointF(cx, cy - r), QPointF(cx, cy + r));
}

void riga(QPainter& p, double y, const QColor& c = kGrigio)
{
    penna(p, c, 2);
    p.drawLine(QPointF(9, y), QPointF(23, y));
}

void gradino(QPainter& p)   // one rung of a ladder: two rails and a contact
{
    penna(p, kGrigio, 2);
    p.drawLine(QPointF(4, 4), QPointF(4, 28));
    p.drawLine(QPointF(28, 4), QPointF(28, 28));
    p.drawLine(QPointF(4, 16), QPointF(28, 16));
    p.setBrush(kCarta);
    p.drawRect(QRectF(11, 11, 10, 10));
}

void spina(QPainter& p, bool unita)
{
    const double gap = unita ? 0 : 5;
    p.setPen(Qt::NoPen);
    p.setBrush(unita ? kVerde : kGrigio);
    p.drawRoundedRect(QRectF(3, 11, 11 - gap / 2, 10), 2, 2);
    p.drawRoundedRect(QRectF(18 + gap / 2, 11, 11 - gap / 2, 10), 2, 2);
    penna(p, unita ? kVerde : kGrigio, 2);
    p.drawLine(QPointF(14 - gap / 2, 14), QPointF(18 + gap / 2, 14));
    p.drawLine(QPointF(14 - gap / 2, 18), QPointF(18 + gap / 2, 18));
    if (!unita) {
        penna(p, kRosso, 2.5);
        p.drawLine(QPointF(13, 5), QPointF(19, 27));
    }
}

void lettera(QPainter& p, const QString& testo, const QColor& c, int pt = 14)
{
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(pt);
    p.setFont(f);
    p.setPen(c);
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, testo);
}

const std::map<int, Disegno>& disegni()
{
    static const std::map<int, Disegno> d = {
        {100, [](QPainter& p) { triangolo(p, kVerde); }},
        {101, [](QPainter& p) { barre(p, kAmbra); }},
        {102, [](QPainter& p) { quadrato(p, kRosso); }},
        {103, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(kCarta);
             p.drawRect(QRectF(5, 6, 22, 20));
             for (double y : {11.0, 16.0, 21.0})
                 p.drawLine(QPointF(5, y), QPointF(27, y));
             p.drawLine(QPointF(13, 6), QPointF(13, 26));
         }},
        {104, [](QPainter& p) {
             penna(p, kRosso, 3.5);
             p.drawLine(QPointF(9, 9), QPointF(23, 23));
             p.drawLine(QPointF(23, 9), QPointF(9, 23));
         }},
        {105, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kAmbra);
             p.drawPolygon(QPolygonF({QPointF(21, 5), QPointF(27, 11), QPointF(12, 26),
                                      QPointF(6, 26), QPointF(6, 20)}));
             p.setBrush(kGrigio);
             p.drawPolygon(QPolygonF({QPointF(6, 20), QPointF(12, 26), QPointF(6, 26)}));
         }},
        {106, [](QPainter& p) {
             penna(p, kGrigio, 2);
             p.drawLine(QPointF(9, 8), QPointF(9, 24));
             p.drawLine(QPointF(9, 16), QPointF(17, 16));
             p.drawLine(QPointF(9, 24), QPointF(17, 24));
             p.setBrush(kBlu);
             p.setPen(Qt::NoPen);
             p.drawRect(QRectF(5, 4, 8, 6));
             p.drawRect(QRectF(17, 13, 10, 6));
             p.drawRect(QRectF(17, 21, 10, 6));
         }},
        {108, [](QPainter& p) {
             p.setPen(QPen(kAmbra.darker(130), 1.5));
             p.setBrush(kAmbra);
             p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(14, 11),
                                      QPointF(28, 11), QPointF(28, 26), QPointF(3, 26)}));
         }},
        {109, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlu);
             p.drawRoundedRect(QRectF(5, 5, 22, 22), 2, 2);
             p.setBrush(kCarta);
             p.drawRect(QRectF(9, 5, 14, 8));
             p.drawRect(QRectF(9, 17, 14, 10));
         }},
        {110, [](QPainter& p) { pagina(p); }},
        {111, [](QPainter& p) {
             pagina(p);
             lettera(p, QStringLiteral("01"), kBlu, 11);
         }},
        {112, [](QPainter& p) {
             freccia(p, kBlu, false, 16, 4, 20);
             penna(p, kGrigio, 2.5);
             p.drawPolyline(QPolygonF({QPointF(5, 20), QPointF(5, 27), QPointF(27, 27),
                                       QPointF(27, 20)}));
         }},
        {113, [](QPainter& p) {
             freccia(p, kBlu, true, 16, 4, 20);
             penna(p, kGrigio, 2.5);
             p.drawPolyline(QPolygonF({QPointF(5, 20), QPointF(5, 27), QPointF(27, 27),
                                       QPointF(27, 20)}));
         }},
        {114, [](QPainter& p) {
             pagina(p);
             for (double y : {11.0, 15.0, 19.0, 23.0})
                 riga(p, y);
         }},
        {115, [](QPainter& p) { triangolo(p, kVerde); }},
        {116, [](QPainter& p) { barre(p, kAmbra); }},
        {117, [](QPainter& p) {
             triangolo(p, kVerde, 6, 20);
             p.setBrush(kVerde);
             p.drawRect(QRectF(22, 6, 4, 20));
         }},
        {118, [](QPainter& p) { quadrato(p, kRosso); }},
        {119, [](QPainter& p) { spina(p, true); }},
        {120, [](QPainter& p) { spina(p, false); }},
        {121, [](QPainter& p) {
             pagina(p, QRectF(4, 4, 18, 24));
             piu(p, kVerde, 23, 22);
         }},
        {122, [](QPainter& p) {
             p.setPen(QPen(kRosso.darker(140), 1.5));
             p.setBrush(kRosso);
             p.drawEllipse(QPointF(16, 16), 9, 9);
         }},
        {123, [](QPainter& p) {
             triangolo(p, kVerde, 5, 21);
             p.setPen(Qt::NoPen);
             p.setBrush(kRosso);
             p.drawEllipse(QPointF(24, 16), 5, 5);
         }},
        {124, [](QPainter& p) {
             gradino(p);
             piu(p, kVerde, 16, 7, 4);
         }},
        {125, [](QPainter& p) {
             gradino(p);
             piu(p, kVerde, 16, 25, 4);
         }},
        {126, [](QPainter& p) {
             penna(p, kGrigio, 2);
             for (double y : {12.0, 17.0, 22.0}) {
                 p.drawLine(QPointF(6, y - 2), QPointF(11, y));
                 p.drawLine(QPointF(26, y - 2), QPointF(21, y));
             }
             p.setPen(Qt::NoPen);
             p.setBrush(kRosso);
             p.drawEllipse(QRectF(10, 8, 12, 18));
             p.setBrush(kGrigio);
             p.drawEllipse(QRectF(12, 4, 8, 6));
         }},
        {127, [](QPainter& p) {
             penna(p, kVerde, 4);
             p.drawPolyline(QPolygonF({QPointF(6, 17), QPointF(13, 24), QPointF(26, 8)}));
         }},
        {128, [](QPainter& p) {
             penna(p, kBlu, 2);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(16, 16), 11, 11);
             p.drawEllipse(QRectF(11, 5, 10, 22));
             p.drawLine(QPointF(5, 16), QPointF(27, 16));
         }},
        {129, [](QPainter& p) {
             penna(p, kGrigio, 2.5);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(13, 13), 8, 8);
             p.drawLine(QPointF(19, 19), QPointF(27, 27));
             piu(p, kVerde, 13, 13, 4);
         }},
        {130, [](QPainter& p) {
             penna(p, kGrigio, 2.5);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(13, 13), 8, 8);
             p.drawLine(QPointF(19, 19), QPointF(27, 27));
             penna(p, kRosso, 3);
             p.drawLine(QPointF(9, 13), QPointF(17, 13));
         }},
        {131, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(kCarta);
             p.drawRect(QRectF(5, 7, 22, 20));
             p.setBrush(kRosso);
             p.drawRect(QRectF(5, 7, 22, 5));
             lettera(p, QStringLiteral("31"), kGrigio, 10);
         }},
        {132, [](QPainter& p) { freccia(p, kBlu, true); }},
        {133, [](QPainter& p) { freccia(p, kBlu, false); }},
        {134, [](QPainter& p) {
             pagina(p, QRectF(4, 3, 15, 20));
             pagina(p, QRectF(13, 9, 15, 20));
         }},
        {135, [](QPainter& p) {
             penna(p, kAmbra.darker(140), 1.6);
             p.setBrush(kAmbra);
             p.drawRoundedRect(QRectF(6, 6, 20, 22), 2, 2);
             pagina(p, QRectF(10, 11, 13, 14));
             p.setPen(Qt::NoPen);
             p.setBrush(kGrigio);
             p.drawRect(QRectF(12, 4, 8, 5));
         }},
        {136, [](QPainter& p) {
             penna(p, kBlu, 3);
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7, 8, 18, 16), 90 * 16, 270 * 16);
             p.drawLine(QPointF(16, 8), QPointF(11, 4));
             p.drawLine(QPointF(16, 8), QPointF(11, 12));
         }},
        {137, [](QPainter& p) { lettera(p, QStringLiteral("Ab"), kGrigio, 16); }},
        {138, [](QPainter& p) { lettera(p, QStringLiteral("12"), kBlu, 16); }},
        {139, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(kCarta);
             p.drawRect(QRectF(4, 6, 24, 20));
             p.setPen(Qt::NoPen);
             p.setBrush(kVerde);
             p.drawPolygon(QPolygonF({QPointF(6, 24), QPointF(13, 14), QPointF(19, 24)}));
             p.setBrush(kAmbra);
             p.drawEllipse(QPointF(22, 12), 3, 3);
         }},
        {140, [](QPainter& p) {
             penna(p, kGrigio, 2);
             p.setBrush(kCarta);
             p.drawEllipse(QPointF(16, 16), 11, 11);
             p.drawLine(QPointF(16, 16), QPointF(16, 9));
             p.drawLine(QPointF(16, 16), QPointF(21, 19));
         }},
        {141, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(kCarta);
             p.drawRect(QRectF(5, 7, 22, 20));
             lettera(p, QStringLiteral("D"), kBlu, 13);
         }},
        {142, [](QPainter& p) {
             penna(p, kVerde, 3.5);
             p.drawLine(QPointF(16, 7), QPointF(16, 25));
             p.drawLine(QPointF(7, 16), QPointF(25, 16));
         }},
        {143, [](QPainter& p) {
             penna(p, kRosso, 3.5);
             p.drawLine(QPointF(9, 9), QPointF(23, 23));
             p.drawLine(QPointF(23, 9), QPointF(9, 23));
         }},
        {144, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlu);
             p.drawPolygon(QPolygonF({QPointF(16, 6), QPointF(26, 18), QPointF(6, 18)}));
             p.drawRect(QRectF(12, 18, 8, 8));
         }},
        {145, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlu);
             p.drawPolygon(QPolygonF({QPointF(16, 26), QPointF(26, 14), QPointF(6, 14)}));
             p.drawRect(QRectF(12, 6, 8, 8));
         }},
        {146, [](QPainter& p) {
             penna(p, kVerde, 4);
             p.drawLine(QPointF(7, 17), QPointF(13, 23));
             p.drawLine(QPointF(13, 23), QPointF(25, 9));
         }},
        {148, [](QPainter& p) {
             p.setPen(QPen(kVerde.darker(150), 1.5));
             p.setBrush(kVerde);
             p.drawEllipse(QPointF(16, 16), 8, 8);
         }},
        {149, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(kCarta);
             p.drawRect(QRectF(3, 11, 26, 10));
             p.setPen(Qt::NoPen);
             p.setBrush(kBlu);
             p.drawRect(QRectF(5, 13, 14, 6));
         }},
        {150, [](QPainter& p) {
             penna(p, kGrigio, 3);
             p.drawLine(QPointF(5, 26), QPointF(27, 6));
         }},
        {152, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kVerde);
             p.drawRect(QRectF(3, 8, 9, 16));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(12, 8, 8, 16));
             p.setBrush(kRosso);
             p.drawRect(QRectF(20, 8, 9, 16));
         }},
        {153, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(1, 33, 105));
             p.drawRect(QRectF(3, 8, 26, 16));
             penna(p, Qt::white, 4);
             p.drawLine(QPointF(3, 16), QPointF(29, 16));
             p.drawLine(QPointF(16, 8), QPointF(16, 24));
             penna(p, kRosso, 2);
             p.drawLine(QPointF(3, 16), QPointF(29, 16));
             p.drawLine(QPointF(16, 8), QPointF(16, 24));
         }},
        {200, [](QPainter& p) {
             penna(p, kGrigio, 1.6);
             p.setBrush(QColor(225, 228, 232));
             p.drawRoundedRect(QRectF(5, 4, 22, 24), 2, 2);
             p.setPen(Qt::NoPen);
             p.setBrush(kVerde);
             p.drawEllipse(QPointF(10, 9), 2, 2);
             p.setBrush(kBlu);
             p.drawRect(QRectF(9, 14, 14, 9));
         }},
        {300, [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kBlu);
             p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
             penna(p, Qt::white, 2.5);
             p.drawLine(QPointF(8, 5), QPointF(8, 27));
             p.drawLine(QPointF(24, 5), QPointF(24, 27));
             for (double y : {11.0, 21.0})
                 p.drawLine(QPointF(8, y), QPointF(24, y));
         }},
    };
    return d;
}

// The About box shows the application's icon under its own id.
int alias(int id) { return id == 301 ? 300 : id; }

// The drawing of a picture, from the toolbar and window pictures or the block pictures.
const Disegno* disegno(int id)
{
    const auto it = disegni().find(alias(id));
    if (it != disegni().end())
        return &it->second;
    const auto blocco = DisegniBlocchi().find(id);
    return blocco != DisegniBlocchi().end() ? &blocco->second : nullptr;
}

} // namespace

bool PictureExists(int id) { return disegno(id) != nullptr; }

QPixmap LoadResPicture(int id, int size)
{
    const Disegno* it = disegno(id);
    if (!it)
        return {};
    // Drawn once per picture and size: every ladder row and toolbar asks for the same
    // few, and drawing them is far dearer than finding them.
    const QString chiave = QStringLiteral("ludra/disegno/%1/%2").arg(id).arg(size);
    QPixmap pixmap;
    if (QPixmapCache::find(chiave, &pixmap))
        return pixmap;
    pixmap = QPixmap(size, size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        (*it)(painter);
    }
    QPixmapCache::insert(chiave, pixmap);
    return pixmap;
}

namespace {

// An icon holds its picture at five sizes, each drawn the first time something asks for
// a size it serves: starting the program draws only what its first window shows. The
// drawn sizes go into a plain QIcon, which picks among them, scales and greys exactly as
// if all five had been there from the start: it takes the smallest one not smaller than
// asked, else the largest, and that one is always drawn before it is asked.
class IconaDisegnata final : public QIconEngine {
public:
    explicit IconaDisegnata(int id) : id_(id) {}

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        QSize s(lato(size), lato(size));
        if (s.width() > size.width() || s.height() > size.height())
            s.scale(size, Qt::KeepAspectRatio);
        return s;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const int l = lato(size);
        const auto bit = 1u << std::size_t(std::find(kLati.begin(), kLati.end(), l) - kLati.begin());
        if (!(disegnati_ & bit)) {
            disegnati_ |= bit;
            icona_.addPixmap(LoadResPicture(id_, l));
        }
        return icona_.pixmap(size, 1.0, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPaintDevice* dispositivo = painter->device();
        const qreal dpr = dispositivo ? dispositivo->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> dimensioni;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int l : kLati)
                dimensioni << QSize(l, l);
        return dimensioni;
    }

    QIconEngine* clone() const override { return new IconaDisegnata(*this); }
    QString key() const override { return QStringLiteral("IconaDisegnata"); }
    bool isNull() override { return false; }

private:
    static constexpr std::array<int, 5> kLati{16, 24, 32, 48, 64};

    static int lato(const QSize& size)
    {
        for (int l : kLati)
            if (l * l >= size.width() * size.height())
                return l;
        return kLati.back();
    }

    int id_;
    QIcon icona_;
    unsigned disegnati_ = 0;
};

} // namespace

QIcon LoadResIcon(int id)
{
    if (!PictureExists(id))
        return {};
    return QIcon(new IconaDisegnata(id));
}

} // namespace ludra::platform
