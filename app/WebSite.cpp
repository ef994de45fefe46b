#include "app/WebSite.h"

#include <QDesktopServices>
#include <QUrl>

void website::open()
{
    QDesktopServices::openUrl(QUrl(url));
}
