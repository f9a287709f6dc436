#pragma once
// The device search window: search options, the result tree and the network diagram.
// The search and everything done with a found device live in RicercaDispositivi.
#include "base/Finestre.h"

#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace ludra {
class RicercaDispositivi;
}

namespace ludra::ui {

class frm_search : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_search(QWidget* parent = nullptr);
    ~frm_search() override;
    void SetRes() override;

    QGroupBox* Frame2 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cmb_porta = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* txt_Timeout = nullptr;
    QLabel* Label12 = nullptr;
    std::array<QGroupBox*, 2> frm_opz{};
    QGroupBox* Frame5 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QLineEdit*, 4> txt_indir{};
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 8> chk_baud{};
    std::array<QCheckBox*, 2> chk_disp_ethernet{};
    QPushButton* cmd_Search = nullptr;
    QPushButton* cmd_stop = nullptr;
    QGroupBox* Frame4 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QPushButton* Command1 = nullptr;
    QLabel* lbl_search = nullptr;
    QTreeWidget* Elenco = nullptr;
    QGroupBox* Frame3 = nullptr;
    // The diagram's rows (disp) and their five cells each.
    std::vector<QFrame*> disp;
    std::vector<std::array<QLabel*, 5>> celle;

    QTreeWidgetItem* nodo(const QString& chiave) const;

private:
    void cmb_porta_Click();
    void aggiornaStato();
    void aggiungiNodo(const QString& chiave);
    void rimuoviNodo(const QString& chiave);
    void mostraNodo(const QString& chiave, bool seleziona);
    void disegnaRete();
    void Elenco_MouseDown(const QPoint& punto);
    QTreeWidgetItem* nodoAttivo() const;
    void evidenziaAttivo();

    RicercaDispositivi& logica_;
    // The node last clicked; its record is the one the commands act on until another
    // click or a search picks another.
    QString chiaveScelta_;
    QWidget* rete_ = nullptr;
};

} // namespace ludra::ui
