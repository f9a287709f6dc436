#pragma once
// Message boxes, the input box and the common file dialog, as the system's operations
// use them. The window layer installs the real ones; tests install doubles.
#include <QString>
#include <functional>
#include <optional>

namespace ludra::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    QString filter;         // "description|pattern|..." pairs, e.g. " (*.prj)|*.prj|(*.*)|*.*|"
    QString defaultExt;     // without the dot
    QString title;
    QString fileName;       // initial name
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgResult messageBox(const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title) = 0;
    // A box with OK that does not make its caller wait: what runs under the handler that
    // shows it (a download, a debugger loop) goes on while it stands.
    virtual void notice(const QString& text, MsgIcon icon, const QString& title)
    {
        messageBox(text, MsgButtons::Ok, icon, title);
    }
    // The same for one line of a list: while the box of that list shown before stands
    // unread, the line joins it, so that a burst of refusals is one box naming them all.
    virtual void noticeLine(const QString& list, const QString& line, MsgIcon icon,
                            const QString& title)
    {
        Q_UNUSED(list);
        notice(line, icon, title);
    }
    // Whether a box shown by notice() or noticeLine() stands unread; `then` runs once none
    // does (at once when none does). What a box tells may be a loss: what would close it
    // unread waits for it.
    virtual bool noticesOpen() const { return false; }
    virtual void whenNoticesRead(std::function<void()> then) { then(); }
    // The text typed, or nothing when the user cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& initial) = 0;
    // The chosen full path, empty when the user cancelled.
    virtual QString openFile(const FileDialogRequest& request) = 0;
    virtual QString saveFile(const FileDialogRequest& request) = 0;
};

Dialogs& dialogs();
Dialogs* setDialogs(Dialogs* d);

// The application's title, carried by every message box shown without one of its own.
inline constexpr const char* kAppTitle = "Ludra";

// Shorthand for the common case: a message with the application's title.
MsgResult msgBox(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                 MsgIcon icon = MsgIcon::None, const QString& title = QString());

// The same as a box that returns at once (Dialogs::notice); a box with OK asked while a
// device's reply is awaited (platform/Waiter.h) is one, rather than a wait nested in that
// one.
void avviso(const QString& text, MsgIcon icon = MsgIcon::Exclamation);
// One line of the list `elenco` (Dialogs::noticeLine).
void avvisoInElenco(const QString& elenco, const QString& riga,
                    MsgIcon icon = MsgIcon::Exclamation);
// Dialogs::noticesOpen and whenNoticesRead.
bool avvisiAperti();
void dopoAvvisi(std::function<void()> poi);

// Turns the "description|pattern|..." filter form into Qt's ";;"-separated form.
QString qtFilter(const QString& vbFilter);

} // namespace ludra::platform
