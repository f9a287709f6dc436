#pragma once
// The Modbus terminal: the bytes of one request typed field by field, sent once or over
// and over, with the reply bytes the link shows and the round-trip time.
#include <QStringList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ludra::ui {

class frm_dialoga : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kNome = "frm_dialoga";
    explicit frm_dialoga(QWidget* parent = nullptr);
    ~frm_dialoga() override;

    void cmd_invia_Click();
    void cmd_start_Click();
    void cmd_stop_Click();

    QStringList campi() const;

    QLineEdit* txt_comando[39] = {};
    QPushButton* cmd_invia = nullptr;
    QPushButton* cmd_start = nullptr;
    QPushButton* cmd_stop = nullptr;
    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* txt_buff_rx = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void occupa(bool si);
    bool occupata_ = false;
    bool ciclaQui_ = false;
    bool chiusa_ = false;
};

} // namespace ludra::ui
