#include "tests/performance/PathDriver.h"

#include "performance/RatePlot.h"
#include "performance/RememberedPath.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

void PathDriver::startPath()
{
    start();
    QFile::remove(TRememberedPath::storeFileName());
    openPath();
}

void PathDriver::openPath()
{
    trigger("PathPerformance1");
    QVERIFY(pathWindow() && pathWindow()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(pathWindow()));
    settle();
}

void PathDriver::settle()
{
    QCoreApplication::processEvents();
}

QString PathDriver::figure(const char* key) const
{
    settle();
    return inPath<QLabel>(QLatin1String(key))->text();
}

QStringList PathDriver::figures(const QStringList& keys) const
{
    QStringList shown;
    for (const QString& key : keys)
        shown << key + QLatin1Char('=') + figure(qPrintable(key));
    return shown;
}

QString PathDriver::bottleneck() const
{
    settle();
    return inPath<QLabel>(QStringLiteral("BottleneckLabel"))->text();
}

QStringList PathDriver::stackItems() const
{
    settle();
    QStringList items;
    auto* list = inPath<QListWidget>(QStringLiteral("StackList"));
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void PathDriver::type(const char* field, const QString& text)
{
    activate(pathWindow());
    typeInto(inPath<QLineEdit>(QLatin1String(field)), text);
    settle();
}

void PathDriver::useChain(bool on)
{
    auto* box = inPath<QCheckBox>(QStringLiteral("UseChainBox"));
    if (box->isChecked() != on)
        clickItem(box);
    settle();
}

void PathDriver::addLayer(const QString& title, int setting)
{
    activate(pathWindow());
    auto* layers = inPath<QComboBox>(QStringLiteral("LayerBox"));
    const int index = layers->findText(title);
    QVERIFY2(index >= 0, qPrintable(title));
    // As the keyboard chooses an entry of a closed list.
    layers->setFocus();
    while (layers->currentIndex() != index)
        QTest::keyClick(layers, layers->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    auto* options = inPath<QSpinBox>(QStringLiteral("OptionsBox"));
    if (options->isVisible())
        typeOver(options, QString::number(setting));
    auto* nat = inPath<QCheckBox>(QStringLiteral("NatBox"));
    if (nat->isVisible() && nat->isChecked() != (setting != 0))
        clickItem(nat);
    clickPathButton("AddLayerButton");
}

void PathDriver::clickPathButton(const char* name)
{
    auto* button = inPath<QAbstractButton>(QLatin1String(name));
    QVERIFY2(button->isEnabled(), name);
    click(button);
    settle();
}

void PathDriver::triggerPath(const char* actionName)
{
    auto* action = pathWindow()->findChild<QAction*>(QLatin1String(actionName));
    if (!action)
        qFatal("no action %s", actionName);
    action->trigger();
    settle();
}

TRatePlot* PathDriver::plot(const char* name) const
{
    return inPath<TRatePlot>(QLatin1String(name));
}
