#pragma once
// The result tree of the search as data: nodes with a unique key, a text, an image key
// and a parent. The search window draws it.
#include <QString>
#include <vector>

namespace ludra {

struct NodoAlbero {
    QString chiave;
    QString testo;
    QString immagine;   // key in the main window's image list, empty for none
    QString padre;      // empty for a root node
};

class AlberoRicerca {
public:
    // False (and nothing added) when the key exists or the parent does not.
    bool aggiungi(const QString& padre, const QString& chiave, const QString& testo,
                  const QString& immagine = QString());
    // Removes the node and everything under it; false when there is no such node.
    bool rimuovi(const QString& chiave);
    void svuota() { nodi_.clear(); }
    const NodoAlbero* trova(const QString& chiave) const;
    const std::vector<NodoAlbero>& nodi() const { return nodi_; }

private:
    std::vector<NodoAlbero> nodi_;
};

// The record number a node stands for: the decimal digits that end its key (0 when
// there are none, as for the root "rete"; 0 also beyond the last record).
int RecordDaChiave(const QString& chiave);

} // namespace ludra
