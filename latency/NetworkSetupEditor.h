#pragma once

#include "latency/LatencyChain.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QAction;
class QMenu;
class QPainter;
class TNetworkButton;
class TTNetworkButtonForm;

namespace Ui {
class TNetworkSetupEditor;
}

// The Network Setup tab: the chain laid out on a panel, one button per
// element, joined by lines in packet order. The user inserts, removes and
// drags networks, edits an element in the properties dialog, resets the
// layout and copies a picture of it. Every edit goes to the chain; the
// editor makes, moves and destroys the buttons as the chain changes.
class TNetworkSetupEditor : public QWidget
{
    Q_OBJECT
public:
    explicit TNetworkSetupEditor(QWidget* parent = nullptr);
    ~TNetworkSetupEditor() override;

    // The chain to show and edit, for the editor's whole life.
    void setChain(TLatencyChain* chain);

    QAbstractButton* copyButton() const;
    TTNetworkButtonForm* propertiesForm() const { return FPropertiesForm; }
    // The button that shows the chain element at the position.
    TNetworkButton* button(int position) const { return FButtons.value(position); }

private:
    void NewNetworkButtonClick();
    void ResetButtonClick();
    // The properties dialog's OK: its values go into the selected element.
    void ApplyProperties();
    void chainChanged(TLatencyChain::TChange change, int position);
    void addButton(int position);
    void dropButton(int position);
    void showElement(int position);
    void rebuildNetworkButtons();
    // Offers Insert while the chain has room, and Remove (in the network
    // menus and the panel menu) while it holds two or more networks.
    void syncCommands();

    void NetworkButtonMouseDown(TNetworkButton* sender, Qt::MouseButton button);
    void NetworkButtonStartDrag(TNetworkButton* sender);
    void networkButtonDragMoved(TNetworkButton* sender, const QPoint& panelPos);
    void NetworkSetupPanelDragOver(TNetworkButton* dragged, const QPoint& panelPos);
    void NetworkButtonDragOver(TNetworkButton* target);
    void NetworkButtonEndDrag(TNetworkButton* sender);
    void NetworkButtonPropertiesClick(TNetworkButton* sender);
    void NetworkButtonRemoveClick(TNetworkButton* sender);
    void RemoveNetwork1Click();
    void RemoveSubmenuClick();
    void showSetupPanelMenu(const QPoint& pos);
    void NetworkSetupPanelPaint(QPainter* canvas);
    void DrawChainLines(QPainter& canvas);
    void CopyNetworkSetupButtonClick();

    std::unique_ptr<Ui::TNetworkSetupEditor> ui;
    TLatencyChain* FChain = nullptr;
    // One button per chain element, in chain order.
    QList<TNetworkButton*> FButtons;
    TTNetworkButtonForm* FPropertiesForm;
    QMenu* NetworkSetupPopupMenu;
    QAction* NewNetwork1;
    QMenu* RemoveNetwork1;
    // The network whose entry the Remove submenu marks as its default: the
    // one selected when the submenu last showed with a network selected.
    QPointer<TNetworkButton> FRemoveDefault;
    bool FDragCursorShown = false;
};
