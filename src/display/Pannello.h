#pragma once
// The property panel's fields as texts and choices, and their application to an object.
#include "display/PagineDisplay.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace ludra {

struct CampiPannello {
    std::array<QString, 2> formato;   // txt_format(0..1)
    QString posX, posY, dimX, dimY, spessore;
    QString registro, bit, max, min;
    int tipoRegistro = -1;            // cmb_regType, -1 none
    int taglia = -1;                  // cmb_Type: size entry, or image index for an Image
    int idPicture0 = 0;
    int idPicture1 = 0;
    bool negato = false;
    bool direzione = false;           // opt_direz(1)
};

// The panel as it shows the object.
CampiPannello CampiDaOggetto(const OggettoDisplay& oggetto);

// Writes the panel into the object. A field out of range refuses the whole apply: the
// object is left as it was and the result names the field.
std::optional<QString> ApplicaPannello(const CampiPannello& campi, OggettoDisplay& oggetto);

// An object as a file gave it, brought within what the panel takes, so that it shows,
// compiles and is applied as the panel would have it: a bar's Max and Min within the
// single's range (beyond it, its end; not a number, 0), a Label's or Picture's bit
// number within 0..15 (its nearer end). Returns one text per value changed.
QStringList EntroIlPannello(OggettoDisplay& oggetto);

// The picture number of a Picture chooser stepped by -1 or +1, kept within 0..1.
int PassoFigura(int numero, int passo);

} // namespace ludra
