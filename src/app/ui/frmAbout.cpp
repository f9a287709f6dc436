#include "app/ui/frmAbout.h"

#include "app/InfoSistema.h"
#include "base/Testi.h"
#include "platform/Resources.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QGridLayout>
#include <QPushButton>

namespace ludra::ui {

namespace {
QString testo(int id) { return platform::resources().string(id).value_or(QString()); }
} // namespace

frmAbout::frmAbout(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    picIcon = new platform::Etichetta(this);
    lblTitle = new platform::Etichetta(this);
    QFont titolo = lblTitle->font();
    titolo.setPointSizeF(titolo.pointSizeF() * 1.6);
    titolo.setBold(true);
    lblTitle->setFont(titolo);
    lblVersion = new platform::Etichetta(this);
    lblDescription = new platform::Etichetta(this);
    lblDescription->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1, 1, 2);
    layout->addWidget(lblVersion, 1, 1, 1, 2);
    layout->addWidget(lblDescription, 2, 1, 1, 2);
    layout->setRowStretch(3, 1);
    layout->addWidget(cmdOK, 4, 2);
    layout->addWidget(cmdSysInfo, 5, 2);
    layout->setColumnStretch(1, 1);

    connect(cmdOK, &QPushButton::clicked, this, [] {
        if (HostFinestre* host = hostFinestre())
            host->chiudi(Finestra::frmAbout);
    });
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });

    FinestreCaricate::istanza().registra(this);
    // Shown in the running language from the first opening on.
    SetRes();
}

frmAbout::~frmAbout() { FinestreCaricate::istanza().rimuovi(this); }

void frmAbout::SetRes()
{
    setWindowTitle(QStringLiteral("About ") + testo(500));
    picIcon->setPixmap(platform::LoadResPicture(301, 48));
    lblVersion->setText(QStringLiteral("Version: ") + testo(501));
    lblTitle->setText(testo(500));
    lblDescription->setText(testo(Lingua == kItaliano ? 503 : 504));
}

} // namespace ludra::ui
