#include "platform/ui/TestoSemplice.h"

#include <QAction>
#include <QTextDocument>

namespace ludra::platform {

Etichetta::Etichetta(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

// The format goes first: a text taken for markup is laid out, and its images read, as
// soon as it is set.
Etichetta::Etichetta(const QString& testo, QWidget* parent) : Etichetta(parent)
{
    setText(testo);
}

QString testoSuggerimento(const QString& testo)
{
    return Qt::mightBeRichText(testo) ? Qt::convertFromPlainText(testo) : testo;
}

void suggerimento(QWidget* w, const QString& testo) { w->setToolTip(testoSuggerimento(testo)); }

void suggerimento(QAction* a, const QString& testo) { a->setToolTip(testoSuggerimento(testo)); }

} // namespace ludra::platform
