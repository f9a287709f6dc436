#pragma once
// The link state as the status bar shows it.

namespace ludra {

// Renders connection, debug mode and run state into panels 1 to 3 from Controllore.
void AggiornaStato();

} // namespace ludra
