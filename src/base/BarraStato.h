#pragma once
// The five panels of the main window's status bar. Panels 1 to 3 show the link state
// (link/AggiornaStato.h), panel 4 the last link request's result, panel 5 nothing.
#include <QString>
#include <array>

namespace ludra {

class BarraStato {
public:
    static BarraStato& istanza();
    // Panel n, 1 to 5.
    const QString& pannello(int n) const;
    void setPannello(int n, const QString& testo);
    void azzera();

private:
    BarraStato() = default;
    std::array<QString, 5> pannelli_;
};

} // namespace ludra
