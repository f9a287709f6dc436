#pragma once
// Closing the main window while commands wait for the link: they go out first, in their
// order and with their replies, each bounded by its time-out, and the window closes once
// none waits; a box names what the link's failure left unsent, and the window closes only
// once it has been read, as every box still standing that tells of a loss.
#include <functional>

namespace ludra {

// The main window's close, whatever asked it (Project > Exit, the window manager, an
// assistive tool, a quit), takes its turn: the keys and clicks that reached the
// application before it are taken first (the commands they ask join the queue, held
// there: none starts), so that the close then waits for them as for any command waiting.
// False when it must come again later: asked while a device's reply is awaited, `chiudi`
// runs once the reply is in.
bool ChiusuraAlTurno(const std::function<void()>& chiudi);
// The close has been confirmed and waits for the commands still waiting.
bool ChiusuraInAttesaDeiComandi();
// True once, for the close that follows the last command: it asks nothing again.
bool ChiusuraDopoComandi();
// Sends what waits, then runs `chiudi`.
void ChiudiDopoComandi(std::function<void()> chiudi);

void AzzeraUscita();

} // namespace ludra
