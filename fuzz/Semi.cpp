// Writes the seed corpora with the application's own writers (and the device simulator's
// replies): ludra_fuzz_semi FOLDER writes FOLDER/<target>/<seed>. The corpora in the
// repository were written by it; the fuzzer's finds are added beside them.
#include "Fuzz.h"
#include "Link.h"
#include "base/Numeri.h"
#include "devconfig/LetturaConfig.h"
#include "devconfig/RegistroMac.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "link/StatoLink.h"
#include "platform/VerbaleInsieme.h"
#include "projectfiles/FileProgetto.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/BmpProva.h"
#include "support/LinkSim.h"
#include "tables/FileTabellaCsv.h"
#include "transfer/FileHex.h"

#include <QDir>
#include <QFile>
#include <cfloat>
#include <cstring>

using namespace ludra;

namespace {

QString radice;

void metti(const char* bersaglio, const QString& nome, const QByteArray& dati)
{
    const QString cartella = radice + QLatin1Char('/') + QLatin1String(bersaglio);
    QDir().mkpath(cartella);
    QFile f(cartella + QLatin1Char('/') + nome);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dati) != dati.size())
        fuzz::Fallito("seed written", __FILE__, __LINE__, f.fileName());
}

QByteArray conScelta(int scelta, const QByteArray& dati) { return char(scelta) + dati; }

QByteArray trama(const sim::Trama& t)
{
    return QByteArray(reinterpret_cast<const char*>(t.data()), qsizetype(t.size()));
}

void numeri()
{
    int i = 0;
    for (const double v : {0.0, 12.5, -0.25, 1e20, 9.9999999999999991e-05, 999999999999999.875,
                           DBL_MAX, -DBL_MIN, 123456789.125}) {
        QByteArray d(sizeof v, '\0');
        std::memcpy(d.data(), &v, sizeof v);
        metti("numero", QStringLiteral("valore%1").arg(i++), d + TestoNumero(v).toLatin1());
    }
    // The last two once read otherwise in a table file than in a field.
    for (const char* t : {"&HFFFF", "&O17", "1.5D+3", " -.25 ", "1 2 3", "\f-.25", "\xA0 2"})
        metti("numero", QStringLiteral("testo%1").arg(i++), t);
}

void tabelle()
{
    Tabella t;
    t.Nome = QStringLiteral("Level, %");
    t.NumPunti = 4;
    for (int p = 0; p < 4; ++p) {
        t.Ingresso[std::size_t(p)] = p * 10.5;
        t.Uscita[std::size_t(p)] = -p * 0.125 + 1e-5;
    }
    QString errore;
    metti("tabella", QStringLiteral("quotata"), TestoTabellaCsv(t, errore).value_or(""));
    t.Nome = QStringLiteral("T1");
    t.NumPunti = 2;
    metti("tabella", QStringLiteral("breve"), TestoTabellaCsv(t, errore).value_or(""));
}

void hex()
{
    std::vector<std::uint8_t> byte;
    for (int i = 0; i < 40; ++i)
        byte.push_back(std::uint8_t(i * 37));
    const QString file = fuzz::Cartella() + QStringLiteral("/semi.hex");
    ScriviFileHex(file, byte);
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    const QByteArray testo = f.readAll();
    metti("hex", QStringLiteral("tutte"), conScelta(0x80 | 39, testo));
    metti("hex", QStringLiteral("facoltative"), conScelta(39, testo));
}

void bitmap()
{
    const auto scacchi = [](int x, int y) { return std::uint32_t((x + y) % 2 ? 0xFFFFFF : 0); };
    metti("bmp", QStringLiteral("bit1"), test::bmp(9, 10, 1, scacchi));
    metti("bmp", QStringLiteral("bit8"), test::bmp(5, 3, 8, [](int x, int) { return std::uint32_t(x); }));
    metti("bmp", QStringLiteral("bit24"), test::bmp(4, 9, 24, scacchi));
    metti("bmp", QStringLiteral("bit32"), test::bmp(3, 2, 32, scacchi));
}

void registroMac()
{
    const std::vector<RecordMac> righe = {
        {QStringLiteral("00-04-A3-12-34-56"), 1, QStringLiteral("120"), QStringLiteral("24"),
         QStringLiteral("Rossi")},
        {QStringLiteral("00-04-A3-12-34-57"), 2, QString(), QString(), QString()},
        {QStringLiteral("00-04-A3-12-34-58"), 7, QStringLiteral("1/2"), QStringLiteral("25"),
         QStringLiteral("Bianchi\tsede")}};
    metti("registromac", QStringLiteral("tre"), TestoRegistroMac(righe));
}

