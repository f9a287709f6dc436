#include "app/Avvio.h"
#include "base/Finestre.h"
#include "base/Numeri.h"
#include "base/Testi.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "fbeditor/Trasf.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"

#include <QSignalSpy>
#include <QTest>
#include <set>

using namespace ludra;

namespace {

StatoComandi& S() { return StatoComandi::istanza(); }

QString tipiAmmessi(const Argomento& a)
{
    QStringList t;
    for (int i = 0; i < kNumTipi; ++i)
        if (a.TipoAmmesso[std::size_t(i)])
            t << QString::number(i);
    return t.join(QLatin1Char(','));
}

Rung rigaDistinta()
{
    Rung r = RungVuoto();
    r.Etichetta = QStringLiteral("L7");
    r.Classe = 3;
    r.Funzione = 1;
    r.SubOp = 0;
    for (int j = 0; j < 32; ++j)
        r.ArgByte[std::size_t(j)] = std::uint8_t(0x11 * (j % 15) + 3);
    for (int k = 0; k < 8; ++k)
        r.ArgTesto[std::size_t(k)] = QStringLiteral("t%1").arg(k);
    r.Ritardo = 9;
    r.LungDati = 34;
    r.Caricato = true;
    return r;
}

} // namespace

class TestStatoComandi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void campiNonElencatiNascosti_data();
    void campiNonElencatiNascosti();
    void ritardo_data();
    void ritardo();
    void schedaDellaCategoria_data();
    void schedaDellaCategoria();
    void returnNonMostraNulla();
    void confronto();
    void leggiModulo();
    void scriviModulo();
    void risorseModulo_data();
    void risorseModulo();
    void dispositivoSconosciuto();
    void precarico_data();
    void precarico();
    void tipoNonAmmessoTornaAlPredefinito();
    void registroTrascinatoDiTipoNonAmmesso();
    void annullareLasciaLaRigaIntatta();
    void logWriteTieneIlBlocco();
    void caricaRigaMostraITesti();
    void caricaRigaModulo();
    void etichette();
    void senzaEtichette();
    void showArg();
    void showArgTabella();
    void clickTipoAbilitaSet();
    void setKLongConfermaEAnnulla();
    void setKLongRifiutatoMentreAperto();
    void setTabella();
    void rispostaTardivaScartata();
    void codificaDaiCampi_data();
    void codificaDaiCampi();
    void unaSolaNotificaPerOperazione();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
    test::FakeFinestre host;
};

void TestStatoComandi::init()
{
    banco_.apri(test::Banco::Doppi::Tutti, test::Banco::Avvio::Stato);
    InitProgetto();
    host = test::FakeFinestre{};
    setHostFinestre(&host);
}

void TestStatoComandi::cleanup()
{
    setHostFinestre(nullptr);
    banco_.chiudi();
}

