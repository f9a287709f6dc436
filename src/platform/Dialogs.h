#pragma once
// Message boxes, the input box and the common file dialog, as the system's operations
// use them. The window layer installs the real ones; tests install doubles.
#include <QString>
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

// The same as a box that returns at once (Dialogs::notice).
void avviso(const QString& text, MsgIcon icon = MsgIcon::Exclamation);

// Turns the "description|pattern|..." filter form into Qt's ";;"-separated form.
QString qtFilter(const QString& vbFilter);

} // namespace ludra::platform
