#include "planner/RememberedPlan.h"

#include "controls/SideStore.h"
#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString planKey = QStringLiteral("Plan");
const QString fileKey = QStringLiteral("File");
const QString modifiedKey = QStringLiteral("Modified");
const QString geometryKey = QStringLiteral("Geometry");
const QString splittersKey = QStringLiteral("Splitters");

// The store cannot be read: it is set aside, and the planner starts empty.
[[noreturn]] void setAside(const QString& fileName, const QString& why)
{
    const QString where = sidestore::setAside(fileName);
    throw EZentrixError(QStringLiteral("The remembered plan could not be read (%1). %2 The planner "
                                       "starts with an empty plan.")
                            .arg(why, where)
                            .toStdString());
}

} // namespace

QString TRememberedPlan::storeFileName()
{
    return sidestore::fileName(QStringLiteral("Planner"));
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
