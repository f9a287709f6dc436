#include "platform/ui/QtDialogs.h"

#include "platform/Waiter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace ludra::platform {

namespace {

QMessageBox::Icon iconaQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Every box, question and prompt quotes texts from outside (a file's field, a path, a
// device's name): each shows as the characters it holds, never as markup. The format is
// set before the text, which a label lays out, images and all, as soon as it has it.
void testoSemplice(QMessageBox& box, const QString& text)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
}

} // namespace

void QtDialogs::notice(const QString& text, MsgIcon icon, const QString& title)
{
    // open(), not exec(): modal to the user, but no loop of its own for the code below
    // the handler to wait in.
    auto* box = new QMessageBox(iconaQt(icon), title, QString(), QMessageBox::Ok, parent_);
    testoSemplice(*box, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

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
    QMessageBox box(iconaQt(icon), title, QString(), qtButtons, parent_);
    testoSemplice(box, text);
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
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    // The prompt's label is the dialog's own, made by its first text: made empty, made
    // plain, then given the prompt.
    dialog.setLabelText(QString());
    if (auto* etichetta = dialog.findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        etichetta->setTextFormat(Qt::PlainText);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    const LivelloAttesa livello;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
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
