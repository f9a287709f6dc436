#pragma once
// The function-block pictures of the ladder rows, bitmap resources 1 to 48, drawn on
// the same 32 x 32 grid as the other pictures.
#include <QPainter>
#include <functional>
#include <map>

namespace ludra::platform {

const std::map<int, std::function<void(QPainter&)>>& DisegniBlocchi();

} // namespace ludra::platform
