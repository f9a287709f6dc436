#pragma once
// Helpers shared by the ladder's own sources.
#include "base/Notifiche.h"
#include "project/Progetto.h"

namespace ludra::ladder {

inline bool sezioneValida(int s) { return s >= 0 && s < kNumSezioni; }
inline bool subValido() { return sezioneValida(SubCorrente); }
inline Sezione& sezioneCorrente() { return Sezioni[std::size_t(SubCorrente)]; }

// Tell the window; while an AggiornamentoInBlocco lives they are held back.
void notificaRiga(int sezione, int riga);
void notificaVista();

// A line of the current unit that has its row: 1 to NumRung.
bool lineaValida(int riga);

} // namespace ludra::ladder
