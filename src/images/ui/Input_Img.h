#pragma once
// The image window: loads a bitmap file, shows it and inserts its 1-bit conversion into
// the project's image store.
#include "images/Bmp.h"

#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ludra::ui {

class Input_Img : public QWidget {
    Q_OBJECT
public:
    explicit Input_Img(QWidget* parent = nullptr);
    ~Input_Img() override;

    static constexpr const char* kNome = "Input_Img";
    // The list entry selected when the window opens.
    static inline std::int16_t ImgAttiva = 0;

    // Load: false (with a message, the window unchanged) when the file is refused.
    bool cmd_Load_Click();
    // Insert: false (with a message, the store unchanged) when refused.
    bool cmd_Insert_Click();
    // cmd_ok(1) "OK" and cmd_ok(0) "Annulla".
    void cmd_ok_Click(int indice);

    QListWidget* ListaImg() const { return lista_; }
    QLineEdit* txt_NomeImg() const { return nome_; }
    QLineEdit* txt_DimX() const { return dimX_; }
    QLineEdit* txt_dimY() const { return dimY_; }
    QLabel* Picture2() const { return picture2_; }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void riempiLista();
    void chiudi();

    QString percorso_;
    std::optional<PixelBmp> pixel_;
    bool chiuso_ = false;

    QListWidget* lista_ = nullptr;
    QLineEdit* nome_ = nullptr;
    QLabel* picture2_ = nullptr;
    QLineEdit* dimX_ = nullptr;
    QLineEdit* dimY_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* insert_ = nullptr;
    std::array<QPushButton*, 2> ok_{};
};

} // namespace ludra::ui
