#pragma once
// The table window: the editor of the project's linearisation tables and, opened from
// the function-block editor, the picker that hands the table chosen back in
// InputTab.TabAttiva.
#include "base/Finestre.h"
#include "tables/EditorTabelle.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;

namespace ludra::ui {

class Input_Tab : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit Input_Tab(QWidget* parent = nullptr);
    ~Input_Tab() override;

    void SetRes() override;

    // cmd_ok(1) "OK" and cmd_ok(0) "Annulla".
    void cmd_ok_Click(int indice);
    void cmd_Insert_Click();
    void cmd_Load_Click();
    void cmd_Save_Click();

    QListWidget* ListaTab() const { return lista_; }
    QPushButton* cmd_ok(int i) const { return ok_[std::size_t(i)]; }
    QPushButton* cmd_Insert() const { return insert_; }
    QPushButton* cmd_Load() const { return load_; }
    QPushButton* cmd_Save() const { return save_; }
    QLineEdit* txt_NomeTab() const { return nome_; }
    QLineEdit* txt_Npunti() const { return npunti_; }
    QLineEdit* txt_TabA(int r) const { return tabA_[std::size_t(r)]; }
    QLineEdit* txt_TabB(int r) const { return tabB_[std::size_t(r)]; }
    QWidget* pTab(int r) const { return pTab_[std::size_t(r)]; }
    QScrollBar* VScroll1() const { return scroll_; }
    const EditorTabelle& editor() const { return editor_; }

    static constexpr const char* kNome = "Input_Tab";

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void creaGriglia(QWidget* frame);
    void mostraCampi();
    void mostraGriglia();
    void evidenziaErrore();
    void chiudi();

    EditorTabelle editor_;
    QGroupBox* fTabella_ = nullptr;
    QGroupBox* fTab_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QLabel* lblNome_ = nullptr;
    QLabel* lblPunti_ = nullptr;
    QLineEdit* nome_ = nullptr;
    QLineEdit* npunti_ = nullptr;
    std::array<QWidget*, kRigheGriglia> pTab_{};
    std::array<QLineEdit*, kRigheGriglia> tabA_{};
    std::array<QLineEdit*, kRigheGriglia> tabB_{};
    QScrollBar* scroll_ = nullptr;
    QListWidget* lista_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* save_ = nullptr;
    std::array<QPushButton*, 2> ok_{};
    bool chiuso_ = false;
    bool inDisegno_ = false;   // the boxes are being set from the editor, not typed
};

} // namespace ludra::ui
