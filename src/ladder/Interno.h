#pragma once
// Helpers shared by the ladder's own sources.
#include "base/Notifiche.h"
#include "project/Progetto.h"

namespace ludra::ladder {

inline bool sezioneValida(int s) { return s >= 0 && s < kNumSezioni; }
inline bool subValido() { return sezioneValida(SubCorrente); }
inline Sezione& sezioneCorrente() { return Sezioni[std::size_t(SubCorrente)]; }

inline void notificaRiga(int sezione, int riga)
{
    emit Notifiche::istanza().rungCambiato(sezione, riga);
}
inline void notificaVista() { emit Notifiche::istanza().ladderCambiato(); }

// A line of the current unit that has its row: 1 to NumRung.
bool lineaValida(int riga);

} // namespace ludra::ladder
