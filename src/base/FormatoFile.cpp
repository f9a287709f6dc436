#include "base/FormatoFile.h"

#include "base/Numeri.h"
#include "platform/Cp1252.h"

#include <cmath>

namespace ludra {

void ScrittoreRighe::riga(const QString& r)
{
    ++righe_;
    if (const QString fuori = platform::primoFuoriCp1252(r); !fuori.isEmpty() && ok())
        errore_ = platform::rifiutoFuoriCp1252(
            QStringLiteral("line %1, \"%2\"").arg(righe_).arg(r.left(40)), fuori);
    dati_ += platform::toCp1252(r);
    dati_ += "\r\n";
}

void ScrittoreRighe::testo(const QString& t)
{
    QString pulito = t;
    pulito.replace(QLatin1Char('\r'), QLatin1Char(' '));
    pulito.replace(QLatin1Char('\n'), QLatin1Char(' '));
    riga(pulito);
}

void ScrittoreRighe::intero(long v)
{
    riga((v < 0 ? QString::number(v) : QStringLiteral(" ") + QString::number(v))
         + QStringLiteral(" "));
}

void ScrittoreRighe::valore(double v) { riga(TestoNumero(v)); }

void ScrittoreRighe::doppio(double v) { riga(TestoNumero(v) + QStringLiteral(" ")); }

LettoreRighe::LettoreRighe(const QByteArray& dati, QString nomeFile)
    : righe_(dati), nomeFile_(std::move(nomeFile))
{
}

void LettoreRighe::fallisci(const QString& perche)
{
    if (errore_.isEmpty())
        errore_ = QStringLiteral("%1, line %2: %3").arg(nomeFile_).arg(pos_).arg(perche);
}

std::optional<QString> LettoreRighe::prossima()
{
    if (!ok())
        return std::nullopt;
    QString riga;
    ++pos_;
    if (!righe_.prossima(riga)) {
        fallisci(QStringLiteral("the file ends too early"));
        return std::nullopt;
    }
    return riga;
}

QString LettoreRighe::testo() { return prossima().value_or(QString()); }

double LettoreRighe::reale()
{
    const auto r = prossima();
    if (!r)
        return 0;
    bool ok = false;
    const double v = r->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        fallisci(QStringLiteral("\"%1\" is not a number").arg(r->left(40)));
        return 0;
    }
    return v;
}

long LettoreRighe::intero(long minimo, long massimo)
{
    const qsizetype prima = pos_;
    const double v = reale();
    if (!ok())
        return 0;
    if (v != std::floor(v) || v < double(minimo) || v > double(massimo)) {
        pos_ = prima + 1;
        fallisci(QStringLiteral("%1 is not a whole number from %2 to %3")
                     .arg(TestoNumero(v).trimmed())
                     .arg(minimo)
                     .arg(massimo));
        return 0;
    }
    return long(v);
}

bool LettoreRighe::booleano() { return reale() == 1.0; }

} // namespace ludra
