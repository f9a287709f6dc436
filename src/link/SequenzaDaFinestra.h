#pragma once
// A command asked from a window that finds the link held by something else is refused
// where the user asked it: a box with the line the Log and the status bar have, rather
// than the Log alone.
#include "link/Sequenza.h"

namespace ludra {

class SequenzaDaFinestra {
public:
    explicit SequenzaDaFinestra(const QString& nome, TipoSequenza tipo = TipoSequenza::Dispositivo,
                                std::optional<Finestra> finestra = std::nullopt);
    explicit operator bool() const { return bool(sequenza_); }

private:
    Sequenza sequenza_;
};

// The same for a command that only waits for a sequence to end (ComandoRifiutato).
bool ComandoRifiutatoDaFinestra(const QString& comando, Effetto effetto);

// Before anything is typed for a command (an address, a file): true, with the same box
// and line, when it would be refused now.
bool RifiutoAnticipato(const QString& nome);

} // namespace ludra
