// Logger objects created, deleted, moved and compiled into their record bytes.
#include "app/Avvio.h"
#include "scheduler/EditorScheduler.h"
#include "support/Banco.h"

#include <QtTest>

using namespace ludra;

class TestScheduler : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }

    void nuoviECodice()
    {
        EditorScheduler e;
        QVERIFY(e.NuovoLogger());
        QCOMPARE(Schedulazioni.NumOggetti, 2);
        QCOMPARE(e.OggettoAttivo, 2);
        QVERIFY(e.NuovoLogger());
        QCOMPARE(Schedulazioni.NumOggetti, 4);
        CompilaOggettiScheduler();
        const std::array<int, 74> atteso = {
            10, 3, 31, 8, 0, 0, 10, 4, 30, 18, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1, 0, 0,
            92, 68, 105, 114, 48, 92, 0, 0, 0, 0, 0, 0, 0, 136, 35, 0, 0, 1,
            0, 1, 2, 3, 4, 5, 6, 127};
        for (int i = 0; i < 74; ++i)
            QCOMPARE(int(Schedulazioni.Oggetti[1].Codice[std::size_t(i)]), atteso[std::size_t(i)]);
        const auto& secondo = Schedulazioni.Oggetti[2].Codice;
        QCOMPARE(secondo[16], 2);
        QCOMPARE(secondo[28], '1');
        QCOMPARE(secondo[36], 1);
        QCOMPARE(secondo[40], 0);
        QCOMPARE(secondo[41], 2);
        QCOMPARE(secondo[45], 127);
    }

    void percorsi_data()
    {
        QTest::addColumn<QString>("percorso");
        QTest::addColumn<QByteArray>("byte");
        QTest::newRow("short: padded") << "\\A" << QByteArray("\\A\0\0\0\0\0\0\0\0\0", 11);
        QTest::newRow("long: cut") << "\\ABCDEFGHIJKLMN" << QByteArray("\\ABCDEFGHIJ");
    }

    void percorsi()
    {
        QFETCH(QString, percorso);
        QFETCH(QByteArray, byte);
        OggettoScheduler o;
        o.Percorso = percorso;
        o.Codice.fill(0xEE);
        const auto c = CodiceScheduler(o);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(c.data()) + 24, 11), byte);
        QCOMPARE(c[35], 0);
    }

    void altriNonCompilati()
    {
        EditorScheduler e;
        e.NuovoLogger();
        Schedulazioni.Oggetti[1].Blocco.Funzione = 5;
        Schedulazioni.Oggetti[1].Codice.fill(7);
        CompilaOggettiScheduler();
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[0], 7);
    }

    void byteOltreIlRecord()
    {
        // A compile rewrites the record's bytes 0..73 and leaves the spare ones.
        EditorScheduler e;
        e.NuovoLogger();
        Schedulazioni.Oggetti[1].Codice.fill(7);
        CompilaOggettiScheduler();
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[0], 10);
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[73], 0);
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[74], 7);
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[100], 7);
    }

    void eliminaESposta()
    {
        EditorScheduler e;
        e.NuovoLogger();
        e.NuovoLogger();
        for (int i = 1; i <= 4; ++i)
            Schedulazioni.Oggetti[std::size_t(i)].Dato1 = std::uint8_t(i * 10);
        QVERIFY(e.DeleteObject(2));
        QCOMPARE(Schedulazioni.NumOggetti, 3);
        QCOMPARE(Schedulazioni.Oggetti[2].Dato1, 30);
        QCOMPARE(Schedulazioni.Oggetti[3].Dato1, 40);
        e.OggettoAttivo = 1;
        QVERIFY(!e.SpostaIndietro());
        QVERIFY(e.SpostaAvanti());
        QCOMPARE(e.OggettoAttivo, 2);
        QCOMPARE(Schedulazioni.Oggetti[2].Dato1, 10);
        e.OggettoAttivo = 3;
        QVERIFY(!e.SpostaAvanti());
        QVERIFY(!e.DeleteObject(0));
    }

    void pieno()
    {
        EditorScheduler e;
        for (int i = 0; i < 15; ++i)
            QVERIFY(e.NuovoLogger());
        QCOMPARE(Schedulazioni.NumOggetti, 30);
        QVERIFY(e.NuovoLogger());
        QVERIFY(!e.NuovoLogger());
        QCOMPARE(Schedulazioni.NumOggetti, 32);
    }

private:
    test::Banco banco_;
};

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_scheduler.moc"
