#pragma once

#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"
#include "tests/support/WindowDriver.h"

#include <QComboBox>

class TSuperStringGrid;

// The latency calculator's steps on the window driver: mouse presses on the
// elements, their menus, the properties dialog's fields.
class LatencyDriver : public virtual WindowDriver
{
public:
    TLatencyCalc* calc() const { return form()->latencyCalc(); }
    // Chain positions: node A is 0, node B the last.
    int nodeB() const { return calc()->chain().count() - 1; }
    const TNetworkElement& element(int position) const { return calc()->chain().at(position); }
    // The button that shows the element at the position.
    TNetworkButton* elementButton(int position) const;
    QAction* menuEntry(int position, const char* name) const;
    bool removeOffered(int position) const;
    QWidget* dialogChild(const char* name) const;
    QComboBox* topologyBox() const;
    QComboBox* bandwidthBox() const;

    // A left click on the element, which selects it.
    void press(int position, Qt::MouseButton mouseButton = Qt::LeftButton);
    // Its menu's "Properties...", after pressing it as opening the menu does.
    void openProperties(int position);
    void choose(QComboBox* box, const QString& entry);
    void clickOk();
    // The Insert Network button; returns the new element's position, or -1.
    int insert();
    // Switches tabs by clicking the tab, as a user does.
    void showPage(int index);
    // Clicks a packet direction on its round button.
    void chooseDirection(const char* item);
    TSuperStringGrid* statsGrid() const;

    // Whole edits through the dialog. A network is given as NAME[:MBPS[:MS]]:
    // the topology chosen from the list, then what is given typed over what
    // it filled in.
    void setNetwork(int position, const QString& given);
    void setNode(int position, int processTime, int packetSize);
};
