// The Network Setup tab: inserting, removing, selecting and dragging the
// chain's elements, the lines that join them, and the copy of the layout.

#include "controls/QorvelPanels.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/SetupGrid.h"
#include "ui_LatencyCalc.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPen>

void TLatencyCalc::NetworkSetupTabSheetEnter()
{
    emit copyAvailable(ui->CopyNetworkSetupButton);
}

void TLatencyCalc::NetworkSetupTabSheetExit()
{
    emit copyUnavailable();
}

void TLatencyCalc::connectElement(TNetworkButton* element)
{
    connect(element, &TNetworkButton::OnMouseDown, this, &TLatencyCalc::NetworkButtonMouseDown);
    connect(element, &TNetworkButton::OnStartDrag, this, &TLatencyCalc::NetworkButtonStartDrag);
    connect(element, &TNetworkButton::dragMoved, this, &TLatencyCalc::networkButtonDragMoved);
    connect(element, &TNetworkButton::OnEndDrag, this, &TLatencyCalc::NetworkButtonEndDrag);
    connect(element, &TNetworkButton::OnPropertiesClick, this,
            &TLatencyCalc::NetworkButtonPropertiesClick);
    connect(element, &TNetworkButton::OnRemoveClick, this, &TLatencyCalc::NetworkButtonRemoveClick);
}

TNetworkButton* TLatencyCalc::NewNetworkButtonClick()
{
    if (FChain.size() >= maxChainLength)
        return nullptr;
    auto* element = new TNetworkButton(ui->NetworkSetupPanel);
    element->move(newNetworkPosition);
    connectElement(element);
    element->show();
    element->raise();

    int position = FChain.indexOf(FSelectedElement);
    if (FSelectedElement == nodeA())
        position = 1;
    else if (position < 0)
        position = FChain.size() - 1;
    FChain.insert(position, element);
    // Tab walks the elements in chain order, not in the order they were made.
    QWidget::setTabOrder(FChain[position - 1], element);
    ui->NetworkSetupPanel->update();
    FSelectedElement = element;

    auto* entry = new QAction(RemoveNetwork1);
    connect(entry, &QAction::triggered, this, &TLatencyCalc::RemoveSubmenuClick);
    const QList<QAction*> entries = RemoveNetwork1->actions();
    RemoveNetwork1->insertAction(entries.value(position - 1, nullptr), entry);

    syncRemoveCommands();
    if (FChain.size() >= maxChainLength) {
        ui->NewNetworkButton->setEnabled(false);
        NewNetwork1->setEnabled(false);
    }
    FLatencyStale = true;
    return element;
}

void TLatencyCalc::NetworkButtonRemoveClick(TNetworkButton* element)
{
    const int position = FChain.indexOf(element);
    // A sole network stays, and the nodes are no networks.
    if (FChain.size() > 3 && position > 0 && position < FChain.size() - 1) {
        const QList<QAction*> entries = RemoveNetwork1->actions();
        if (QAction* entry = entries.value(position - 1, nullptr)) {
            RemoveNetwork1->removeAction(entry);
            delete entry;
        }
        element->hide();
        disconnect(element, nullptr, this, nullptr);
        FChain.removeAt(position);
        ui->NetworkSetupPanel->update();
        FSelectedElement = FChain[position];
        syncRemoveCommands();
        ui->NewNetworkButton->setEnabled(true);
        NewNetwork1->setEnabled(true);
        // The element's own menu may still be running the command that removed it.
        element->deleteLater();
    }
    FLatencyStale = true;
}

void TLatencyCalc::ResetButtonClick()
{
    while (FChain.size() > 3)
        NetworkButtonRemoveClick(FChain[1]);
    FSelectedElement = nodeB();
    NewNetworkButtonClick();
    NetworkButtonRemoveClick(FChain[1]);
    FLatencyStale = true;
    ui->NetworkSetupPanel->update();
}

void TLatencyCalc::syncRemoveCommands()
{
    // A sole network cannot be removed; the nodes never can.
    const bool removable = FChain.size() > 3;
    for (int i = 1; i + 1 < FChain.size(); ++i) {
        if (removable)
            FChain[i]->ShowRemoveCommand();
        else
            FChain[i]->HideRemoveCommand();
    }
    RemoveNetwork1->menuAction()->setVisible(removable);
}

