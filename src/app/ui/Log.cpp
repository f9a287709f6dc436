#include "app/ui/Log.h"

#include "base/Log.h"
#include "base/Notifiche.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace ludra::ui {

Log::Log(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Log"));
    setWindowTitle(QStringLiteral("Log"));
    setProperty("larghezzaFissaTwips", kLarghezzaTwips);
    testo_ = new QListWidget(this);
    testo_->setObjectName(QStringLiteral("Testo"));
    testo_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(testo_);

    aggiungiRighe();
    connect(&Notifiche::istanza(), &Notifiche::logRigaAggiunta, this, &Log::aggiungiRighe);
    connect(&Notifiche::istanza(), &Notifiche::logSvuotato, this, &Log::svuota);
}

void Log::aggiungiRighe()
{
    const LogModello& modello = LogModello::istanza();
    const QStringList& righe = modello.righe();
    if (testo_->count() < righe.size())
        testo_->addItems(righe.mid(testo_->count()));
    const int sel = modello.selezione();
    if (sel >= 0 && sel < testo_->count() && testo_->currentRow() != sel) {
        testo_->setCurrentRow(sel);
        testo_->scrollToItem(testo_->item(sel));
    }
}

void Log::svuota() { testo_->clear(); }

} // namespace ludra::ui
