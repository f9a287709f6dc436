#pragma once
// The focus on a refused field: a window that checks typed values follows the refusals
// the logic reports (CampoRifiutato) and puts the focus on its control named there,
// its text selected for the correction.
class QWidget;

namespace ludra::ui {

// For as long as `finestra` lives; refusals for other windows are ignored.
void SeguiCampiRifiutati(QWidget* finestra);

} // namespace ludra::ui
