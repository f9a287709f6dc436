#pragma once
// The settings window's fields as data: filled from the process-wide settings when the
// window opens, stored back on OK. Nothing here is kept on disk.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace ludra {

struct ModuloImpostazioni {
    QString modello;
    QString nodo;
    int canale = 0;               // 0 Ethernet, 1 serial
    QString ip;
    QString porta;                // TCP port
    QString timeoutTcp;           // milliseconds
    int indiceCom = 0;            // serial port: port number - 1
    QString baud;
    bool modem = false;
    bool aggiorna = false;        // automatic register update while running
    int secondiAnimazione = 1;    // slider, whole seconds
    int secondiMostrati = 0;      // the slider's position as loaded: OK changes the
                                  // interval only when the user moved it
    int lingua = 1;
};

const QStringList& ModelliImpostazioni();
const QStringList& VelocitaSeriali();
inline constexpr int kPorteCom = 32;
inline constexpr int kMinSecondiAnimazione = 1;
inline constexpr int kMaxSecondiAnimazione = 10;

// The window's load: every field from the current settings.
ModuloImpostazioni CaricaImpostazioni();

// OK: stores every field that converts; a field that does not (not a number, or out of
// range) leaves its setting as it was. Then the model set-up runs for the model chosen.
// Refused (false, nothing stored) while a controller sequence runs.
bool SalvaImpostazioni(const ModuloImpostazioni& modulo);

// The serial reply limit in whole seconds for a time-out in milliseconds: rounded to
// the nearest second (halves to even), at least one (below it the serial wait would
// give up before any reply could arrive), at most 33.
std::int16_t SecondiAttesaSeriale(double millisecondi);

// A typed whole number in [minimo, massimo], rounded half to even; nothing otherwise.
std::optional<long> InteroDaTesto(const QString& testo, long minimo, long massimo);

} // namespace ludra
