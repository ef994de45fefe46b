#pragma once

#include "latency/ElementPicture.h"
#include "path/LatencyElement.h"

#include <QPoint>
#include <QPushButton>

class QAction;
class QMenu;

// One element of the latency chain on the setup panel: node A, a network or
// node B. A square picture button that shows the element (the picture of its
// kind, its label as hint) and has its own menu ("Properties...", "Remove").
// The values are the chain's (latency/LatencyChain.h); the setup editor
// tells the button what to show.
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

    TNetworkButtonKind Kind() const { return FKind; }
    // Shows the kind's picture; nothing at all when the kind stays the same.
    void setKind(TNetworkButtonKind kind);

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

    TNetworkButtonKind FKind = nbUnknownNetwork;
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