// Every block's fields as the layout tables give them, on a blank line that is not
// loaded (so the value types that come from the line read as their defaults).
// field|caption|default|r(egister)/c(onstant)|type|allowed|text|type list shown
void TestStatoComandi::layout_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("campi");
    const QString comm = "0|Address|1|c|0|0| 1|1;1|Register|1|c|0|0| 1|1;2|Number|1|c|0|0| 1|1;";
    QTest::newRow("Read Holding") << 0 << comm + "4|Dest|26|r|1|0,1|%R 26|1";
    QTest::newRow("Read Input") << 40 << comm + "4|Dest|26|r|1|0,1|%R 26|1";
    QTest::newRow("Write") << 1 << comm + "4|Source|26|r|1|0,1|%R 26|1";
    const QString mod = "4|Resource|1|c|0|0|%1|1;0|Device|1|c|0|0|%2|1;1|Address|1|c|0|0| 1|1;"
                        "5|From|0|c|0|0| 0|1;6|To|0|c|0|0| 0|1;";
    QTest::newRow("Read KVR1000") << 2 << mod.arg("Analog In", "KVR1104") + "7|Dest|26|r|1|0,1|%R 26|1";
    QTest::newRow("Write KVR1000") << 9 << mod.arg("", "") + "7|Source|26|r|1|0,1|%R 26|1";
    QTest::newRow("Scale") << 3
                           << "0|Source|26|r|1|0,1,2,3,4|%R 26|1;1|Span In|1|c|5|5| 1|1;"
                              "2|Zero In|0|c|5|5| 0|1;4|Dest|26|r|1|0,1,2,3,4|%R 26|1;"
                              "5|Span Out|1|c|5|5| 1|1;6|Zero Out|0|c|5|5| 0|1";
    const QString a = "0|Source A|26|r|1|0,1,2,3,4,5|%R 26|1;";
    const QString b = "1|Source B|26|r|1|0,1,2,3,4,5|%R 26|1;";
    const QString dest = "4|Dest|26|r|1|0,1,2,3,4|%R 26|1";
    for (auto [nome, codice] : {std::pair{"Add", 4}, {"Sub", 5}, {"Mult", 18}, {"Div", 19},
                                {"x^y", 39}})
        QTest::newRow(nome) << codice << a + b + dest;
    for (auto [nome, codice] : {std::pair{"Move", 7}, {"SQRT", 8}, {"ABS", 32}, {"e^(x)", 38}})
        QTest::newRow(nome) << codice << a + dest;
    QTest::newRow("Average") << 29 << a + "1|Number|2|c|5|5| 2|1;" + dest;
    QTest::newRow("Linearization") << 30 << a + "1|Function|0|c|10|10||1;" + dest;
    QTest::newRow("Goto") << 11 << "4|Block|0|c|0|0| 0|0";
    QTest::newRow("Call") << 14 << "4|Block|0|c|0|0| 0|0";
    const QString se = QString::fromUtf8("0|Source|26|r|0|0|%R 26|1;1|Bit [0\xC3\xB7" "15]|1|c|0|0| 1|1;"
                                         "4|Goto if True|0|c|0|0| 0|0");
    QTest::newRow("If(bit) -> Goto") << 13 << se + ";5|Goto if False|0|c|0|0| 0|0";
    QTest::newRow("If(bit) -> Call") << 42 << se;
    QTest::newRow("Timer") << 16 << "0|Timer|0|c|0|0| 0|1;1|mSec|1000|c|0|0| 1000|1;2|Reg|26|r|0|0|%R 26|1";
    QTest::newRow("Trip") << 20
                          << "0|Input|1|r|1|0,1,2,3,4,5|%R 1|1;1|MAX|1|r|1|0,1,2,3,4,5|%R 1|1;"
                             "2|MIN|1|r|1|0,1,2,3,4,5|%R 1|1;3|Dest|26|r|0|0,2|%R 26|1;"
                             "4|Mask|1|c|6|6| 1|1;5|Timer|0|c|0|0| 0|1;"
                             "6|Timer ON|1000|c|0|0| 1000|1;7|Timer OFF|1000|c|0|0| 1000|1";
    const QString bdest = "4|Dest|26|r|0|0,2|%R 26|1";
    const QString parola = "0|Source A|26|r|0|0,2,6|%R 26|1;2|Source B|26|r|0|0,2,6|%R 26|1;"
                           "5|Mask|1|c|6|6| 1|1;";
    QTest::newRow("AND(word)") << 21 << parola + bdest;
    QTest::newRow("OR(word)") << 22 << parola + bdest;
    QTest::newRow("XOR(word)") << 23 << parola + bdest;
    const QString singolo = "0|SourceA|26|r|0|0,2,6|%R 26|1;5|Mask|1|c|6|6| 1|1;";
    QTest::newRow("NOT") << 24 << singolo + bdest;
    QTest::newRow("Bit Set") << 36 << singolo + bdest;
    QTest::newRow("Bit Reset") << 37 << singolo + bdest;
    const QString shift = "0|Source|26|r|0|0,2,6|%R 26|1;2|Number|1|c|0|0| 1|1;";
    for (auto [nome, codice] : {std::pair{"Shift R", 25}, {"Shift L", 26}, {"Rotate R", 27},
                                {"Rotate L", 28}})
        QTest::newRow(nome) << codice << shift + bdest;
    const QString bit = "0|Source A|26|r|0|0,2,6|%R 26|1;1|Mask A|1|c|6|6| 1|1;"
                        "2|Source B|26|r|0|0,2,6|%R 26|1;3|Mask B|1|c|6|6| 1|1;"
                        "5|Mask Dest|1|c|6|6| 1|1;";
    QTest::newRow("AND(bit)") << 33 << bit + bdest;
    QTest::newRow("OR(bit)") << 34 << bit + bdest;
    QTest::newRow("XOR(bit)") << 35 << bit + bdest;
    QTest::newRow("Clear WatchDog") << 45 << "4|Delay(*50mS)|0|c|0|0| 0|0";
    QTest::newRow("Block Move") << 46
                                << "0|Source|26|r|0|0|%R 26|1;1|Number|1|c|0|0| 1|1;2|Dest|26|r|0|0|%R 26|1";
    QTest::newRow("Return") << 15 << "";
    QTest::newRow("Log Write") << 41 << "";
    QTest::newRow("Call Page") << 43 << "";
    QTest::newRow("Display Refresh") << 44 << "";
    QTest::newRow("A>B") << 6 << "";
    QTest::newRow("blank") << 12 << "";
    QTest::newRow("Bit Set 17") << 17 << "";
    QTest::newRow("Read/Write") << 31 << "";
}

void TestStatoComandi::layout()
{
    QFETCH(int, codice);
    QFETCH(QString, campi);
    S().ClickFunzione(codice);
    QCOMPARE(S().NomeFunzione, NomiFunzioni[std::size_t(codice)]);

    std::set<int> mostrati;
    for (const QString& c : campi.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = c.split(QLatin1Char('|'));
        QCOMPARE(f.size(), 8);
        const int k = f[0].toInt();
        mostrati.insert(k);
        const Argomento& arg = Argomenti[std::size_t(k)];
        const RigaArgomento& riga = S().Righe[std::size_t(k)];
        const QByteArray dove = QByteArray::number(k);
        QVERIFY2(arg.Nome == f[1], dove + " " + arg.Nome.toUtf8());
        QVERIFY2(arg.Valore == f[2].toDouble(), dove);
        QVERIFY2(arg.Registro == (f[3] == QLatin1String("r")), dove);
        QVERIFY2(int(arg.Tipo) == f[4].toInt(), dove + " type " + QByteArray::number(arg.Tipo));
        QVERIFY2(tipiAmmessi(arg) == f[5], dove + " " + tipiAmmessi(arg).toUtf8());
        QVERIFY2(riga.testo == f[6], dove + " text '" + riga.testo.toUtf8() + "'");
        QVERIFY2(riga.etichetta == f[1] && riga.etichettaVisibile && riga.testoVisibile, dove);
        QVERIFY2(riga.tipiVisibili == (f[7] == QLatin1String("1")), dove);
        if (riga.tipiVisibili) {
            // The type list offers the allowed types in ascending order and shows the
            // field's type.
            QStringList nomi;
            for (const QString& t : f[5].split(QLatin1Char(',')))
                nomi << NomiTipi[std::size_t(t.toInt())];
            QStringList lista;
            for (const VoceElenco& v : riga.tipi)
                lista << v.testo;
            QCOMPARE(lista, nomi);
            QCOMPARE(riga.tipoSelezionato(), f[4].toInt());
        }
    }
    for (int k = 0; k < kNumArgomenti; ++k) {
        if (mostrati.count(k))
            continue;
        const RigaArgomento& riga = S().Righe[std::size_t(k)];
        QVERIFY2(!riga.etichettaVisibile && !riga.testoVisibile && !riga.tipiVisibili
                     && !riga.setVisibile,
                 QByteArray::number(k));
        QVERIFY(Argomenti[std::size_t(k)].Nome.isEmpty());
    }
}

