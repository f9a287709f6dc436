#include "platform/ui/QtDialogs.h"

#include "platform/Waiter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ludra::platform {

MsgResult QtDialogs::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                const QString& title)
{
    QMessageBox::StandardButtons qtButtons = QMessageBox::Ok;
    switch (buttons) {
    case MsgButtons::Ok: qtButtons = QMessageBox::Ok; break;
    case MsgButtons::OkCancel: qtButtons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MsgButtons::YesNo: qtButtons = QMessageBox::Yes | QMessageBox::No; break;
    case MsgButtons::YesNoCancel:
        qtButtons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: qtIcon = QMessageBox::NoIcon; break;
    case MsgIcon::Critical: qtIcon = QMessageBox::Critical; break;
    case MsgIcon::Question: qtIcon = QMessageBox::Question; break;
    case MsgIcon::Exclamation: qtIcon = QMessageBox::Warning; break;
    case MsgIcon::Information: qtIcon = QMessageBox::Information; break;
    }
    QMessageBox box(qtIcon, title, text, qtButtons, parent_);
    // A dialog's loop runs events like any wait: handlers run in it one level deeper
    // than the code that showed it, and are told apart from it.
    const LivelloAttesa livello;
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: break;
    }
    // The close box answers like the button that backs out.
    return buttons == MsgButtons::YesNo ? MsgResult::No
           : buttons == MsgButtons::Ok  ? MsgResult::Ok
                                        : MsgResult::Cancel;
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title,
                                           const QString& initial)
{
    bool ok = false;
    const LivelloAttesa livello;
    const QString text =
        QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

static QFileDialog* makeDialog(QWidget* parent, const FileDialogRequest& request)
{
    auto* dialog = new QFileDialog(parent, request.title);
    dialog->setNameFilter(qtFilter(request.filter));
    dialog->setNameFilters(qtFilter(request.filter).split(QStringLiteral(";;")));
    dialog->setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty())
        dialog->selectFile(request.fileName);
    return dialog;
}

QString QtDialogs::openFile(const FileDialogRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent_, request));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    const LivelloAttesa livello;
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QString QtDialogs::saveFile(const FileDialogRequest& request)
{
    std::unique_ptr<QFileDialog> dialog(makeDialog(parent_, request));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    const LivelloAttesa livello;
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

} // namespace ludra::platform
