#include "controls/IconCache.h"

#include <QCoreApplication>
#include <QHash>

namespace {

QHash<QString, QIcon>* cachedIcons = nullptr;

void dropCachedIcons()
{
    delete cachedIcons;
    cachedIcons = nullptr;
}

} // namespace

QIcon iconCache::icon(const QString& key, const std::function<QIcon()>& make)
{
    if (!cachedIcons) {
        cachedIcons = new QHash<QString, QIcon>;
        // Runs first thing in the GUI application's destructor; a later
        // application starts a cache of its own.
        qAddPostRoutine(dropCachedIcons);
    }
    auto found = cachedIcons->constFind(key);
    if (found == cachedIcons->constEnd())
        found = cachedIcons->insert(key, make());
    return *found;
}