void TestStatoComandi::campiNonElencatiNascosti_data()
{
    QTest::addColumn<int>("codice");
    for (int c : {4, 5, 7, 8, 18, 19, 29, 30, 32, 38, 39})
        QTest::addRow("%d", c) << c;
}

void TestStatoComandi::campiNonElencatiNascosti()
{
    // The arithmetic family carries 1 in field 5, which is never shown.
    QFETCH(int, codice);
    S().ClickFunzione(codice);
    QCOMPARE(Argomenti[5].Valore, 1.0);
    QVERIFY(Argomenti[5].Nome.isEmpty());
    QVERIFY(!S().Righe[5].testoVisibile);
}

void TestStatoComandi::ritardo_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<bool>("visibile");
    for (int c = 0; c < kNumCodiciFunzione; ++c) {
        const bool comm = c == 0 || c == 1 || c == 2 || c == 9 || c == 40;
        QTest::addRow("%d", c) << c << comm;
    }
}

void TestStatoComandi::ritardo()
{
    QFETCH(int, codice);
    QFETCH(bool, visibile);
    S().ImpostaRitardo(QStringLiteral("77"));
    S().ClickFunzione(codice);
    QCOMPARE(S().RitardoVisibile, visibile);
    if (visibile)
        QCOMPARE(S().Ritardo, QStringLiteral("10"));
    QCOMPARE(S().DidascaliaRitardo, QStringLiteral("Delay"));
}

void TestStatoComandi::schedaDellaCategoria_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("scheda");
    QTest::newRow("Call Page") << 43 << 9;
    QTest::newRow("Display Refresh") << 44 << 9;
    QTest::newRow("Compare") << 10 << 6;
    QTest::newRow("Block Move") << 46 << 2;
    QTest::newRow("Shift L") << 26 << 4;
    QTest::newRow("Log Write keeps the tab") << 41 << 3;
    QTest::newRow("out of range keeps the tab") << 200 << 3;
}

void TestStatoComandi::schedaDellaCategoria()
{
    QFETCH(int, codice);
    QFETCH(int, scheda);
    S().ClickScheda(3);
    S().ClickFunzione(codice);
    QCOMPARE(S().Scheda, scheda);
}

void TestStatoComandi::returnNonMostraNulla()
{
    S().ClickFunzione(4);
    S().ClickFunzione(15);
    QCOMPARE(S().NomeFunzione, QStringLiteral("Return"));
    QVERIFY(!S().RitardoVisibile);
    for (const RigaArgomento& r : S().Righe)
        QVERIFY(!r.etichettaVisibile && !r.testoVisibile && !r.tipiVisibili);
    for (const Argomento& a : Argomenti)
        QCOMPARE(a, Argomento{});
}

void TestStatoComandi::confronto()
{
    S().ClickFunzione(10);
    const QStringList attese = {"Reg A",      "Reg B",      "Mask",         "Dest",
                                "And if True", "Or if True", "And if False", "Or if False"};
    for (int k = 0; k < 8; ++k) {
        const RigaArgomento& r = S().Righe[std::size_t(k)];
        QCOMPARE(r.etichetta, attese[k]);
        QVERIFY(r.etichettaVisibile && r.testoVisibile);
        QVERIFY(!r.tipiVisibili);
        QCOMPARE(r.testo, QStringLiteral("0"));
        QCOMPARE(Argomenti[std::size_t(k)], Argomento{});
    }
}

void TestStatoComandi::leggiModulo()
{
    S().ClickFunzione(2);
    const RigaArgomento& dispositivo = S().Righe[0];
    QCOMPARE(dispositivo.elenco.size(), 12);
    QCOMPARE(dispositivo.selezione, 0);
    QCOMPARE(dispositivo.testo, QStringLiteral("KVR1104"));
    const QList<VoceElenco> attesi = {{"Analog In", 14}, {"Sync Inputs", 22}};
    QCOMPARE(S().Righe[4].elenco, attesi);
    QCOMPARE(S().Righe[4].selezione, 0);
    QCOMPARE(S().CanaleMax, std::int16_t(7));
}

