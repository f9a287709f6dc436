#pragma once
// The controllers this application set a program running on and has not stopped since.
// The user may start programs on several nodes and links; each one stays named until a
// Stop reaches it, so a change of node, a move of the link or a Stop that went elsewhere
// never leaves a program running unsaid.
#include "link/Bersaglio.h"

#include <QString>
#include <vector>

namespace ludra {

// Oldest first; the last is the one last set running (Run, Run to Break, Halt/Step,
// Animate). A controller is in it once.
extern std::vector<Bersaglio> ProgrammiInEsecuzione;

// Its frame reached `dove`: set running (or halted, still not stopped), or stopped.
void ProgrammaAvviato(const Bersaglio& dove);
void ProgrammaFermato(const Bersaglio& dove);

// The device a Stop goes to: the controller last set running that the link still
// reaches (whatever node the settings name by now), otherwise the current one.
Bersaglio BersaglioStop();
// A program runs where the link reaches: a Stop waiting for it stays bound there.
bool ProgrammaRaggiungibile();

// One Log and status-bar line for each program running elsewhere than `tranne`:
// "The program on <where> was not stopped: <perche>".
void ProgrammiNonFermati(const QString& perche, const Bersaglio& tranne);
// What the status bar's last panel shows at rest: the programs running elsewhere than
// the device requests go to now, empty when none does.
QString ProgrammiAltrove();

} // namespace ludra
