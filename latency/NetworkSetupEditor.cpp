#include "latency/NetworkSetupEditor.h"

#include "controls/Align.h"
#include "controls/ErrorReport.h"
#include "controls/QorvelPanels.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/SetupGrid.h"
#include "ui_NetworkSetupEditor.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPen>

TNetworkSetupEditor::TNetworkSetupEditor(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TNetworkSetupEditor>())
{
    ui->setupUi(this);

    // One properties dialog serves every element; its OK is ours.
    FPropertiesForm = new TTNetworkButtonForm(this);
    connect(FPropertiesForm->OKButton(), &QPushButton::clicked, this,
            reporting(this, &TNetworkSetupEditor::ApplyProperties));

    NetworkSetupPopupMenu = new QMenu(this);
    NetworkSetupPopupMenu->setObjectName(QStringLiteral("NetworkSetupPopupMenu"));
    NewNetwork1 = NetworkSetupPopupMenu->addAction(QStringLiteral("&Insert Network"));
    NewNetwork1->setObjectName(QStringLiteral("NewNetwork1"));
    RemoveNetwork1 = new QMenu(QStringLiteral("&Remove Network"), NetworkSetupPopupMenu);
    RemoveNetwork1->setObjectName(QStringLiteral("RemoveNetwork1"));
    NetworkSetupPopupMenu->addMenu(RemoveNetwork1);
    RemoveNetwork1->menuAction()->setVisible(false);
    ui->NetworkSetupPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->NetworkSetupPanel, &QWidget::customContextMenuRequested, this,
            reporting(this, &TNetworkSetupEditor::showSetupPanelMenu));
    connect(NewNetwork1, &QAction::triggered, this,
            reporting(this, &TNetworkSetupEditor::NewNetworkButtonClick));
    connect(RemoveNetwork1, &QMenu::aboutToShow, this,
            reporting(this, &TNetworkSetupEditor::RemoveNetwork1Click));

    connect(ui->NetworkSetupPanel, &TCanvasPanel::painting, this,
            &TNetworkSetupEditor::NetworkSetupPanelPaint);
    connect(ui->NewNetworkButton, &QPushButton::clicked, this,
            reporting(this, &TNetworkSetupEditor::NewNetworkButtonClick));
    connect(ui->ResetButton, &QPushButton::clicked, this,
            reporting(this, &TNetworkSetupEditor::ResetButtonClick));
    ui->CopyNetworkSetupButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                         QStringLiteral(":/bitmaps/COPYDISABLED.svg"));
    connect(ui->CopyNetworkSetupButton, &QAbstractButton::clicked, this,
            reporting(this, &TNetworkSetupEditor::CopyNetworkSetupButtonClick));
    alignInParent(ui->NetworkSetupPanel, TAlign::Top);
}

TNetworkSetupEditor::~TNetworkSetupEditor() = default;

void TNetworkSetupEditor::setChain(TLatencyChain* chain)
{
    FChain = chain;
    // The nodes come with the form; the networks are made for the chain.
    FButtons = {ui->DesktopNetworkButton, ui->TowerNetworkButton};
    for (TNetworkButton* node : FButtons) {
        connect(node, &TNetworkButton::OnMouseDown, this,
                &TNetworkSetupEditor::NetworkButtonMouseDown);
        connect(node, &TNetworkButton::OnPropertiesClick, this,
                &TNetworkSetupEditor::NetworkButtonPropertiesClick);
    }
    rebuildNetworkButtons();
    showElement(0);
    showElement(FChain->count() - 1);
    syncCommands();
    connect(FChain, &TLatencyChain::changed, this, &TNetworkSetupEditor::chainChanged);
}

QAbstractButton* TNetworkSetupEditor::copyButton() const
{
    return ui->CopyNetworkSetupButton;
}

void TNetworkSetupEditor::chainChanged(TLatencyChain::TChange change, int position)
{
    switch (change) {
    case TLatencyChain::ccInserted:
        addButton(position);
        break;
    case TLatencyChain::ccRemoved:
        dropButton(position);
        break;
    case TLatencyChain::ccValues:
        showElement(position);
        ui->NetworkSetupPanel->update();
        break;
    case TLatencyChain::ccMoved:
        showElement(position);
        break;
    case TLatencyChain::ccNetworks:
        // The nodes may have new values too.
        rebuildNetworkButtons();
        showElement(0);
        showElement(FChain->count() - 1);
        break;
    }
    syncCommands();
}

