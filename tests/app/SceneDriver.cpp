#include "tests/app/SceneDriver.h"

#include "tests/support/UiFixture.h"

#include "app/About.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QTabWidget>

void SceneDriver::start()
{
    clearStoredSettings();
    FForm = makeMainForm();
}

void SceneDriver::stop()
{
    FForm.reset();
}

TLatencyCalc* SceneDriver::latency() const
{
    return FForm->latencyCalc();
}

TNetworkButton* SceneDriver::elementButton(int position) const
{
    return latency()->setupEditor()->button(position);
}

void SceneDriver::activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QWidget* SceneDriver::show(const QString& scene, const QString& page)
{
    if (scene == QLatin1String("about")) {
        FForm->findChild<QAction*>("About1")->trigger();
        return FForm->aboutBox();
    }
    if (scene == QLatin1String("properties")) {
        FForm->findChild<QAction*>("LatencyCalculator1")->trigger();
        const int position = page == QLatin1String("node") ? 0 : 1;
        latency()->chain().selectElement(position);
        elementButton(position)->ElementMenu()->findChild<QAction*>("PropertiesItem")->trigger();
        return latency()->propertiesForm();
    }
    FForm->findChild<QAction*>(scene)->trigger();
    auto* sheet = FForm->findChild<QWidget*>(page);
    for (QTabWidget* tabs : FForm->findChildren<QTabWidget*>()) {
        if (tabs->indexOf(sheet) >= 0)
            tabs->setCurrentWidget(sheet);
    }
    return FForm.get();
}

void SceneDriver::addScenes()
{
    QTest::addColumn<QString>("scene");
    QTest::addColumn<QString>("page");
    QTest::newRow("number base: conversion") << "RadixorCalculator1"
                                             << "ConversionTabSheet";
    QTest::newRow("number base: lookup table") << "RadixorCalculator1"
                                               << "LookupTableTabSheet";
    QTest::newRow("subnet: general info") << "VantrelCalculator1"
                                          << "GeneralInfoTab";
    QTest::newRow("subnet: address info") << "VantrelCalculator1"
                                          << "AddressInfoTab";
    QTest::newRow("subnet: subnets/hosts") << "VantrelCalculator1"
                                           << "SubnetHostTab";
    QTest::newRow("subnet: CIDR") << "VantrelCalculator1"
                                  << "CIDRTab";
    QTest::newRow("latency: network setup") << "LatencyCalculator1"
                                            << "NetworkSetupTabSheet";
    QTest::newRow("latency: statistics") << "LatencyCalculator1"
                                         << "LatencyStatsTabSheet";
    QTest::newRow("latency: graphs") << "LatencyCalculator1"
                                     << "LatencyGraphsTabSheet";
    QTest::newRow("about box") << "about" << QString();
    QTest::newRow("properties of a network") << "properties"
                                             << "network";
    QTest::newRow("properties of a node") << "properties"
                                          << "node";
}

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

QString nameForReport(QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    return QStringLiteral("%1 \"%2\"")
        .arg(QLatin1String(widget->metaObject()->className()), accessibleName(widget));
}

void sendKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* receiver = QApplication::focusWidget();
    QTest::keyClick(receiver && receiver->window() == window ? receiver : window, key, modifiers);
}
