#include "base/Log.h"

#include "base/Notifiche.h"

#include <QLocale>

namespace ludra {

LogModello& LogModello::istanza()
{
    static LogModello m;
    return m;
}

void LogModello::aggiungi(const QString& riga, bool seleziona)
{
    righe_.append(riga);
    if (seleziona)
        selezione_ = int(righe_.size()) - 1;
    emit Notifiche::istanza().logRigaAggiunta();
}

void LogModello::svuota()
{
    righe_.clear();
    selezione_ = -1;
    emit Notifiche::istanza().logSvuotato();
}

void LogModello::setOrologio(std::function<QDateTime()> orologio)
{
    orologio_ = std::move(orologio);
}

QDateTime LogModello::adesso() const
{
    return orologio_ ? orologio_() : QDateTime::currentDateTime();
}

void LogWrite(const QString& text)
{
    LogModello::istanza().aggiungi(QStringLiteral("  ") + text, true);
}

QString FormatoDataOra(const QLocale& locale)
{
    // The general form: the short date and the long time, seconds included; the time
    // zone that the long time form may carry is left out.
    const QString ora = locale.timeFormat(QLocale::LongFormat);
    QString senzaZona;
    bool citato = false;
    for (qsizetype i = 0; i < ora.size(); ++i) {
        const QChar c = ora[i];
        if (c == QLatin1Char('\''))
            citato = !citato;
        if (!citato && c == QLatin1Char('t'))
            continue;
        senzaZona += c;
    }
    return locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + senzaZona.trimmed();
}

void LogStart()
{
    const QLocale locale = QLocale::system();
    const QString quando = locale.toString(LogModello::istanza().adesso(), FormatoDataOra(locale));
    LogModello::istanza().aggiungi(QStringLiteral("-- ") + quando + QStringLiteral(" --"), false);
}

void LogClear() { LogModello::istanza().svuota(); }

} // namespace ludra
