#pragma once
// Starting the operating system's system-information tool from the About box.
#include <QString>

namespace ludra {

// Looks the tool up in the system's settings store and starts it; when it cannot be
// found or started, says so in a message box.
void StartSysInfo();

inline constexpr const char* kInfoSistemaNonDisponibile =
    "Le informazioni sul sistema non sono attualmente disponibili.";

} // namespace ludra
