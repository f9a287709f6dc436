// The compiled program image, byte for byte, and the compile report.
#include "Progetti.h"

#include "app/Comandi.h"
#include "display/CompilaPagine.h"
#include "projectfiles/NuovoProgetto.h"

#include <QtTest>

using namespace ludra;
using namespace ludra::test;

Q_DECLARE_METATYPE(std::function<void()>)

class TestCompilatore : public QObject {
    Q_OBJECT

private:
    Banco banco_;

    static void confronta(const Atteso& atteso)
    {
        const QString d = differenza(atteso.b);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

private slots:
    void init() { banco_.apri(Banco::Doppi::Tutti); progettoNuovo(); }
    void cleanup() { banco_.chiudi(); }

    void nuovoProgetto()
    {
        QCOMPARE(Compila(), 14);
        QCOMPARE(InizioDati, 14);
        QCOMPARE(NumErrori, std::int16_t(0));
        confronta(Atteso{});
        const QStringList log = LogModello::istanza().righe();
        QCOMPARE(log.size(), 6);
        QVERIFY(log[0].startsWith(QLatin1String("-- ")) && log[0].endsWith(QLatin1String(" --")));
        QCOMPARE(righeRapporto(), rapportoOk(14, 0));
    }

    void letturaPiuAdd()
    {
        const Rung leggi = comunicazione(kClasseLeggiHolding, 10, 0x0203, 4, 0x0105, 0x0607);
        const Rung add = locale(1, 14);
        programma(0, {leggi, add});

        QCOMPARE(Compila(), 24 + 2 + 12);
        Atteso a;
        a.intestazione(2, 0);
        a.comunicazione(0, leggi);
        a.riga(1, 1, 24, add);
        confronta(a);
        // The read: class, node, remote high/low, count, local high/low, delay low/high.
        const std::array<std::uint8_t, 10> lettura{2, 10, 2, 3, 4, 1, 5, 7, 6, 0};
        QVERIFY(std::equal(lettura.begin(), lettura.end(), CodiceProgramma.begin() + 4));
        // The Add: record 1, sequence 1, data at 24.
        const std::array<std::uint8_t, 10> record{3, 1, 0, 24, 0, 0, 0, 14, 0, 0};
        QVERIFY(std::equal(record.begin(), record.end(), CodiceProgramma.begin() + 14));
        QCOMPARE(int(CodiceProgramma[24]), 1);
        QCOMPARE(int(CodiceProgramma[25]), 0);
    }

    void lunghezzeSovrapposte()
    {
        const Rung prima = locale(10, 6, 1);
        const Rung seconda = locale(11, 10, 50);
        programma(0, {prima, seconda});

        QCOMPARE(Compila(), 40);
        Atteso a;
        a.intestazione(2, 0);
        QCOMPARE(a.riga(0, 1, 24, prima), 30);
        a.riga(1, 2, 30, seconda);
        confronta(a);
        // Bytes 6..33 of the first block are the second block's.
        QCOMPARE(int(CodiceProgramma[30]), 11);
        QCOMPARE(int(CodiceProgramma[24 + 33]), int(seconda.ArgByte[25]));
    }

    void breakpoint()
    {
        Rung leggi = comunicazione(kClasseLeggiInput, 1, 2, 3, 4, 5);
        Rung add = locale(1, 14);
        leggi.Break = add.Break = true;
        programma(0, {leggi, add});
        Compila();
        Atteso a;
        a.intestazione(2, 0);
        a.comunicazione(0, leggi);
        a.riga(1, 1, 24, add);
        confronta(a);
        QCOMPARE(int(CodiceProgramma[13]), 1);
        QCOMPARE(int(CodiceProgramma[23]), 1);

        Sezioni[0].Rung[1].Break = Sezioni[0].Rung[2].Break = false;
        Compila();
        a.b[13] = a.b[23] = 0;
        confronta(a);
    }

    void oggettoScheduler()
    {
        Schedulazioni.NumOggetti = 1;
        logger(1, 8);
        // One blank main line and one scheduler object: two slots, one record.
        QCOMPARE(Compila(), 24 + 54);
        Atteso a;
        a.intestazione(0, 1);
        QCOMPARE(a.scheduler(0, 1, 24, Schedulazioni.Oggetti[1]), 24 + 52);
        confronta(a);
        QCOMPARE(int(CodiceProgramma[4 + 7]), 52);
        QCOMPARE(int(CodiceProgramma[24]), 138);
        QCOMPARE(int(CodiceProgramma[24 + 51]), (100 + 49) & 0xFF);   // Codice(49)
        QCOMPARE(int(CodiceProgramma[24 + 52]), 0);
    }

    void listaTrePagine()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        PagineDisplay.NumPagine = 3;
        pagina(0, 2);
        pagina(1, 1);
        pagina(2, 3);
        const Rung chiama = locale(3, 0, 1, kSubOpListaPagine);
        const Rung add = locale(1, 14, 90);
        programma(0, {chiama, add});
        std::vector<std::vector<Rung>> unita;
        for (int u = 1; u <= 3; ++u)
            unita.emplace_back(Sezioni[std::size_t(u)].Rung.begin() + 1,
                               Sezioni[std::size_t(u)].Rung.begin() + 1 +
                                   Sezioni[std::size_t(u)].NumRung);

        // Slots: 2 main + 3 + 2 + 4 page lines.
        const int inizio = 4 + 10 * 11;
        Rung lista = chiama;
        lista.ArgByte[0] = 253;
        lista.ArgByte[3] = 2;
        arg16(lista, 1, 2);   // PAG1 is record 2
        arg16(lista, 2, 5);
        arg16(lista, 3, 7);
        lista.LungDati = 18;

        Atteso a;
        a.intestazione(11, 0);
        int k = 0;
        int indirizzo = a.riga(k, k + 1, inizio, lista);
        ++k;
        indirizzo = a.riga(k, k + 1, indirizzo, add);
        ++k;
        int ultimo = 0;
        for (const auto& righe : unita)
            for (const Rung& r : righe) {
                ultimo = indirizzo;
                indirizzo = a.riga(k, k + 1, indirizzo, r);
                ++k;
            }
        QCOMPARE(Compila(), ultimo + 2);
        confronta(a);
        QCOMPARE(Sezioni[0].Rung[1].LungDati, std::int16_t(18));
        QCOMPARE(int(CodiceProgramma[std::size_t(inizio + 2)]), 253);
        QCOMPARE(int(CodiceProgramma[std::size_t(inizio + 5)]), 2);
    }

