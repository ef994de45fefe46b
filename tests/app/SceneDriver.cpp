#include "tests/app/SceneDriver.h"

#include "app/About.h"

#include <QAccessible>
#include <QTabWidget>

QWidget* SceneDriver::show(const QString& scene, const QString& page)
{
    if (scene == QLatin1String("about")) {
        trigger("About1");
        return form()->aboutBox();
    }
    if (scene == QLatin1String("properties")) {
        trigger("LatencyCalculator1");
        const int position = page == QLatin1String("node") ? 0 : 1;
        calc()->chain().selectElement(position);
        menuEntry(position, "PropertiesItem")->trigger();
        return calc()->propertiesForm();
    }
    trigger(qPrintable(scene));
    auto* sheet = find(page);
    for (QTabWidget* tabs : form()->findChildren<QTabWidget*>()) {
        if (tabs->indexOf(sheet) >= 0)
            tabs->setCurrentWidget(sheet);
    }
    return form();
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
