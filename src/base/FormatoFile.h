#pragma once
// The line forms of the project files: one value a line, CR LF, Windows-1252.
#include "platform/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ludra {

// Writes values line by line in the forms the project files use. A text holding a
// character the code page lacks is not written as "?": the first one is kept as the
// writer's error, and a writer with an error has no text worth writing.
class ScrittoreRighe {
public:
    // A text, bare. Line breaks inside it would shift every later value: they become
    // blanks.
    void testo(const QString& t);
    // An integer: " 5 " or "-3 ".
    void intero(long v);
    // A table value: " 12.5", "-.25", " 0".
    void valore(double v);
    // A double of the display file: " 100 ", "-.5 ".
    void doppio(double v);
    void booleano(bool v) { intero(v ? 1 : 0); }
    QByteArray byte() const { return dati_; }
    bool ok() const { return errore_.isEmpty(); }
    // "line N, "text": the character ... cannot be written", for the caller to name its
    // file.
    const QString& errore() const { return errore_; }

private:
    void riga(const QString& r);
    QByteArray dati_;
    qsizetype righe_ = 0;
    QString errore_;
};

// Reads values line by line; the first value that is missing or out of range stops it
// with a message naming the line.
class LettoreRighe {
public:
    explicit LettoreRighe(const QByteArray& dati, QString nomeFile);
    bool ok() const { return errore_.isEmpty(); }
    const QString& errore() const { return errore_; }

    // The whole line as held (a comma is part of the text).
    QString testo();
    // An integer in [minimo, massimo]; 0 after an error.
    long intero(long minimo, long massimo);
    double reale();
    // True exactly when the number read is 1.
    bool booleano();
    bool finito() const { return righe_.finite(); }

private:
    std::optional<QString> prossima();
    void fallisci(const QString& perche);

    platform::RigheCp1252 righe_;
    qsizetype pos_ = 0;   // lines taken
    QString nomeFile_;
    QString errore_;
};

} // namespace ludra
