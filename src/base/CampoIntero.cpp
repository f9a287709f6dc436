#include "base/CampoIntero.h"

#include "base/Notifiche.h"
#include "base/Numeri.h"

#include <QRegularExpression>
#include <cmath>

namespace ludra {

std::optional<double> NumeroDigitato(const QString& testo)
{
    static const QRegularExpression forma(
        QStringLiteral("^(?:[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[EeDd][+-]?[0-9]+)?"
                       "|&[Hh][0-9A-Fa-f]+|&[Oo][0-7]+)$"));
    QString compatto;
    compatto.reserve(testo.size());
    for (const QChar c : testo)
        if (!SpazioNumero(c))
            compatto.append(c);
    if (!forma.match(compatto).hasMatch())
        return std::nullopt;
    return LeggiNumero(compatto);
}

std::optional<long long> CampoIntero(const QString& testo, long long minimo, long long massimo)
{
    const std::optional<double> v = NumeroDigitato(testo);
    if (!v || *v != std::floor(*v) || *v < double(minimo) || *v > double(massimo))
        return std::nullopt;
    return static_cast<long long>(*v);
}

QString FuoriCampo(const QString& campo, long long minimo, long long massimo)
{
    return QStringLiteral("%1: a number from %2 to %3").arg(campo).arg(minimo).arg(massimo);
}

void CampoRifiutato(const QString& finestra, const QString& controllo)
{
    emit Notifiche::istanza().campoRifiutato(finestra, controllo);
}

} // namespace ludra
