#pragma once

#include "app/MainForm.h"

#include <QString>
#include <memory>

class TLatencyCalc;
class TNetworkButton;

// What the accessibility and keyboard tests share: a fresh window on a first
// run that shows any calculator page, the about box or the properties dialog
// as a scene, and how a screen reader and a keyboard user meet it.
class SceneDriver
{
public:
    void start();
    void stop();

    TMainForm* form() const { return FForm.get(); }
    TLatencyCalc* latency() const;
    TNetworkButton* elementButton(int position) const;

    static void activate(QWidget* window);

    // Shows a calculator page, the about box or the properties dialog of an
    // element, and returns its window. `scene` is a Calculator menu item with
    // `page` the tab page to show, or "about", or "properties" with `page`
    // "node" or "network".
    QWidget* show(const QString& scene, const QString& page);

    // The columns "scene" and "page" with a row for every scene there is.
    static void addScenes();

private:
    std::unique_ptr<TMainForm> FForm;
};

// What a screen reader announces as the widget's name.
QString accessibleName(QWidget* widget);

// How a failure names a widget: its object name, else what it is and says.
QString nameForReport(QWidget* widget);

// A key as the keyboard sends it: to the focus widget when it is in the
// window, else to the window.
void sendKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
