// The compiler over random projects: whatever the lines, tables, images, pages and
// logger objects hold, a compile either succeeds or reports a fault, stays inside the
// image, gives the same bytes twice and leaves the main program current.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"
#include "support/Banco.h"
#include "tables/Tabelle.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ludra;

namespace {

Rung rigaCaso(QRandomGenerator& c)
{
    Rung r = RungVuoto();
    r.Classe = std::int16_t(c.bounded(6));
    r.Funzione = std::int16_t(c.bounded(300) - 20);
    r.SubOp = std::uint8_t(c.bounded(256));
    r.LungDati = std::int16_t(c.bounded(60) - 5);
    for (auto& b : r.ArgByte)
        b = std::uint8_t(c.bounded(256));
    r.Break = c.bounded(4) == 0;
    const int etichetta = int(c.bounded(6));
    r.Etichetta = etichetta == 0 ? QString() : QStringLiteral("L%1").arg(etichetta);
    r.ArgTesto[4] = QStringLiteral("L%1").arg(c.bounded(6));
    return r;
}

} // namespace

class TestCompilaCaso : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void randomProjects();

private:
    test::Banco banco_;
};

void TestCompilaCaso::randomProjects()
{
    QRandomGenerator c(2026);
    for (int prova = 0; prova < 300; ++prova) {
        AzzeraStatoProcesso();
        ImpostaLingua(kInglese);
        ImpostaStatoIniziale();
        Controllore.Modello = c.bounded(2) ? QStringLiteral("KVR5460") : QStringLiteral("KVR5200");
        ImpostaModello();
        for (int u = 0; u < kNumSezioni; ++u) {
            Sezioni[std::size_t(u)].NumRung = std::int16_t(c.bounded(u == 0 ? 101 : 12));
            for (int i = 1; i <= Sezioni[std::size_t(u)].NumRung; ++i)
                Sezioni[std::size_t(u)].Rung[std::size_t(i)] = rigaCaso(c);
        }
        PagineDisplay.NumPagine = std::uint8_t(c.bounded(11));
        for (auto& p : PagineDisplay.Pagine)
            p.NumOggetti = std::uint8_t(c.bounded(40));
        NumTabelle = std::uint8_t(c.bounded(11));
        for (auto& t : Tabelle)
            t.NumPunti = std::uint8_t(c.bounded(40));
        AllocaTabelle();
        NumImmagini = std::uint8_t(c.bounded(12));
        for (auto& im : Immagini) {
            im.NumByte = std::int16_t(c.bounded(700));
            for (auto& b : im.Bitmap)
                b = std::uint8_t(c.bounded(256));
        }
        Schedulazioni.NumOggetti = std::uint8_t(c.bounded(40));
        for (auto& o : Schedulazioni.Oggetti) {
            o.Blocco = rigaCaso(c);
            if (c.bounded(2))
                o.Blocco.Funzione = 138;
            for (auto& b : o.Codice)
                b = std::uint8_t(c.bounded(256));
        }
        for (auto& p : PagineDisplay.Pagine)
            for (auto& o : p.Oggetti)
                o.Codice = std::uint8_t(c.bounded(256));
        SubCorrente = std::int16_t(c.bounded(kNumSezioni));

        const std::int32_t primo = Compila();
        QCOMPARE(SubCorrente, std::int16_t(0));
        QVERIFY(primo >= 0 && primo <= kDimCodice);
        if (primo == 0)
            QVERIFY(NumErrori > 0);
        const auto immagine = CodiceProgramma;
        const std::int16_t errori = NumErrori;
        QCOMPARE(Compila(), primo);
        QCOMPARE(NumErrori, errori);
        QCOMPARE(CodiceProgramma, immagine);
    }
}

QTEST_GUILESS_MAIN(TestCompilaCaso)
#include "tst_compilacaso.moc"
