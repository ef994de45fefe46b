#pragma once

#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/NetworkSetupEditor.h"
#include "tests/support/UiFixture.h"

#include <QComboBox>
#include <QPushButton>

// Drives the latency calculator of a real main window the way a user does:
// mouse presses on elements, their menus, the properties dialog's fields.
// Helpers that check something report through QtTest; callers that go on
// after them test QTest::currentTestFailed().
class LatencyDriver
{
public:
    // A fresh window on a first run, with the latency calculator selected.
    void start();
    void stop();

    TMainForm* form() const { return FForm.get(); }
    TLatencyCalc* calc() const { return FCalc; }
    // Chain positions: node A is 0, node B the last.
    int nodeB() const { return FCalc->chain().count() - 1; }
    const TNetworkElement& element(int position) const { return FCalc->chain().at(position); }
    // The button that shows the element at the position.
    TNetworkButton* elementButton(int position) const;
    QWidget* dialogChild(const char* name) const;
    QComboBox* topologyBox() const;
    QComboBox* bandwidthBox() const;
    QPushButton* button(const char* name) const;
    QAction* menuEntry(int position, const char* name) const;

    // A left click on the element, which selects it.
    void press(int position, Qt::MouseButton mouseButton = Qt::LeftButton);
    // Its menu's "Properties...", after pressing it as opening the menu does.
    void openProperties(int position);
    void choose(QComboBox* box, const QString& entry);
    // Replaces the field's whole text by typing.
    void typeInto(QWidget* field, const QString& text);
    void clickOk();
    // The Insert Network button; returns the new element's position, or -1.
    int insert();
    // Switches tabs by clicking the tab, as a user does.
    void showPage(int index);

    // Whole edits through the dialog.
    void setNetwork(int position, const QString& topology, const QString& bandwidth = QString());
    void setNode(int position, int processTime, int packetSize);

private:
    std::unique_ptr<TMainForm> FForm;
    TLatencyCalc* FCalc = nullptr;
};
