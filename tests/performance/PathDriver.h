#pragma once

#include "performance/PathWindow.h"
#include "tests/support/LatencyDriver.h"

#include <QString>
#include <QStringList>

class QLabel;
class TRatePlot;

// The path-performance window driven through the real main window, as a
// user does (an addition on the latency driver, whose chain it follows):
// the menu entry opens it, keys type into its fields, its buttons and menu
// entries are clicked, and its file dialog is answered.
class PathDriver : public LatencyDriver
{
public:
    // A window as on a first run, with no remembered path, and the path
    // window opened from its menu.
    void startPath();
    // Opens the path window from the main window's menu.
    void openPath();

    TPathWindow* pathWindow() const { return form()->pathWindow(); }
    template <class T = QWidget> T* inPath(const QString& name) const
    {
        T* widget = pathWindow()->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s in the path window", qPrintable(name));
        return widget;
    }

    // What the window shows for a figure ("inner_mtu"), as its label reads.
    QString figure(const char* key) const;
    // The figures' values, "key=text" each.
    QStringList figures(const QStringList& keys) const;
    QString bottleneck() const;
    QStringList stackItems() const;

    // Lets the calculation scheduled by the last input run.
    static void settle();
    // Types into a field of the path window (its object name), over its text.
    void type(const char* field, const QString& text);
    // Clicks "Use the chain's figures" when it is not as wanted.
    void useChain(bool on);
    // Chooses the layer of that title and its setting (option bytes, or 1
    // for NAT traversal), then clicks Add.
    void addLayer(const QString& title, int setting = 0);
    void clickPathButton(const char* name);
    void triggerPath(const char* actionName);
    TRatePlot* plot(const char* name) const;
};
