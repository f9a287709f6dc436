#pragma once
// Closing the main window while commands wait for the link: they go out first, in their
// order and with their replies, each bounded by its time-out, and the window closes once
// none waits; a box names what the link's failure left unsent.
#include <functional>

namespace ludra {

// The close has been confirmed and waits for the commands still waiting.
bool ChiusuraInAttesaDeiComandi();
// True once, for the close that follows the last command: it asks nothing again.
bool ChiusuraDopoComandi();
// Sends what waits, then runs `chiudi`.
void ChiudiDopoComandi(std::function<void()> chiudi);

void AzzeraUscita();

} // namespace ludra
