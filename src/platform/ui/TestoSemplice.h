#pragma once
// Texts from files, devices and the network are shown as the characters they hold. Qt's
// labels, boxes, tooltips and "What's This" take a text that looks like markup (a tag on
// its first line is enough) for markup: a tag shows bold, a link opens, an image tag reads
// the file it names, /dev/zero without end. Every label of the windows is made here,
// every tooltip and "What's This" set here; the boxes and the input box are the shared
// dialogs' (QtDialogs), the status bar's panels draw their text as it stands.
// scripts/testo_semplice.py holds the windows to these places.
#include <QLabel>

class QAction;

namespace ludra::platform {

// A label whose text is never taken for markup.
class Etichetta : public QLabel {
public:
    explicit Etichetta(QWidget* parent = nullptr);
    explicit Etichetta(const QString& testo, QWidget* parent = nullptr);
};

// The text a tooltip or "What's This" shows as the characters it holds: unchanged where Qt
// would show it as plain text anyway, escaped markup of the same characters where Qt would
// take it for markup.
QString testoSuggerimento(const QString& testo);
void suggerimento(QWidget* w, const QString& testo);
void suggerimento(QAction* a, const QString& testo);

} // namespace ludra::platform
