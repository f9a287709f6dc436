#include "app/Avvio.h"
#include "base/Finestre.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "fbeditor/Assemblaggio.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/Ricodifica.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "tables/Tabelle.h"

#include <QSignalSpy>
#include <QTest>

using namespace ludra;

namespace {

StatoComandi& S() { return StatoComandi::istanza(); }

Rung& linea(int i = 1) { return Sezioni[std::size_t(SubCorrente)].Rung[std::size_t(i)]; }

// The 32 argument bytes as eight groups of hexadecimal digits.
QString esa(const Rung& r)
{
    QStringList slot;
    for (int k = 0; k < 8; ++k) {
        QString s;
        for (int j = 0; j < 4; ++j)
            s += QStringLiteral("%1").arg(r.ArgByte[std::size_t(4 * k + j)], 2, 16,
                                          QLatin1Char('0'));
        slot << s.toUpper();
    }
    return slot.join(QLatin1Char(' '));
}

// Fills the editor: "k=text", "k=text:type" (the type by its code) or "k#entry" (an
// entry of the field's list), separated by ";". Field 0 runs its click, as choosing a
// device does.
void compila(int codice, const QString& campi, const QString& ritardo)
{
    S().ClickFunzione(codice);
    for (const QString& c : campi.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (c.contains(QLatin1Char('#'))) {
            const QStringList p = c.split(QLatin1Char('#'));
            S().SelezionaVoce(p[0].toInt(), p[1].toInt());
            continue;
        }
        const int uguale = c.indexOf(QLatin1Char('='));
        const int k = c.left(uguale).toInt();
        QString testo = c.mid(uguale + 1);
        const int duepunti = testo.lastIndexOf(QLatin1Char(':'));
        if (duepunti >= 0) {
            const int tipo = testo.mid(duepunti + 1).toInt();
            testo = testo.left(duepunti);
            const RigaArgomento& r = S().Righe[std::size_t(k)];
            int voce = -1;
            for (int i = 0; i < r.tipi.size(); ++i)
                if (r.tipi[i].dato == tipo)
                    voce = i;
            QVERIFY2(voce >= 0, qPrintable(c));
            S().ClickTipo(k, voce);
        }
        S().ImpostaTesto(k, testo);
        if (k == 0)
            S().txt_Var_Click(0);
    }
    if (!ritardo.isEmpty())
        S().ImpostaRitardo(ritardo);
}

std::array<std::uint8_t, kRigheRegistri> formati()
{
    std::array<std::uint8_t, kRigheRegistri> f{};
    for (int i = 0; i < kRigheRegistri; ++i)
        f[std::size_t(i)] = TabellaRegistri[std::size_t(i)].Formato;
    return f;
}

// The captions of the row's argument labels that show, in field order.
QString etichetteRiga(int i = 1)
{
    QStringList l;
    for (const ControlloRiga& c : Riga(SubCorrente, i).lbl_VarN)
        if (c.visibile)
            l << c.caption;
    return l.join(QLatin1Char('|'));
}

// A line and row that no block writes, to see that a failed commit leaves them.
void rigaEstranea()
{
    Rung& r = linea();
    r.Etichetta = QStringLiteral("OLD");
    r.Classe = 3;
    r.Funzione = 134;
    r.ArgByte.fill(0x5A);
    r.ArgTesto.fill(QStringLiteral("old"));
    r.Ritardo = 77;
    r.LungDati = 10;
    r.Caricato = true;
    AggiornaRiga(1, [](RigaLadder& riga) {
        riga.txt_Var.caption = QStringLiteral("[ old ]");
        riga.txt_Func.caption = QStringLiteral("Timer");
        riga.immagine = 15;
        riga.immagineVisibile = true;
        riga.lbl_VarN[0] = {QStringLiteral("old label"), true};
    });
}

} // namespace

class TestCompilaComando : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void blocchi_data();
    void blocchi();
    void valoreCampo_data();
    void valoreCampo();
    void lungDati_data();
    void lungDati();
    void moduloLasciaIndirizzoENumero();
    void logWriteLasciaIlRitardo();
    void linearizzazioneSenzaTabelle();
    void linearizzazionePiazzaLaTabella();
    void rigaSenzaDidascalieDelBloccoPrecedente();
    void riaprireRitrovaRitardoETipi();
    void registriRidisegnatiSoloAlSuccesso();
    void conferma();
    void registroCliccato_data();
    void registroCliccato();
    void compilatoDalCompilatore();
    void seBitCallSenzaSecondoBersaglio();
    void ricodifica();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
    test::FakeFinestre host;
};

void TestCompilaComando::init()
{
    banco_.apri(test::Banco::Doppi::Tutti, test::Banco::Avvio::Stato);
    InitProgetto();
    host = test::FakeFinestre{};
    setHostFinestre(&host);
    S().Carica();
    NumTabelle = 2;
    Tabelle[0].Nome = QStringLiteral("T0");
    Tabelle[0].NumPunti = 3;
    Tabelle[0].Blocco1 = 50;
    Tabelle[0].Blocco2 = 52;
    Tabelle[1].Nome = QStringLiteral("T1");
    Tabelle[1].NumPunti = 5;
    Tabelle[1].Blocco1 = 100;
    Tabelle[1].Blocco2 = 105;
}

