#include "planner/RememberedPlan.h"

#include "core/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString planKey = QStringLiteral("Plan");
const QString fileKey = QStringLiteral("File");
const QString modifiedKey = QStringLiteral("Modified");
const QString geometryKey = QStringLiteral("Geometry");
const QString splittersKey = QStringLiteral("Splitters");

// Moves an unreadable store out of the way and says where it went.
[[noreturn]] void setAside(const QString& fileName, const QString& why)
{
    QString kept = fileName + QStringLiteral(".unreadable");
    for (int n = 2; QFile::exists(kept); ++n)
        kept = fileName + QStringLiteral(".unreadable-%1").arg(n);
    const bool moved = QFile::rename(fileName, kept);
    throw EZentrixError(
        QStringLiteral("The remembered plan could not be read (%1). %2 The planner starts with "
                       "an empty plan.")
            .arg(why, moved ? QStringLiteral("The file was kept as %1.")
                                  .arg(QDir::toNativeSeparators(kept))
                            : QStringLiteral("%1 is left as it is.")
                                  .arg(QDir::toNativeSeparators(fileName)))
            .toStdString());
}

} // namespace

QString TRememberedPlan::storeFileName()
{
    // Where QSettings keeps the program's own settings, under another name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1Char('/') + QCoreApplication::organizationName();
    return folder + QLatin1Char('/') + QCoreApplication::applicationName() +
           QStringLiteral(" Planner.conf");
}

TRememberedPlan TRememberedPlan::load()
{
    TRememberedPlan remembered;
    const QString path = storeFileName();
    if (!QFile::exists(path))
        return remembered;
    QSettings store(path, QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        setAside(path, QStringLiteral("it is not a settings file"));
    remembered.geometry = store.value(geometryKey).toByteArray();
    remembered.splitters = store.value(splittersKey).toByteArray();
    remembered.fileName = store.value(fileKey).toString();
    remembered.modified = store.value(modifiedKey).toBool();
    const QString plan = store.value(planKey).toString();
    if (plan.isEmpty())
        return remembered;
    try {
        remembered.plan = readPlanFile(plan.toStdString());
    } catch (const EZentrixError& error) {
        setAside(path, QString::fromStdString(error.what()));
    }
    return remembered;
}

void TRememberedPlan::save() const
{
    const QString path = storeFileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, QSettings::IniFormat);
    store.setValue(planKey, plan ? QString::fromStdString(writePlanFile(*plan)) : QString());
    store.setValue(fileKey, fileName);
    store.setValue(modifiedKey, modified);
    store.setValue(geometryKey, geometry);
    store.setValue(splittersKey, splitters);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw EZentrixError(QStringLiteral("Could not remember the plan in %1.")
                                .arg(QDir::toNativeSeparators(path))
                                .toStdString());
}
