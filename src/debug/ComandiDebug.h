#pragma once
// The debugger's toolbar keys: debug and release mode, run, run to break, halt/step,
// animate and stop. The three loops (run with automatic refresh, run to break,
// animate) keep events running and end when StopCom is set, by another click or by a
// failed request.
namespace ludra {

// "debug" and "release": writes the mode, then reads it back (which switches the
// download and debug buttons).
void ComandoModoDebug(bool debug);
// "run": the run command; with AggiornaAuto the register window is refreshed once a
// second until StopCom is set.
void ComandoRun();
// "runBr": the run-to-break command, then register 0 is polled once a second until it
// no longer reads 90; then the executing line is marked.
void ComandoRunBreak();
// "pause": halt (or one step while halted), then the executing line is marked.
void ComandoPausa();
// "step": a halt/step every TempoAnimazione milliseconds, marking the executing line
// each time, until StopCom is set.
void ComandoAnima();
// "stop": halt, then stop, then the executing line is marked.
void ComandoStop();

// The debug mode right after connecting: the one the controller reports, or the one
// recorded before when it could not be read.
bool ModoDebugDopoConnessione();

} // namespace ludra
