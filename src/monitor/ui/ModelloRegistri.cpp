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
    const RigaRegistro riga = DescriviRegistro(index.row());
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
        endResetModel();
        return;
    }
    if (righe_ > 0)
        emit dataChanged(index(0, 0), index(righe_ - 1, 3));
}

} // namespace ludra::ui