void TestCompilaComando::cleanup()
{
    setHostFinestre(nullptr);
    banco_.chiudi();
}

// Every block with typed fields: the line's argument bytes, data length and delay, the
// register types it sets, its row summary and the captions of its row's labels. A
// failing block leaves line, row and register table as they were; a written line
// opened again and confirmed again gives the same line, row and types.
void TestCompilaComando::blocchi_data()
{
    QTest::addColumn<int>("codice");
    QTest::addColumn<QString>("campi");
    QTest::addColumn<QString>("ritardo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("byte");
    QTest::addColumn<int>("lung");
    QTest::addColumn<int>("rit");
    QTest::addColumn<QString>("tipi");
    QTest::addColumn<QString>("sommario");
    QTest::addColumn<QString>("etichette");
    QTest::addColumn<int>("rifiutato");   // the field refused; -2 not checked

    const QString z = QStringLiteral(" 00000000");
    const auto ok = [](const char* nome, int codice, const QString& campi, const QString& ritardo,
                       const QString& byte, int lung, int rit, const QString& tipi,
                       const QString& sommario, const QString& etichette = QString()) {
        QTest::newRow(nome) << codice << campi << ritardo << true << byte << lung << rit << tipi
                            << sommario << etichette << -1;
    };
    const auto no = [](const char* nome, int codice, const QString& campi,
                       const QString& ritardo = QString(), int rifiutato = -2) {
        QTest::newRow(nome) << codice << campi << ritardo << false << QString() << 0 << 0
                            << QString() << QString() << QString() << rifiutato;
    };
    // Typed texts in three fields: what is not wholly a number in range is refused.
    const auto hex2 = [](int v) {
        return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    };
    const QString letto = "01000000 01000000 01000000 1A000000 ";
    for (const auto& [t, v] : {std::pair{"12a", -1}, {"abc", -1}, {"2x0", -1}, {"", -1},
                               {" 12 ", 12}, {"1e3", 1000}, {"&H1F", 31}, {"70000", -1}}) {
        const QString q = QString::fromLatin1(t), b = hex2(v & 0xFF), h = hex2(v >> 8);
        if (v >= 0 && v <= 255)
            ok(qPrintable("Address " + q), 0, "0=" + q, "", b + "000000" + letto.mid(8)
               + "0A000000" + z + z + z, 0, 0, "26=1", "[ " + q + " ,  1 ,  1 , %R 26 ]");
        else
            no(qPrintable("Address " + q), 0, "0=" + q, "", 0);
        if (v < 0) {
            no(qPrintable("Timer mSec " + q), 16, "1=" + q, "", 1);
            no(qPrintable("Clear WatchDog " + q), 45, "4=" + q, "", 4);
            continue;
        }
        ok(qPrintable("Timer mSec " + q), 16, "1=" + q, "", "00000000 " + b + h + "1A00" + z + z
           + z + z + z + z, 10, 0, "", "[  0 , " + q + " ]");
        ok(qPrintable("Clear WatchDog " + q), 45, "4=" + q, "", b + h + "0000" + z + z + z + z + z
           + z + z, 6, 0, "", "[ " + q + " ]");
    }
    no("delay 12a", 0, "", "12a", kCampoRitardo);

    // Reads and writes of remote registers.
    ok("Read Holding", 0, "0=10;1=100;2=4;4=%R 30:1", "",
       "0A000000 64000000 04000000 1E000000 0A000000" + z + z + z, 0, 0, "30=1",
       "[ 10 , 100 , 4 , %R 30 ]", "Address|Register|Number|Dest (Int)");
    ok("Write, delay 10", 1, "0=1;1=5;2=2;4=%R 40:0", "10",
       "01000000 05000000 02000000 28000000 0A000000" + z + z + z, 0, 10, "40=0",
       "[ 1 , 5 , 2 , %R 40 ]", "Address|Register|Number|Source (uInt)");
    ok("Read Input, delay 300", 40, "0=3;1=7;2=1;4=%R 27", "300",
       "03000000 07000000 01000000 1B000000 2C000000 01000000" + z + z, 0, 0, "27=1",
       "[ 3 , 7 , 1 , %R 27 ]");
    ok("Write, delay 32767", 1, "", "32767",
       "01000000 01000000 01000000 1A000000 FF000000 7F000000" + z + z, 0, 32767, "26=1",
       "[  1 ,  1 ,  1 , %R 26 ]");
    ok("address and count 255", 0, "0=255;1=65535;2=255", "",
       "FF000000 FFFF0000 FF000000 1A000000 0A000000" + z + z + z, 0, 0, "26=1",
       "[ 255 , 65535 , 255 , %R 26 ]");
    no("empty fields refused", 0, "0=;1=;2=;4=%R", "", 0);
    no("%R alone refused", 0, "4=%R", "", 4);
    no("address 300", 0, "0=300");
    no("count 256", 0, "2=256");
    no("remote register -1", 0, "1=-1");
    no("remote register 65536", 0, "1=65536");
    no("destination 1025", 0, "4=%R 1025");
    no("destination 2000", 0, "4=%R 2000");
    no("destination -1", 0, "4=%R -1");
    no("a lone %", 0, "0=%");
    no("delay -1", 0, "", "-1");
    no("read delay 32768", 0, "", "32768");
    no("write delay 32768", 1, "", "32768");

    // I/O-module reads and writes.
    ok("Read KVR1000 Analog In 2..5", 2, "0=KVR1104;1=5;4=Analog In;5=2;6=5;7=%R 50", "",
       "05000000 10000000 04000000 32000000 0A000000" + z + z + z, 0, 0, "50=1",
       "[ KVR1104 , 5 , Analog In , 2 , 5 , %R 50 ]", "Device|Address|Resource|From|To|Dest (Int)");
    ok("Read KVR1000 CJC", 2, "0=KVR1121;4=CJC Value;5=0;6=0;7=%R 60", "",
       "01000000 0D000000 01000000 3C000000 0A000000" + z + z + z, 0, 0, "60=1",
       "[ KVR1121 ,  1 , CJC Value , 0 , 0 , %R 60 ]");
    ok("Read KVR1000 digital inputs", 2, "0=KVR1212;7=%R 61", "",
       "01000000 08000000 01000000 3D000000 0A000000" + z + z + z, 0, 0, "61=1",
       "[ KVR1212 ,  1 , Digital In , 0 , 0 , %R 61 ]", "Device|Address|Resource|Dest (Int)");
    ok("Read KVR1231 all 16 channels", 2, "0=KVR1231;5=0;6=15;7=%R 62", "",
       "01000000 0A000000 10000000 3E000000 0A000000" + z + z + z, 0, 0, "62=1",
       "[ KVR1231 ,  1 , Digital In , 0 , 15 , %R 62 ]");
    ok("Write KVR1000 analog 1..3", 9, "0=KVR1167;1=7;5=1;6=3;7=%R 70:0", "25",
       "07000000 0F000000 03000000 46000000 19000000" + z + z + z, 0, 25, "70=0",
       "[ KVR1167 , 7 , Analog Out , 1 , 3 , %R 70 ]",
       "Device|Address|Resource|From|To|Source (uInt)");
    ok("Write KVR1000 digital", 9, "0=KVR1212;5=2;6=6;7=%R 71", "",
       "01000000 09000000 01000000 47000000 0A000000" + z + z + z, 0, 10, "71=1",
       "[ KVR1212 ,  1 , Digital Out , 2 , 6 , %R 71 ]");
    no("Write KVR1000 without a device", 9, "");
    no("Write KVR1000 without a resource", 9, "0=KVR1167;4=");
    no("Read KVR1000 unknown resource", 2, "4=Bogus");
    no("Read KVR1000 unknown device", 2, "0=KVR9999");
    no("first channel -1", 2, "5=-1;6=3");
    no("last channel 8", 2, "5=0;6=8");
    no("last channel 16 on KVR1231", 2, "0=KVR1231;5=0;6=16");
    no("last channel below the first", 2, "5=3;6=0");
    no("write, last channel below the first", 9, "0=KVR1167;5=5;6=4");
    no("module address 256", 2, "1=256");

    // Arithmetic and move family.
    const QString a = "00010000";   // slot 5: the flag byte
    ok("Add", 4, "0=%R 30:1;1=%R 31:2;4=%R 32:3", "",
       "00000000 21030000 00000000 1E000000 1F000000 " + a + z + " 20000000", 34, 0,
       "30=1,31=2,32=3", "[ %R 30 , %R 31 , %R 32 ]",
       "Source A (Int)|Source B (uLong)|Dest (Long)");
    ok("Sub, A a K_Flt constant", 5, "0=1:5;1=%R 31:1;4=%R 32:1", "",
       "01000000 15010000 00000000 0000803F 1F000000 " + a + z + " 20000000", 34, 0, "31=1,32=1",
       "[ 1 , %R 31 , %R 32 ]", "Source A (K_Flt)|Source B (Int)|Dest (Int)");
    ok("Mult, B -2.5", 18, "0=%R 30;1=-2.5:5;4=%R 32", "",
       "02000000 51010000 00000000 1E000000 000020C0 " + a + z + " 20000000", 34, 0, "30=1,32=1",
       "[ %R 30 , -2.5 , %R 32 ]");
    ok("Move", 7, "0=%R 40:0;4=%R 41:1", "",
       "04000000 00010000 00000000 28000000 00000000 " + a + z + " 29000000", 34, 0, "40=0,41=1",
       "[ %R 40 , %R 41 ]", "Source A (uInt)|Dest (Int)");
    ok("Average 10", 29, "0=%R 40;1=10;4=%R 41", "",
       "05000000 51010000 00000000 28000000 00000000 0A010000" + z + " 29000000", 34, 0,
       "40=1,41=1", "[ %R 40 , 10 , %R 41 ]", "Source A (Int)|Number (K_Flt)|Dest (Int)");
    no("Average 256", 29, "1=256");
    no("Average -1", 29, "1=-1");
    ok("x^y", 39, "0=%R 30;1=%R 31;4=%R 32", "",
       "06000000 11010000 00000000 1E000000 1F000000 " + a + z + " 20000000", 34, 0,
       "30=1,31=1,32=1", "[ %R 30 , %R 31 , %R 32 ]");
    ok("e^(x)", 38, "0=%R 30;4=%R 32", "",
       "0A000000 01010000 00000000 1E000000 00000000 " + a + z + " 20000000", 34, 0, "30=1,32=1",
       "[ %R 30 , %R 32 ]");
    ok("destination 1024", 4, "4=%R 1024:0", "",
       "00000000 11000000 00000000 1A000000 1A000000 " + a + z + " 00040000", 34, 0,
       "26=1,1024=0", "[ %R 26 , %R 26 , %R 1024 ]");
    no("Add destination 1025", 4, "4=%R 1025");
    no("Add operand -3", 4, "0=%R -3");
    ok("Linearization uses the table picked", 30, "0=%R 40;1#1;4=%R 41", "",
       "08000000 51010000 00000000 28000000 0000A040 64010000 69000000 29000000", 34, 0,
       "40=1,41=1", "[ %R 40 , T1 , %R 41 ]", "Source A (Int)|Function (Table)|Dest (Int)");
    no("Linearization, no table chosen", 30, "1=nothing");
    ok("Scale", 3, "0=%R 30:1;1=100;2=0;4=%R 31:2;5=1000;6=-50", "",
       "00000000 21555500 1E000000 0000C842 00000000 00007A44 000048C2 1F000000", 34, 0,
       "30=1,31=2", "[ %R 30 , 100 , 0 , %R 31 , 1000 , -50 ]",
       "Source (Int)|Span In (K_Flt)|Zero In (K_Flt)|Dest (uLong)|Span Out (K_Flt)|"
       "Zero Out (K_Flt)");
    no("Scale source 1025", 3, "0=%R 1025");

    // Compare: registers low byte first, constants and mask high byte first.
    ok("Compare", 10, "0=%R30;1=%R 31;2=4660;3=%R 32;4=1;5=2;6=-1;7=&H8000", "",
       "1E000000 1F000000 20000000 00010000 00020000 FFFF0000 80000000 12340000", 34, 0, "",
       "[ %R30 , %R 31 , 4660 , %R 32 , 1 , 2 , -1 , &H8000 ]",
       "Reg A|Reg B|Mask|Dest|And if True|Or if True|And if False|Or if False");
    ok("Compare words beyond the registers", 10, "0=4660;1=-1;2=0;3=65535;4=0;5=0;6=0;7=0", "",
       "34120000 FFFF0000 FFFF0000" + z + z + z + z + z, 34, 0, "",
       "[ 4660 , -1 , 0 , 65535 , 0 , 0 , 0 , 0 ]");
    no("Compare Dest 65536", 10, "3=65536");
    no("Compare constant -65537", 10, "4=-65537");

    // Jumps and calls.
    ok("If(bit) -> Goto bit 15", 13, "0=%R 40;1=15;4=A;5=B", "",
       "28000000" + z + z + z + z + z + z + " 80000000", 34, 0, "40=0", "[ %R 40 , 15 , A , B ]",
       QString::fromUtf8("Source (uInt)|Bit [0\xC3\xB7" "15]|Goto if True|Goto if False"));
    ok("If(bit) -> Call bit 0", 42, "0=%R 40;1=0;4=SUB", "",
       "28000000" + z + z + z + z + z + z + " 00010000", 34, 0, "40=0", "[ %R 40 , 0 , SUB ]");
    no("If(bit) bit 16", 13, "1=16");
    no("If(bit) bit -1", 13, "1=-1");
    no("If(bit) bit 2.5", 42, "1=2.5");
    const QString zeri = "00000000" + z + z + z + z + z + z + z;
    ok("Goto", 11, "4=LOOP", "", zeri, 6, 0, "", "[ LOOP ]", "Block");
    ok("Call", 14, "4=SUB", "", zeri, 6, 0, "", "[ SUB ]", "Block");
    ok("Return", 15, "", "", zeri, 2, 0, "", "", "");
    ok("Clear WatchDog", 45, "4=20", "", "14000000" + z + z + z + z + z + z + z, 6, 0, "",
       "[ 20 ]", "Delay(*50mS)");
    ok("Clear WatchDog -1", 45, "4=-1", "", "FFFF0000" + z + z + z + z + z + z + z, 6, 0, "",
       "[ -1 ]");
    ok("Clear WatchDog -65536", 45, "4=-65536", "", zeri, 6, 0, "", "[ -65536 ]");
    no("Clear WatchDog -65537", 45, "4=-65537", "", 4);
    no("Clear WatchDog 65536", 45, "4=65536", "", 4);

    // Timer and Trip.
    ok("Timer", 16, "0=3;1=1500;2=%R 50", "", "03000000 DC053200" + z + z + z + z + z + z, 10, 0,
       "", "[ 3 , 1500 ]", "Timer|mSec|Reg");
    ok("Timer number -1, mSec -65536", 16, "0=-1;1=-65536;2=%R 50", "",
       "FFFF0000 00003200" + z + z + z + z + z + z, 10, 0, "", "[ -1 , -65536 ]");
    no("Timer mSec -65537", 16, "1=-65537", "", 1);
    no("Timer number 65536", 16, "0=65536", "", 0);
    no("Timer register 65536", 16, "2=%R 65536");
    ok("Trip", 20, "0=%R 30;1=100:5;2=-100:5;3=%R 31;4=&HFF;5=3;6=500;7=700", "",
       "00000000 55100300 FF000000 0000C842 0000C8C2 1E000000 F401BC02 1F000000", 34, 0,
       "30=1,31=0", "[ %R 30 , 100 , -100 , %R 31 , &HFF , 3 , 500 , 700 ]",
       "Input (Int)|MAX (K_Flt)|MIN (K_Flt)|Dest (uInt)|Mask|Timer|Timer ON|Timer OFF");
    ok("Trip, uLong destination", 20, "0=%R 30;1=%R 31;2=%R 32;3=%R 33:2", "",
       "00000000 11120000 01000000 1F000000 20000000 1E000000 E803E803 21000000", 34, 0,
       "30=1,31=1,32=1,33=2", "[ %R 30 , %R 31 , %R 32 , %R 33 ,  1 ,  0 ,  1000 ,  1000 ]");
    no("Trip timer 256", 20, "5=256");
    no("Trip time on -65537", 20, "6=-65537");
    no("Trip time off 65536", 20, "7=65536");

    // Bitwise and shift family.
    ok("AND(word)", 21, "0=%R 30;2=%R 31;5=&HFF00;4=%R 32", "",
       "00000000 00000000 00FF0000 1E000000 1F000000" + z + z + " 20000000", 34, 0,
       "30=0,31=0,32=0", "[ %R 30 , %R 31 , %R 32 , &HFF00 ]",
       "Source A (uInt)|Source B (uInt)|Dest (uInt)|Mask");
    ok("XOR(word), A a K_Long constant", 23, "0=1000:6;2=%R 31:2;4=%R 32:2", "",
       "02000000 26020000 01000000 E8030000 1F000000" + z + z + " 20000000", 34, 0, "31=2,32=2",
       "[ 1000 , %R 31 , %R 32 ,  1 ]");
    ok("NOT", 24, "0=%R 30:2;5=&HFFFF;4=%R 32:2", "",
       "03000000 02020000 FFFF0000 1E000000" + z + z + z + " 20000000", 34, 0, "30=2,32=2",
       "[ %R 30 , %R 32 , &HFFFF ]", "SourceA (uLong)|Dest (uLong)|Mask");
    ok("Shift L", 26, "0=%R 30;2=3;4=%R 31", "",
       "05000000 00000000 03000000 1E000000" + z + z + z + " 1F000000", 34, 0, "30=0,31=0",
       "[ %R 30 , 3 , %R 31 ]", "Source (uInt)|Number (uInt)|Dest (uInt)");
    ok("Shift places -1", 26, "0=%R 30;2=-1;4=%R 31", "",
       "05000000 00000000 FFFF0000 1E000000" + z + z + z + " 1F000000", 34, 0, "30=0,31=0",
       "[ %R 30 , -1 , %R 31 ]");
    no("Shift places 65536", 26, "2=65536", "", 2);
    ok("AND(bit)", 33, "0=%R 30;1=&H1;2=%R 31;3=&H2;5=&H4;4=%R 32", "",
       "08000000 00000000 04000000 1E000000 1F000000 01000000 02000000 20000000", 34, 0,
       "30=0,31=0,32=0", "[ %R 30 , &H1 , %R 31 , &H2 , %R 32 , &H4 ]");
    ok("Bit Reset", 37, "0=%R 30;5=8;4=%R 31", "",
       "0C000000 00000000 08000000 1E000000" + z + z + z + " 1F000000", 34, 0, "30=0,31=0",
       "[ %R 30 , %R 31 , 8 ]");
    no("negative K_Long mask", 21, "5=-1");
    no("bitwise destination 1025", 22, "4=%R 1025");

    // Display, Block Move, Log Write and the blocks no tab offers.
    ok("Call Page", 43, "", "", "FD000000" + z + z + z + z + z + z + z, 34, 0, "", "", "");
    ok("Display Refresh", 44, "", "", "FE000000" + z + z + z + z + z + z + z, 6, 0, "", "", "");
    ok("Block Move", 46, "0=%R 100;1=10;2=%R 200", "", "6400C800 0A000000" + z + z + z + z + z + z,
       10, 0, "", "[ %R 100 , 10 , %R 200 ]", "Source|Number|Dest");
    no("Block Move count 256", 46, "1=256");
    ok("Block Move words beyond the registers", 46, "0=4660;1=10;2=-1", "",
       "3412FFFF 0A000000" + z + z + z + z + z + z, 10, 0, "", "[ 4660 , 10 , -1 ]");
    no("Block Move destination -65537", 46, "2=%R -65537");
    ok("Log Write", 41, "", "", "00010203 04050607 08097F00" + z + z + z + z + z, 14, 0, "", "",
       "");
    ok("A>B keeps the data length", 6, "", "", zeri, 0, 0, "", "", "");
    ok("blank block", 12, "", "", zeri, 0, 0, "", "", "");
}

void TestCompilaComando::blocchi()
{
    QFETCH(int, codice);
    QFETCH(QString, campi);
    QFETCH(QString, ritardo);
    QFETCH(bool, ok);
    compila(codice, campi, ritardo);

    if (!ok) {
        rigaEstranea();
        const Rung prima = linea();
        const RigaLadder rigaPrima = Riga(SubCorrente, 1);
        const auto tipiPrima = formati();
        const auto argPrima = Argomenti;
        int campo = -1;
        QCOMPARE(int(CompilaComando(Lettura::Digitata, &campo)), 0);
        QFETCH(int, rifiutato);
        if (rifiutato != -2)
            QCOMPARE(campo, rifiutato);
        QCOMPARE(linea(), prima);
        QCOMPARE(Riga(SubCorrente, 1), rigaPrima);
        QVERIFY(formati() == tipiPrima);
        QVERIFY(Argomenti == argPrima);
        return;
    }

    QFETCH(QString, byte);
    QFETCH(int, lung);
    QFETCH(int, rit);
    QFETCH(QString, tipi);
    QFETCH(QString, sommario);
    QFETCH(QString, etichette);
    const auto tipiPrima = formati();
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    const Rung& r = linea();
    const VoceFunzione& v = TabellaFunzioni[std::size_t(codice)];
    QCOMPARE(int(r.Classe), int(v.Classe));
    QCOMPARE(int(r.Funzione), int(v.Funzione));
    QCOMPARE(int(r.SubOp), int(v.SubOp));
    QCOMPARE(esa(r), byte);
    QCOMPARE(int(r.LungDati), lung);
    QCOMPARE(int(r.Ritardo), rit);
    QVERIFY(r.Caricato);
    for (int k = 0; k < kNumArgomenti; ++k)
        QCOMPARE(r.ArgTesto[std::size_t(k)], S().Righe[std::size_t(k)].testo);

    auto attesi = tipiPrima;
    for (const QString& t : tipi.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList p = t.split(QLatin1Char('='));
        attesi[std::size_t(p[0].toInt())] = std::uint8_t(p[1].toInt());
    }
    for (int n = 0; n < kRigheRegistri; ++n)
        QVERIFY2(TabellaRegistri[std::size_t(n)].Formato == attesi[std::size_t(n)],
                 qPrintable(QStringLiteral("register %1").arg(n)));

    const RigaLadder& riga = Riga(SubCorrente, 1);
    QCOMPARE(riga.txt_Var.caption, sommario);
    if (!etichette.isEmpty())
        QCOMPARE(etichetteRiga(), etichette);
    QCOMPARE(riga.txt_Func.caption, NomiFunzioni[std::size_t(codice)]);
    QCOMPARE(riga.immagine, int(v.IdImmagine));
    QCOMPARE(riga.immagineVisibile, v.IdImmagine != 0);
    for (int k = 0; k < kNumArgomenti; ++k) {
        const RigaArgomento& e = S().Righe[std::size_t(k)];
        QCOMPARE(riga.txt_VarN[std::size_t(k)], (ControlloRiga{e.testo, e.testoVisibile}));
        QCOMPARE(riga.lbl_VarN[std::size_t(k)].visibile, e.etichettaVisibile);
    }

    // Opened again and confirmed again: the same line, row and register types (for
    // every block the editor can open again as itself).
    if (FunzToOpt(v.Classe, v.Funzione, v.SubOp) != codice)
        return;
    const Rung primo = linea();
    const RigaLadder primaRiga = riga;
    const auto primiTipi = formati();
    S().ClickFunzione(codice == 4 ? 7 : 4);   // the editor shows another block meanwhile
    S().CaricaRiga(1);
    QCOMPARE(int(S().FunzioneCorrente), int(FunzToOpt(primo.Classe, primo.Funzione, primo.SubOp)));
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(linea(), primo);
    QCOMPARE(Riga(SubCorrente, 1), primaRiga);
    QVERIFY(formati() == primiTipi);
}

void TestCompilaComando::valoreCampo_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("valore");
    QTest::newRow("%R 12") << "%R 12" << true << 12.0;
    QTest::newRow("%R12") << "%R12" << true << 12.0;
    QTest::newRow("%S12") << "%S12" << true << 12.0;
    QTest::newRow("%R30 is not the command register") << "%R30" << true << 30.0;
    QTest::newRow("leading blanks") << "  %R 30" << true << 30.0;
    QTest::newRow("%R alone") << "%R" << true << 0.0;
    QTest::newRow("% alone") << "%" << false << 0.0;
    QTest::newRow("blank then %") << " %" << false << 0.0;
    QTest::newRow("empty") << "" << true << 0.0;
    QTest::newRow("hex") << "&H1234" << true << 4660.0;
    QTest::newRow("negative") << "-2.5" << true << -2.5;
    QTest::newRow("no number") << "abc" << true << 0.0;
}

