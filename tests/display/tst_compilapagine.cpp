// The bytes the display-page compiler writes into the page units.
#include "app/Avvio.h"
#include "display/CompilaPagine.h"
#include "display/EditorPagine.h"
#include "project/Progetto.h"
#include "support/Banco.h"

#include <QtTest>

using namespace ludra;

namespace {

// "01 00 00 06 ..." -> 32 bytes, the rest 0.
std::array<std::uint8_t, 32> byte(const QString& hex)
{
    std::array<std::uint8_t, 32> b{};
    const QStringList parti = hex.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < parti.size() && i < 32; ++i)
        b[std::size_t(i)] = std::uint8_t(parti[i].toUInt(nullptr, 16));
    return b;
}

OggettoDisplay oggetto(const QString& caso)
{
    if (caso == "label")
        return OggettoNuovo(0);
    if (caso == "label bit 15 reg -1") {
        OggettoDisplay o = OggettoNuovo(0);
        o.Bit = 15;
        o.Registro = -1;
        return o;
    }
    if (caso == "label long texts") {
        OggettoDisplay o = OggettoNuovo(0);
        o.Testo = {QStringLiteral("ABCDEFGHIJKLMNOP"), QStringLiteral("abcdefghijklmnop")};
        return o;
    }
    if (caso == "label bit out of range") {
        OggettoDisplay o = OggettoNuovo(0);
        o.Bit = 99;
        return o;
    }
    if (caso == "number")
        return OggettoNuovo(1);
    if (caso == "number long format") {
        OggettoDisplay o = OggettoNuovo(1);
        o.Testo[0] = QStringLiteral("%+10.3f!");
        return o;
    }
    if (caso == "date")
        return OggettoNuovo(2);
    if (caso == "time long format") {
        OggettoDisplay o = OggettoNuovo(3);
        o.Testo[0] = QString(40, QChar('x'));
        return o;
    }
    if (caso == "picture bit 9") {
        OggettoDisplay o = OggettoNuovo(6);
        o.Bit = 9;
        return o;
    }
    if (caso == "progress bar 100..0") {
        OggettoDisplay o = OggettoNuovo(4);
        o.Max = 100;
        o.Min = 0;
        o.Direzione = true;
        return o;
    }
    if (caso == "rectangle reversed") {
        OggettoDisplay o = OggettoNuovo(5);
        o.Negato = true;
        o.PosX = 131;
        o.PosY = 31;
        return o;
    }
    if (caso == "image")
        return OggettoNuovo(7);
    OggettoDisplay o = OggettoNuovo(0);
    o.Codice = 200;   // unknown code: the common bytes only
    return o;
}

} // namespace

class TestCompilaPagine : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); PagineDisplay.NumPagine = 1; }
    void cleanup() { banco_.chiudi(); }

    void descrittore_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("atteso");
        const QString nl0 = "4E 65 77 20 4C 61 62 65 6C 20 30 00";
        const QString nl1 = "4E 65 77 20 4C 61 62 65 6C 20 31 00";
        QTest::newRow("label") << "label" << "01 00 00 06 15 00 00 01 " + nl0 + " " + nl1;
        QTest::newRow("label bit 15, register -1")
            << "label bit 15 reg -1" << "01 00 00 06 FF FF 80 00 " + nl0 + " " + nl1;
        QTest::newRow("label texts cut at 11")
            << "label long texts"
            << "01 00 00 06 15 00 00 01 41 42 43 44 45 46 47 48 49 4A 4B 00 "
               "61 62 63 64 65 66 67 68 69 6A 6B 00";
        QTest::newRow("label bit out of range: no mask")
            << "label bit out of range" << "01 00 00 06 15 00 00 00 " + nl0 + " " + nl1;
        QTest::newRow("number")
            << "number" << "04 00 00 06 25 2B 35 2E 30 66 00 00 01 00 00 00 1A 00 00 00";
        QTest::newRow("number format cut at 7")
            << "number long format"
            << "04 00 00 06 25 2B 31 30 2E 33 66 00 01 00 00 00 1A 00 00 00";
        QTest::newRow("date") << "date" << "08 00 00 06 64 64 2F 6D 6D 2F 79 79 00";
        QTest::newRow("time format cut at 27")
            << "time long format"
            << "0B 00 00 06 " + QString("78 ").repeated(27) + "00";
        QTest::newRow("picture bit 9")
            << "picture bit 9"
            << "0E 00 00 06 08 08 00 00 01 00 00 00 00 00 00 00 1A 00 00 00 02 00";
        QTest::newRow("progress bar")
            << "progress bar 100..0"
            << "10 00 00 0E 20 08 00 00 00 00 00 00 00 00 00 00 1A 00 00 00 "
               "00 00 00 00 00 00 C8 42 00 00 00 00";
        QTest::newRow("rectangle reversed")
            << "rectangle reversed" << "11 83 1F 07 10 10 01";
        QTest::newRow("image") << "image" << "06 00 00 06 10 10";
        QTest::newRow("unknown code") << "unknown" << "C8 00 00 06";
    }

    void descrittore()
    {
        QFETCH(QString, caso);
        QFETCH(QString, atteso);
        QCOMPARE(DescrittoreOggetto(oggetto(caso)), byte(atteso));
    }

    void unaPaginaUnaLabel()
    {
        EditorPagine e;
        QVERIFY(e.NuovoOggetto(0, OggettoNuovo(0)));
        SubCorrente = 4;
        CompilaOggetti();
        const Sezione& u = Sezioni[1];
        QCOMPARE(u.NumRung, 2);
        QCOMPARE(u.Rung[1].Etichetta, QStringLiteral("PAG1"));
        QCOMPARE(u.Rung[1].Classe, 3);
        QCOMPARE(u.Rung[1].Funzione, 3);
        QCOMPARE(u.Rung[1].LungDati, 34);
        QCOMPARE(u.Rung[2].Funzione, 132);
        QCOMPARE(u.Rung[2].LungDati, 2);
        QCOMPARE(u.Rung[2].ArgByte[0], 0);
        QCOMPARE(SubCorrente, 0);
    }

    void paginaVuotaEDuePagine()
    {
        PagineDisplay.NumPagine = 2;
        EditorPagine e;
        QVERIFY(e.NuovoOggetto(1, OggettoNuovo(5)));
        // Leftovers of an earlier program in the units must not survive.
        Sezioni[1].Rung[1].Funzione = 77;
        Sezioni[2].Rung[2].Etichetta = QStringLiteral("OLD");
        CompilaOggetti();
        QCOMPARE(Sezioni[1].NumRung, 1);
        QCOMPARE(Sezioni[1].Rung[1].Etichetta, QStringLiteral("PAG1"));
        QCOMPARE(Sezioni[1].Rung[1].Funzione, 132);
        QCOMPARE(Sezioni[2].NumRung, 2);
        QCOMPARE(Sezioni[2].Rung[1].Etichetta, QStringLiteral("PAG2"));
        QCOMPARE(Sezioni[2].Rung[2].Etichetta, QString());
    }

    void conteggiFuoriMisura()
    {
        // Counts from a damaged project never reach past the tables.
        PagineDisplay.NumPagine = 200;
        PagineDisplay.Pagine[0].NumOggetti = 250;
        CompilaOggetti();
        QCOMPARE(Sezioni[1].NumRung, 33);
        QCOMPARE(Sezioni[9].NumRung, 1);
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestCompilaPagine)
#include "tst_compilapagine.moc"
