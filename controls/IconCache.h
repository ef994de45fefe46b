#pragma once

#include <QIcon>
#include <QString>

#include <functional>

// Icons that many widgets show alike, made once and shared, so that start-up
// reads each picture once. The cache belongs to the running application: it
// is emptied as the application object starts closing down, while the
// platform that draws the icons still stands. (A static icon would be
// destroyed only after main returns, when that platform is gone.)
namespace iconCache {

// The icon stored under `key`; `make` makes it when the key is first asked for.
QIcon icon(const QString& key, const std::function<QIcon()>& make);

} // namespace iconCache
