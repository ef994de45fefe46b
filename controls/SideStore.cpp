#include "controls/SideStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

QString sidestore::fileName(const QString& name)
{
    // Where QSettings keeps the program's own settings, under another name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1Char('/') + QCoreApplication::organizationName();
    return folder + QLatin1Char('/') + QCoreApplication::applicationName() + QLatin1Char(' ') +
           name + QStringLiteral(".conf");
}

QString sidestore::setAside(const QString& fileName)
{
    QString kept = fileName + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(kept); ++n)
        kept = fileName + QStringLiteral(".unreadable-%1").arg(n);
    if (QFile::rename(fileName, kept))
        return QStringLiteral("The file was kept as %1.").arg(QDir::toNativeSeparators(kept));
    return QStringLiteral("%1 is left as it is.").arg(QDir::toNativeSeparators(fileName));
}
