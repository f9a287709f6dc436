// Every reader of a file the user hands over, fed thousands of damaged versions of a good
// file (bytes changed, cut, doubled, lines swapped): it either reads it or says why, and
// never reads outside its buffers or changes what it was not asked to.
#include "projectfiles/FileProgetto.h"
#include "support/Banco.h"
#include "transfer/FileHex.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;

namespace {

QByteArray muta(QByteArray dati, QRandomGenerator& caso)
{
    const int passi = 1 + int(caso.bounded(4));
    for (int i = 0; i < passi && !dati.isEmpty(); ++i) {
        const int pos = int(caso.bounded(dati.size()));
        switch (caso.bounded(6)) {
        case 0: dati[pos] = char(caso.bounded(256)); break;
        case 1: dati.truncate(pos); break;
        case 2: dati.insert(pos, dati.mid(pos, int(caso.bounded(64)))); break;
        case 3: dati.remove(pos, int(caso.bounded(16))); break;
        case 4: dati.insert(pos, "\r\n"); break;
        case 5: dati.insert(pos, QByteArray::number(qint64(caso.generate64()))); break;
        }
    }
    return dati;
}

ContenutoProgetto campione()
{
    ContenutoProgetto c = ContenutoCorrente();
    for (int i = 0; i < 12; ++i) {
        Rung r = RungVuoto();
        r.Classe = std::int16_t(i % 5);
        r.Funzione = std::int16_t(i * 11);
        r.Etichetta = QStringLiteral("L%1").arg(i);
        r.ArgTesto[1] = QStringLiteral("%R 3%1").arg(i);
        r.ArgByte[std::size_t(i)] = std::uint8_t(i * 20);
        c.righe.push_back(r);
    }
    c.numTabelle = 3;
    for (int t = 0; t < 3; ++t) {
        c.tabelle[std::size_t(t)].Nome = QStringLiteral("T%1").arg(t);
        c.tabelle[std::size_t(t)].NumPunti = std::uint8_t(2 + t);
        c.tabelle[std::size_t(t)].Ingresso[1] = 1e-7 * t;
    }
    c.pagine.NumPagine = 2;
    c.pagine.Pagine[1].NumOggetti = 3;
    c.pagine.Pagine[1].Oggetti[2].Max = -12.5;
    return c;
}

} // namespace

class TestLettureMutate : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno, test::Banco::Avvio::Stato); }
    void cleanup() { banco_.chiudi(); }
    void projectReaders_data();
    void projectReaders();
    void hexReader();

private:
    test::Banco banco_;
};

void TestLettureMutate::projectReaders_data()
{
    QTest::addColumn<int>("file");
    QTest::newRow("prj") << 0;
    QTest::newRow("lst") << 1;
    QTest::newRow("ptb") << 2;
    QTest::newRow("dsp") << 3;
}

void TestLettureMutate::projectReaders()
{
    QFETCH(int, file);
    using Scrittore = QByteArray (*)(const ContenutoProgetto&, QString*);
    using Lettore = bool (*)(const QByteArray&, ContenutoProgetto&, QString&);
    const Scrittore scrittori[] = {TestoPrj, TestoLst, TestoPtb, TestoDsp};
    const Lettore lettori[] = {LeggiPrj, LeggiLst, LeggiPtb, LeggiDsp};
    const ContenutoProgetto buono = campione();
    const QByteArray originale = scrittori[file](buono, nullptr);
    {
        ContenutoProgetto letto;
        QString errore;
        QVERIFY(lettori[file](originale, letto, errore));
        QCOMPARE(scrittori[file](letto, nullptr), originale);
    }
    QRandomGenerator caso(quint32(1234 + file));
    int rifiutati = 0;
    for (int prova = 0; prova < 1500; ++prova) {
        const QByteArray danneggiato = muta(originale, caso);
        ContenutoProgetto letto = buono;
        QString errore;
        if (lettori[file](danneggiato, letto, errore)) {
            // What was read writes back, every character, as a file the reader takes again.
            ContenutoProgetto ancora;
            QString e1, e2;
            QVERIFY2(lettori[file](scrittori[file](letto, &e1), ancora, e2) && e1.isEmpty(),
                     qPrintable(e1 + e2));
        } else {
            ++rifiutati;
            QVERIFY(!errore.isEmpty());
            // A refused file leaves the target as it was.
            QCOMPARE(scrittori[file](letto, nullptr), originale);
        }
    }
    QVERIFY(rifiutati > 0);
}

void TestLettureMutate::hexReader()
{
    QTemporaryDir dir;
    const QString percorso = dir.path() + QStringLiteral("/m.hex");
    QByteArray originale;
    for (int k = 0; k < 96; ++k)
        originale += ' ' + QByteArray::number(k * 2 % 256) + " \r\n";
    QRandomGenerator caso(99);
    for (int prova = 0; prova < 1500; ++prova) {
        const QByteArray danneggiato = muta(originale, caso);
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(danneggiato);
        f.close();
        std::array<std::uint8_t, 64> dest{};
        dest.fill(7);
        const auto errore = LeggiFileHex(percorso, dest, 32);
        if (!errore)
            continue;
        QVERIFY(!errore->isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestLettureMutate)
#include "tst_letturemutate.moc"
