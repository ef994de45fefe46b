#include "tests/app/MonkeyWindow.h"

#include "latency/LatencyCalc.h"
#include "latency/NetworkSetupEditor.h"

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

QString shortText(const QString& text)
{
    QString shown = text.left(40);
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    if (text.size() > 40)
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
