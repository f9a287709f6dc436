#pragma once
// The refresh of the register window that the debugger's commands ask for after each
// command.
namespace ludra {

// With `leggi` the registers on the window's page are read from the controller first;
// then the window redraws from TabellaRegistri.
void AggiornaRegistri_new(bool leggi);

} // namespace ludra
