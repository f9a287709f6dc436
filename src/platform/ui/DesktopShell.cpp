#include "platform/ui/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace ludra::platform {

void DesktopShell::open(const QString& target)
{
    const QUrl url = target.contains(QStringLiteral("://"))
                         ? QUrl(target)
                         : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    QDesktopServices::openUrl(url);
}

} // namespace ludra::platform

namespace ludra::platform {

bool DesktopShell::start(const QString& path)
{
    return QProcess::startDetached(path, {});
}

} // namespace ludra::platform
