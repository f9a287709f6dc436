#pragma once
// The settings window's fields as data: filled from the process-wide settings when the
// window opens, stored back on OK. Nothing here is kept on disk.
#include <QString>
#include <QStringList>
#include <cstdint>

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
    int posizioneAnimazione = 0;  // the animate slider (PosizioneAnimazione)
    int posizioneMostrata = 0;    // its position as loaded: OK changes the interval
                                  // only when the user moved it
    int lingua = 1;
};

const QStringList& ModelliImpostazioni();
const QStringList& VelocitaSeriali();
inline constexpr int kPorteCom = 32;

// The animate slider: position 0 is the half second the application starts with,
// position n is n whole seconds, up to kUltimaPosizioneAnimazione.
inline constexpr int kUltimaPosizioneAnimazione = 10;
int MillisecondiAnimazione(int posizione);
// The position nearest to an interval in milliseconds.
int PosizioneAnimazione(int millisecondi);
// The interval of a position in seconds as the slider's label shows it: "0.5", "3".
QString TestoAnimazione(int posizione);

// The window's load: every field from the current settings.
ModuloImpostazioni CaricaImpostazioni();

// OK: stores every field, then the model set-up runs for the model chosen. Refused
// (false, nothing stored) while a controller sequence runs, and when a typed field is
// not a whole number in its range: a message names the field and the window puts the
// focus there.
bool SalvaImpostazioni(const ModuloImpostazioni& modulo);

} // namespace ludra