void TestCompilaComando::valoreCampo()
{
    QFETCH(QString, testo);
    QFETCH(bool, ok);
    QFETCH(double, valore);
    const std::optional<double> v = ValoreCampo(testo);
    QCOMPARE(v.has_value(), ok);
    if (ok)
        QCOMPARE(*v, valore);
}

void TestCompilaComando::lungDati_data()
{
    QTest::addColumn<int>("funzione");
    QTest::addColumn<int>("subOp");
    QTest::addColumn<int>("lung");   // -1: left as it was
    for (int f : {1, 2, 128, 129, 133, 137, 139})
        QTest::addRow("%d", f) << f << 0 << 34;
    QTest::newRow("Call Page") << 3 << 253 << 34;
    QTest::newRow("Display Refresh") << 3 << 254 << 6;
    QTest::newRow("A>B") << 3 << 0 << -1;
    for (int f : {6, 134})
        QTest::addRow("%d", f) << f << 0 << 10;
    for (int f : {130, 131, 140})
        QTest::addRow("%d", f) << f << 0 << 6;
    QTest::newRow("Return") << 132 << 0 << 2;
    QTest::newRow("Log Write") << 138 << 0 << 14;
    QTest::newRow("no operation") << 0 << 0 << -1;
    QTest::newRow("above 140") << 141 << 0 << -1;
}

