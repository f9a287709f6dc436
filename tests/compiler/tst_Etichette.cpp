// Jump, call and page-list targets.
#include "Progetti.h"

#include <QtTest>

using namespace ludra;
using namespace ludra::test;

class TestEtichette : public QObject {
    Q_OBJECT

private:
    Banco banco_;

    // Bytes 0 and 1 of argument k of main line `riga`, as the compile left them.
    static int bersaglio(int riga, int k)
    {
        const Rung& r = Sezioni[0].Rung[std::size_t(riga)];
        return r.ArgByte[std::size_t(4 * k)] | r.ArgByte[std::size_t(4 * k + 1)] << 8;
    }

    static const QString& erroreEtichetta()
    {
        static const QString t = QStringLiteral("Label Error");
        return t;
    }

private slots:
    void init() { banco_.apri(Banco::Doppi::Nessuno); progettoNuovo(); }
    void cleanup() { banco_.chiudi(); }

    void etichettaMancante()
    {
        programma(0, {locale(1, 14), salto(kFunzioneGoto, QStringLiteral("NOWHERE")),
                      locale(2, 14)});
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(1));
        QCOMPARE(righeRapporto(), QStringList{QStringLiteral("  Compiling")} +
                                      rapportoErrore({{2, erroreEtichetta()}}));
        // The compile went on to the end: the third line has its record and block.
        QCOMPARE(int(CodiceProgramma[4 + 20]), 3);
        QCOMPARE(int(CodiceProgramma[4 + 20 + 1]), 3);
        // The argument bytes stay as the editor wrote them.
        QCOMPARE(bersaglio(2, 0), locale(1, 14).ArgByte[0] | locale(1, 14).ArgByte[1] << 8);
    }

    void etichettaDoppia()
    {
        programma(0, {etichettata(locale(1, 14), QStringLiteral("A")),
                      etichettata(locale(1, 14), QStringLiteral("A")),
                      salto(kFunzioneGoto, QStringLiteral("A"))});
        QVERIFY(Compila() > 0);
        QCOMPARE(bersaglio(3, 0), 1);   // the later of the two
    }

    void dopoRigaVuota()
    {
        programma(0, {locale(1, 14), RungVuoto(), locale(1, 14), locale(1, 14),
                      etichettata(locale(1, 14), QStringLiteral("L5")),
                      salto(kFunzioneGoto, QStringLiteral("L5"))});
        QVERIFY(Compila() > 0);
        QCOMPARE(bersaglio(6, 0), 3);
        // The image carries the target inside the Goto's block (its 5th record).
        const int indirizzo = 4 + 10 * 6 + 4 * 14;
        QCOMPARE(int(CodiceProgramma[std::size_t(4 + 10 * 4 + 3)]), indirizzo);
        QCOMPARE(int(CodiceProgramma[std::size_t(indirizzo)]), kFunzioneGoto);
        QCOMPARE(int(CodiceProgramma[std::size_t(indirizzo + 2)]), 3);
        QCOMPARE(int(CodiceProgramma[std::size_t(indirizzo + 3)]), 0);
    }

    void rigaVuotaEtichettata()
    {
        // A blank line takes the number of the next line that writes a record.
        programma(0, {locale(1, 14), etichettata(RungVuoto(), QStringLiteral("B")),
                      locale(1, 14), salto(kFunzioneGoto, QStringLiteral("B"))});
        QVERIFY(Compila() > 0);
        QCOMPARE(bersaglio(4, 0), 1);
    }

    void display_data()
    {
        QTest::addColumn<bool>("etichettata");
        QTest::addColumn<int>("atteso");
        QTest::newRow("first record after the main program") << false << 10;
        QTest::newRow("a line labelled DISPLAY") << true << 3;
    }

    void display()
    {
        QFETCH(bool, etichettata);
        QFETCH(int, atteso);
        std::vector<Rung> righe(9, locale(1, 14));
        righe.push_back(salto(kFunzioneGoto, QStringLiteral("DISPLAY")));
        if (etichettata)
            righe[3].Etichetta = QStringLiteral("DISPLAY");
        programma(0, righe);
        QVERIFY(Compila() > 0);
        QCOMPARE(bersaglio(10, 0), atteso);
    }

    void etichettaVuota_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::addColumn<QString>("vero");
        QTest::addColumn<QString>("falso");
        QTest::newRow("Goto") << kFunzioneGoto << QString() << QString();
        QTest::newRow("Call") << kFunzioneCall << QString() << QString();
        const QString a = QStringLiteral("A");
        QTest::newRow("If(bit) -> Goto, true") << kFunzioneIfGoto << QString() << a;
        QTest::newRow("If(bit) -> Call, true") << kFunzioneIfCall << QString() << a;
    }

    void etichettaVuota()
    {
        QFETCH(int, funzione);
        QFETCH(QString, vero);
        QFETCH(QString, falso);
        // Lines without a label must not become the target of a jump without one.
        programma(0, {etichettata(locale(1, 14), QStringLiteral("A")), locale(1, 14),
                      salto(funzione, vero, falso)});
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(1));
        QCOMPARE(Errori[0].Rung, std::int16_t(3));
        QCOMPARE(Errori[0].Messaggio, erroreEtichetta());
        QCOMPARE(TrovaEtichetta(QString()), std::int16_t(0));
    }

    void ifBit_data()
    {
        QTest::addColumn<int>("funzione");
        QTest::newRow("If(bit) -> Goto") << kFunzioneIfGoto;
        QTest::newRow("If(bit) -> Call") << kFunzioneIfCall;
    }

    void ifBit()
    {
        QFETCH(int, funzione);
        programma(0, {etichettata(locale(1, 14), QStringLiteral("T")),
                      etichettata(locale(1, 14), QStringLiteral("F")),
                      salto(funzione, QStringLiteral("T"), QStringLiteral("F"))});
        QVERIFY(Compila() > 0);
        QCOMPARE(bersaglio(3, 1), 0);
        QCOMPARE(bersaglio(3, 3), 1);
        // The rest of the argument bytes keep what the editor wrote.
        QCOMPARE(int(Sezioni[0].Rung[3].ArgByte[6]), int(locale(1, 14).ArgByte[6]));
        QCOMPARE(int(Sezioni[0].Rung[3].ArgByte[0]), int(locale(1, 14).ArgByte[0]));

        // One missing target: the other is still resolved, and the line is in error.
        Sezioni[0].Rung[2].Etichetta = QStringLiteral("G");
        Sezioni[0].Rung[1].Etichetta = QStringLiteral("T2");
        Sezioni[0].Rung[3].ArgTesto[4] = QStringLiteral("T2");
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(1));
        QCOMPARE(bersaglio(3, 1), 0);
    }

    void maiuscole()
    {
        programma(0, {etichettata(locale(1, 14), QStringLiteral("a")),
                      salto(kFunzioneCall, QStringLiteral("A"))});
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(1));
    }

    void unitaNonEmessa_data()
    {
        QTest::addColumn<QString>("modello");
        QTest::addColumn<int>("unita");
        QTest::addColumn<int>("atteso");   // 0: a Label Error
        QTest::newRow("unit 1, not a display model") << QStringLiteral("KVR5200-IO") << 1 << 0;
        QTest::newRow("unit 2, one page") << QStringLiteral("KVR5460") << 2 << 0;
        QTest::newRow("unit 9 is not walked") << QStringLiteral("KVR5460") << 9 << 0;
        QTest::newRow("unit 1, one page") << QStringLiteral("KVR5460") << 1 << 2;
    }

    void unitaNonEmessa()
    {
        QFETCH(QString, modello);
        QFETCH(int, unita);
        QFETCH(int, atteso);
        progettoNuovo(modello);
        if (unita == 9)
            PagineDisplay.NumPagine = 9;
        programma(0, {locale(1, 14), salto(kFunzioneGoto, QStringLiteral("SUB"))});
        pagina(0, 1);
        Sezione& s = Sezioni[std::size_t(unita)];
        s.NumRung = std::max<std::int16_t>(s.NumRung, 1);
        s.Rung[1] = etichettata(locale(1, 34), QStringLiteral("SUB"));

        const std::int32_t risultato = Compila();
        if (atteso == 0) {
            QCOMPARE(risultato, 0);
            QCOMPARE(Errori[0].Messaggio, erroreEtichetta());
        } else {
            QVERIFY(risultato > 0);
            QCOMPARE(bersaglio(2, 0), atteso);
        }
    }

    void listaSenzaPagineCompilate()
    {
        // Not a display model: the page units are not emitted, so the page list has no
        // targets.
        pagina(0, 1);
        programma(0, {locale(3, 0, 1, kSubOpListaPagine)});
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(1));
        QCOMPARE(Sezioni[0].Rung[1].LungDati, std::int16_t(10));
    }

    void trovaEtichettaNumeri()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        PagineDisplay.NumPagine = 2;
        programma(0, {locale(1, 14), RungVuoto(), comunicazione(2, 1, 2, 3, 4, 5)});
        pagina(0, 2);
        pagina(1, 1);
        QCOMPARE(TrovaEtichetta(QStringLiteral("PAG1")), std::int16_t(3));
        QCOMPARE(TrovaEtichetta(QStringLiteral("PAG2")), std::int16_t(6));
        QCOMPARE(TrovaEtichetta(QStringLiteral("PAG3")), std::int16_t(0));
        SubCorrente = 1;
        QCOMPARE(TrovaEtichetta(QStringLiteral("DISPLAY")), std::int16_t(4));
        SubCorrente = 42;   // no such unit: no DISPLAY default, no crash
        QCOMPARE(TrovaEtichetta(QStringLiteral("DISPLAY")), std::int16_t(0));
        SubCorrente = 0;
    }
};

QTEST_GUILESS_MAIN(TestEtichette)
#include "tst_Etichette.moc"
