#pragma once
// Helpers for tests of the project model and the ladder view: a project of tagged
// lines, and a compact reading of the current unit.
#include <QString>
#include <QStringList>

namespace ludra::test {

// A fresh process state with the toolbar built and the empty project made.
void avviaProgetto();

// Writes line i of the current unit as the editor would store a block tagged t: the
// label t in the record and on the row, a class and a few argument texts and bytes.
void scriviLinea(int i, const QString& t);

// Fills the current unit with n tagged lines "A", "B", ... and selects line c.
void progettoDiLinee(int n, int c);

// The labels of lines 1..NumRung of the current unit, blank lines as "_".
QString etichette();

// Every consistency rule between the model, its rows and the undo record; returns an
// empty text when all hold, else the first rule broken.
QString violazione();

} // namespace ludra::test