    void aggiornaDisplay()
    {
        const Rung r = locale(3, 34, 1, kSubOpAggiornaDisplay);
        programma(0, {r});
        QCOMPARE(Compila(), 14 + 34);
        Atteso a;
        a.intestazione(1, 0);
        a.riga(0, 1, 14, r);
        for (int o = 2; o <= 30; o += 4)
            a.b[std::size_t(14 + o)] = 254;
        confronta(a);
        QCOMPARE(int(CodiceProgramma[14]), 3);
        QCOMPARE(int(CodiceProgramma[15]), 0);
    }

    void dueImmagini()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        NumImmagini = 2;
        immagine(0, 100, 1);
        immagine(1, 50, 77);
        // The download carries the images: the bytes in use reach the program area's end.
        QCOMPARE(Compila(), 5634);
        QCOMPARE(Immagini[0].Indirizzo, std::int16_t(5634 - 100));
        QCOMPARE(Immagini[1].Indirizzo, std::int16_t(5634 - 150));
        Atteso a;
        a.bitmap(5534, Immagini[0]);
        a.bitmap(5484, Immagini[1]);
        confronta(a);
        QCOMPARE(righeRapporto(), rapportoOk(5634, 100));
    }

    void immaginiSottoLeTabelle()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        NumTabelle = 1;
        Tabelle[0].NumPunti = 8;
        AllocaTabelle();   // blocks 106 and 107
        NumImmagini = 2;
        immagine(0, 100, 1);
        immagine(1, 50, 77);
        // The images end below the table's lowest block, Blocco1 (the page's one slot
        // puts the data area at 24).
        const int cima = 24 + (106 - 1) * 34;
        QCOMPARE(Compila(), cima);
        QCOMPARE(Immagini[0].Indirizzo, std::int16_t(cima - 100));
        QCOMPARE(Immagini[1].Indirizzo, std::int16_t(cima - 150));
        Atteso a;
        a.bitmap(cima - 100, Immagini[0]);
        a.bitmap(cima - 150, Immagini[1]);
        confronta(a);
    }

    void immaginiSoloPerIlDisplay()
    {
        NumImmagini = 1;
        immagine(0, 100, 1);
        QCOMPARE(Compila(), 14);
        confronta(Atteso{});
    }

    void immaginiSopraUltimoBlocco()
    {
        // The last block's whole 34-byte write reaches past its length into the image
        // just above the data area; the image keeps its bytes.
        progettoNuovo(QStringLiteral("KVR5460"));
        const Rung r = locale(1, 2, 9);
        programma(0, {r});
        NumTabelle = 1;
        Tabelle[0].Blocco1 = 3;
        Tabelle[0].Blocco2 = 4;
        const int cima = 24 + 2 * 34;
        NumImmagini = 1;
        immagine(0, cima - 26, 3);   // from the data end (24 + 2) up to the table

        QCOMPARE(Compila(), cima);
        QCOMPARE(Immagini[0].Indirizzo, std::int16_t(26));
        Atteso a;
        a.intestazione(1, 0);
        a.riga(0, 1, 24, r);
        a.bitmap(26, Immagini[0]);
        confronta(a);

        // One byte more and the image would reach into the data area.
        Immagini[0].NumByte += 1;
        LogClear();
        QCOMPARE(Compila(), 0);
        QCOMPARE(LogModello::istanza().righe(), rapportoErrore({{0, guasti::ImmaginiDati}}));
    }

    void limitePagine_data()
    {
        QTest::addColumn<int>("pagine");
        QTest::addColumn<bool>("compila");
        QTest::newRow("7 pages") << 7 << true;
        QTest::newRow("8 pages") << 8 << false;
        QTest::newRow("9 pages") << 9 << false;
    }

    void limitePagine()
    {
        QFETCH(int, pagine);
        QFETCH(bool, compila);
        progettoNuovo(QStringLiteral("KVR5460"));
        PagineDisplay.NumPagine = std::uint8_t(pagine);
        for (int p = 0; p < pagine; ++p)
            pagina(p, 1);
        programma(0, {locale(3, 0, 1, kSubOpListaPagine)});

        const std::int32_t risultato = Compila();
        QCOMPARE(risultato > 0, compila);
        QCOMPARE(SubCorrente, std::int16_t(0));
        if (compila) {
            QCOMPARE(NumErrori, std::int16_t(0));
            QCOMPARE(Sezioni[0].Rung[1].LungDati, std::int16_t(4 * 7 + 6));
            // Page k's first line is record 1 + 2(k - 1).
            for (int k = 1; k <= 7; ++k)
                QCOMPARE(int(Sezioni[0].Rung[1].ArgByte[std::size_t(4 * k)]), 1 + 2 * (k - 1));
        } else {
            QCOMPARE(NumErrori, std::int16_t(1));
            QCOMPARE(righeRapporto(), rapportoErrore({{1, guasti::TroppePagine}}));
        }
    }

    void limiteSlot_data()
    {
        QTest::addColumn<int>("ultimaPagina");
        QTest::addColumn<bool>("compila");
        QTest::newRow("255 slots") << 23 << true;
        QTest::newRow("256 slots") << 24 << false;
    }

    void limiteSlot()
    {
        QFETCH(int, ultimaPagina);
        QFETCH(bool, compila);
        progettoNuovo(QStringLiteral("KVR5460"));
        programma(0, std::vector<Rung>(100, RungVuoto()));
        Schedulazioni.NumOggetti = 32;
        for (int i = 1; i <= 32; ++i)
            logger(i, 0, i);
        // Pages of blank units: only the slots count here.
        PagineDisplay.NumPagine = 4;
        for (int p = 0; p < 3; ++p)
            PagineDisplay.Pagine[std::size_t(p)].NumOggetti = 32;
        PagineDisplay.Pagine[3].NumOggetti = std::uint8_t(ultimaPagina);

        const std::int32_t risultato = Compila();
        if (compila) {
            QCOMPARE(InizioDati, 4 + 2550);
            Atteso a;
            a.intestazione(0, 32);
            int indirizzo = InizioDati;
            int ultimo = 0;
            for (int i = 1; i <= 32; ++i) {
                ultimo = indirizzo;
                indirizzo = a.scheduler(i - 1, i, indirizzo, Schedulazioni.Oggetti[std::size_t(i)]);
            }
            confronta(a);
            QCOMPARE(risultato, ultimo + 46);
        } else {
            QCOMPARE(risultato, 0);
            // Nothing is written before the slots are counted.
            confronta(Atteso{});
            QCOMPARE(righeRapporto(), rapportoErrore({{0, guasti::TroppiRecord}}));
        }
    }

    void oltreAreaProgramma()
    {
        // 100 lines of 34 bytes and 12 loggers of 103: past the program area, below 6401.
        std::vector<Rung> righe;
        for (int i = 0; i < 100; ++i)
            righe.push_back(locale(1, 34, i));
        programma(0, righe);
        Schedulazioni.NumOggetti = 12;
        for (int i = 1; i <= 12; ++i)
            logger(i, 59, i);
        const int fine = 4 + 10 * 112 + 3400 + 11 * 103 + 2 + 104;
        QCOMPARE(Compila(), fine);
        QVERIFY(fine > 5634 && fine <= 6401);
        QCOMPARE(righeRapporto(), rapportoOk(fine, fine * 100 / 5634));
        QVERIFY(righeRapporto()[3].endsWith(QLatin1String("(102%)")));
    }

    void dueVolteStessaImmagine()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        PagineDisplay.NumPagine = 2;
        pagina(0, 3);
        pagina(1, 2);
        programma(0, {locale(3, 0, 1, kSubOpListaPagine),
                      salto(kFunzioneGoto, QStringLiteral("PAG2")),
                      comunicazione(1, 5, 6, 7, 8, 9), RungVuoto()});
        Schedulazioni.NumOggetti = 2;
        logger(1, 8);
        logger(2, 4, 7);
        NumImmagini = 1;
        immagine(0, 40, 5);

        const std::int32_t primo = Compila();
        QVERIFY(primo > 0);
        const Immagine prima = CodiceProgramma;
        const std::int32_t secondo = Compila();
        QCOMPARE(secondo, primo);
        const QString d = differenza(prima);
        QVERIFY2(d.isEmpty(), qPrintable(d));

        // A smaller project after a larger one leaves nothing of the larger behind.
        Controllore.Modello = QStringLiteral("KVR5200-IO");
        NumImmagini = 0;
        Schedulazioni.NumOggetti = 0;
        programma(0, {RungVuoto()});
        QCOMPARE(Compila(), 14);
        confronta(Atteso{});
    }

    void rapportoItaliano()
    {
        progettoNuovo(QStringLiteral("KVR5200-IO"), kItaliano);
        QCOMPARE(Compila(), 14);
        QCOMPARE(righeRapporto(), rapportoOk(14, 0, true));
        programma(0, {salto(kFunzioneGoto, QStringLiteral("X"))});
        QCOMPARE(Compila(), 0);
        const QStringList errore{QStringLiteral("  Compilazione in corso"),
                                 QStringLiteral("  Controllo errori : Errore"),
                                 QStringLiteral("  Impossibile compilare"),
                                 QStringLiteral("   - Function Block 1 : Errore Etichetta")};
        QCOMPARE(righeRapporto(), errore);
    }

    void tastoCompila()
    {
        Toolbar1_ButtonClick(QStringLiteral("proj_comp"));
        QCOMPARE(righeRapporto(), rapportoOk(14, 0));
        QCOMPARE(StopCom, std::int16_t(1));
    }

    void rigeneraPagineAlCompilare()
    {
        progettoNuovo(QStringLiteral("KVR5460"));
        PagineDisplay.NumPagine = 2;
        PagineDisplay.Pagine[0].NumOggetti = 1;
        PagineDisplay.Pagine[1].NumOggetti = 1;
        int chiamate = 0;
        ImpostaRigeneraPagine([&] {
            ++chiamate;
            pagina(0, PagineDisplay.Pagine[0].NumOggetti);
            pagina(1, PagineDisplay.Pagine[1].NumOggetti);
        });
        programma(0, {locale(3, 0, 1, kSubOpListaPagine)});
        QVERIFY(Compila() > 0);
        QCOMPARE(chiamate, 1);
        QCOMPARE(int(Sezioni[0].Rung[1].ArgByte[4]), 1);
        QCOMPARE(int(Sezioni[0].Rung[1].ArgByte[8]), 3);

        // Only the display model has pages to regenerate.
        progettoNuovo();
        chiamate = 0;
        ImpostaRigeneraPagine([&] { ++chiamate; });
        Compila();
        QCOMPARE(chiamate, 0);
        ImpostaRigeneraPagine({});
    }

    void righeDiPagina()
    {
        // Unit 1 last held a Display Refresh with a breakpoint, a Call Page, or a page of
        // a project closed since (with an image): it compiles as if it had held nothing.
        progettoNuovo(QStringLiteral("KVR5460"));
        ImpostaRigeneraPagine(CompilaOggetti);
        PagineDisplay.Pagine[0].NumOggetti = 1;
        QCOMPARE(Compila(), 70);
        const Immagine pulita = CodiceProgramma;
        for (int prima : {kSubOpAggiornaDisplay, kSubOpListaPagine, 0}) {
            programma(1, {locale(3, 6, 1, prima), locale(3, 6, 1, prima)});
            Sezioni[1].Rung[1].Break = true;
            immagine(0, 10, NumImmagini = prima ? 0 : 1);
            if (!prima && NuovoProgetto())
                InitProgetto();
            PagineDisplay.Pagine[0].NumOggetti = 1;
            QCOMPARE(Compila(), 70);
            QCOMPARE(CodiceProgramma, pulita);
        }
        // A breakpoint set on the page's object line stays through the regeneration.
        Sezioni[1].Rung[1].Break = true;
        Compila();
        QCOMPARE(int(CodiceProgramma[4 + 9]), 1);   // the first record's break flag
        ImpostaRigeneraPagine({});
    }

    void guasti_data()
    {
        QTest::addColumn<std::function<void()>>("prepara");
        QTest::addColumn<int>("rung");
        QTest::addColumn<QString>("causa");

        const auto righe = [](int n, int lung) {
            std::vector<Rung> v;
            for (int i = 0; i < n; ++i)
                v.push_back(locale(1, lung, i));
            return v;
        };

        QTest::newRow("slots above 255") << std::function<void()>([] {
            progettoNuovo(QStringLiteral("KVR5460"));
            programma(0, std::vector<Rung>(100, RungVuoto()));
            PagineDisplay.NumPagine = 5;
            for (int p = 0; p < 5; ++p)
                pagina(p, 32);
        }) << 0 << guasti::TroppiRecord;
        QTest::newRow("block past 6400") << std::function<void()>([=] {
            programma(0, righe(30, 255));
        }) << 25 << guasti::OltreImmagine;
        QTest::newRow("scheduler past 6400") << std::function<void()>([=] {
            programma(0, righe(100, 34));
            Schedulazioni.NumOggetti = 18;
            for (int i = 1; i <= 18; ++i)
                logger(i, 59);
        }) << 18 << guasti::OltreImmagine;
        QTest::newRow("data length 256") << std::function<void()>([] {
            programma(0, {locale(1, 256)});
        }) << 1 << guasti::Lunghezza;
        QTest::newRow("negative data length") << std::function<void()>([] {
            programma(0, {RungVuoto(), locale(1, -1)});
        }) << 2 << guasti::Lunghezza;
        QTest::newRow("function code 300") << std::function<void()>([] {
            programma(0, {locale(300, 14)});
        }) << 1 << guasti::Funzione;
        QTest::newRow("scheduler code index 101") << std::function<void()>([] {
            Schedulazioni.NumOggetti = 1;
            logger(1, 60);
        }) << 1 << guasti::CodiceScheduler;
        QTest::newRow("scheduler negative length") << std::function<void()>([] {
            Schedulazioni.NumOggetti = 1;
            logger(1, -2);
        }) << 1 << guasti::Lunghezza;
        QTest::newRow("image of 530 bytes") << std::function<void()>([] {
            progettoNuovo(QStringLiteral("KVR5460"));
            NumImmagini = 1;
            immagine(0, 530, 1);
        }) << 0 << guasti::Immagine;
        QTest::newRow("image of -1 bytes") << std::function<void()>([] {
            progettoNuovo(QStringLiteral("KVR5460"));
            NumImmagini = 1;
            immagine(0, -1, 1);
        }) << 0 << guasti::Immagine;
        QTest::newRow("images below the slots") << std::function<void()>([=] {
            progettoNuovo(QStringLiteral("KVR5460"));
            programma(0, righe(100, 34));
            NumImmagini = 9;
            for (int i = 0; i < 9; ++i)
                immagine(i, 529, i);
        }) << 0 << guasti::ImmaginiDati;
        QTest::newRow("images over the data area") << std::function<void()>([=] {
            progettoNuovo(QStringLiteral("KVR5460"));
            programma(0, righe(100, 34));
            NumImmagini = 4;
            for (int i = 0; i < 4; ++i)
                immagine(i, 529, i);
        }) << 0 << guasti::ImmaginiDati;
        QTest::newRow("data area over the tables") << std::function<void()>([=] {
            programma(0, righe(100, 34));
            NumTabelle = 9;
            for (Tabella& t : Tabelle)
                t.NumPunti = 32;
            AllocaTabelle();
        }) << 0 << guasti::DatiTabelle;
        QTest::newRow("101 main lines") << std::function<void()>([] {
            Sezioni[0].NumRung = 101;
        }) << 0 << guasti::Conteggio;
        QTest::newRow("10 pages") << std::function<void()>([] {
            PagineDisplay.NumPagine = 10;
        }) << 0 << guasti::Conteggio;
        QTest::newRow("33 page objects") << std::function<void()>([] {
            progettoNuovo(QStringLiteral("KVR5460"));
            PagineDisplay.Pagine[0].NumOggetti = 33;
        }) << 0 << guasti::Conteggio;
        QTest::newRow("33 scheduler objects") << std::function<void()>([] {
            Schedulazioni.NumOggetti = 33;
        }) << 0 << guasti::Conteggio;
        QTest::newRow("10 tables") << std::function<void()>([] {
            NumTabelle = 10;
        }) << 0 << guasti::Conteggio;
        QTest::newRow("no program area") << std::function<void()>([] {
            DimProg = 0;
        }) << 0 << guasti::AreaProgramma;
        QTest::newRow("page list without pages") << std::function<void()>([] {
            PagineDisplay.NumPagine = 0;
            programma(0, {locale(3, 0, 1, kSubOpListaPagine)});
        }) << 1 << guasti::NessunaPagina;
        QTest::newRow("fault in a page unit") << std::function<void()>([] {
            progettoNuovo(QStringLiteral("KVR5460"));
            pagina(0, 3);
            Sezioni[1].Rung[2].LungDati = 300;
        }) << 102 << guasti::Lunghezza;
        QTest::newRow("data length 0") << std::function<void()>([] { programma(0, {locale(1, 0)}); })
                                       << 1 << guasti::Lunghezza;
    }

    void guasti()
    {
        QFETCH(std::function<void()>, prepara);
        QFETCH(int, rung);
        QFETCH(QString, causa);
        prepara();
        LogClear();
        SubCorrente = 0;

        QCOMPARE(Compila(), 0);
        QVERIFY(NumErrori >= 1);
        QCOMPARE(int(Errori[std::size_t(NumErrori - 1)].Rung), rung % 100);
        QCOMPARE(int(Errori[std::size_t(NumErrori - 1)].Sezione), rung ? rung / 100 : kSezioneProgetto);
        QCOMPARE(Errori[std::size_t(NumErrori - 1)].Messaggio, causa);
        QCOMPARE(SubCorrente, std::int16_t(0));
        // A fault writes no separator and no "Compiling".
        QCOMPARE(LogModello::istanza().righe(), rapportoErrore({{rung, causa}}));
    }

    void erroriPrimaDelGuasto()
    {
        // A line the editor refused on open is a line error with the editor's reason.
        Rung rifiutata = locale(128, 0);
        rifiutata.Rifiuto = QStringLiteral("Error: Check Values");
        programma(0, {salto(kFunzioneGoto, QStringLiteral("X")), rifiutata, locale(1, 256)});
        QCOMPARE(Compila(), 0);
        QCOMPARE(NumErrori, std::int16_t(3));
        QCOMPARE(LogModello::istanza().righe(),
                 rapportoErrore({{1, QStringLiteral("Label Error")}, {2, rifiutata.Rifiuto}, {3, guasti::Lunghezza}}));
    }

    void guastoPoiCompilazioneBuona()
    {
        programma(0, {locale(1, 256)});
        QCOMPARE(Compila(), 0);
        Sezioni[0].Rung[1].LungDati = 14;
        QCOMPARE(Compila(), 14 + 14);
        QCOMPARE(NumErrori, std::int16_t(0));
    }
};

QTEST_GUILESS_MAIN(TestCompilatore)
#include "tst_Compilatore.moc"