void TestStatoComandi::scriviModulo()
{
    S().ClickFunzione(9);
    const RigaArgomento& dispositivo = S().Righe[0];
    const QList<VoceElenco> attesi = {{"KVR1167", 10}, {"KVR1173", 11}, {"KVR1186", 12},
                                      {"KVR1212", 20}, {"KVR1225", 21}, {"KVR1249", 23}};
    QCOMPARE(dispositivo.elenco, attesi);
    QCOMPARE(dispositivo.selezione, -1);
    QVERIFY(S().Righe[4].elenco.isEmpty());
    // Choosing a device fills the resources.
    S().SelezionaVoce(0, 3);
    QCOMPARE(S().Righe[4].elenco, (QList<VoceElenco>{{"Digital Out", 14}}));
    QCOMPARE(S().Righe[4].testo, QStringLiteral("Digital Out"));
    QVERIFY(S().Righe[5].testoVisibile);
}

void TestStatoComandi::risorseModulo_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("modello");
    QTest::addColumn<QString>("risorse");
    QTest::addColumn<bool>("canaliNascosti");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("num");
    QTest::newRow("read 1104") << 2 << "KVR1104" << "Analog In=14,Sync Inputs=22" << false << 7 << 8;
    QTest::newRow("read 1113") << 2 << "KVR1113" << "Analog In=14,Sync Inputs=22" << false << 7 << 8;
    QTest::newRow("read 1121") << 2 << "KVR1121" << "Analog In=14,Sync Inputs=22,CJC Value=13" << false << 7 << 8;
    QTest::newRow("read 1135") << 2 << "KVR1135" << "Analog In=14,Sync Inputs=22" << false << 7 << 8;
    QTest::newRow("read 1142") << 2 << "KVR1142" << "Analog In=14,Sync Inputs=22,CJC Value=13" << false << 7 << 8;
    QTest::newRow("read 1167") << 2 << "KVR1167" << "Analog Out=14" << false << 7 << 8;
    QTest::newRow("read 1186") << 2 << "KVR1186" << "Analog Out=14" << false << 7 << 8;
    QTest::newRow("read 1212") << 2 << "KVR1212" << "Digital In=8" << true << 7 << 8;
    QTest::newRow("read 1225") << 2 << "KVR1225" << "Digital In=8" << true << 7 << 8;
    QTest::newRow("read 1231") << 2 << "KVR1231" << "Digital In=10" << true << 15 << 16;
    QTest::newRow("read 1249") << 2 << "KVR1249" << "Digital In=8" << true << 7 << 8;
    QTest::newRow("write 1167") << 9 << "KVR1167" << "Analog Out=14" << false << 7 << 8;
    QTest::newRow("write 1173") << 9 << "KVR1173" << "Analog Out=14" << false << 7 << 8;
    QTest::newRow("write 1212") << 9 << "KVR1212" << "Digital Out=14" << false << 7 << 8;
    QTest::newRow("write 1249") << 9 << "KVR1249" << "Digital Out=14" << false << 7 << 8;
}

void TestStatoComandi::risorseModulo()
{
    QFETCH(int, codice);
    QFETCH(QString, modello);
    QFETCH(QString, risorse);
    QFETCH(bool, canaliNascosti);
    QFETCH(int, max);
    QFETCH(int, num);
    S().ClickFunzione(codice);
    // A device typed (or restored) as text selects its entry.
    S().ImpostaTesto(0, modello);
    S().txt_Var_Click(0);
    QStringList trovate;
    for (const VoceElenco& v : S().Righe[4].elenco)
        trovate << QStringLiteral("%1=%2").arg(v.testo).arg(v.dato);
    QCOMPARE(trovate.join(QLatin1Char(',')), risorse);
    QCOMPARE(S().Righe[4].selezione, 0);
    QCOMPARE(int(S().CanaleMin), 0);
    QCOMPARE(int(S().CanaleMax), max);
    QCOMPARE(int(S().NumCanali), num);
    for (int k : {5, 6}) {
        const RigaArgomento& r = S().Righe[std::size_t(k)];
        QCOMPARE(r.testoVisibile, !canaliNascosti);
        QCOMPARE(r.etichettaVisibile, !canaliNascosti);
        QCOMPARE(r.tipiVisibili, !canaliNascosti);
        if (canaliNascosti)
            QCOMPARE(r.testo, QStringLiteral("0"));
    }
    // Back to an analog device: the channel fields come back.
    S().SelezionaVoce(0, 0);
    QVERIFY(S().Righe[5].testoVisibile && S().Righe[6].tipiVisibili);
    QCOMPARE(int(S().CanaleMax), 7);
}

void TestStatoComandi::dispositivoSconosciuto()
{
    S().ClickFunzione(2);
    S().ImpostaTesto(0, QStringLiteral("KVR1231"));
    S().txt_Var_Click(0);
    QCOMPARE(int(S().CanaleMax), 15);
    S().ImpostaTesto(0, QStringLiteral("kvr1104"));   // names match case-sensitively
    S().txt_Var_Click(0);
    QCOMPARE(S().Righe[0].selezione, -1);
    QVERIFY(S().Righe[4].elenco.isEmpty());
    QCOMPARE(int(S().CanaleMax), 7);
    QCOMPARE(int(S().NumCanali), 8);
    // Other blocks and other rows are not module devices.
    S().ClickFunzione(0);
    S().txt_Var_Click(0);
    QVERIFY(S().Righe[4].elenco.isEmpty());
}