void TestCompilaComando::lungDati()
{
    QFETCH(int, funzione);
    QFETCH(int, subOp);
    QFETCH(int, lung);
    const std::optional<std::int16_t> l = LungDatiDi(funzione, subOp);
    QCOMPARE(l ? int(*l) : -1, lung);
}

void TestCompilaComando::moduloLasciaIndirizzoENumero()
{
    compila(2, "0=KVR1104;4=Analog In;5=2;6=5", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(Argomenti[2].Valore, 16.0);
    QCOMPARE(Argomenti[3].Valore, 4.0);
}

void TestCompilaComando::logWriteLasciaIlRitardo()
{
    linea().Ritardo = 7;
    S().ClickFunzione(41);
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(int(linea().Ritardo), 7);
    QCOMPARE(int(linea().LungDati), 14);
}

void TestCompilaComando::linearizzazioneSenzaTabelle()
{
    NumTabelle = 0;
    compila(30, "", "");
    QVERIFY(S().Righe[1].elenco.isEmpty());
    QCOMPARE(int(CompilaComando()), 0);
}

void TestCompilaComando::linearizzazionePiazzaLaTabella()
{
    // A table never placed has no blocks yet: the line takes the ones the tables get.
    Tabelle[0].Blocco1 = Tabelle[0].Blocco2 = 0;
    Tabelle[1].Blocco1 = Tabelle[1].Blocco2 = 0;
    compila(30, "1#0", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QVERIFY(Tabelle[0].Blocco1 > 0);
    QCOMPARE(int(linea().ArgByte[20]), int(Tabelle[0].Blocco1 & 0xFF));
    QCOMPARE(int(linea().ArgByte[24]), int(Tabelle[0].Blocco2 & 0xFF));
}

void TestCompilaComando::rigaSenzaDidascalieDelBloccoPrecedente()
{
    compila(4, "", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(etichetteRiga(), QStringLiteral("Source A (Int)|Source B (Int)|Dest (Int)"));
    // A block without fields leaves no caption or summary of the former block.
    compila(15, "", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(etichetteRiga(), QString());
    QCOMPARE(Riga(SubCorrente, 1).txt_Var.caption, QString());
    for (const ControlloRiga& c : Riga(SubCorrente, 1).lbl_VarN)
        QVERIFY(c.caption.isEmpty());
}

void TestCompilaComando::riaprireRitrovaRitardoETipi()
{
    compila(1, "4=%R 40:0", "250");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    S().ClickFunzione(4);
    S().CaricaRiga(1);
    QCOMPARE(S().Ritardo, QStringLiteral("250"));
    QCOMPARE(S().Righe[4].tipoSelezionato(), 0);
    QCOMPARE(int(Argomenti[4].Tipo), 0);
    // The read keeps its delay only in the argument bytes.
    compila(0, "", "1234");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(int(linea().Ritardo), 0);
    S().CaricaRiga(1);
    QCOMPARE(S().Ritardo, QStringLiteral("1234"));
}

void TestCompilaComando::registriRidisegnatiSoloAlSuccesso()
{
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    compila(0, "0=300", "");
    QCOMPARE(int(CompilaComando()), 0);
    QCOMPARE(ridisegni.count(), 0);
    compila(0, "", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    QCOMPARE(ridisegni.count(), 1);
}

void TestCompilaComando::conferma()
{
    compila(0, "0=300", "");
    QVERIFY(!ConfermaComando());
    QCOMPARE(doubles->dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(doubles->dialogs.messaggi[0].testo, QStringLiteral("Error: Check Values"));
    QCOMPARE(doubles->dialogs.messaggi[0].pulsanti, platform::MsgButtons::Ok);
    QVERIFY(host.chiuse.isEmpty());
    QVERIFY(S().Loaded);

    S().ImpostaTesto(0, QStringLiteral("10"));
    QVERIFY(ConfermaComando());
    QCOMPARE(doubles->dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(host.chiuse, QStringList{QStringLiteral("comandi")});
    QVERIFY(!S().Loaded);
}

void TestCompilaComando::registroCliccato_data()
{
    QTest::addColumn<bool>("caricato");
    QTest::addColumn<int>("codice");
    QTest::addColumn<int>("campo");
    QTest::addColumn<int>("formato");   // of register 30
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("tipo");
    QTest::newRow("drops with its type") << true << 4 << 1 << 3 << "%R 30" << 3;
    QTest::newRow("a type the field lacks") << true << 0 << 4 << 3 << "%R 30" << 1;
    QTest::newRow("constant field keeps") << true << 0 << 0 << 0 << " 1" << 0;
    QTest::newRow("editor not loaded") << false << 4 << 1 << 0 << "%R 26" << 1;
}

void TestCompilaComando::registroCliccato()
{
    QFETCH(bool, caricato);
    QFETCH(int, codice);
    QFETCH(int, campo);
    QFETCH(int, formato);
    QFETCH(QString, testo);
    QFETCH(int, tipo);
    S().ClickFunzione(codice);
    S().Focus(campo);
    if (!caricato)
        S().Scarica();
    TabellaRegistri[30].Formato = std::uint8_t(formato);
    S().RegistroCliccato(30);
    QCOMPARE(S().Righe[std::size_t(campo)].testo, testo);
    QCOMPARE(int(Argomenti[std::size_t(campo)].Tipo), tipo);
    QCOMPARE(S().Righe[std::size_t(campo)].tipoSelezionato(), tipo);
}

void TestCompilaComando::compilatoDalCompilatore()
{
    // Three lines confirmed in the editor compile into their records and data blocks.
    AggiungiRung();
    AggiungiRung();
    RungCorrente = 1;
    compila(0, "0=10;1=100;2=4;4=%R 30", "300");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    RungCorrente = 2;
    compila(4, "0=%R 30;1=2:5;4=%R 31", "");
    S().ImpostaEtichetta(QStringLiteral("TOP"));
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    RungCorrente = 3;
    compila(11, "4=TOP", "");
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));

    QVERIFY(Compila() > 0);
    QCOMPARE(int(NumErrori), 0);
    const auto record = [](int i) {
        QList<int> b;
        for (int j = 0; j < kDimRecord; ++j)
            b << CodiceProgramma[std::size_t(kDimIntestazione + kDimRecord * i + j)];
        return b;
    };
    // Read: class, node, remote register high and low, count, local register high and
    // low, delay low and high, breakpoint.
    QCOMPARE(record(0), (QList<int>{2, 10, 0, 100, 4, 0, 30, 0x2C, 0x01, 0}));
    // Add: a local record whose block holds Funzione, 0 and the 32 argument bytes.
    const QList<int> add = record(1);
    QCOMPARE(add[0], 3);
    QCOMPARE(add[7], 34);
    const int blocco = add[3] | (add[4] << 8) | (add[5] << 16) | (add[6] << 24);
    const Rung& r2 = linea(2);
    QCOMPARE(int(CodiceProgramma[std::size_t(blocco)]), 1);
    QCOMPARE(int(CodiceProgramma[std::size_t(blocco + 1)]), 0);
    for (int j = 0; j < 32; ++j)
        QCOMPARE(int(CodiceProgramma[std::size_t(blocco + 2 + j)]),
                 int(r2.ArgByte[std::size_t(j)]));
    QCOMPARE(int(CodiceProgramma[std::size_t(blocco + 2 + 12)]), 30);
    // Goto: its block follows, the compiler filled the target of line 2.
    const QList<int> salto = record(2);
    QCOMPARE(salto[0], 3);
    QCOMPARE(salto[7], 6);
    const int bloccoSalto = salto[3] | (salto[4] << 8);
    QCOMPARE(bloccoSalto, blocco + 34);
    QCOMPARE(int(CodiceProgramma[std::size_t(bloccoSalto)]), 130);
}

void TestCompilaComando::seBitCallSenzaSecondoBersaglio()
{
    // If(bit) -> Call shows only the target of a set bit; the line it confirms must
    // compile, its other target left as the editor wrote it.
    AggiungiRung();
    RungCorrente = 1;
    compila(7, "0=%R 30;4=%R 31", "");
    S().ImpostaEtichetta(QStringLiteral("SUB"));
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));
    RungCorrente = 2;
    compila(42, "0=%R 40;1=3", "");
    S().ImpostaEtichetta(QString());
    QCOMPARE(S().Righe[4].testo, QStringLiteral("SUB"));
    QVERIFY(!S().Righe[5].testoVisibile);
    QCOMPARE(int(CompilaComando()), int(kComandoScritto));

    QVERIFY(Compila() > 0);
    QCOMPARE(int(NumErrori), 0);
    const Rung& r = linea(2);
    QCOMPARE(int(r.ArgByte[4]), 0);    // the target when the bit is set: record 0
    QCOMPARE(int(r.ArgByte[5]), 0);
    QCOMPARE(int(r.ArgByte[12]), 0);   // no target when it is clear
    QCOMPARE(int(r.ArgByte[13]), 0);
}

// A line as read from a file: rebuilt, or the editor's reason why not.
void TestCompilaComando::ricodifica()
{
    linea() = RungVuoto();
    linea().Caricato = true;
    linea().Classe = linea().Funzione = 3;   // A>B: no block of the editor
    QVERIFY(RicodificaRiga(1).startsWith(QStringLiteral("No function block has class 3")));
    linea().Funzione = 128;
    linea().ArgTesto[0] = QStringLiteral("70000");
    QCOMPARE(RicodificaRiga(1), kErroreValori);
    // A file's field stands for its leading number, as every stored project compiles.
    linea().Classe = 2;
    linea().Funzione = 0;
    linea().ArgTesto = {"12a", "abc", "2x0", "", "%R 30"};
    QCOMPARE(RicodificaRiga(1), QString());
    QCOMPARE(esa(linea()).left(35), QStringLiteral("0C000000 00000000 02000000 1E000000"));
    // A saved timer of -1 ms is a word like the block's others: the line opens.
    linea().Classe = 3;
    linea().Funzione = 134;
    linea().ArgTesto = {" 0", "-1", "%R 26"};
    QCOMPARE(RicodificaRiga(1), QString());
    QCOMPARE(esa(linea()).left(17), QStringLiteral("00000000 FFFF1A00"));
}

QTEST_GUILESS_MAIN(TestCompilaComando)
#include "tst_compilacomando.moc"
