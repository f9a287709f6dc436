#include "display/ui/DisegnoPagina.h"

#include "display/TipiOggetto.h"
#include "images/Bmp.h"
#include "platform/Twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace ludra::ui {

namespace {

constexpr double kScalaX = double(kTwipsPixelX) / platform::kTwipsPerPixel;
constexpr double kScalaY = double(kTwipsPixelY) / platform::kTwipsPerPixel;

const QColor kInchiostro(Qt::black);
const QColor kFondo(Qt::white);
const QColor kBordoSelezione(0, 0, 255);
const QColor kGriglia(160, 200, 160);

QFont fontTaglia(Taglia taglia)
{
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPixelSize(int(PixelTaglia(taglia) * kScalaY));
    return f;
}

QString testoOggetto(const OggettoDisplay& o)
{
    if (TipoDaCodice(o.Codice) == TipoOggetto::Number)
        return QStringLiteral("%R") + QString::number(o.Registro);
    return o.Testo[0];
}

bool diTesto(TipoOggetto t)
{
    return t == TipoOggetto::Label || t == TipoOggetto::Number || t == TipoOggetto::Date
           || t == TipoOggetto::Time;
}

int contaOggetti(const PaginaDisplay& p)
{
    return std::min(int(p.NumOggetti), kMaxOggettiPagina);
}

void disegnaOggetto(QPainter& p, const OggettoDisplay& o, const QRectF& box)
{
    const TipoOggetto tipo = TipoDaCodice(o.Codice);
    p.save();
    p.setClipRect(box);
    switch (tipo) {
    case TipoOggetto::Rectangle: {
        const double sx = std::min(double(o.Spessore), o.DimX / 2.0) * kScalaX;
        const double sy = std::min(double(o.Spessore), o.DimY / 2.0) * kScalaY;
        p.fillRect(QRectF(box.left(), box.top(), sx, box.height()), kInchiostro);
        p.fillRect(QRectF(box.right() - sx, box.top(), sx, box.height()), kInchiostro);
        p.fillRect(QRectF(box.left(), box.top(), box.width(), sy), kInchiostro);
        p.fillRect(QRectF(box.left(), box.bottom() - sy, box.width(), sy), kInchiostro);
        break;
    }
    case TipoOggetto::ProgressBar: {
        p.setPen(QPen(kInchiostro, 1));
        p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
        // Half full, filling from the side the direction names.
        QRectF pieno = box;
        if (o.Direzione)
            pieno.setTop(box.center().y());
        else
            pieno.setRight(box.center().x());
        p.fillRect(pieno, kInchiostro);
        break;
    }
    case TipoOggetto::Picture:
        p.drawImage(box, FiguraPicture(o.DimX, o.IdPicture0));
        break;
    case TipoOggetto::Image: {
        const EsitoBmp bmp = CaricaBmp(o.Testo[0]);
        if (bmp.pixel) {
            QImage img(bmp.pixel->larghezza, bmp.pixel->altezza, QImage::Format_RGB32);
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    img.setPixel(x, y, 0xFF000000u | bmp.pixel->pixel(x, y));
            p.drawImage(box, img);
        }
        break;
    }
    default:
        if (diTesto(tipo)) {
            p.setFont(fontTaglia(TagliaDaCodice(o.Codice)));
            p.setPen(kInchiostro);
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop, testoOggetto(o));
        }
        break;
    }
    if (o.Negato) {
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(box, Qt::white);
    }
    p.restore();
}

} // namespace

QSize DimensioneAnteprima()
{
    return QSize(platform::twipsToPx(kLarghezzaDisplay * kTwipsPixelX),
                 platform::twipsToPx(kAltezzaDisplay * kTwipsPixelY));
}

QRectF RettangoloOggetto(const OggettoDisplay& o)
{
    const QPointF angolo(o.PosX * kScalaX, o.PosY * kScalaY);
    const TipoOggetto tipo = TipoDaCodice(o.Codice);
    if (diTesto(tipo)) {
        const QFontMetricsF m(fontTaglia(TagliaDaCodice(o.Codice)));
        const QString testo = testoOggetto(o);
        // Text boxes sit one display pixel higher, where the controller draws them.
        return QRectF(angolo - QPointF(0, kScalaY),
                      QSizeF(std::max(1.0, m.horizontalAdvance(testo)), m.height()));
    }
    return QRectF(angolo, QSizeF(o.DimX * kScalaX, o.DimY * kScalaY));
}

QImage DisegnaPagina(const PaginaDisplay& pagina, const OpzioniDisegno& opzioni)
{
    QImage img(DimensioneAnteprima(), QImage::Format_RGB32);
    img.fill(kFondo);
    QPainter p(&img);
    if (opzioni.griglia) {
        p.setPen(QPen(kGriglia, 1));
        for (int c = 0; c <= kLarghezzaDisplay; c += 6)
            p.drawLine(QPointF(c * kScalaX, 0), QPointF(c * kScalaX, img.height()));
        for (int r = 0; r <= kAltezzaDisplay; r += 8)
            p.drawLine(QPointF(0, r * kScalaY), QPointF(img.width(), r * kScalaY));
    }
    if (!opzioni.oggetti)
        return img;
    for (int i = 1; i <= contaOggetti(pagina); ++i)
        disegnaOggetto(p, pagina.Oggetti[std::size_t(i)], RettangoloOggetto(pagina.Oggetti[std::size_t(i)]));
    if (opzioni.selezionato >= 1 && opzioni.selezionato <= contaOggetti(pagina)) {
        p.setPen(QPen(kBordoSelezione, 1));
        p.setBrush(Qt::NoBrush);
        const QRectF r = RettangoloOggetto(pagina.Oggetti[std::size_t(opzioni.selezionato)]);
        p.drawRect(r.adjusted(-1, -1, 0, 0));
    }
    return img;
}

int OggettoIn(const PaginaDisplay& pagina, QPointF punto)
{
    for (int i = contaOggetti(pagina); i >= 1; --i) {
        if (RettangoloOggetto(pagina.Oggetti[std::size_t(i)]).contains(punto))
            return i;
    }
    return 0;
}

QImage FiguraPicture(int lato, int numero)
{
    lato = std::clamp(lato, 1, 64);
    QImage img(lato, lato, QImage::Format_RGB32);
    img.fill(kFondo);
    QPainter p(&img);
    p.setPen(QPen(kInchiostro, 1));
    p.setBrush(numero == 1 ? QBrush(kInchiostro) : QBrush(Qt::NoBrush));
    p.drawEllipse(QRectF(0.5, 0.5, lato - 1.0, lato - 1.0));
    return img;
}

} // namespace ludra::ui