void TestStatoComandi::precarico_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<bool>("caricata");
    QTest::addColumn<int>("byte0");
    QTest::addColumn<int>("byte1");
    QTest::addColumn<QString>("tipi");   // field=type
    QTest::newRow("Add not loaded") << 4 << false << 0x31 << 0x02 << "0=1,1=1,4=1";
    QTest::newRow("Add loaded") << 4 << true << 0x31 << 0x02 << "0=1,1=3,4=2";
    QTest::newRow("Average count stays K_Flt") << 29 << true << 0x31 << 0x02 << "0=1,1=5,4=2";
    QTest::newRow("Linearization table") << 30 << true << 0x51 << 0x02 << "0=1,1=10,4=2";
    QTest::newRow("Scale not loaded") << 3 << false << 0x42 << 0 << "0=1,4=1";
    QTest::newRow("Scale loaded") << 3 << true << 0x42 << 0 << "0=2,4=4";
    QTest::newRow("Trip not loaded") << 20 << false << 0x21 << 0x32 << "0=1,1=1,2=1,3=0";
    QTest::newRow("Trip loaded") << 20 << true << 0x21 << 0x32 << "0=3,1=1,2=2,3=2";
    QTest::newRow("OR(word) blank") << 22 << false << 0 << 0 << "0=0,2=0,4=0";
    QTest::newRow("OR(word) bytes not loaded") << 22 << false << 0x26 << 0x02 << "0=6,2=2,4=2";
    QTest::newRow("AND(bit)") << 33 << true << 0x62 << 0x02 << "0=2,2=6,4=2";
    QTest::newRow("NOT") << 24 << false << 0x26 << 0x00 << "0=6,4=0";
    QTest::newRow("Shift R") << 25 << false << 0x62 << 0x02 << "0=2,2=0,4=2";
}

void TestStatoComandi::precarico()
{
    QFETCH(int, codice);
    QFETCH(bool, caricata);
    QFETCH(int, byte0);
    QFETCH(int, byte1);
    QFETCH(QString, tipi);
    Rung& r = Sezioni[0].Rung[1];
    r.ArgByte[4] = std::uint8_t(byte0);
    r.ArgByte[5] = std::uint8_t(byte1);
    r.Caricato = caricata;
    RungCorrente = 1;
    S().ClickFunzione(codice);
    for (const QString& c : tipi.split(QLatin1Char(','))) {
        const int k = c.section(QLatin1Char('='), 0, 0).toInt();
        const int t = c.section(QLatin1Char('='), 1, 1).toInt();
        QVERIFY2(Argomenti[std::size_t(k)].Tipo == t, qPrintable(c));
        QCOMPARE(S().Righe[std::size_t(k)].tipoSelezionato(), t);
    }
}

void TestStatoComandi::tipoNonAmmessoTornaAlPredefinito()
{
    // A K_Flt destination (not allowed there) taken from another block's bytes, a
    // K_Long bitwise destination, a nibble beyond every type.
    Rung& r = Sezioni[0].Rung[1];
    RungCorrente = 1;
    r.Caricato = true;
    r.ArgByte[4] = 0x00;
    r.ArgByte[5] = 0x05;
    S().ClickFunzione(4);
    QCOMPARE(int(Argomenti[4].Tipo), 1);
    QCOMPARE(S().Righe[4].tipoSelezionato(), 1);
    QCOMPARE(S().Righe[4].testoTipo(), QStringLiteral("Int"));

    r.ArgByte[4] = 0xF7;   // field 0 type 7, field 2 type 15
    r.ArgByte[5] = 0x06;   // field 4 K_Long, not offered for a destination
    S().ClickFunzione(21);
    for (int k : {0, 2, 4}) {
        QCOMPARE(int(Argomenti[std::size_t(k)].Tipo), 0);
        QCOMPARE(S().Righe[std::size_t(k)].tipoSelezionato(), 0);
    }

    r.ArgByte[4] = 0x00;
    r.ArgByte[5] = 0x09;   // Trip destination Bin: not offered (uInt, uLong)
    S().ClickFunzione(20);
    QCOMPARE(int(Argomenti[3].Tipo), 0);
    QCOMPARE(S().Righe[3].tipoSelezionato(), 0);
}

void TestStatoComandi::registroTrascinatoDiTipoNonAmmesso()
{
    S().ClickFunzione(0);
    QVERIFY(Argomenti[4].Registro);
    // What the register window does with a clicked Float register.
    Argomenti[4].Valore = 40;
    Argomenti[4].Tipo = kFloat;
    S().ShowArg(4);
    QCOMPARE(S().Righe[4].testo, QStringLiteral("%R 40"));
    QCOMPARE(int(Argomenti[4].Tipo), 1);
    QCOMPARE(S().Righe[4].tipoSelezionato(), 1);
    // An allowed type is kept.
    Argomenti[4].Tipo = kUInt;
    S().ShowArg(4);
    QCOMPARE(S().Righe[4].tipoSelezionato(), 0);
}

