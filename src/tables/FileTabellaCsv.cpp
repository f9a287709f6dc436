#include "tables/FileTabellaCsv.h"

#include "base/Numeri.h"
#include "platform/Cp1252.h"
#include "platform/LetturaFile.h"
#include "base/FormatoFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cmath>

namespace ludra {
namespace {

bool blank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool fineRiga(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// The fields of a table file, in order, with the line each one starts on.
class Campi {
public:
    explicit Campi(QString testo) : s_(std::move(testo)) {}

    enum class Esito { Ok, Fine, Malformato };

    Esito prossimo(QString& campo, QString& perche)
    {
        while (pos_ < s_.size() && blank(s_[pos_]))
            ++pos_;
        if (pos_ >= s_.size())
            return Esito::Fine;
        rigaCampo_ = riga_;
        if (s_[pos_] == QLatin1Char('"')) {
            const qsizetype inizio = ++pos_;
            while (pos_ < s_.size() && s_[pos_] != QLatin1Char('"') && !fineRiga(s_[pos_]))
                ++pos_;
            if (pos_ >= s_.size() || s_[pos_] != QLatin1Char('"')) {
                perche = QStringLiteral("a quoted field has no closing quote");
                return Esito::Malformato;
            }
            campo = s_.mid(inizio, pos_ - inizio);
            ++pos_;
            while (pos_ < s_.size() && blank(s_[pos_]))
                ++pos_;
            if (pos_ < s_.size() && s_[pos_] != QLatin1Char(',') && !fineRiga(s_[pos_])) {
                perche = QStringLiteral("text follows a quoted field");
                return Esito::Malformato;
            }
        } else {
            const qsizetype inizio = pos_;
            while (pos_ < s_.size() && s_[pos_] != QLatin1Char(',') && !fineRiga(s_[pos_]))
                ++pos_;
            qsizetype fine = pos_;
            while (fine > inizio && blank(s_[fine - 1]))
                --fine;
            campo = s_.mid(inizio, fine - inizio);
        }
        if (pos_ < s_.size()) {
            if (s_[pos_] == QLatin1Char(',')) {
                ++pos_;
            } else {
                if (s_[pos_] == QLatin1Char('\r') && pos_ + 1 < s_.size() &&
                    s_[pos_ + 1] == QLatin1Char('\n'))
                    ++pos_;
                ++pos_;
                ++riga_;
            }
        }
        return Esito::Ok;
    }

    // Only blanks and line ends are left.
    bool restoVuoto() const
    {
        for (qsizetype i = pos_; i < s_.size(); ++i)
            if (!blank(s_[i]) && !fineRiga(s_[i]))
                return false;
        return true;
    }

    int rigaCampo() const { return rigaCampo_; }
    int riga() const { return riga_; }

private:
    QString s_;
    qsizetype pos_ = 0;
    int riga_ = 1;
    int rigaCampo_ = 1;
};

// The name as the file carries it: bare when it reads back whole, else in quotes.
std::optional<QString> nomeInFile(const QString& nome, QString& errore)
{
    if (nome.isEmpty()) {
        errore = QStringLiteral("The table has no name");
        return std::nullopt;
    }
    if (nome.contains(QLatin1Char('\r')) || nome.contains(QLatin1Char('\n')) ||
        !platform::primoFuoriCp1252(nome).isEmpty()) {
        errore = QStringLiteral("The table name \"%1\" holds characters a table file cannot carry")
                     .arg(nome);
        return std::nullopt;
    }
    // A bare name that starts as a byte-order mark would lose those characters on reading; a
    // blank before it keeps them where quotes cannot, as the mark is only looked for at byte 0.
    const bool marca = nome.startsWith(QStringLiteral("\u00EF\u00BB\u00BF"));
    const bool quotare = nome.contains(QLatin1Char(',')) || nome.startsWith(QLatin1Char('"')) ||
                         blank(nome.front()) || blank(nome.back());
    if (!quotare && !marca)
        return nome;
    if (!quotare && nome.contains(QLatin1Char('"')))
        return QLatin1Char(' ') + nome;
    if (nome.contains(QLatin1Char('"'))) {
        errore = QStringLiteral("The table name \"%1\" cannot be written to a file: a name with "
                                "a double quote cannot also hold a comma or start or end "
                                "with a blank")
                     .arg(nome);
        return std::nullopt;
    }
    return QLatin1Char('"') + nome + QLatin1Char('"');
}

QString nomeBreve(const QString& percorso) { return QFileInfo(percorso).fileName(); }

} // namespace

std::optional<double> NumeroStretto(const QString& testo)
{
    static const QRegularExpression forma(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eEdD][+-]?[0-9]+)?$"));
    qsizetype inizio = 0;
    qsizetype fine = testo.size();
    while (inizio < fine && SpazioNumero(testo[inizio]))
        ++inizio;
    while (fine > inizio && SpazioNumero(testo[fine - 1]))
        --fine;
    const QString t = testo.mid(inizio, fine - inizio);
    if (!forma.match(t).hasMatch())
        return std::nullopt;
    const double v = LeggiNumero(t);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<QByteArray> TestoTabellaCsv(const Tabella& tab, QString& errore)
{
    const std::optional<QString> nome = nomeInFile(tab.Nome, errore);
    if (!nome)
        return std::nullopt;
    if (tab.NumPunti < 2 || tab.NumPunti > kMaxPunti) {
        errore = QStringLiteral("The table \"%1\" has %2 points: a table has 2 to %3")
                     .arg(tab.Nome)
                     .arg(tab.NumPunti)
                     .arg(kMaxPunti);
        return std::nullopt;
    }
    ScrittoreRighe w;
    w.testo(*nome);
    w.intero(tab.NumPunti);
    for (const auto* valori : {&tab.Ingresso, &tab.Uscita}) {
        for (int p = 0; p < tab.NumPunti; ++p) {
            const double v = (*valori)[std::size_t(p)];
            if (!std::isfinite(v)) {
                errore = QStringLiteral("Point %1 of the table \"%2\" is not a finite number")
                             .arg(p + 1)
                             .arg(tab.Nome);
                return std::nullopt;
            }
            w.valore(v);
        }
    }
    return w.byte();
}

bool LeggiTabellaCsv(const QByteArray& dati, const QString& nomeFile, Tabella& tab,
                     QString& errore)
{
    if (dati.size() > kMaxByteTabellaCsv) {
        errore = QStringLiteral("%1 is too large to be a table file").arg(nomeFile);
        return false;
    }
    // A spreadsheet may start the file with a UTF-8 byte-order mark: no part of the name.
    QByteArrayView testo(dati);
    if (testo.startsWith("\xEF\xBB\xBF"))
        testo = testo.sliced(3);
    Campi campi(platform::fromCp1252(testo));
    auto fallisci = [&](int riga, const QString& perche) {
        errore = QStringLiteral("%1, line %2: %3").arg(nomeFile).arg(riga).arg(perche);
        return false;
    };
    QString campo;
    QString perche;
    // The next field, or false with the reason set.
    auto leggi = [&]() {
        switch (campi.prossimo(campo, perche)) {
        case Campi::Esito::Ok:
            return true;
        case Campi::Esito::Fine:
            return fallisci(campi.riga(), QStringLiteral("the file ends too early"));
        case Campi::Esito::Malformato:
            return fallisci(campi.rigaCampo(), perche);
        }
        return false;
    };

    Tabella letta = tab;
    if (!leggi())
        return false;
    if (campo.isEmpty())
        return fallisci(campi.rigaCampo(), QStringLiteral("the table has no name"));
    letta.Nome = campo;

    if (!leggi())
        return false;
    const std::optional<double> n = NumeroStretto(campo);
    if (!n || *n != std::floor(*n) || *n < 2 || *n > kMaxPunti)
        return fallisci(campi.rigaCampo(),
                        QStringLiteral("the point count \"%1\" is not a whole number from 2 to %2")
                            .arg(campo.left(40))
                            .arg(kMaxPunti));
    letta.NumPunti = std::uint8_t(*n);

    for (auto* valori : {&letta.Ingresso, &letta.Uscita}) {
        for (int p = 0; p < letta.NumPunti; ++p) {
            if (!leggi())
                return false;
            const std::optional<double> v = NumeroStretto(campo);
            if (!v)
                return fallisci(campi.rigaCampo(),
                                QStringLiteral("\"%1\" is not a number").arg(campo.left(40)));
            (*valori)[std::size_t(p)] = *v;
        }
    }
    if (!campi.restoVuoto())
        return fallisci(campi.riga(),
                        QStringLiteral("more values follow the %1 points of the table")
                            .arg(letta.NumPunti));
    tab = letta;
    return true;
}

std::optional<QString> CaricaTabellaCsv(const QString& percorso, Tabella& tab)
{
    QFile f(percorso);
    QString perche;
    if (!platform::ApriFileRegolare(f, perche))
        return QStringLiteral("Cannot open %1: %2").arg(nomeBreve(percorso), perche);
    // One byte past the limit is enough to tell a file that is too large.
    const QByteArray dati = f.read(kMaxByteTabellaCsv + 1);
    if (f.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read %1: %2").arg(nomeBreve(percorso), f.errorString());
    QString errore;
    if (!LeggiTabellaCsv(dati, nomeBreve(percorso), tab, errore))
        return errore;
    return std::nullopt;
}

std::optional<QString> SalvaTabellaCsv(const QString& percorso, const Tabella& tab)
{
    QString errore;
    const std::optional<QByteArray> testo = TestoTabellaCsv(tab, errore);
    if (!testo)
        return errore;
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(nomeBreve(percorso), f.errorString());
    if (f.write(*testo) != testo->size() || !f.commit())
        return QStringLiteral("Cannot write %1: %2").arg(nomeBreve(percorso), f.errorString());
    return std::nullopt;
}

} // namespace ludra
