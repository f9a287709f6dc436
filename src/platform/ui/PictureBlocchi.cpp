#include "platform/ui/PictureBlocchi.h"

#include <QPainterPath>
#include <QPolygonF>

namespace ludra::platform {
namespace {

// The colours of the editor's block families, a little deeper so the symbol reads.
const QColor kComunicazione(60, 200, 80);
const QColor kCalcolo(235, 200, 40);
const QColor kBit(40, 200, 220);
const QColor kFlusso(110, 190, 235);
const QColor kTempo(210, 70, 210);
const QColor kConfronto(240, 150, 80);
const QColor kDisplay(220, 60, 60);
const QColor kInchiostro(30, 36, 44);

void corpo(QPainter& p, const QColor& c)
{
    p.setPen(QPen(c.darker(160), 1.5));
    p.setBrush(c.lighter(130));
    p.drawRoundedRect(QRectF(2, 4, 28, 24), 4, 4);
}

// A block with a short symbol; the longer the symbol, the smaller it is written.
void blocco(QPainter& p, const QColor& c, const QString& simbolo)
{
    corpo(p, c);
    QFont f = p.font();
    f.setBold(true);
    const qsizetype n = simbolo.size();
    f.setPixelSize(n <= 1 ? 18 : n == 2 ? 13 : n == 3 ? 10 : 8);
    p.setFont(f);
    p.setPen(kInchiostro);
    p.drawText(QRectF(2, 4, 28, 24), Qt::AlignCenter, simbolo);
}

// A communication block: the symbol, and an arrow in (read) or out (write).
void comunicazione(QPainter& p, const QString& simbolo, bool lettura)
{
    blocco(p, kComunicazione, simbolo);
    p.setPen(QPen(kInchiostro, 1.5));
    const double y = 25;
    const double da = lettura ? 28 : 20;
    const double a = lettura ? 20 : 28;
    p.drawLine(QPointF(da, y), QPointF(a, y));
    const double d = lettura ? 2.5 : -2.5;
    p.drawLine(QPointF(a, y), QPointF(a + d, y - 2));
    p.drawLine(QPointF(a, y), QPointF(a + d, y + 2));
}

void orologio(QPainter& p, const QColor& c)
{
    corpo(p, c);
    p.setPen(QPen(kInchiostro, 1.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 16), 9, 9);
    p.drawLine(QPointF(16, 16), QPointF(16, 10));
    p.drawLine(QPointF(16, 16), QPointF(20, 18));
}

void spezzata(QPainter& p)
{
    corpo(p, kCalcolo);
    p.setPen(QPen(kInchiostro, 1.8));
    p.drawPolyline(QPolygonF({QPointF(6, 24), QPointF(11, 20), QPointF(16, 18),
                              QPointF(21, 11), QPointF(26, 8)}));
}

using D = std::function<void(QPainter&)>;

D b(const QColor& c, const char* simbolo)
{
    const QString s = QString::fromUtf8(simbolo);
    return [c, s](QPainter& p) { blocco(p, c, s); };
}

D com(const char* simbolo, bool lettura)
{
    const QString s = QString::fromUtf8(simbolo);
    return [s, lettura](QPainter& p) { comunicazione(p, s, lettura); };
}

} // namespace

const std::map<int, std::function<void(QPainter&)>>& DisegniBlocchi()
{
    static const std::map<int, D> d = {
        {1, com("RH", true)},
        {2, com("W", false)},
        {3, b(kCalcolo, "MOV")},
        {4, com("RI", true)},
        {5, b(kCalcolo, "SCL")},
        {6, b(kCalcolo, "\xE2\x88\x9A")},   // square root
        {7, b(kConfronto, "A>B")},
        {8, com("IO", true)},
        {9, com("IO", false)},
        {10, b(kConfronto, "CMP")},
        {11, b(kFlusso, "GO")},
        {12, b(kFlusso, "IF\xE2\x86\x92")},
        {13, b(kFlusso, "CALL")},
        {14, b(kFlusso, "RET")},
        {15, [](QPainter& p) { orologio(p, kTempo); }},
        {17, b(kCalcolo, "+")},
        {18, b(kCalcolo, "\xE2\x88\x92")},   // minus
        {20, b(kConfronto, "TRIP")},
        {21, b(kCalcolo, "\xC3\x97")},       // times
        {22, b(kCalcolo, "\xC3\xB7")},       // divided by
        {23, b(kBit, "AND")},
        {24, b(kBit, "OR")},
        {25, b(kBit, "XOR")},
        {26, b(kBit, "NOT")},
        {27, b(kBit, "SHR")},
        {28, b(kBit, "SHL")},
        {29, b(kBit, "ROR")},
        {30, b(kBit, "ROL")},
        {31, b(kCalcolo, "AVG")},
        {32, [](QPainter& p) { spezzata(p); }},
        {34, b(kCalcolo, "|x|")},
        {35, b(kBit, "ANDb")},
        {36, b(kBit, "ORb")},
        {37, b(kBit, "XORb")},
        {38, b(kBit, "SET")},
        {39, b(kBit, "RST")},
        {40, b(kCalcolo, "e^x")},
        {41, b(kCalcolo, "x^y")},
        {44, b(kFlusso, "IF\xE2\x86\xB3")},
        {45, b(kDisplay, "PAGE")},
        {46, b(kDisplay, "DISP")},
        {47, b(kFlusso, "WDT")},
        {48, b(kCalcolo, "BMOV")},
    };
    return d;
}

} // namespace ludra::platform