void TestStatoComandi::annullareLasciaLaRigaIntatta()
{
    Sezione& sezione = Sezioni[0];
    sezione.NumRung = 3;
    for (int i = 1; i <= 3; ++i)
        sezione.Rung[std::size_t(i)] = rigaDistinta();
    sezione.Rung[1].Etichetta = QStringLiteral("A");
    const Sezione prima = sezione;
    for (int codice = 0; codice < kVociTabellaFunzioni; ++codice) {
        S().CaricaRiga(2);
        S().ClickFunzione(codice);
        S().ImpostaEtichetta(QStringLiteral("changed"));
        S().ImpostaTesto(0, QStringLiteral("123"));
        S().Scarica();
        for (int i = 0; i <= kMaxRung; ++i)
            QVERIFY2(sezione.Rung[std::size_t(i)] == prima.Rung[std::size_t(i)],
                     qPrintable(QStringLiteral("code %1 line %2").arg(codice).arg(i)));
    }
    QCOMPARE(int(sezione.NumRung), 3);
}

void TestStatoComandi::logWriteTieneIlBlocco()
{
    Rung& r = Sezioni[0].Rung[1];
    r.Classe = 3;
    r.Funzione = 138;
    r.SubOp = 0;
    r.ArgByte.fill(0x42);
    const Rung prima = r;
    S().CaricaRiga(1);
    QCOMPARE(int(S().FunzioneCorrente), 41);
    QCOMPARE(S().NomeFunzione, QStringLiteral("Log Write"));
    const VoceFunzione& v = TabellaFunzioni[std::size_t(S().FunzioneCorrente)];
    QCOMPARE(FunzToOpt(v.Classe, v.Funzione, v.SubOp), std::uint8_t(41));
    for (const RigaArgomento& riga : S().Righe)
        QVERIFY(!riga.testoVisibile);
    QCOMPARE(r, prima);
}

void TestStatoComandi::caricaRigaMostraITesti()
{
    Rung& r = Sezioni[0].Rung[1];
    r.Etichetta = QStringLiteral("START");
    r.Classe = 2;
    r.Funzione = 0;
    r.ArgTesto = {"10", "100", "4", "", "%R 30", "", "", ""};
    r.Caricato = false;
    S().CaricaRiga(1);
    QCOMPARE(RungCorrente, std::int16_t(1));
    QCOMPARE(S().Etichetta, QStringLiteral("START"));
    QCOMPARE(int(S().FunzioneCorrente), 0);
    // Not loaded: the layout's defaults stay.
    QCOMPARE(S().Righe[0].testo, QStringLiteral(" 1"));

    r.Caricato = true;
    S().CaricaRiga(1);
    QCOMPARE(S().Righe[0].testo, QStringLiteral("10"));
    QCOMPARE(S().Righe[1].testo, QStringLiteral("100"));
    QCOMPARE(S().Righe[4].testo, QStringLiteral("%R 30"));
    // Hidden rows take their texts too.
    QCOMPARE(S().Righe[3].testo, QString());
}

void TestStatoComandi::caricaRigaModulo()
{
    Rung& r = Sezioni[0].Rung[1];
    r.Classe = 2;
    r.Funzione = 1;
    r.ArgTesto = {"KVR1231", "3", "", "", "Digital In", "0", "0", "%R 40"};
    r.Caricato = true;
    S().CaricaRiga(1);
    QCOMPARE(int(S().FunzioneCorrente), 2);
    QCOMPARE(S().Righe[0].selezione, 10);
    QCOMPARE(S().Righe[4].testo, QStringLiteral("Digital In"));
    QCOMPARE(S().Righe[4].datoSelezionato(), std::optional<int>(10));
    QVERIFY(!S().Righe[5].testoVisibile);
    QCOMPARE(int(S().NumCanali), 16);
    QCOMPARE(S().Righe[7].testo, QStringLiteral("%R 40"));
}

void TestStatoComandi::etichette()
{
    Sezione& sezione = Sezioni[0];
    sezione.NumRung = 6;
    sezione.Rung[2].Etichetta = QStringLiteral("A");
    sezione.Rung[5].Etichetta = QStringLiteral("B");
    sezione.Rung[7].Etichetta = QStringLiteral("beyond");   // past NumRung
    S().ClickFunzione(11);
    const QList<VoceElenco> attese = {{"A", 2}, {"B", 5}};
    QCOMPARE(S().Righe[4].elenco, attese);
    QCOMPARE(S().Righe[4].selezione, 0);
    QCOMPARE(S().Righe[4].testo, QStringLiteral("A"));
    QVERIFY(!S().Righe[4].tipiVisibili);
    QVERIFY(!S().Righe[4].setVisibile);
    S().ClickFunzione(13);
    QCOMPARE(S().Righe[4].elenco, attese);
    QCOMPARE(S().Righe[5].elenco, attese);
    QCOMPARE(S().Righe[5].testo, QStringLiteral("A"));
}

void TestStatoComandi::senzaEtichette()
{
    S().ClickFunzione(14);
    QVERIFY(S().Righe[4].elenco.isEmpty());
    QCOMPARE(S().Righe[4].selezione, -1);
    QCOMPARE(S().Righe[4].testo, QStringLiteral(" 0"));
}