void TNetworkSetupEditor::addButton(int position)
{
    auto* element = new TNetworkButton(ui->NetworkSetupPanel);
    connect(element, &TNetworkButton::OnMouseDown, this,
            &TNetworkSetupEditor::NetworkButtonMouseDown);
    connect(element, &TNetworkButton::OnStartDrag, this,
            &TNetworkSetupEditor::NetworkButtonStartDrag);
    connect(element, &TNetworkButton::dragMoved, this,
            &TNetworkSetupEditor::networkButtonDragMoved);
    connect(element, &TNetworkButton::OnEndDrag, this, &TNetworkSetupEditor::NetworkButtonEndDrag);
    connect(element, &TNetworkButton::OnPropertiesClick, this,
            &TNetworkSetupEditor::NetworkButtonPropertiesClick);
    connect(element, &TNetworkButton::OnRemoveClick, this,
            &TNetworkSetupEditor::NetworkButtonRemoveClick);
    FButtons.insert(position, element);
    showElement(position);
    // A new element shows on top of the others.
    element->show();
    element->raise();
    // Tab walks the elements in chain order, not in the order they were made.
    QWidget::setTabOrder(FButtons[position - 1], element);
    ui->NetworkSetupPanel->update();
}

void TNetworkSetupEditor::dropButton(int position)
{
    TNetworkButton* element = FButtons.takeAt(position);
    element->hide();
    disconnect(element, nullptr, this, nullptr);
    ui->NetworkSetupPanel->update();
    // The element's own menu may still be running the command that removed it.
    element->deleteLater();
}

void TNetworkSetupEditor::rebuildNetworkButtons()
{
    while (FButtons.size() > 2)
        dropButton(1);
    for (int position = 1; position < FChain->count() - 1; ++position)
        addButton(position);
}

void TNetworkSetupEditor::showElement(int position)
{
    TNetworkButton* button = FButtons[position];
    const TNetworkElement& element = FChain->at(position);
    button->setKind(element.Kind);
    button->setHint(QString::fromStdString(element.Hint));
    button->move(element.Position.X, element.Position.Y);
}

void TNetworkSetupEditor::syncCommands()
{
    const bool removable = FChain->canRemove();
    for (int i = 0; i < FButtons.size(); ++i) {
        if (removable && FChain->isNetwork(i))
            FButtons[i]->ShowRemoveCommand();
        else
            FButtons[i]->HideRemoveCommand();
    }
    RemoveNetwork1->menuAction()->setVisible(removable);
    ui->NewNetworkButton->setEnabled(FChain->canInsert());
    NewNetwork1->setEnabled(FChain->canInsert());
}

void TNetworkSetupEditor::NewNetworkButtonClick()
{
    FChain->insertNetwork();
}

void TNetworkSetupEditor::NetworkButtonRemoveClick(TNetworkButton* sender)
{
    FChain->removeNetwork(FButtons.indexOf(sender));
}

void TNetworkSetupEditor::ResetButtonClick()
{
    FChain->reset();
}

void TNetworkSetupEditor::RemoveNetwork1Click()
{
    // One entry per network, in chain order, made as the submenu shows.
    const int networks = FChain->networkCount();
    QList<QAction*> entries = RemoveNetwork1->actions();
    while (entries.size() < networks) {
        auto* entry = new QAction(RemoveNetwork1);
        connect(entry, &QAction::triggered, this,
                reporting(this, &TNetworkSetupEditor::RemoveSubmenuClick));
        RemoveNetwork1->addAction(entry);
        entries << entry;
    }
    while (entries.size() > networks) {
        QAction* entry = entries.takeLast();
        RemoveNetwork1->removeAction(entry);
        delete entry;
    }
    for (int j = 0; j < networks; ++j) {
        // A label's own "&" is text, not an accelerator.
        QString label = QString::fromStdString(FChain->at(j + 1).Hint);
        label.replace(QLatin1Char('&'), QLatin1String("&&"));
        entries[j]->setText(QString::number(j + 1) + QStringLiteral(".  ") + label);
    }
    // With a node selected, the mark stays with the network that had it.
    const int selected = FChain->selectedElement();
    if (FChain->isNetwork(selected))
        FRemoveDefault = FButtons[selected];
    const int marked = FButtons.indexOf(FRemoveDefault.data());
    RemoveNetwork1->setDefaultAction(FChain->isNetwork(marked) ? entries[marked - 1] : nullptr);
}

