#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <Qt>

class QObject;
class QWidget;
class TLatencyCalc;
class TNetworkButton;

// What the monkey's actions and its checks both look up in the main window,
// and how its log names what it touched.

// The three calculators in the window's order: their views, their items in
// the Calculator menu, their logos and the keys that choose them with Ctrl.
inline constexpr const char* containerNames[] = {"RadixorCalcPanel", "VantrelCalcPanel",
                                                 "LatencyCalcPanel"};
inline constexpr const char* menuItemNames[] = {"RadixorCalculator1", "VantrelCalculator1",
                                                "LatencyCalculator1"};
inline constexpr const char* logoNames[] = {"RADIXORCALCLOGO", "SUBNETCALCLOGO", "LATENCYCALCLOGO"};
inline constexpr Qt::Key calculatorKeys[] = {Qt::Key_H, Qt::Key_I, Qt::Key_L};

// A name for the log: the widget's own, or its class inside the nearest named parent.
QString describe(const QObject* object);
// The start of a text on one line, for the log.
QString shortText(const QString& text, int length = 40);

// A calculator once the window has made it, found by its container's name;
// nullptr before it is first chosen. Looking makes nothing.
QWidget* madeCalculator(const QWidget* form, int calculator);
TLatencyCalc* madeLatency(const QWidget* form);
// The settings file's bytes without the calculator shown: what a window
// that never made its latency calculator must give back as it read it.
// Nothing when no layout is stored.
QByteArray storedLayoutBytes();

// The buttons of the chain's elements, in chain order.
QList<TNetworkButton*> chainButtons(TLatencyCalc* calc);
// The panel of the Network Setup tab that holds those buttons.
QWidget* networkSetupPanel(TLatencyCalc* calc);
