#pragma once
// Bitmap and icon resources by numeric id. The pictures are drawn, not stored, so they
// stay sharp at any scale and consistent with each other.
#include <QIcon>
#include <QPixmap>

namespace ludra::platform {

// The bitmap resource with this id; a null pixmap when there is none.
QPixmap LoadResPicture(int id, int size = 32);
// The icon resource with this id (300 is the application's); null when there is none.
QIcon LoadResIcon(int id);
bool PictureExists(int id);

} // namespace ludra::platform
