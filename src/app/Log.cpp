#include "app/Log.h"

#include "app/Notifiche.h"

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

void LogStart()
{
    // The system's general date-and-time form, as the desktop's locale writes it.
    const QString quando =
        QLocale::system().toString(LogModello::istanza().adesso(), QLocale::ShortFormat);
    LogModello::istanza().aggiungi(QStringLiteral("-- ") + quando + QStringLiteral(" --"), false);
}

void LogClear() { LogModello::istanza().svuota(); }

} // namespace ludra
