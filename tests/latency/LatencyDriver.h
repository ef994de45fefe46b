#pragma once

#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
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
    TNetworkButton* element(int position) const { return FCalc->chain().at(position); }
    QWidget* dialogChild(const char* name) const;
    QComboBox* topologyBox() const;
    QComboBox* bandwidthBox() const;
    QPushButton* button(const char* name) const;
    QAction* menuEntry(TNetworkButton* target, const char* name) const;

    // A left click on the element, which selects it.
    void press(TNetworkButton* target, Qt::MouseButton mouseButton = Qt::LeftButton);
    // Its menu's "Properties...", after pressing it as opening the menu does.
    void openProperties(TNetworkButton* target);
    void choose(QComboBox* box, const QString& entry);
    // Replaces the field's whole text by typing.
    void typeInto(QWidget* field, const QString& text);
    void clickOk();
    // The Insert Network button; returns the new element, or nothing.
    TNetworkButton* insert();
    // Switches tabs by clicking the tab, as a user does.
    void showPage(int index);

    // Whole edits through the dialog.
    void setNetwork(TNetworkButton* target, const QString& topology,
                    const QString& bandwidth = QString());
    void setNode(TNetworkButton* target, int processTime, int packetSize);

private:
    std::unique_ptr<TMainForm> FForm;
    TLatencyCalc* FCalc = nullptr;
};