void TLatencyCalc::RemoveNetwork1Click()
{
    const QList<QAction*> entries = RemoveNetwork1->actions();
    for (int j = 0; j < entries.size() && j + 1 < FChain.size(); ++j) {
        // A label's own "&" is text, not an accelerator.
        QString label = FChain[j + 1]->Hint();
        label.replace(QLatin1Char('&'), QLatin1String("&&"));
        entries[j]->setText(QString::number(j + 1) + QStringLiteral(".  ") + label);
    }
    const int selected = FChain.indexOf(FSelectedElement);
    if (selected > 0 && selected < FChain.size() - 1)
        RemoveNetwork1->setDefaultAction(entries.value(selected - 1, nullptr));
}

void TLatencyCalc::RemoveSubmenuClick()
{
    auto* entry = qobject_cast<QAction*>(sender());
    const int index = RemoveNetwork1->actions().indexOf(entry);
    if (index >= 0 && index + 1 < FChain.size())
        NetworkButtonRemoveClick(FChain[index + 1]);
}

void TLatencyCalc::showSetupPanelMenu(const QPoint& pos)
{
    NetworkSetupPopupMenu->popup(ui->NetworkSetupPanel->mapToGlobal(pos));
}

void TLatencyCalc::NetworkButtonMouseDown(TNetworkButton* sender, Qt::MouseButton button)
{
    FSelectedElement = sender;
    // Only networks move, and only with the left button.
    if (button == Qt::LeftButton && !sender->element().isNode())
        sender->BeginDrag();
}

void TLatencyCalc::NetworkButtonStartDrag(TNetworkButton* sender)
{
    // No lines while an element moves: they would point at its old place.
    ui->NetworkSetupPanel->PaintPanel();
    ui->NetworkSetupPanel->setGenerateOnPaint(false);
    sender->raise();
    if (!FDragCursorShown) {
        QApplication::setOverrideCursor(Qt::DragMoveCursor);
        FDragCursorShown = true;
    }
}

void TLatencyCalc::networkButtonDragMoved(TNetworkButton* sender, const QPoint& panelPos)
{
    TCanvasPanel* panel = ui->NetworkSetupPanel;
    if (!panel->rect().contains(panelPos)) {
        // Off the panel the element cannot go.
        if (FDragCursorShown)
            QApplication::changeOverrideCursor(Qt::ForbiddenCursor);
        return;
    }
    if (auto* target = qobject_cast<TNetworkButton*>(panel->childAt(panelPos)))
        NetworkButtonDragOver(target);
    else
        NetworkSetupPanelDragOver(sender, panelPos);
}

void TLatencyCalc::NetworkSetupPanelDragOver(TNetworkButton* dragged, const QPoint& panelPos)
{
    dragged->move(SnapToCell(panelPos.x(), saHorizontal), SnapToCell(panelPos.y(), saVertical));
    if (FDragCursorShown)
        QApplication::changeOverrideCursor(Qt::DragMoveCursor);
}

void TLatencyCalc::NetworkButtonDragOver(TNetworkButton*)
{
    // Over an element the drop is welcome but changes nothing: the dragged
    // element stays where the panel last put it.
    if (FDragCursorShown)
        QApplication::changeOverrideCursor(Qt::DragMoveCursor);
}

void TLatencyCalc::NetworkButtonEndDrag(TNetworkButton*)
{
    if (FDragCursorShown) {
        QApplication::restoreOverrideCursor();
        FDragCursorShown = false;
    }
    // Positions do not affect the latencies: nothing goes stale.
    ui->NetworkSetupPanel->setGenerateOnPaint(true);
    ui->NetworkSetupPanel->update();
}

void TLatencyCalc::NetworkButtonPropertiesClick(TNetworkButton* sender)
{
    FPropertiesForm->showFor(sender->element());
}

void TLatencyCalc::NetworkSetupPanelPaint(QPainter* canvas)
{
    DrawChainLines(*canvas);
}

void TLatencyCalc::DrawChainLines(QPainter& canvas)
{
    if (FChain.isEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(ui->NetworkSetupPanel->palette().color(QPalette::WindowText), 2));
    // From centre to centre; the elements above the panel hide the parts under them.
    const QPoint centre(25, 25);
    QPoint from = FChain.first()->pos() + centre;
    for (int i = 1; i < FChain.size(); ++i) {
        const QPoint to = FChain[i]->pos() + centre;
        canvas.drawLine(from, to);
        from = to;
    }
    canvas.restore();
}

void TLatencyCalc::CopyNetworkSetupButtonClick()
{
    ui->NetworkSetupPanel->CopyToClipboard(ui->NetworkSetupPanel->rect());
}