void progetto()
{
    InitProgetto();
    struct Blocco {
        int codice;
        std::vector<std::pair<int, const char*>> campi;
    };
    const std::vector<Blocco> blocchi = {
        {0, {{0, "10"}, {1, "100"}, {2, "4"}, {4, "%R 30"}}},
        {4, {{0, "%R 30"}, {1, "%R 31"}, {4, "%R 32"}}},
        {11, {{4, "LOOP"}}},
        {16, {{0, "3"}, {1, "1500"}, {2, "%R 50"}}},
    };
    StatoComandi& s = StatoComandi::istanza();
    for (std::size_t i = 0; i < blocchi.size(); ++i) {
        if (i > 0)
            AggiungiRung();
        s.Carica();
        s.CaricaRiga(int(i) + 1);
        s.ClickFunzione(blocchi[i].codice);
        for (const auto& [k, testo] : blocchi[i].campi) {
            s.ImpostaTesto(k, QLatin1String(testo));
            if (k == 0)
                s.txt_Var_Click(0);
        }
        s.ImpostaEtichetta(i == 0 ? QStringLiteral("LOOP") : QString());
        CompilaComando();
        s.Scarica();
    }
    NumTabelle = 1;
    Tabelle[0].Nome = QStringLiteral("T0");
    Tabelle[0].NumPunti = 3;
    Tabelle[0].Ingresso = {0, 10, 20.5};
    Tabelle[0].Uscita = {0, -0.5, 1e-5};
    PagineDisplay.NumPagine = 2;
    PagineDisplay.Pagine[1].NumOggetti = 1;
    PagineDisplay.Pagine[1].Oggetti[1].Testo[0] = QStringLiteral("Level, %");
    PagineDisplay.Pagine[1].Oggetti[1].Max = 99.5;
    TabellaRegistri[30].Nome = QStringLiteral("Level");
    const ContenutoProgetto c = ContenutoCorrente();
    metti("progetto", QStringLiteral("prj"), conScelta(0, TestoPrj(c)));
    metti("progetto", QStringLiteral("lst"), conScelta(1, TestoLst(c)));
    metti("progetto", QStringLiteral("ptb"), conScelta(2, TestoPtb(c)));
    metti("progetto", QStringLiteral("dsp"), conScelta(3, TestoDsp(c)));
    // A record of a save from this project to an empty one, as each marker.
    platform::Verbale verbale;
    const QByteArray testi[] = {TestoPrj(c), TestoLst(c), TestoPtb(c), TestoDsp(c)};
    for (const char* e : {"prj", "lst", "ptb", "dsp"})
        verbale.push_back(platform::Voce(QStringLiteral("p.") + QLatin1String(e),
                                         platform::ImprontaTesto(testi[verbale.size()]), ""));
    metti("progetto", QStringLiteral("saving"), conScelta(4, platform::TestoVerbale(verbale)));
    metti("progetto", QStringLiteral("putback"), conScelta(5, platform::TestoVerbale(verbale)));
}

// Each request the link targets send, with the simulator's reply: as the device frames
// it, and bare for the fuzz device to frame.
void risposte()
{
    sim::Simulatore s;
    for (int q = 0; q < 8; ++q) {
        fuzz::ImpostaRichiesta(std::uint8_t(q));
        const sim::Trama richiesta(BuffTx.begin(), BuffTx.begin() + LenTx);
        const QByteArray r = trama(s.elabora(richiesta));
        const auto crc = sim::crc16(reinterpret_cast<const std::uint8_t*>(r.constData()),
                                    std::size_t(r.size()));
        const auto n = std::uint16_t(r.size());
        const QString nome = QStringLiteral("richiesta%1").arg(q);
        metti("modbus_rtu", nome, conScelta(q, r + char(crc[0]) + char(crc[1])));
        metti("modbus_rtu", nome + QStringLiteral("bare"), conScelta(0x80 | q, r));
        metti("modbus_tcp", nome, conScelta(q, QByteArray(4, '\0') + char(n >> 8) + char(n) + r));
        metti("modbus_tcp", nome + QStringLiteral("bare"), conScelta(0x80 | q, r));
    }
}

void ricerca()
{
    QByteArray controller = QByteArrayLiteral("KVR5200 ");
    controller += QByteArray::fromHex("0004A3123456C0A8000AFFFFFF000A01");
    metti("ricerca", QStringLiteral("controller"), conScelta(0, controller));
    metti("ricerca", QStringLiteral("gateway"), conScelta(1, QByteArray(25, 'g') + QByteArray::fromHex("0004A3654321")));
    metti("ricerca", QStringLiteral("identita"),
          conScelta(2, QByteArray::fromHex("0104140001000102033132333400000A00000000000000000000")));
}

// The configuration read of each model against the simulator; the replies it gave, in
// order.
void configurazioni()
{
    const char* modelli[] = {"KVR5200-IO", "KVR5460", "KVR1104", "KVR1173", "KVR1212"};
    const int indici[] = {1, 4, 5, 11, 13};
    for (std::size_t m = 0; m < std::size(modelli); ++m) {
        test::LinkSuSim link(test::Mezzo::Tcp);
        link.connetti();
        CampiConfig campi;
        LeggiConfigurazione(QLatin1String(modelli[m]), QStringLiteral("1"), campi);
        std::vector<QByteArray> pezzi;
        for (const sim::Trama& t : link.sim.ricevute()) {
            if (t.size() > 6)
                pezzi.push_back(trama(link.sim.elabora(sim::Trama(t.begin() + 6, t.end()))));
        }
        metti("config", QLatin1String(modelli[m]), conScelta(indici[m], fuzz::Unisci(pezzi)));
    }
}

} // namespace

int main(int argc, char** argv)
{
    fuzz::Avvia();
    platform::setWaiter(nullptr);
    radice = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("corpus");
    numeri();
    tabelle();
    hex();
    bitmap();
    registroMac();
    progetto();
    risposte();
    ricerca();
    configurazioni();
    return 0;
}
