#pragma once

#include "tests/support/LatencyDriver.h"

#include <QString>

// What the accessibility and keyboard tests share: any calculator page, the
// about box or the properties dialog shown as a scene, and how a screen
// reader names what it meets.
class SceneDriver : public LatencyDriver
{
public:
    // Shows a calculator page, the about box or the properties dialog of an
    // element, and returns its window. `scene` is a Calculator menu item with
    // `page` the tab page to show, or "about", or "properties" with `page`
    // "node" or "network".
    QWidget* show(const QString& scene, const QString& page);

    // The columns "scene" and "page" with a row for every scene there is.
    static void addScenes();
};

// What a screen reader announces as the widget's name.
QString accessibleName(QWidget* widget);

// How a failure names a widget: its object name, else what it is and says.
QString nameForReport(QWidget* widget);
