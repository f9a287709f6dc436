#pragma once
// The designer's preview of a page: the 132 x 32 display at 41 x 45 twips a pixel.
#include "display/PagineDisplay.h"

#include <QImage>
#include <QRectF>
#include <QSize>

namespace ludra::ui {

inline constexpr int kTwipsPixelX = 41;
inline constexpr int kTwipsPixelY = 45;

// Screen pixels of the page frame.
QSize DimensioneAnteprima();
// The box of an object in screen pixels within the frame.
QRectF RettangoloOggetto(const OggettoDisplay& oggetto);

struct OpzioniDisegno {
    int selezionato = 0;   // the slot drawn with a border, 0 none
    bool griglia = false;  // the 6 x 8 character cells
    bool oggetti = true;   // false: the frame with its boxes removed
};

// The page drawn back to front; an Image whose file does not read stays an empty box.
QImage DisegnaPagina(const PaginaDisplay& pagina, const OpzioniDisegno& opzioni = {});
// The slot of the frontmost object under a point of the frame, 0 for none.
int OggettoIn(const PaginaDisplay& pagina, QPointF punto);
// The two-state picture `numero` (0 or 1) of a Picture size, `lato` display pixels.
QImage FiguraPicture(int lato, int numero);

} // namespace ludra::ui
