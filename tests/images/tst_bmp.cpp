// Bitmap files read and converted into the controller's 1-bit bands; bad files refused.
#include "app/Avvio.h"
#include "images/Bmp.h"
#include "images/Conversione.h"
#include "support/Banco.h"
#include "support/BmpProva.h"

#include <QtTest>
#include <functional>
#include <numeric>
#include <sys/stat.h>

using namespace ludra;
using test::bmp;
using test::metti16;
using test::metti32;

namespace {

// White with black at the listed pixels.
PixelBmp figura(int w, int h, std::initializer_list<std::pair<int, int>> neri, std::uint32_t fondo = 0xFFFFFF)
{
    PixelBmp p{w, h, std::vector<std::uint32_t>(std::size_t(w * h), fondo)};
    for (auto [x, y] : neri)
        p.rgb[std::size_t(y * w + x)] = 0;
    return p;
}

} // namespace

class TestBmp : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }

    void profondita_data()
    {
        QTest::addColumn<int>("bpp");
        QTest::newRow("1 bit") << 1;
        QTest::newRow("8 bits") << 8;
        QTest::newRow("24 bits") << 24;
        QTest::newRow("32 bits") << 32;
    }

    void profondita()
    {
        QFETCH(int, bpp);
        // Black on the diagonal; palette index 0 is black, 1 white.
        const bool tavolozza = bpp <= 8;
        const auto colore = [&](int x, int y) -> std::uint32_t {
            return x == y ? 0u : (tavolozza ? 1u : 0xFFFFFFu);
        };
        const EsitoBmp e = LeggiBmp(bmp(10, 12, bpp, colore));
        QVERIFY2(e.pixel, qPrintable(e.errore));
        QCOMPARE(e.pixel->larghezza, 10);
        QCOMPARE(e.pixel->altezza, 12);
        QCOMPARE(e.pixel->pixel(3, 3), 0u);
        QCOMPARE(e.pixel->pixel(4, 3), 0xFFFFFFu);
    }

    void rifiutati_data()
    {
        QTest::addColumn<QByteArray>("dati");
        const auto bianco = [](int, int) { return 0xFFFFFFu; };
        const QByteArray buono = bmp(8, 8, 24, bianco);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not BM") << QByteArray("PNG....................................");
        QTest::newRow("header only") << buono.left(30);
        QTest::newRow("pixels cut short") << buono.left(buono.size() - 1);
        QByteArray largo = bmp(256, 1, 24, bianco);
        QTest::newRow("256 pixels wide") << largo;
        QTest::newRow("256 pixels high") << bmp(1, 256, 24, bianco);
        QByteArray zero = buono;
        metti32(zero, 18, 0);
        QTest::newRow("zero width: no pixels") << zero;
        metti32(zero, 22, 0);
        QTest::newRow("0 x 0: no pixels") << zero;
        QByteArray enorme = buono;
        metti32(enorme, 18, 0x7FFFFFFF);
        QTest::newRow("huge width") << enorme;
        QByteArray due = buono;
        metti16(due, 28, 2);
        QTest::newRow("2 bits per pixel") << due;
        QByteArray rle = bmp(8, 8, 8, [](int, int) { return 1u; });
        metti32(rle, 30, 1);
        QTest::newRow("RLE compressed") << rle;
        QByteArray offset = buono;
        metti32(offset, 10, 0x7FFFFFF0);
        QTest::newRow("pixels beyond the file") << offset;
        QByteArray header = buono;
        metti32(header, 14, 7);
        QTest::newRow("unknown header size") << header;
        QByteArray tavolozza = bmp(8, 8, 8, [](int x, int) { return std::uint32_t(x == 5 ? 9 : 1); });
        metti32(tavolozza, 46, 4);   // four colours, index 9 used
        QTest::newRow("index past the palette") << tavolozza;
        QByteArray colori = bmp(8, 8, 8, [](int, int) { return 1u; });
        metti32(colori, 46, 100000);
        QTest::newRow("palette larger than possible") << colori;
        QTest::newRow("oversized file") << buono + QByteArray(kMaxFileBmp, '\0');
        QTest::newRow("old header: 65534 high, unsigned") << QByteArray::fromHex(
            "424d22000000000000001a0000000c0000000100feff01001800ffffff00ffffff00");
    }

    void rifiutati()
    {
        QFETCH(QByteArray, dati);
        const EsitoBmp e = LeggiBmp(dati);
        QVERIFY(!e.pixel);
        QVERIFY(!e.errore.isEmpty());
        QCOMPARE(e.errore.contains(QStringLiteral("no pixels")),
                 QByteArray(QTest::currentDataTag()).contains("no pixels"));
    }

    void conversione_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("numByte");
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("valore");
        QTest::newRow("16x16 top left") << 16 << 16 << 0 << 0 << 32 << 0 << 1;
        QTest::newRow("16x16 column 0 row 15") << 16 << 16 << 0 << 15 << 32 << 16 << 128;
        QTest::newRow("16x16 column 15 row 0") << 16 << 16 << 15 << 0 << 32 << 15 << 1;
        QTest::newRow("10x12 last row") << 10 << 12 << 9 << 11 << 20 << 19 << 8;
        QTest::newRow("64x64 fits") << 64 << 64 << 63 << 63 << 512 << 511 << 128;
    }

    void conversione()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, numByte);
        QFETCH(int, indice);
        QFETCH(int, valore);
        const std::vector<std::uint8_t> b = ConvertiBitmap(figura(w, h, {{x, y}}));
        QCOMPARE(int(b.size()), numByte);
        QCOMPARE(int(b[std::size_t(indice)]), valore);
        QCOMPARE(std::accumulate(b.begin(), b.end(), 0), valore);
    }

    void soloNeroEsatto()
    {
        const std::vector<std::uint8_t> b = ConvertiBitmap(figura(8, 8, {}, 0x010101));
        QCOMPARE(std::accumulate(b.begin(), b.end(), 0), 0);
    }

    void inserimenti()
    {
        const PixelBmp p = figura(8, 8, {{0, 0}});
        EsitoInserimento e = InserisciImmagine(-1, QStringLiteral("/a.bmp"), QStringLiteral("A"), p);
        QCOMPARE(e.slot, 0);
        e = InserisciImmagine(0, QStringLiteral("/b.bmp"), QStringLiteral("B"), p);
        QCOMPARE(e.slot, 1);
        QVERIFY(e.nuova);
        // The same file over the selected image overwrites it and keeps its name.
        e = InserisciImmagine(0, QStringLiteral("/a.bmp"), QStringLiteral("other"), figura(16, 8, {}));
        QCOMPARE(e.slot, 0);
        QVERIFY(!e.nuova);
        QCOMPARE(NumImmagini, 2);
        QCOMPARE(Immagini[0].Nome, QStringLiteral("A"));
        QCOMPARE(Immagini[0].Larghezza, 16);
        QCOMPARE(Immagini[0].NumByte, 16);
        QCOMPARE(Immagini[0].Bitmap[0], 0);
    }

    void inserimentiRifiutati()
    {
        // Too many bytes: the store keeps what it held.
        EsitoInserimento e = InserisciImmagine(-1, QStringLiteral("/big.bmp"), QStringLiteral("big"),
                                               figura(64, 72, {}));
        QCOMPARE(e.slot, -1);
        QVERIFY(!e.errore.isEmpty());
        QCOMPARE(NumImmagini, 0);
        for (int i = 0; i < kMaxImmagini; ++i)
            InserisciImmagine(-1, QStringLiteral("/%1.bmp").arg(i), QString::number(i), figura(8, 8, {}));
        QCOMPARE(NumImmagini, kMaxImmagini);
        e = InserisciImmagine(-1, QStringLiteral("/ten.bmp"), QStringLiteral("ten"), figura(8, 8, {}));
        QCOMPARE(e.slot, -1);
        QCOMPARE(NumImmagini, kMaxImmagini);
    }

    void file()
    {
        QTemporaryDir dir;
        const QString buono = dir.filePath(QStringLiteral("a.bmp"));
        QFile f(buono);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bmp(4, 4, 24, [](int, int) { return 0u; }));
        f.close();
        QVERIFY(CaricaBmp(buono).pixel);
        QVERIFY(!CaricaBmp(dir.filePath(QStringLiteral("missing.bmp"))).pixel);
        const QString tubo = dir.filePath(QStringLiteral("pipe.bmp"));
        QCOMPARE(::mkfifo(qPrintable(tubo), 0600), 0);
        QCOMPARE(CaricaBmp(tubo).errore, QStringLiteral("Cannot read %1: not a regular file").arg(tubo));
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestBmp)
#include "tst_bmp.moc"
