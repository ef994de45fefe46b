#include "planner/PlanFiles.h"

#include "core/Errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Larger than any plan the planner makes; a bound, so that a device or a
// huge file chosen by mistake cannot eat the memory.
constexpr qint64 MaxPlanFileBytes = qint64(64) << 20;

QString shownName(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName);
}

[[noreturn]] void fail(const QString& message)
{
    throw EZentrixError(message.toStdString());
}

} // namespace

QString planfiles::readError(const QString& fileName, const QString& why)
{
    return QStringLiteral("Could not open %1: %2").arg(shownName(fileName), why);
}

PlanFile planfiles::read(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        fail(readError(fileName, file.errorString()));
    const QByteArray content = file.read(MaxPlanFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        fail(readError(fileName, file.errorString()));
    if (content.size() > MaxPlanFileBytes)
        fail(readError(fileName, QStringLiteral("it is larger than 64 MiB")));
    try {
        return readPlanFile(std::string_view(content.constData(), size_t(content.size())));
    } catch (const EZentrixError& error) {
        fail(QStringLiteral("%1 is not a plan file that Zentrix can read: %2")
                 .arg(shownName(fileName), QString::fromStdString(error.what())));
    }
}

void planfiles::write(const QString& fileName, const PlanFile& plan)
{
    writeText(fileName, writePlanFile(plan));
}

void planfiles::writeText(const QString& fileName, const std::string& text)
{
    QSaveFile file(fileName);
    const auto failed = [&] {
        fail(QStringLiteral("Could not save %1: %2").arg(shownName(fileName), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        failed();
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size()))
        failed();
    if (!file.commit())
        failed();
}
