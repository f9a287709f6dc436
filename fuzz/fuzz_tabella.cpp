// The table file: a refused file leaves the table as it was; a table taken writes a file
// that reads back as the same table.
#include "Fuzz.h"
#include "tables/FileTabellaCsv.h"

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    Tabella prima;
    prima.Nome = QStringLiteral("prima");
    prima.NumPunti = 3;
    for (std::size_t p = 0; p < prima.Ingresso.size(); ++p) {
        prima.Ingresso[p] = double(p) + 0.5;
        prima.Uscita[p] = -double(p);
    }
    Tabella tab = prima;
    QString errore;
    if (!LeggiTabellaCsv(fuzz::Byte(dati, n), QStringLiteral("t.csv"), tab, errore)) {
        FUZZ_CHECK(tab == prima, QStringLiteral("refused (%1) but changed").arg(errore));
        FUZZ_CHECK(!errore.isEmpty(), QStringLiteral("refused without a reason"));
        return 0;
    }
    QString perche;
    const std::optional<QByteArray> scritto = TestoTabellaCsv(tab, perche);
    FUZZ_CHECK(scritto, QStringLiteral("a table read cannot be written: ") + perche);
    Tabella riletta = prima;
    FUZZ_CHECK(LeggiTabellaCsv(*scritto, QStringLiteral("t.csv"), riletta, perche),
               QStringLiteral("what was written does not read back: ") + perche);
    FUZZ_CHECK(TestoTabellaCsv(riletta, perche) == scritto,
               QStringLiteral("what was written reads back as another table"));
    return 0;
}
