#include "workbench/RememberedWorkbench.h"

#include "core/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString wordKey = QStringLiteral("Word");
const QString widthKey = QStringLiteral("Width");
const QString signedKey = QStringLiteral("Signed");
const QString carryKey = QStringLiteral("Carry");
const QString formKey = QStringLiteral("Form");
const QString entryKey = QStringLiteral("Entry");
const QString operandKey = QStringLiteral("Operand");
const QString countKey = QStringLiteral("Count");
const QString copyFormKey = QStringLiteral("CopyForm");
const QString floatViewKey = QStringLiteral("FloatView");
const QString pageKey = QStringLiteral("Page");
const QString wildcardKey = QStringLiteral("Wildcard");
const QString geometryKey = QStringLiteral("Geometry");
const QString splitterKey = QStringLiteral("Splitter");

// An enumerator kept as its number, when it is one of `count`.
template <class Enum>
Enum stored(const QSettings& store, const QString& key, Enum fallback, int count)
{
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok && value >= 0 && value < count ? Enum(value) : fallback;
}

} // namespace

QString TRememberedWorkbench::storeFileName()
{
    // Where QSettings keeps the program's own settings, under another name.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QLatin1Char('/') + QCoreApplication::organizationName();
    return folder + QLatin1Char('/') + QCoreApplication::applicationName() +
           QStringLiteral(" Bit Workbench.conf");
}

TRememberedWorkbench TRememberedWorkbench::load()
{
    TRememberedWorkbench remembered;
    QSettings store(storeFileName(), QSettings::IniFormat);
    if (store.status() != QSettings::NoError)
        return remembered;
    // The word as its width and hexadecimal digits; one that does not read
    // back within its width is no word, and the default stays.
    try {
        WordSpec spec;
        spec.width = store.value(widthKey, 32).toUInt();
        spec.isSigned = store.value(signedKey).toBool();
        remembered.word =
            readWord("0x" + store.value(wordKey, QStringLiteral("0")).toString().toStdString(),
                     spec)
                .word;
        remembered.word.carry = store.value(carryKey).toBool();
    } catch (const EZentrixError&) {
        remembered.word = BitWord();
    }
    remembered.form = stored(store, formKey, InputForm::Hexadecimal, int(InputForm::Float) + 1);
    remembered.entry = store.value(entryKey).toString();
    remembered.operand = store.value(operandKey).toString();
    remembered.count = std::clamp(store.value(countKey, 1).toInt(), 1, 128);
    remembered.copyForm = stored(store, copyFormKey, CopyForm::Hex, int(CopyForm::AllViews) + 1);
    remembered.floatView = store.value(floatViewKey, true).toBool();
    remembered.page = std::clamp(store.value(pageKey).toInt(), 0, 1);
    remembered.wildcard = store.value(wildcardKey).toStringList();
    remembered.geometry = store.value(geometryKey).toByteArray();
    remembered.splitter = store.value(splitterKey).toByteArray();
    return remembered;
}

void TRememberedWorkbench::save() const
{
    const QString path = storeFileName();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings store(path, QSettings::IniFormat);
    store.setValue(wordKey, QString::fromStdString(hexText(word.bits, word.width)));
    store.setValue(widthKey, word.width);
    store.setValue(signedKey, word.isSigned);
    store.setValue(carryKey, word.carry);
    store.setValue(formKey, int(form));
    store.setValue(entryKey, entry);
    store.setValue(operandKey, operand);
    store.setValue(countKey, count);
    store.setValue(copyFormKey, int(copyForm));
    store.setValue(floatViewKey, floatView);
    store.setValue(pageKey, page);
    store.setValue(wildcardKey, wildcard);
    store.setValue(geometryKey, geometry);
    store.setValue(splitterKey, splitter);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw EZentrixError(QStringLiteral("Could not remember the bit workbench in %1.")
                                .arg(QDir::toNativeSeparators(path))
                                .toStdString());
}
