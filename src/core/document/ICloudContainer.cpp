#include "ICloudContainer.h"

#include <QFileInfo>
#include <cerrno>

namespace {

ICloudContainer* g_container = nullptr;

} // namespace

ICloudContainer& cloudContainer()
{
    // Never destroyed: the cloud layer's shared instance may still call it during exit.
    static NoCloudContainer* const production = new NoCloudContainer();
    return g_container ? *g_container : *production;
}

void installCloudContainer(ICloudContainer* container)
{
    g_container = container;
}

bool NoCloudContainer::setUbiquitous(bool, const QString&, const QString&, int* error)
{
    if (error)
        *error = ENOTSUP;
    return false;
}

bool NoCloudContainer::startDownloadingUbiquitousItem(const QString&, int* error)
{
    if (error)
        *error = ENOTSUP;
    return false;
}

UbiquitousItemStates NoCloudContainer::resourceStates(const QString& url) const
{
    return localItemStates(url);
}

UbiquitousItemStates NoCloudContainer::localItemStates(const QString& url)
{
    const QFileInfo info(url);
    if (url.isEmpty() || !info.exists())
        return {};
    return UbiquitousItemStates {false, true, false, true, false};
}
