#pragma once
// The eight 50 x 50 pictures of the search result diagram, ids 200 to 207.
#include <QPixmap>

namespace ludra::ui {

QPixmap ImmagineRete(int id);

} // namespace ludra::ui
