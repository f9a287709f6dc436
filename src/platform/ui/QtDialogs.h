#pragma once
#include "platform/Dialogs.h"

class QWidget;

namespace ludra::platform {

// The message boxes, input box and file dialogs on Qt's widgets.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                         const QString& title) override;
    void notice(const QString& text, MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& initial) override;
    QString openFile(const FileDialogRequest& request) override;
    QString saveFile(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

} // namespace ludra::platform