void TNetworkSetupEditor::RemoveSubmenuClick()
{
    const int index = RemoveNetwork1->actions().indexOf(qobject_cast<QAction*>(sender()));
    if (index >= 0)
        FChain->removeNetwork(index + 1);
}

void TNetworkSetupEditor::showSetupPanelMenu(const QPoint& pos)
{
    NetworkSetupPopupMenu->popup(ui->NetworkSetupPanel->mapToGlobal(pos));
}

void TNetworkSetupEditor::NetworkButtonMouseDown(TNetworkButton* sender, Qt::MouseButton button)
{
    const int position = FButtons.indexOf(sender);
    FChain->selectElement(position);
    // Only networks move, and only with the left button.
    if (button == Qt::LeftButton && FChain->isNetwork(position))
        sender->BeginDrag();
}

void TNetworkSetupEditor::NetworkButtonStartDrag(TNetworkButton* sender)
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

void TNetworkSetupEditor::networkButtonDragMoved(TNetworkButton* sender, const QPoint& panelPos)
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

void TNetworkSetupEditor::NetworkSetupPanelDragOver(TNetworkButton* dragged, const QPoint& panelPos)
{
    FChain->moveElement(FButtons.indexOf(dragged), {SnapToCell(panelPos.x(), saHorizontal),
                                                    SnapToCell(panelPos.y(), saVertical)});
    if (FDragCursorShown)
        QApplication::changeOverrideCursor(Qt::DragMoveCursor);
}

void TNetworkSetupEditor::NetworkButtonDragOver(TNetworkButton*)
{
    // Over an element the drop is welcome but changes nothing: the dragged
    // element stays where the panel last put it.
    if (FDragCursorShown)
        QApplication::changeOverrideCursor(Qt::DragMoveCursor);
}

void TNetworkSetupEditor::NetworkButtonEndDrag(TNetworkButton*)
{
    if (FDragCursorShown) {
        QApplication::restoreOverrideCursor();
        FDragCursorShown = false;
    }
    ui->NetworkSetupPanel->setGenerateOnPaint(true);
    ui->NetworkSetupPanel->update();
}

void TNetworkSetupEditor::NetworkButtonPropertiesClick(TNetworkButton* sender)
{
    const int position = FButtons.indexOf(sender);
    if (position >= 0)
        FPropertiesForm->ShowFor(FChain->at(position));
}

void TNetworkSetupEditor::ApplyProperties()
{
    FPropertiesForm->CommitTyping();
    FPropertiesForm->close();
    const int position = FChain->selectedElement();
    TNetworkElement target = FChain->at(position);
    const std::optional<TNetworkButtonKind> kind = FPropertiesForm->CurrentKind();
    // Values laid out for a node never describe a network, and the other way
    // round: when the selection moved to the other sort of element while the
    // dialog was open, nothing is written.
    if (!kind || isNodeKind(*kind) != target.isNode())
        return;

    if (isNodeKind(*kind)) {
        target.PacketSize = FPropertiesForm->PacketSize();
        target.ProcessTime = FPropertiesForm->ProcessTime();
    } else {
        // Read first: a bandwidth that is no number leaves the element as it was.
        target.Bandwidth = FPropertiesForm->Bandwidth();
        target.BandwidthIndex = static_cast<int16_t>(FPropertiesForm->BandwidthIndex());
        target.Kind = *kind;
        target.NetworkName = FPropertiesForm->TopologyText().toStdString();
        target.TopologyIndex = static_cast<int16_t>(FPropertiesForm->TopologyIndex());
        target.PropagationDelay = FPropertiesForm->PropagationDelay();
    }
    FChain->setElement(position, target);
}

void TNetworkSetupEditor::NetworkSetupPanelPaint(QPainter* canvas)
{
    DrawChainLines(*canvas);
}

void TNetworkSetupEditor::DrawChainLines(QPainter& canvas)
{
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(ui->NetworkSetupPanel->palette().color(QPalette::WindowText), 2));
    // From centre to centre; the elements above the panel hide the parts under them.
    const QPoint centre(elementSize / 2, elementSize / 2);
    for (int i = 1; i < FButtons.size(); ++i)
        canvas.drawLine(FButtons[i - 1]->pos() + centre, FButtons[i]->pos() + centre);
    canvas.restore();
}

void TNetworkSetupEditor::CopyNetworkSetupButtonClick()
{
    ui->NetworkSetupPanel->CopyToClipboard(ui->NetworkSetupPanel->rect());
}
