#include "monitor/Variabili.h"

#include "base/Testi.h"
#include "base/CampoIntero.h"
#include "link/Conversioni.h"
#include "link/Sequenza.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "project/Registri.h"
#include "device/MemoriaControllore.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace ludra {

std::array<Variabile, kMaxVariabili + 1> Variabili{};
std::uint8_t NumVariabili = 0;
unsigned RevisioneVariabili = 0;

namespace {

constexpr int kAreaVariabili = kMaxVariabili * kDimVoceVariabile;   // 512

void avvisa(const QString& italiano, const QString& inglese)
{
    platform::msgBox(Lingua == kItaliano ? italiano : inglese,
                     platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

QString riempiNul(const QString& t, int n)
{
    return t.size() >= n ? t : t + QString(n - t.size(), QChar(0));
}

// The first n characters' codes in the code page, NUL-padded.
void copiaTesto(const QString& t, int n, std::uint8_t* destinazione)
{
    const QByteArray b = platform::toCp1252(t.left(n));
    for (int i = 0; i < n; ++i)
        destinazione[i] = i < b.size() ? std::uint8_t(b[i]) : 0;
}

QString nomeTipo(std::uint8_t tipo)
{
    // A code the system has no name for (read from a controller) shows as its number.
    return tipo < NomiTipi.size() ? NomiTipi[tipo] : QString::number(tipo);
}

} // namespace

std::optional<int> BaseVariabili()
{
    const int base = int(PuntWebPages) - kAreaVariabili;
    if (base < 1)
        return std::nullopt;
    return base;
}

VoceVariabile CodificaVariabile(std::uint16_t indirizzo, std::uint8_t tipo,
                                const QString& formato, const QString& nome)
{
    VoceVariabile v{};
    const auto coppia = WordInBytes(indirizzo);
    v[0] = (*coppia)[0];
    v[1] = (*coppia)[1];
    v[2] = tipo;
    copiaTesto(formato, kCaratteriFormato, v.data() + 3);
    copiaTesto(nome, kCaratteriNome, v.data() + 3 + kCaratteriFormato);
    return v;
}

Variabile DecodificaVariabile(std::span<const std::uint8_t, kDimVoceVariabile> voce)
{
    Variabile v;
    v.Indirizzo = BytesInWord(voce[1], voce[0], false);
    v.Tipo = voce[2];
    const auto testo = [&](int da, int n) {
        return platform::fromCp1252(
            QByteArray(reinterpret_cast<const char*>(voce.data() + da), n));
    };
    v.Formato = testo(3, kCaratteriFormato);
    v.Nome = testo(3 + kCaratteriFormato, kCaratteriNome);
    return v;
}

QString FinoAlNul(const QString& testo)
{
    const qsizetype nul = testo.indexOf(QChar(0));
    return nul < 0 ? testo : testo.left(nul);
}

QStringList RigheVariabili()
{
    QStringList righe;
    const QChar tab(9);
    for (int i = 0; i < NumVariabili; ++i) {
        const Variabile& v = Variabili[std::size_t(i)];
        righe << QString::number(i) + tab + QString::number(v.Indirizzo) + tab +
                     nomeTipo(v.Tipo) + tab + FinoAlNul(v.Formato) + tab + FinoAlNul(v.Nome);
    }
    return righe;
}

bool AggiungiVariabile()
{
    if (NumVariabili >= kMaxVariabili)
        return false;
    const int n = NumVariabili++;
    ++RevisioneVariabili;
    Variabili[std::size_t(n)] = {PrimoRegUtente, 0, QStringLiteral("%+9.0f"),
                                 QStringLiteral("Var") + QString::number(n)};
    return true;
}

bool RimuoviVariabile(int selezionata)
{
    // The first entry stays: the count byte cannot express an empty table.
    if (NumVariabili <= 1 || selezionata <= 0 || selezionata >= NumVariabili)
        return false;
    for (int i = selezionata; i < NumVariabili; ++i)
        Variabili[std::size_t(i)] = Variabili[std::size_t(i) + 1];
    --NumVariabili;
    ++RevisioneVariabili;
    return true;
}

int SpostaVariabileSu(int selezionata)
{
    if (selezionata <= 0 || selezionata >= NumVariabili)
        return -1;
    std::swap(Variabili[std::size_t(selezionata)], Variabili[std::size_t(selezionata) - 1]);
    ++RevisioneVariabili;
    return selezionata - 1;
}

int SpostaVariabileGiu(int selezionata)
{
    if (selezionata <= 0 || selezionata >= NumVariabili - 1)
        return -1;
    std::swap(Variabili[std::size_t(selezionata)], Variabili[std::size_t(selezionata) + 1]);
    ++RevisioneVariabili;
    return selezionata + 1;
}

std::optional<CampiVariabile> CampiDiVariabile(int selezionata)
{
    if (selezionata < 0 || selezionata >= NumVariabili)
        return std::nullopt;
    const Variabile& v = Variabili[std::size_t(selezionata)];
    return CampiVariabile{QString::number(selezionata), QString::number(v.Indirizzo),
                          v.Tipo < kTipiVariabile ? int(v.Tipo) : -1, FinoAlNul(v.Formato),
                          FinoAlNul(v.Nome)};
}

bool MemorizzaVariabile(const CampiVariabile& campi)
{
    if (NumVariabili == 0) {
        avvisa(QStringLiteral("Aggiungere prima una variabile."),
               QStringLiteral("Add a variable first."));
        return false;
    }
    const auto indice = CampoIntero(campi.indice, 0, NumVariabili - 1);
    if (!indice) {
        const QString massimo = QString::number(NumVariabili - 1);
        avvisa(QStringLiteral("L'ID deve essere un numero intero da 0 a %1.").arg(massimo),
               QStringLiteral("The ID must be a whole number from 0 to %1.").arg(massimo));
        CampoRifiutato(QStringLiteral("frm_variabili"), QStringLiteral("txt_WebReg_0"));
        return false;
    }
    const auto registro = CampoIntero(campi.registro, 0, 65535);
    if (!registro) {
        avvisa(QStringLiteral("Il registro deve essere un numero intero da 0 a 65535."),
               QStringLiteral("The register must be a whole number from 0 to 65535."));
        CampoRifiutato(QStringLiteral("frm_variabili"), QStringLiteral("txt_WebReg_1"));
        return false;
    }
    if (campi.tipo < 0 || campi.tipo >= kTipiVariabile) {
        avvisa(QStringLiteral("Scegliere un tipo."),
               QStringLiteral("Choose a type."));
        return false;
    }
    // The controller would receive such a character as "?". The fields are named by
    // their captions.
    for (const auto& [testo, didascalia, controllo] :
         {std::tuple{campi.formato, 160, QStringLiteral("txt_WebReg_3")},
          std::tuple{campi.nome, 161, QStringLiteral("txt_WebReg_2")}}) {
        if (const QString c = platform::primoFuoriCp1252(testo); !c.isEmpty()) {
            const QString& campo = Testi.t(didascalia);
            avvisa(platform::rifiutoFuoriCp1252(campo, c, true),
                   platform::rifiutoFuoriCp1252(campo, c));
            CampoRifiutato(QStringLiteral("frm_variabili"), controllo);
            return false;
        }
    }
    Variabile& v = Variabili[std::size_t(*indice)];
    v.Indirizzo = std::int32_t(*registro);
    v.Tipo = std::uint8_t(campi.tipo);
    v.Formato = riempiNul(campi.formato, kCaratteriFormato);
    v.Nome = riempiNul(campi.nome, kCaratteriNome);
    ++RevisioneVariabili;
    return true;
}

ElencoVariabili ElencoCorrente() { return {Variabili, NumVariabili}; }

void SvuotaElencoVariabili()
{
    NumVariabili = 0;
    ++RevisioneVariabili;
}

namespace {

// A read or write of the table: its sequence, then the table's place in controller
// memory, which only a chosen controller model gives.
class SequenzaVariabili {
public:
    explicit SequenzaVariabili(const QString& nome)
        : sequenza_(nome, TipoSequenza::Breve, Finestra::frm_variabili)
    {
        if (!sequenza_)
            return;
        base_ = BaseVariabili();
        if (!base_)
            avvisa(QStringLiteral("Nessun modello di controllore scelto."),
                   QStringLiteral("No controller model is chosen."));
    }
    const std::optional<int>& base() const { return base_; }

private:
    Sequenza sequenza_;
    std::optional<int> base_;
};

} // namespace

bool LeggiVariabili(std::optional<unsigned> chiesta)
{
    const SequenzaVariabili sequenza(QStringLiteral("Variables read"));
    const auto& base = sequenza.base();
    if (!base)
        return false;
    if (!LeggiMemoria(*base - 1, 1))
        return false;
    // 255 is erased memory; anything past 31 would not fit the table.
    const int numero = BuffMemoria[0] + 1;
    if (numero > kMaxVariabili) {
        avvisa(QStringLiteral("Il controllore non contiene una tabella di variabili valida."),
               QStringLiteral("The controller holds no valid variable table."));
        return false;
    }
    std::array<Variabile, kMaxVariabili> letti{};
    for (int k = 0; k < numero; ++k) {
        if (!LeggiMemoria(*base + kDimVoceVariabile * k, kDimVoceVariabile))
            return false;
        letti[std::size_t(k)] =
            DecodificaVariabile(std::span<const std::uint8_t, kDimVoceVariabile>(
                BuffMemoria.data(), kDimVoceVariabile));
    }
    // The user's typing is worth more than a table read on an older request.
    if (chiesta && *chiesta != RevisioneVariabili) {
        avvisa(QStringLiteral("L'elenco è stato modificato dopo la richiesta di lettura: "
                              "la lettura non è stata applicata."),
               QStringLiteral("The list was edited after the read was asked: the read "
                              "was not applied."));
        return false;
    }
    std::copy_n(letti.begin(), numero, Variabili.begin());
    NumVariabili = std::uint8_t(numero);
    ++RevisioneVariabili;
    return true;
}

bool ScriviVariabili() { return ScriviVariabili(ElencoCorrente(), RevisioneVariabili); }

bool ScriviVariabili(ElencoVariabili elenco, unsigned revisione)
{
    const SequenzaVariabili sequenza(QStringLiteral("Variables write"));
    const auto& base = sequenza.base();
    if (!base)
        return false;
    if (elenco.numero == 0) {
        avvisa(QStringLiteral("La tabella è vuota: non c'è niente da scrivere."),
               QStringLiteral("The table is empty: there is nothing to write."));
        return false;
    }
    for (int k = 0; k < elenco.numero; ++k) {
        const Variabile& v = elenco.voci[std::size_t(k)];
        if (v.Indirizzo < -65536 || v.Indirizzo > 65535) {
            avvisa(QStringLiteral("Registro fuori limite."),
               QStringLiteral("Register out of range."));
            return false;
        }
    }
    // The list shows what went out, unless the user has edited it since.
    const auto mostra = [&] {
        if (revisione == RevisioneVariabili)
            std::copy_n(elenco.voci.begin(), elenco.numero, Variabili.begin());
    };
    // The entries go first and the count last: a write cut off at any request leaves the
    // controller counting the table it held, never entries that no request reached. What
    // it holds then is said, for the user to write again.
    const auto interrotta = [&](int scritte) {
        mostra();
        const int n = elenco.numero;
        if (scritte == 0)
            avvisa(QStringLiteral("Scrittura interrotta: nessuna voce è stata scritta e il "
                                  "controllore ha la tabella di prima. Ripetere Scrivi."),
                   QStringLiteral("Write stopped: no entry was written, and the controller "
                                  "holds the table it held before. Repeat Write."));
        else
            avvisa(QStringLiteral("Scrittura interrotta: %1 voci su %2 sono state scritte, ma "
                                  "non il loro numero. Il controllore conta ancora le voci "
                                  "della tabella di prima; le sue prime %1 sono ora quelle di "
                                  "questo elenco. Ripetere Scrivi.")
                       .arg(scritte)
                       .arg(n),
                   QStringLiteral("Write stopped: %1 of %2 entries were written, but not their "
                                  "count. The controller still counts the entries of the table "
                                  "it held before; its first %1 are now this list's. Repeat "
                                  "Write.")
                       .arg(scritte)
                       .arg(n));
        return false;
    };
    for (int k = 0; k < elenco.numero; ++k) {
        Variabile& v = elenco.voci[std::size_t(k)];
        v.Formato = riempiNul(v.Formato, kCaratteriFormato);
        v.Nome = riempiNul(v.Nome, kCaratteriNome);
        double indirizzo = v.Indirizzo;
        WordInBytesInOut(indirizzo);
        v.Indirizzo = std::int32_t(indirizzo);
        const VoceVariabile voce = CodificaVariabile(std::uint16_t(v.Indirizzo), v.Tipo,
                                                     v.Formato, v.Nome);
        std::copy(voce.begin(), voce.end(), BuffMemoria.begin());
        if (!ScriviMemoria(*base + kDimVoceVariabile * k, kDimVoceVariabile))
            return interrotta(k);
    }
    BuffMemoria[0] = std::uint8_t(elenco.numero - 1);
    if (!ScriviMemoria(*base - 1, 1))
        return interrotta(elenco.numero);
    mostra();
    return true;
}

void ComandoVariabili(bool scrivi, std::function<void()> dopo)
{
    const QString nome = scrivi ? QStringLiteral("Variables write") : QStringLiteral("Variables read");
    const unsigned revisione = RevisioneVariabili;
    if (scrivi) {
        // Every write goes out, with the list as it stands now.
        ComandoBreve(nome, [elenco = ElencoCorrente(), revisione] {
            ScriviVariabili(elenco, revisione);
        });
        return;
    }
    // A read asked again on the same list while one waits last brings nothing new, but
    // each caller redraws after it.
    ComandoLettura(nome, [revisione] { return LeggiVariabili(revisione); }, std::move(dopo),
                   false, nome + QLatin1Char(' ') + QString::number(revisione));
}

void AzzeraVariabili()
{
    Variabili.fill(Variabile{});
    NumVariabili = 0;
    ++RevisioneVariabili;
}

} // namespace ludra
