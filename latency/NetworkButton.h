#pragma once

#include "latency/NetworkElement.h"

#include <QPoint>
#include <QPushButton>

class QAction;
class QMenu;

// One element of the latency chain on the setup panel: node A, a network or
// node B. A square picture button that carries the element's values, shows
// the picture of its kind, and has its own menu ("Properties...", "Remove").
// Its hint is the element's label, which whoever changes the values rebuilds.
//
// An element moves within its panel by mouse tracking: after BeginDrag() in
// a press handler, moving the held mouse past the platform's drag distance
// starts the drag, each further move reports where the mouse is, and the
// release or Esc ends it.
class TNetworkButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TNetworkButton(QWidget* parent = nullptr);
    ~TNetworkButton() override;

    const TNetworkElement& element() const { return FElement; }

    TNetworkButtonKind Kind() const { return FElement.Kind; }
    // Loads the kind's picture, offers "Remove" only for networks, and
    // raises OnChangeKind; nothing at all when the kind stays the same.
    void setKind(TNetworkButtonKind kind);

    QString NetworkName() const { return FElement.NetworkName; }
    void setNetworkName(const QString& name) { FElement.NetworkName = name; }
    float Bandwidth() const { return FElement.Bandwidth; }
    void setBandwidth(float bandwidth) { FElement.Bandwidth = bandwidth; }
    int32_t PacketSize() const { return FElement.PacketSize; }
    void setPacketSize(int32_t size) { FElement.PacketSize = size; }
    int32_t ProcessTime() const { return FElement.ProcessTime; }
    void setProcessTime(int32_t milliseconds) { FElement.ProcessTime = milliseconds; }
    int32_t PropagationDelay() const { return FElement.PropagationDelay; }
    void setPropagationDelay(int32_t milliseconds) { FElement.PropagationDelay = milliseconds; }
    int16_t BandwidthIndex() const { return FElement.BandwidthIndex; }
    void setBandwidthIndex(int16_t index) { FElement.BandwidthIndex = index; }
    int16_t TopologyIndex() const { return FElement.TopologyIndex; }
    void setTopologyIndex(int16_t index) { FElement.TopologyIndex = index; }
    const TElementLatency& latency() const { return FElement.Latency; }
    void setLatency(const TElementLatency& latency) { FElement.Latency = latency; }

    float Delay(int32_t packetSize) const { return FElement.Delay(packetSize); }

    // The element's label; also its accessible name and, shown as plain
    // text, its tooltip.
    QString Hint() const { return FHint; }
    void setHint(const QString& hint);

    QMenu* ElementMenu() const { return FElementMenu; }
    // Offer or withdraw "Remove" (with its separator): a sole network stays.
    void ShowRemoveCommand();
    void HideRemoveCommand();

    // Called from a left-button press handler: the press becomes a drag once
    // the mouse moves far enough with the button held.
    void BeginDrag();
    bool isDragging() const { return FDragging; }

signals:
    void OnChangeKind(TNetworkButton* sender);
    void OnPropertiesClick(TNetworkButton* sender);
    void OnRemoveClick(TNetworkButton* sender);
    // Any press of the element, which selects it. A keyboard user presses
    // it with Space or opens its menu with the menu key; both come with
    // Qt::NoButton.
    void OnMouseDown(TNetworkButton* sender, Qt::MouseButton button);
    void OnStartDrag(TNetworkButton* sender);
    // The mouse moved during a drag; the point is in the parent's coordinates.
    void dragMoved(TNetworkButton* sender, const QPoint& parentPos);
    void OnEndDrag(TNetworkButton* sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Esc during a drag, wherever the keyboard focus is.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadPicture();
    void endDrag();

    TNetworkElement FElement;
    QString FHint;
    QMenu* FElementMenu;
    QAction* FPropertiesItem;
    QAction* FRemoveSeparator;
    QAction* FRemoveItem;
    bool FDragArmed = false;
    bool FDragging = false;
    // Esc ended the drag while the button is still held: the rest of that
    // press neither moves nor clicks the element.
    bool FDragCancelled = false;
    QPoint FPressPos;
};
