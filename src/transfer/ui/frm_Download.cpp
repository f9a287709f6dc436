#include "transfer/ui/frm_Download.h"

#include "base/Finestre.h"
#include "base/Notifiche.h"
#include "link/Sequenza.h"
#include "transfer/Download.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ludra::ui {

frm_Download::frm_Download(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Download"));
    setWindowTitle(QStringLiteral("Download"));
    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    chk_download = new QCheckBox(QStringLiteral("Download Program"), Frame1);
    chk_Verify = new QCheckBox(QStringLiteral("Verify"), Frame1);
    chk_Clear = new QCheckBox(QStringLiteral("Clear Register Memory"), Frame1);
    chk_run = new QCheckBox(QStringLiteral("Run after Download"), Frame1);
    chk_download->setChecked(true);
    auto* opzioni = new QVBoxLayout(Frame1);
    for (QCheckBox* c : {chk_download, chk_Verify, chk_Clear, chk_run})
        opzioni->addWidget(c);
    Barra = new QProgressBar(this);
    Barra->setRange(1, 101);
    Barra->setValue(1);
    Barra->setTextVisible(false);
    cmdDownload = new QPushButton(QStringLiteral("OK"), this);
    cmdDownload->setObjectName(QStringLiteral("cmdDownload"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Barra);
    layout->addWidget(cmdDownload, 0, Qt::AlignRight);
    setFixedSize(sizeHint());

    connect(&Notifiche::istanza(), &Notifiche::barraCambiata, Barra, [this](int v) {
        Barra->setValue(qBound(1, v, 101));
    });
    connect(cmdDownload, &QPushButton::clicked, this, &frm_Download::cmdDownload_Click);
}

void frm_Download::cmdDownload_Click()
{
    // One sequence at a time: a second click while it runs finds the button disabled.
    if (DownloadInCorso())
        return;
    OpzioniDownload opzioni;
    opzioni.download = chk_download->isChecked();
    opzioni.verifica = chk_Verify->isChecked();
    opzioni.cancella = chk_Clear->isChecked();
    opzioni.esegui = chk_run->isChecked();
    cmdDownload->setEnabled(false);
    Frame1->setEnabled(false);
    QPointer<frm_Download> io(this);
    EseguiDownload(opzioni);
    if (!io)
        return;
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::frm_Download);
}

void frm_Download::closeEvent(QCloseEvent* evento)
{
    // While its sequence runs the window closes only once it has ended.
    if (!ChiusuraFinestraConsentita(Finestra::frm_Download)) {
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
