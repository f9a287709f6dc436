#include "app/InfoSistema.h"

#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace ludra {

void StartSysInfo()
{
    platform::Registry& reg = platform::registry();
    if (const auto path = reg.machineValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                           QStringLiteral("PATH"))) {
        if (platform::shell().start(*path))
            return;
    } else if (const auto cartella =
                   reg.machineValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                                    QStringLiteral("MSINFO"))) {
        const QString file = *cartella + QStringLiteral("\\MSINFO32.EXE");
        if (QFileInfo::exists(file) && platform::shell().start(file))
            return;
    }
    platform::msgBox(QString::fromUtf8(kInfoSistemaNonDisponibile));
}

} // namespace ludra
