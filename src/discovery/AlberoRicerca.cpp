#include "discovery/AlberoRicerca.h"

#include "discovery/Dispositivi.h"

#include <algorithm>

namespace ludra {

const NodoAlbero* AlberoRicerca::trova(const QString& chiave) const
{
    const auto it = std::find_if(nodi_.begin(), nodi_.end(),
                                 [&](const NodoAlbero& n) { return n.chiave == chiave; });
    return it == nodi_.end() ? nullptr : &*it;
}

bool AlberoRicerca::aggiungi(const QString& padre, const QString& chiave,
                             const QString& testo, const QString& immagine)
{
    if (chiave.isEmpty() || trova(chiave) || (!padre.isEmpty() && !trova(padre)))
        return false;
    nodi_.push_back({chiave, testo, immagine, padre});
    return true;
}

bool AlberoRicerca::rimuovi(const QString& chiave)
{
    if (!trova(chiave))
        return false;
    std::vector<QString> daTogliere{chiave};
    // Children always follow their parent, so one pass collects the whole branch.
    for (const NodoAlbero& n : nodi_)
        if (std::find(daTogliere.begin(), daTogliere.end(), n.padre) != daTogliere.end())
            daTogliere.push_back(n.chiave);
    std::erase_if(nodi_, [&](const NodoAlbero& n) {
        return std::find(daTogliere.begin(), daTogliere.end(), n.chiave) != daTogliere.end();
    });
    return true;
}

int RecordDaChiave(const QString& chiave)
{
    qsizetype i = chiave.size();
    while (i > 0 && chiave.at(i - 1).isDigit() && chiave.at(i - 1).unicode() < 128)
        --i;
    const QString cifre = chiave.mid(i);
    if (cifre.isEmpty() || cifre.size() > 4)
        return 0;
    const int n = cifre.toInt();
    return n <= kMaxDispositivi ? n : 0;
}

} // namespace ludra
