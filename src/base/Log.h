#pragma once
// The Log: the system's only trace, kept in memory for the life of the process.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>

namespace ludra {

// Appends "  " + text and selects that last line.
void LogWrite(const QString& text);
// Appends "-- <date and time> --"; the selection stays where it was.
void LogStart();
void LogClear();
// The date-and-time form of the separator lines in the given locale.
QString FormatoDataOra(const QLocale& locale);

class LogModello {
public:
    static LogModello& istanza();
    const QStringList& righe() const { return righe_; }
    int selezione() const { return selezione_; }   // -1 when nothing is selected

    void aggiungi(const QString& riga, bool seleziona);
    void svuota();

    // The clock the separator lines read; tests pin it.
    void setOrologio(std::function<QDateTime()> orologio);
    QDateTime adesso() const;

private:
    LogModello() = default;
    QStringList righe_;
    int selezione_ = -1;
    std::function<QDateTime()> orologio_;
};

} // namespace ludra
