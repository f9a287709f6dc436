#include "monitor/ui/ModelloRegistri.h"

#include "monitor/VistaRegistri.h"
#include "platform/ui/VbColor.h"
#include "project/Registri.h"

#include <QBrush>
#include <QFont>

namespace ludra::ui {

ModelloRegistri::ModelloRegistri(QObject* parent) : QAbstractTableModel(parent)
{
    // Made once: every painted value cell asks for it.
    caratteri_.setFamily(QStringLiteral("monospace"));
    caratteri_.setStyleHint(QFont::TypeWriter);
    righe_ = qBound(0, NumRegistri + 1, kRigheRegistri);
}

int ModelloRegistri::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : righe_;
}

int ModelloRegistri::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 4; }

QVariant ModelloRegistri::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= righe_)
        return {};
    // A view asks for several roles of every cell it paints: each row is described once
    // and then only when its register changes.
    dimensiona();
    aggiorna(index.row());
    const RigaRegistro& riga = memoria_[std::size_t(index.row())].riga;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case 0: return riga.etichetta;
        case 1: return riga.nome;
        case 2: return riga.valore;
        case 3: return riga.tipo;
        }
        break;
    case Qt::ForegroundRole:
        if (index.column() <= 1)
            return QBrush(platform::vbColor(riga.coloreNome));
        if (index.column() == 2)
            return QBrush(platform::vbColor(riga.coloreValore));
        break;
    case Qt::BackgroundRole: {
        static const QBrush dispari(QColor(240, 240, 240)), pari(QColor(224, 224, 224));
        return index.row() % 2 ? dispari : pari;
    }
    case Qt::FontRole:
        if (index.column() == 2)
            return caratteri_;
        break;
    }
    return {};
}

QVariant ModelloRegistri::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < intestazioni_.size())
        return intestazioni_[section];
    return {};
}

void ModelloRegistri::setIntestazioni(const QStringList& intestazioni)
{
    intestazioni_ = intestazioni;
    emit headerDataChanged(Qt::Horizontal, 0, 3);
}

void ModelloRegistri::ridisegna()
{
    const int nuove = qBound(0, NumRegistri + 1, kRigheRegistri);
    if (nuove != righe_) {
        beginResetModel();
        righe_ = nuove;
        memoria_.clear();
        endResetModel();
        return;
    }
    // One signal per changed cell: a view repaints just that cell, and a refresh
    // changes values, seldom names or types. A row never drawn has nothing on screen
    // to change: it is described when the view first asks for it.
    dimensiona();
    for (int r = 0; r < righe_; ++r) {
        const unsigned colonne = memoria_[std::size_t(r)].valida ? aggiorna(r) : 0;
        for (int c = 0; c < 4; ++c)
            if (colonne & (1u << c))
                emit dataChanged(index(r, c), index(r, c));
    }
}

void ModelloRegistri::dimensiona() const
{
    if (memoria_.size() != std::size_t(righe_))
        memoria_.assign(std::size_t(righe_), Memoria{});
}

ModelloRegistri::Impronta ModelloRegistri::impronta(int r) const
{
    Impronta i;
    const Registro& reg = TabellaRegistri[std::size_t(r)];
    i.etichetta = reg.Etichetta;
    i.nome = reg.Nome;
    i.classe = reg.Classe;
    i.formato = reg.Formato;
    i.valore = reg.Valore;
    i.cambiato = reg.Cambiato;
    if (r + 1 < kRigheRegistri)
        i.seguente = TabellaRegistri[std::size_t(r + 1)].Valore;
    if (r > 0)
        i.formatoPrecedente = TabellaRegistri[std::size_t(r - 1)].Formato;
    return i;
}

bool ModelloRegistri::Impronta::di(int r) const
{
    // In place: a redraw looks at every row, and most have not changed.
    const Registro& reg = TabellaRegistri[std::size_t(r)];
    return valore == reg.Valore && cambiato == reg.Cambiato && formato == reg.Formato
           && classe == reg.Classe
           && seguente == (r + 1 < kRigheRegistri ? TabellaRegistri[std::size_t(r + 1)].Valore : 0)
           && formatoPrecedente == (r > 0 ? TabellaRegistri[std::size_t(r - 1)].Formato : 0)
           && nome == reg.Nome && etichetta == reg.Etichetta;
}

unsigned ModelloRegistri::aggiorna(int r) const
{
    Memoria& m = memoria_[std::size_t(r)];
    if (m.valida && m.impronta.di(r))
        return 0;
    Impronta adesso = impronta(r);
    RigaRegistro nuova = DescriviRegistro(r);
    const RigaRegistro& v = m.riga;
    unsigned colonne = 0;
    if (m.valida) {
        const bool nome = nuova.coloreNome != v.coloreNome;
        colonne |= (nome || nuova.etichetta != v.etichetta) ? 1u : 0u;
        colonne |= (nome || nuova.nome != v.nome) ? 2u : 0u;
        colonne |= (nuova.valore != v.valore || nuova.coloreValore != v.coloreValore) ? 4u : 0u;
        colonne |= nuova.tipo != v.tipo ? 8u : 0u;
    }
    m = {std::move(adesso), std::move(nuova), true};
    return colonne;
}

} // namespace ludra::ui
