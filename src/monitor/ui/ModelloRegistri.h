#pragma once
// The register table as rows for a view: label, name, value, type.
#include <QAbstractTableModel>

namespace ludra::ui {

class ModelloRegistri : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModelloRegistri(QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void setIntestazioni(const QStringList& intestazioni);
    // Redraws every row from the table (rows come and go with the model's limits).
    void ridisegna();

private:
    int righe_ = 0;
    QStringList intestazioni_;
};

} // namespace ludra::ui
