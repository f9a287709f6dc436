#include "platform/Interfacce.h"

#include <QNetworkInterface>

namespace ludra::platform {

std::vector<InterfacciaIPv4> InterfacceBroadcast()
{
    std::vector<InterfacciaIPv4> lista;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto f = i.flags();
        if (!f.testFlag(QNetworkInterface::IsUp) || f.testFlag(QNetworkInterface::IsLoopBack)
            || !f.testFlag(QNetworkInterface::CanBroadcast))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            if (e.ip().protocol() != QAbstractSocket::IPv4Protocol || e.broadcast().isNull())
                continue;
            lista.push_back({i.name(), e.ip().toString(), e.broadcast().toString()});
        }
    }
    return lista;
}

} // namespace ludra::platform
