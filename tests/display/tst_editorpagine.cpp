// Pages and objects created, deleted, moved and reordered; the property panel applied.
#include "app/Avvio.h"
#include "display/EditorPagine.h"
#include "display/Pannello.h"
#include "images/Immagini.h"
#include "platform/Cp1252.h"
#include "support/Banco.h"

#include <QtTest>

using namespace ludra;

namespace {

PaginaDisplay& pag(int p) { return PagineDisplay.Pagine[std::size_t(p)]; }

// A page of `n` Rectangles whose thickness tells them apart.
void riempi(EditorPagine& e, int pagina, int n, int marca)
{
    for (int i = 0; i < n; ++i) {
        OggettoDisplay o = OggettoNuovo(5);
        o.Spessore = std::uint8_t(marca + i);
        e.NuovoOggetto(pagina, o);
    }
}

} // namespace

class TestEditorPagine : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); PagineDisplay.NumPagine = 1; }
    void cleanup() { banco_.chiudi(); }

    void nuovoProgetto()
    {
        QCOMPARE(VociPagine(), QStringList{QStringLiteral("PAGE [1]")});
        QVERIFY(VociOggetti(0).isEmpty());
    }

    void eliminaPrimaDiTre()
    {
        EditorPagine e;
        e.NuovaPagina();
        e.NuovaPagina();
        riempi(e, 1, 2, 10);
        riempi(e, 2, 3, 20);
        e.PaginaAttiva = 0;
        QVERIFY(e.EliminaPagina());
        QCOMPARE(PagineDisplay.NumPagine, 2);
        QCOMPARE(pag(0).NumOggetti, 2);
        QCOMPARE(pag(1).Oggetti[3].Spessore, 22);
        QCOMPARE(pag(2).NumOggetti, 0);
        QVERIFY(e.NuovaPagina());
        QCOMPARE(pag(2).NumOggetti, 0);
    }

    void spostamentiPagine()
    {
        EditorPagine e;
        e.NuovaPagina();
        OggettoDisplay o = OggettoNuovo(6);
        o.Max = 7.5;
        o.IdPicture0 = 1;
        e.NuovoOggetto(1, o);
        QVERIFY(e.PaginaSu());
        QCOMPARE(e.PaginaAttiva, 0);
        QCOMPARE(pag(0).Oggetti[1].Max, 7.5);
        QCOMPARE(pag(0).Oggetti[1].IdPicture0, 1);
        QCOMPARE(pag(1).NumOggetti, 0);
        QVERIFY(!e.PaginaSu());
        e.PaginaAttiva = 1;
        QVERIFY(!e.PaginaGiu());
    }

    void noveLimiti()
    {
        EditorPagine e;
        for (int i = 0; i < 8; ++i)
            QVERIFY(e.NuovaPagina());
        QVERIFY(!e.NuovaPagina());
        riempi(e, 8, 1, 90);
        riempi(e, 7, 1, 80);
        // With every slot in use a move keeps the ninth page.
        e.PaginaAttiva = 8;
        QVERIFY(e.PaginaSu());
        QCOMPARE(pag(7).Oggetti[1].Spessore, 90);
        QCOMPARE(pag(8).Oggetti[1].Spessore, 80);
        riempi(e, 0, 32, 0);
        QVERIFY(!e.NuovoOggetto(0, OggettoNuovo(0)));
        QCOMPARE(pag(0).NumOggetti, 32);
        e.PaginaAttiva = 0;
        PagineDisplay.NumPagine = 1;
        QVERIFY(!e.EliminaPagina());
    }

    void riordino()
    {
        EditorPagine e;
        riempi(e, 0, 3, 1);
        QCOMPARE(e.OggettoAttivo, 3);
        QVERIFY(e.SendToBack());
        QCOMPARE(e.OggettoAttivo, 2);
        QCOMPARE(pag(0).Oggetti[2].Spessore, 3);
        QCOMPARE(pag(0).Oggetti[3].Spessore, 2);
        QVERIFY(e.SendToBack());
        QVERIFY(!e.SendToBack());
        QCOMPARE(pag(0).Oggetti[1].Spessore, 3);
        QVERIFY(e.BringToFront());
        e.OggettoAttivo = 3;
        QVERIFY(!e.BringToFront());
    }

    void eliminaOggetto()
    {
        EditorPagine e;
        riempi(e, 0, 3, 1);
        e.OggettoAttivo = 2;
        QVERIFY(e.DeleteObject(2));
        QCOMPARE(pag(0).NumOggetti, 2);
        QCOMPARE(pag(0).Oggetti[2].Spessore, 3);
        QCOMPARE(e.OggettoAttivo, 2);
        QVERIFY(!e.DeleteObject(0));
        QVERIFY(!e.DeleteObject(3));
    }

    void voci()
    {
        EditorPagine e;
        e.NuovoOggetto(0, OggettoNuovo(6));
        e.NuovoOggetto(0, OggettoNuovo(1));
        QCOMPARE(VociOggetti(0),
                 (QStringList{QStringLiteral("[1] Picture"), QStringLiteral("[2] %R26")}));
    }

    void pannello_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("taglia");
        QTest::addColumn<int>("codice");
        QTest::addColumn<int>("dim");
        QTest::newRow("label large") << 0 << 2 << 0 << 0;
        QTest::newRow("number medium") << 1 << 1 << 5 << 0;
        QTest::newRow("time large") << 3 << 2 << 10 << 0;
        QTest::newRow("picture medium") << 6 << 1 << 15 << 16;
        QTest::newRow("picture large") << 6 << 2 << 13 << 32;
        QTest::newRow("no size: code stays") << 2 << -1 << 8 << 0;
        QTest::newRow("bar: limits as shown read back") << 4 << -1 << 16 << 0;
    }

    void pannello()
    {
        QFETCH(int, tipo);
        QFETCH(int, taglia);
        QFETCH(int, codice);
        QFETCH(int, dim);
        OggettoDisplay o = OggettoNuovo(tipo);
        CampiPannello c = CampiDaOggetto(o);
        c.taglia = taglia;
        c.dimX = c.dimY = QStringLiteral("3");
        QCOMPARE(ApplicaPannello(c, o), std::nullopt);
        QCOMPARE(o.Codice, codice);
        if (tipo == 6)
            QCOMPARE(o.DimX, dim);
        if (tipo == 0)
            QCOMPARE(o.TipoRegistro, 0);
    }

    void pannelloRifiuta_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valore");
        QTest::newRow("x beyond the display") << "x" << "132";
        QTest::newRow("y beyond the display") << "y" << "32";
        QTest::newRow("negative x") << "x" << "-1";
        QTest::newRow("bit 16") << "bit" << "16";
        QTest::newRow("register 40000") << "reg" << "40000";
        QTest::newRow("caption of 12") << "testo" << "ABCDEFGHIJKL";
        QTest::newRow("x not a number") << "x" << "abc";
        QTest::newRow("register with a letter") << "reg" << "3O";
        QTest::newRow("bar Max not a number") << "max" << "abc";
        QTest::newRow("bar Min beyond a single") << "min" << "-1e39";
        QTest::newRow("caption with an ohm sign") << "testo" << "R=5k\u03A9";
        QTest::newRow("picture in a folder of its own script") << "image" << "c:/\u03A9/b.bmp";
    }

    void pannelloRifiuta()
    {
        QFETCH(QString, campo);
        QFETCH(QString, valore);
        OggettoDisplay o = OggettoNuovo(campo.startsWith('m') ? 4 : campo == "image" ? 7 : 0);
        NumImmagini = 3;
        Immagini[2] = Img{valore, QStringLiteral("b"), 20, 12, {}, 0, 900};
        const OggettoDisplay prima = o;
        CampiPannello c = CampiDaOggetto(o);
        c.taglia = 2;
        c.max = QStringLiteral(" 1E+20 ");
        (campo == "x" ? c.posX : campo == "y" ? c.posY : campo == "bit" ? c.bit
             : campo == "reg" ? c.registro : campo == "max" ? c.max : campo == "min" ? c.min
             : c.formato[0]) = valore;
        QVERIFY(ApplicaPannello(c, o).value_or("").startsWith(campo.left(1), Qt::CaseInsensitive));
        QVERIFY(ApplicaPannello(c, o).value_or("").contains(platform::primoFuoriCp1252(valore)));
        QCOMPARE(o.Codice, prima.Codice);
        QCOMPARE(o.Testo, prima.Testo);
        QCOMPARE(o.Max, prima.Max);
    }

    void pannelloDimensioniNascoste_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("taglia");
        QTest::addColumn<int>("dim");
        // A Picture's size entry sets its size whatever the boxes hold.
        QTest::newRow("picture medium, boxes 200") << 6 << 1 << 16;
        QTest::newRow("picture small, boxes 200") << 6 << 0 << 8;
        // Kinds without size boxes carry back the size they were filled with.
        QTest::newRow("label holding 200") << 0 << 0 << 200;
        QTest::newRow("picture without size entry") << 6 << -1 << 200;
    }

    void pannelloDimensioniNascoste()
    {
        QFETCH(int, tipo);
        QFETCH(int, taglia);
        QFETCH(int, dim);
        OggettoDisplay o = OggettoNuovo(tipo);
        o.DimX = o.DimY = 200;
        CampiPannello c = CampiDaOggetto(o);
        c.taglia = taglia;
        QCOMPARE(ApplicaPannello(c, o), std::nullopt);
        QCOMPARE(int(o.DimX), dim);
        QCOMPARE(int(o.DimY), dim);
    }

    void pannelloBarraFuoriDisplay()
    {
        // A bar or a rectangle whose size box is typed in must fit the display.
        OggettoDisplay o = OggettoNuovo(5);
        CampiPannello c = CampiDaOggetto(o);
        c.dimX = QStringLiteral("133");
        QVERIFY(ApplicaPannello(c, o).has_value());
        QCOMPARE(int(o.DimX), 16);
    }

    void pannelloImmagine()
    {
        NumImmagini = 3;
        Immagini[2] = Img{QStringLiteral("c:/b.bmp"), QStringLiteral("b"), 20, 12, {}, 0, 900};
        OggettoDisplay o = OggettoNuovo(7);
        CampiPannello c = CampiDaOggetto(o);
        c.taglia = 2;
        QCOMPARE(ApplicaPannello(c, o), std::nullopt);
        QCOMPARE(o.DimX, 20);
        QCOMPARE(o.DimY, 12);
        QCOMPARE(o.Testo[0], QStringLiteral("c:/b.bmp"));
        QCOMPARE(o.Registro, 900);
    }

    void passoFigura()
    {
        QCOMPARE(PassoFigura(1, 1), 1);
        QCOMPARE(PassoFigura(0, -1), 0);
        QCOMPARE(PassoFigura(0, 1), 1);
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestEditorPagine)
#include "tst_editorpagine.moc"
