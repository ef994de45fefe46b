#include "tests/app/MonkeyWindow.h"

#include "latency/LatencyCalc.h"
#include "latency/NetworkSetupEditor.h"

#include <QFile>
#include <QSettings>

QString describe(const QObject* object)
{
    if (!object)
        return QStringLiteral("(nothing)");
    QString text = QString::fromLatin1(object->metaObject()->className());
    if (!object->objectName().isEmpty())
        return object->objectName() + QStringLiteral(" (") + text + QLatin1Char(')');
    for (const QObject* parent = object->parent(); parent; parent = parent->parent()) {
        if (!parent->objectName().isEmpty())
            return text + QStringLiteral(" in ") + parent->objectName();
    }
    return text;
}

QString shortText(const QString& text, int length)
{
    QString shown = text.left(length);
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    if (text.size() > length)
        shown += QStringLiteral("... (%1 characters)").arg(text.size());
    return shown;
}

QList<TNetworkButton*> chainButtons(TLatencyCalc* calc)
{
    QList<TNetworkButton*> buttons;
    for (int i = 0; i < calc->chain().count(); ++i)
        buttons << calc->setupEditor()->button(i);
    return buttons;
}

QWidget* networkSetupPanel(TLatencyCalc* calc)
{
    return calc->findChild<QWidget*>(QStringLiteral("NetworkSetupPanel"));
}

QWidget* madeCalculator(const QWidget* form, int calculator)
{
    return form->findChild<QWidget*>(QLatin1String(containerNames[calculator]));
}

TLatencyCalc* madeLatency(const QWidget* form)
{
    return qobject_cast<TLatencyCalc*>(madeCalculator(form, 2));
}

QByteArray storedLayoutBytes()
{
    QFile file(QSettings().fileName());
    const QByteArray stored = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // No layout stored: the window writes its first one.
    if (!stored.contains("\nNumNetworks="))
        return {};
    QByteArray bytes;
    for (const QByteArray& line : stored.split('\n')) {
        if (!line.startsWith("Calculator="))
            bytes += line + '\n';
    }
    return bytes;
}
