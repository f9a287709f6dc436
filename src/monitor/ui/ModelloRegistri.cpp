#include "monitor/ui/ModelloRegistri.h"

#include "monitor/VistaRegistri.h"
#include "platform/ui/VbColor.h"
#include "project/Registri.h"

#include <QBrush>
#include <QFont>

namespace ludra::ui {

ModelloRegistri::ModelloRegistri(QObject* parent) : QAbstractTableModel(parent)
{
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
    case Qt::BackgroundRole:
        return QBrush(index.row() % 2 ? QColor(240, 240, 240) : QColor(224, 224, 224));
    case Qt::FontRole:
        if (index.column() == 2) {
            QFont f(QStringLiteral("monospace"));
            f.setStyleHint(QFont::TypeWriter);
            return f;
        }
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
    // One signal per run of changed rows. A row never drawn has nothing on screen to
    // change: it is described when the view first asks for it.
    dimensiona();
    int inizio = -1;
    for (int r = 0; r <= righe_; ++r) {
        const bool cambiata = r < righe_ && memoria_[std::size_t(r)].valida && aggiorna(r);
        if (cambiata && inizio < 0)
            inizio = r;
        if (!cambiata && inizio >= 0) {
            emit dataChanged(index(inizio, 0), index(r - 1, 3));
            inizio = -1;
        }
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

bool ModelloRegistri::aggiorna(int r) const
{
    Memoria& m = memoria_[std::size_t(r)];
    Impronta adesso = impronta(r);
    if (m.valida && adesso == m.impronta)
        return false;
    RigaRegistro nuova = DescriviRegistro(r);
    const bool cambiata = m.valida && !(nuova == m.riga);
    m = {std::move(adesso), std::move(nuova), true};
    return cambiata;
}

} // namespace ludra::ui