void TestStatoComandi::showArg()
{
    S().ClickFunzione(15);
    Argomento& a = Argomenti[2];
    a.Nome = QStringLiteral("X");
    a.Tipo = kInt;
    a.Valore = 12;
    a.Registro = true;
    a.TipoAmmesso[0] = a.TipoAmmesso[1] = true;
    S().ShowArg(2);
    QCOMPARE(S().ArgomentoAttivo, std::uint8_t(2));
    QCOMPARE(S().Righe[2].testo, QStringLiteral("%R 12"));
    QCOMPARE(S().Righe[2].etichetta, QStringLiteral("X"));
    a.Registro = false;
    S().ShowArg(2);
    QCOMPARE(S().Righe[2].testo, QStringLiteral(" 12"));
    a.Valore = -5;
    S().ShowArg(2);
    QCOMPARE(S().Righe[2].testo, QStringLiteral("-5"));
    // K_Flt and K_Long show the number even for a register record.
    a.TipoAmmesso[5] = true;
    a.Tipo = kKFlt;
    a.Registro = true;
    a.Valore = 0.5;
    S().ShowArg(2);
    QCOMPARE(S().Righe[2].testo, QStringLiteral(" .5"));
    // No caption: the row is hidden and nothing else changes.
    a.Nome.clear();
    const RigaArgomento prima = S().Righe[2];
    S().ShowArg(2);
    QVERIFY(!S().Righe[2].etichettaVisibile && !S().Righe[2].testoVisibile
            && !S().Righe[2].tipiVisibili);
    QCOMPARE(S().Righe[2].testo, prima.testo);
    QCOMPARE(S().Righe[2].tipi, prima.tipi);
    S().ShowArg(8);   // out of range: nothing
    QCOMPARE(S().ArgomentoAttivo, std::uint8_t(2));
}

void TestStatoComandi::showArgTabella()
{
    NumTabelle = 2;
    Tabelle[0].Nome = QStringLiteral("PT100");
    Tabelle[1].Nome = QStringLiteral("TC-K");
    S().ClickFunzione(15);
    Argomento& a = Argomenti[1];
    a.Nome = QStringLiteral("Y");
    a.TipoAmmesso[0] = a.TipoAmmesso[1] = a.TipoAmmesso[10] = true;
    S().ShowArg(1);
    const QList<VoceElenco> tipi = {{"uInt", 0}, {"Int", 1}, {"Table", 10}};
    QCOMPARE(S().Righe[1].tipi, tipi);
    QCOMPARE(int(a.Tipo), 10);
    QCOMPARE(S().Righe[1].elenco, (QList<VoceElenco>{{"PT100", 0}, {"TC-K", 1}}));
    QCOMPARE(S().Righe[1].testo, QStringLiteral("PT100"));
    QVERIFY(S().Righe[1].setVisibile && S().Righe[1].setAbilitato);

    // Linearization offers the tables in its function field.
    S().ClickFunzione(30);
    QCOMPARE(S().Righe[1].testo, QStringLiteral("PT100"));
    QCOMPARE(S().Righe[1].elenco.size(), 2);
}

void TestStatoComandi::clickTipoAbilitaSet()
{
    S().ClickFunzione(21);   // AND(word): field 0 offers uInt, uLong, K_Long
    QVERIFY(S().Righe[0].setVisibile);
    QVERIFY(!S().Righe[0].setAbilitato);
    S().Focus(3);
    S().ClickTipo(0, 2);
    QCOMPARE(int(Argomenti[0].Tipo), 6);
    QCOMPARE(S().ArgomentoAttivo, std::uint8_t(0));
    QVERIFY(S().Righe[0].setAbilitato);
    S().ClickTipo(0, 1);
    QCOMPARE(int(Argomenti[0].Tipo), 2);
    QVERIFY(!S().Righe[0].setAbilitato);
    S().ClickTipo(0, 9);   // no such entry: nothing changes
    QCOMPARE(int(Argomenti[0].Tipo), 2);
    // A field without K_Long or Table has no set button.
    QVERIFY(!S().Righe[4].setVisibile);
}

void TestStatoComandi::setKLongConfermaEAnnulla()
{
    S().ClickFunzione(21);
    QCOMPARE(S().Righe[5].testo, QStringLiteral(" 1"));
    QString vistoDalDialogo;
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        vistoDalDialogo = TestoDialogo;
        TestoDialogo = QStringLiteral("255");
        host.caricate.erase(QStringLiteral("Input_Box"));
        ChiudiDialogoValori(Finestra::Input_Box);
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(host.aperte, QStringList{"Input_Box"});
    QCOMPARE(vistoDalDialogo, QStringLiteral(" 1"));
    QCOMPARE(int(InputBox.Tipo), int(kInputBoxTesto));
    QCOMPARE(S().Righe[5].testo, QStringLiteral("255"));
    QVERIFY(!DialogoAperto);

    // Cancel: the dialog hands back the text it was given.
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        host.caricate.erase(QStringLiteral("Input_Box"));
        ChiudiDialogoValori(Finestra::Input_Box);
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(S().Righe[5].testo, QStringLiteral("255"));

    // The close box: the window goes away without a button.
    doubles->waiter.duranteAttesa = [&] { host.caricate.clear(); ChiudiDialogoValori(Finestra::Input_Box); };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QVERIFY(!DialogoAperto);
    QCOMPARE(S().Righe[5].testo, QStringLiteral("255"));

    // A type without a dialog opens nothing.
    host.aperte.clear();
    QVERIFY(!S().cmd_Set_Click(4));
    QVERIFY(host.aperte.isEmpty());
}

