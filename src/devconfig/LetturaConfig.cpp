#include "devconfig/LetturaConfig.h"

#include "base/CampoIntero.h"
#include "base/Testi.h"
#include "devconfig/MappaDispositivi.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"


namespace ludra {
namespace {

using G = GruppoDispositivo;

// A step of the read that cannot go on; the text tells the user why.
struct Fallimento {
    QString descrizione;
};

RegistriLetti leggi(std::uint8_t indirizzo, int primo, int quanti)
{
    BuffTx[0] = indirizzo;
    BuffTx[1] = 4;
    BuffTx[2] = 0;
    BuffTx[3] = std::uint8_t(primo);
    BuffTx[4] = 0;
    BuffTx[5] = std::uint8_t(quanti);
    LenTx = 6;
    const QString quali = QStringLiteral("registers %1..%2").arg(primo).arg(primo + quanti - 1);
    if (InviaRichiesta(true) != kComOk)
        throw Fallimento{QStringLiteral("Reading %1 failed.").arg(quali)};
    std::optional<RegistriLetti> r = RegistriLetti::DaRisposta(primo, quanti);
    if (!r)
        throw Fallimento{QStringLiteral("The reply to the reading of %1 is too short.").arg(quali)};
    return *r;
}

QString decimale(int v) { return QString::number(v); }

// The clock registers 22..25 hold BCD; each byte shows as its hexadecimal digits.
void leggiOrologio(const RegistriLetti& r, CampiConfig& c)
{
    const std::uint8_t giorno = r.hi(24);
    if (giorno >= Testi.Giorni.size())
        throw Fallimento{QStringLiteral("The weekday read (%1) is out of range.").arg(giorno)};
    // The month's leading digits: "12" is 12, a text that starts with a letter is 0.
    const QString mese = TestoHex(r.hi(25));
    int n = 0;
    for (QChar ch : mese) {
        if (!ch.isDigit())
            break;
        n = n * 10 + ch.digitValue();
    }
    if (n >= int(Testi.Mesi.size()))
        throw Fallimento{QStringLiteral("The month read (%1) is out of range.").arg(mese)};
    const QString anno = TestoHex(r.lo(25));
    bool numero = false;
    const int aa = anno.toInt(&numero, 10);
    if (!numero)
        throw Fallimento{QStringLiteral("The year read (%1) is not a number.").arg(anno)};
    c.Text3[4] = Testi.Giorni[giorno];
    c.Text3[5] = TestoHex(r.lo(24));
    c.Text3[6] = Testi.Mesi[std::size_t(n)];
    c.Text3[7] = decimale(2000 + aa);
    c.Text3[0] = TestoHex(r.lo(23));
    c.Text3[1] = TestoHex(r.hi(23));
    c.Text3[3] = TestoHex(r.lo(22));
}

void leggiTutto(const ModelloDispositivo* m, const QString& modello, std::uint8_t a, CampiConfig& c)
{
    const G gruppo = m ? m->gruppo : G::Nessuno;
    const RegistriLetti base = leggi(a, 0, 13);
    c.txt_vers = TestoFirmware(base.hi(1), base.lo(1), base.hi(2), base.lo(2));
    c.txt_nome = TestoNome(base.hi(3), base.lo(3), base.hi(4), base.lo(4));
    c.txt_add = decimale(base.lo(kRegNodo));
    if (m && m->display) {
        c.dispPos = base.bit(11, true, 7);
        c.contrasto = base.hi(11) & 15;
        c.luminosita = base.lo(11) & 15;
    }
    if (m && m->orologio)
        leggiOrologio(leggi(a, kRegOrologio, 4), c);

    c.baud[0] = QLatin1String(TestiBaud[base.lo(kRegBaud) & 7]);
    c.ritardo[0] = decimale(base.lo(kRegRitardo));
    if (gruppo == G::Controllore || modello == QLatin1String("KVR1212"))
        c.wdt = decimale(base.lo(kRegWdt));
    else if (gruppo == G::IngressiAnalogici || gruppo == G::UsciteAnalogiche)
        c.wdt = decimale(base.lo(kRegWdtModuli));

    if (gruppo == G::Controllore) {
        const RegistriLetti porta = leggi(a, kRegPorta1, 2);
        const int codice = porta.hi(19) & 15;
        // A code the list does not show empties the box: a speed kept from an earlier
        // read would be written back as if the device held it.
        c.baud[1] = codice < int(TestiBaud.size()) ? QLatin1String(TestiBaud[std::size_t(codice)])
                                                   : QLatin1String();
        c.ritardo[1] = decimale(porta.lo(18));
    }

    const RegistriLetti eventi = leggi(a, 9, 3);
    if (gruppo == G::Controllore || modello == QLatin1String("KVR1212")) {
        c.eventoWdt = eventi.bit(10, true, 1);
        c.eventoAccensione = eventi.bit(10, true, 2);
        for (int i = 0; i < 8; ++i) {
            c.bitAccensione[std::size_t(i)] = eventi.bit(11, true, i);
            c.bitSicuro[std::size_t(i)] = eventi.bit(11, false, i);
        }
    } else if (gruppo == G::IngressiAnalogici) {
        c.eventoWdt = eventi.bit(9, false, 1);
        c.eventoAccensione = eventi.bit(9, false, 2);
    }

    if (m && m->ioDigitali) {
        const RegistriLetti io = leggi(a, 8, 2);
        for (int i = 0; i < 8; ++i) {
            c.led[std::size_t(i)] = io.bit(8, true, i);
            c.led[std::size_t(8 + i)] = io.bit(8, false, i);
            c.bitUscita[std::size_t(i)] = io.bit(9, true, i);
        }
    } else if (gruppo == G::UsciteAnalogiche) {
        const RegistriLetti tipi = leggi(a, kRegTipoUscite, 1);
        for (int i = 0; i < 8; ++i)
            c.tipoUscita[std::size_t(i)] = tipi.bit(kRegTipoUscite, false, i) ? 1 : 0;
        const RegistriLetti valori = leggi(a, kRegValori, 16);
        for (int i = 0; i < 8; ++i) {
            c.uscita[std::size_t(i)] = decimale(valori.conSegno(kRegValori + i));
            c.sicuro[std::size_t(i)] = decimale(valori.conSegno(kRegSicuri + i));
        }
    } else if (gruppo == G::IngressiAnalogici) {
        const RegistriLetti stato = leggi(a, 9, 4);
        // Channels 4..7 of the two-bit models have no break bits: they keep theirs.
        const int conRottura = modello == QLatin1String("KVR1104") ? 8 : 4;
        for (int i = 0; i < 8; ++i) {
            c.abilitato[std::size_t(i)] = stato.bit(11, false, i);
            if (i < conRottura)
                c.rotto[std::size_t(i)] = CanaleRotto(modello, stato.hi(9), i);
        }
        const int codice = stato.lo(kRegTipoIngresso);
        for (const TipoIngresso& t : TipiIngresso(modello))
            if (t.codice == codice)
                c.tipoIngresso = codice;
        const RegistriLetti valori = leggi(a, kRegValori, 16);
        for (int i = 0; i < 8; ++i) {
            c.ingresso[std::size_t(i)] = decimale(valori.conSegno(kRegValori + i));
            c.ingressoSync[std::size_t(i)] = decimale(valori.conSegno(kRegSicuri + i));
        }
    }
}

} // namespace

bool LetturaCiclica(const CicloLettura& ciclo)
{
    // Closing the window ends the loop between two reads, as the stop button does.
    const SequenzaDaFinestra sequenza(QStringLiteral("Cyclic read"));
    if (!sequenza)
        return false;
    StopCom = 0;
    do {
        ciclo.leggi();
        if (!ciclo.aperta())
            return true;
        platform::waiter().pumpOnce();
        if (!ciclo.aperta())
            return true;
        ciclo.scritture();   // the writes clicked during the pump
        if (!ciclo.aperta())
            return true;
    } while (StopCom != 1);
    return true;
}

std::optional<std::uint8_t> IndirizzoSlave(const QString& testo)
{
    const std::optional<long long> v = CampoIntero(testo, 0, 255);
    if (!v)
        return std::nullopt;
    return std::uint8_t(*v);
}

bool LeggiConfigurazione(const QString& modello, const QString& indirizzo, CampiConfig& campi)
{
    const SequenzaDaFinestra sequenza(QStringLiteral("Configuration read"),
                                      TipoSequenza::Dispositivo, Finestra::frm_Config);
    if (!sequenza)
        return false;
    CampiConfig letti = campi;
    try {
        const std::optional<std::uint8_t> a = IndirizzoSlave(indirizzo);
        if (!a) {
            CampoRifiutato(QStringLiteral("frm_Config"), QStringLiteral("Indirizzo"));
            throw Fallimento{QStringLiteral("The address must be a number from 0 to 255.")};
        }
        leggiTutto(TrovaModello(modello), modello, *a, letti);
    } catch (const Fallimento& f) {
        // Half a configuration would read as the device's own: nothing read is shown.
        StopCom = 1;
        platform::msgBox(f.descrizione + QStringLiteral(" The fields keep their values."),
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                         QString::fromLatin1(kTitoloErroreLettura));
        return false;
    }
    campi = letti;
    return true;
}

} // namespace ludra
