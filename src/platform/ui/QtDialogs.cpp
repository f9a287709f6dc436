#include "platform/ui/QtDialogs.h"

#include "platform/Waiter.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <utility>

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

QMessageBox* QtDialogs::avviso(const QString& text, MsgIcon icon, const QString& title)
{
    // Shown, not exec(): no loop of its own for the code below the handler to wait in.
    // And not modal either: a key pressed as it comes up reaches what it was pressed for
    // (a Stop after a burst of keys), not a box the user has not seen yet.
    auto* box = new QMessageBox(iconaQt(icon), title, QString(), QMessageBox::Ok, parent_);
    testoSemplice(*box, text);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    avvisi_.append(box);
    collegamenti_.removeIf([](const QMetaObject::Connection& c) { return !c; });
    // Read once answered, or gone with its window.
    collegamenti_ << QObject::connect(box, &QDialog::finished, [this, box] { letto(box); })
                  << QObject::connect(box, &QObject::destroyed, [this](QObject* o) { letto(o); });
    box->show();
    return box;
}

void QtDialogs::notice(const QString& text, MsgIcon icon, const QString& title)
{
    avviso(text, icon, title);
}

void QtDialogs::noticeLine(const QString& list, const QString& line, MsgIcon icon,
                           const QString& title)
{
    Elenco& e = elenchi_[list];
    if (!e.box || !e.box->isVisible()) {
        e = Elenco{};
        e.box = avviso(line, icon, title);
    }
    // The same line again (a key held down) counts, rather than makes the box grow.
    if (!e.righe.isEmpty() && e.righe.constLast() == line) {
        ++e.volte.last();
    } else {
        e.righe << line;
        e.volte << 1;
    }
    QStringList testo;
    for (qsizetype i = 0; i < e.righe.size(); ++i)
        testo << (e.volte[i] > 1 ? QStringLiteral("%1 (%2 times)").arg(e.righe[i]).arg(e.volte[i])
                                 : e.righe[i]);
    e.box->setText(testo.join(QLatin1Char('\n')));
}

bool QtDialogs::noticesOpen() const
{
    for (const QPointer<QMessageBox>& b : avvisi_)
        if (b)
            return true;
    return false;
}

void QtDialogs::whenNoticesRead(std::function<void()> then)
{
    if (!noticesOpen()) {
        then();
        return;
    }
    dopoLettura_.push_back(std::move(then));
}

QtDialogs::~QtDialogs()
{
    for (const QMetaObject::Connection& c : collegamenti_)
        QObject::disconnect(c);
}

void QtDialogs::letto(const QObject* box)
{
    avvisi_.removeIf([box](const QPointer<QMessageBox>& b) {
        return !b || static_cast<const QObject*>(b.data()) == box;
    });
    if (noticesOpen() || dopoLettura_.empty())
        return;
    // From the event loop: the box that was read is still being taken down.
    for (auto& poi : std::exchange(dopoLettura_, {}))
        QTimer::singleShot(0, std::move(poi));
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
