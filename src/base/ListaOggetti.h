#pragma once
// Editing a list of objects held in slots 1..n, slot 0 being a scratch slot, as the
// display pages and the data-logger schedule keep theirs: deleting one, moving the
// active one a place back or forward. `copia(da, a)` copies slot da over slot a.
#include <cstdint>

namespace ludra {

struct ListaOggetti {
    int numero;                // objects in use, as the list reads its count
    std::uint8_t& conteggio;   // where the list keeps its count
    std::uint8_t& attivo;      // the active slot, 0 none

    // Deletes object `obj`, closing the gap; the active slot stays within the list.
    template <class Copia>
    bool elimina(int obj, Copia copia) const
    {
        const int n = numero;
        if (obj < 1 || obj > n)
            return false;
        for (int i = obj; i < n; ++i)
            copia(i + 1, i);
        conteggio = std::uint8_t(n - 1);
        if (attivo > n - 1)
            attivo = std::uint8_t(n - 1);
        return true;
    }

    // The active object one place towards the first (drawn earlier, behind the others).
    template <class Copia>
    bool indietro(Copia copia) const
    {
        const int a = attivo;
        if (a < 2 || a > numero)
            return false;
        scambia(a - 1, a, copia);
        --attivo;
        return true;
    }

    // The active object one place towards the last.
    template <class Copia>
    bool avanti(Copia copia) const
    {
        const int a = attivo;
        if (a == 0 || a >= numero)
            return false;
        scambia(a, a + 1, copia);
        ++attivo;
        return true;
    }

private:
    template <class Copia>
    static void scambia(int x, int y, Copia copia)
    {
        copia(x, 0);
        copia(y, x);
        copia(0, y);
    }
};

} // namespace ludra