void TestStatoComandi::setKLongRifiutatoMentreAperto()
{
    S().ClickFunzione(21);
    DialogoAperto = true;   // another value dialog waits
    TestoDialogo = QStringLiteral("theirs");
    QVERIFY(!S().cmd_Set_Click(5));
    QCOMPARE(TestoDialogo, QStringLiteral("theirs"));
    QVERIFY(host.aperte.isEmpty());
    QCOMPARE(S().Righe[5].testo, QStringLiteral(" 1"));
    DialogoAperto = false;

    // A dialog that cannot be opened does not leave the editor waiting.
    host.carica = false;
    QVERIFY(!S().cmd_Set_Click(5));
    QVERIFY(!DialogoAperto);
    QCOMPARE(S().Righe[5].testo, QStringLiteral(" 1"));
}

void TestStatoComandi::setTabella()
{
    NumTabelle = 2;
    Tabelle[0].Nome = QStringLiteral("PT100");
    Tabelle[1].Nome = QStringLiteral("TC-K");
    S().ClickFunzione(30);
    S().SelezionaVoce(1, 1);
    int presetVisto = -2;
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        presetVisto = InputTab.TabAttiva;
        // The user adds a table and picks it.
        Tabelle[2].Nome = QStringLiteral("NEW");
        NumTabelle = 3;
        InputTab.TabAttiva = 2;
        host.caricate.clear();
        ChiudiDialogoValori(Finestra::Input_Tab);
    };
    QVERIFY(S().cmd_Set_Click(1)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(host.aperte, QStringList{"Input_Tab"});
    QCOMPARE(presetVisto, 1);
    QCOMPARE(S().Righe[1].elenco.size(), 3);
    QCOMPARE(S().Righe[1].selezione, 2);
    QCOMPARE(S().Righe[1].testo, QStringLiteral("NEW"));

    // Nothing picked: the list is rebuilt with no entry selected.
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        InputTab.TabAttiva = -1;
        host.caricate.clear();
        ChiudiDialogoValori(Finestra::Input_Tab);
    };
    QVERIFY(S().cmd_Set_Click(1)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(S().Righe[1].selezione, -1);
    QCOMPARE(S().Righe[1].testo, QString());
}

void TestStatoComandi::rispostaTardivaScartata()
{
    S().ClickFunzione(21);
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        S().ClickFunzione(33);   // the user picks another block meanwhile
        TestoDialogo = QStringLiteral("99");
        host.caricate.clear();
        ChiudiDialogoValori(Finestra::Input_Box);
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(S().Righe[5].testo, QStringLiteral(" 1"));
}

// The editor state alone gives each argument's bytes: the field's text read as a
// number and encoded by the field's chosen type.
void TestStatoComandi::codificaDaiCampi_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("campo");
    QTest::addColumn<int>("voceTipo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<SlotArgomento>("attesi");
    QTest::newRow("K_Long mask hex") << 21 << 5 << 0 << "&HFFFFFFFF" << true
                                     << SlotArgomento{0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("K_Long negative") << 21 << 5 << 0 << "-1" << false << SlotArgomento{};
    QTest::newRow("K_Flt span") << 3 << 1 << 0 << " 1" << true
                                << SlotArgomento{0x00, 0x00, 0x80, 0x3F};
    QTest::newRow("uInt address") << 0 << 0 << 0 << "1000" << true
                                  << SlotArgomento{0xE8, 0x03, 0, 0};
    QTest::newRow("Int -1") << 0 << 4 << 1 << "-1" << true << SlotArgomento{0xFF, 0xFF, 0, 0};
    QTest::newRow("uInt too big") << 0 << 0 << 0 << "65536" << false << SlotArgomento{};
    QTest::newRow("Long from list") << 4 << 0 << 3 << "-2" << true
                                    << SlotArgomento{0xFE, 0xFF, 0xFF, 0xFF};
    QTest::newRow("Float writes nothing") << 4 << 0 << 4 << "3.5" << true
                                          << SlotArgomento{0xAA, 0xBB, 0xCC, 0xDD};
    QTest::newRow("empty is 0") << 16 << 1 << 0 << "" << true << SlotArgomento{0, 0, 0, 0};
}

void TestStatoComandi::codificaDaiCampi()
{
    QFETCH(int, codice);
    QFETCH(int, campo);
    QFETCH(int, voceTipo);
    QFETCH(QString, testo);
    QFETCH(bool, ok);
    QFETCH(SlotArgomento, attesi);
    S().ClickFunzione(codice);
    S().ClickTipo(campo, voceTipo);
    S().ImpostaTesto(campo, testo);
    const RigaArgomento& r = S().Righe[std::size_t(campo)];
    double v = LeggiNumero(r.testo);
    SlotArgomento slot = {0xAA, 0xBB, 0xCC, 0xDD};
    QCOMPARE(CodificaArgomento(v, std::uint8_t(r.tipoSelezionato()), slot), ok);
    if (ok)
        QCOMPARE(slot, attesi);
}

void TestStatoComandi::unaSolaNotificaPerOperazione()
{
    QSignalSpy spia(&S(), &StatoComandi::cambiato);
    S().ClickFunzione(2);
    QCOMPARE(spia.count(), 1);
    S().ImpostaTesto(1, QStringLiteral("5"));
    QCOMPARE(spia.count(), 2);
    S().ImpostaTesto(1, QStringLiteral("5"));   // no change, no notice
    QCOMPARE(spia.count(), 2);
}

QTEST_GUILESS_MAIN(TestStatoComandi)
#include "tst_statocomandi.moc"
