#pragma once
#include "platform/Dialogs.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <vector>

class QMessageBox;
class QWidget;

namespace ludra::platform {

// The message boxes, input box and file dialogs on Qt's widgets.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;
    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    void notice(const QString& text, MsgIcon icon, const QString& title) override;
    void noticeLine(const QString& list, const QString& line, MsgIcon icon,
                    const QString& title) override;
    bool noticesOpen() const override;
    void whenNoticesRead(std::function<void()> then) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& initial) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;

private:
    struct Elenco {
        QPointer<QMessageBox> box;
        QStringList righe;
        QList<int> volte;   // how many times each line came in a row
    };
    QMessageBox* avviso(const QString& text, MsgIcon icon, const QString& title);
    void letto(const QObject* box);
    QWidget* parent_;
    QList<QPointer<QMessageBox>> avvisi_;   // shown and not yet read
    QList<QMetaObject::Connection> collegamenti_;
    QHash<QString, Elenco> elenchi_;
    std::vector<std::function<void()>> dopoLettura_;
};

} // namespace ludra::platform
