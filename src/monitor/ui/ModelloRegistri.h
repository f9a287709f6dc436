#pragma once
// The register table as rows for a view: label, name, value, type.
#include "monitor/VistaRegistri.h"

#include <QAbstractTableModel>
#include <QFont>
#include <vector>

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
    // Redraws from the table: only the cells whose text or colour changed are signalled
    // (rows come and go with the model's limits).
    void ridisegna();

private:
    // What a row's text and colours are made of: the register, and the neighbours that
    // a 32-bit pair reads.
    struct Impronta {
        QString etichetta, nome;
        std::uint8_t classe = 0, formato = 0;
        std::int32_t valore = 0;
        bool cambiato = false;
        std::int32_t seguente = 0;
        std::uint8_t formatoPrecedente = 0;
        // Whether register r still reads like this.
        bool di(int r) const;
    };
    struct Memoria {
        Impronta impronta;
        RigaRegistro riga;
        bool valida = false;
    };
    void dimensiona() const;
    Impronta impronta(int r) const;
    // Row r as drawn, rebuilt when its register or neighbours changed; returns the
    // columns whose text or colour changed, one bit each (none for a row never drawn).
    unsigned aggiorna(int r) const;

    mutable std::vector<Memoria> memoria_;
    QFont caratteri_;
    int righe_ = 0;
    QStringList intestazioni_;
};

} // namespace ludra::ui
