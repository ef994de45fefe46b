#include "performance/StackEditor.h"

#include "controls/ErrorReport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// One edit of the stack, undone by putting back the stack before it.
class TStackEdit : public QUndoCommand
{
public:
    TStackEdit(TStackEditor* editor, std::vector<TEncapLayer> before, int selectedBefore,
               std::vector<TEncapLayer> after, int selectedAfter, const QString& text)
        : QUndoCommand(text), FEditor(editor), FBefore(std::move(before)),
          FSelectedBefore(selectedBefore), FAfter(std::move(after)), FSelectedAfter(selectedAfter)
    {
    }
    void redo() override { FEditor->applyStack(FAfter, FSelectedAfter); }
    void undo() override { FEditor->applyStack(FBefore, FSelectedBefore); }

private:
    TStackEditor* FEditor;
    std::vector<TEncapLayer> FBefore;
    int FSelectedBefore;
    std::vector<TEncapLayer> FAfter;
    int FSelectedAfter;
};

QAction* editAction(QWidget* owner, const QString& text, const char* name,
                    const QKeySequence& shortcut)
{
    auto* action = new QAction(text, owner);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

// A button for an action: it follows the action's state and names it for
// assistive technology, its shortcut in its tooltip.
QToolButton* actionButton(QAction* action, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    const QString name = action->text().remove(QLatin1Char('&'));
    button->setAccessibleName(name);
    button->setToolTip(action->shortcut().isEmpty()
                           ? name
                           : QStringLiteral("%1 (%2)").arg(
                                 name, action->shortcut().toString(QKeySequence::NativeText)));
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    return button;
}

} // namespace

TStackEditor::TStackEditor(QUndoStack* undoStack, QWidget* parent)
    : QWidget(parent), FUndoStack(undoStack), FLayerBox(new QComboBox(this)),
      FOptionsBox(new QSpinBox(this)),
      FNatBox(new QCheckBox(QStringLiteral("N&AT traversal"), this)), FList(new QListWidget(this)),
      FAdd(editAction(this, QStringLiteral("&Add Layer"), "AddLayer",
                      QKeySequence(Qt::CTRL | Qt::Key_Return))),
      FRemove(editAction(this, QStringLiteral("Re&move Layer"), "RemoveLayer",
                         QKeySequence(Qt::CTRL | Qt::Key_Delete))),
      FMoveUp(editAction(this, QStringLiteral("Move Layer &Up"), "MoveLayerUp",
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up))),
      FMoveDown(editAction(this, QStringLiteral("Move Layer &Down"), "MoveLayerDown",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)))
{
    FLayerBox->setObjectName(QStringLiteral("LayerBox"));
    FLayerBox->setAccessibleName(QStringLiteral("Layer to add"));
    for (const TEncapsulation& row : encapsulationTable()) {
        FLayerBox->addItem(QString::fromUtf8(row.Title));
        FLayerBox->setItemData(FLayerBox->count() - 1,
                               QStringLiteral("%1 (%2)").arg(QString::fromUtf8(row.Parts),
                                                             QString::fromUtf8(row.Source)),
                               Qt::ToolTipRole);
    }
    FOptionsBox->setObjectName(QStringLiteral("OptionsBox"));
    FOptionsBox->setAccessibleName(QStringLiteral("GENEVE option bytes"));
    FOptionsBox->setRange(0, maxOptionBytes);
    FOptionsBox->setSingleStep(4);
    FOptionsBox->setSuffix(QStringLiteral(" bytes of options"));
    FNatBox->setObjectName(QStringLiteral("NatBox"));
    FNatBox->setAccessibleName(QStringLiteral("NAT traversal"));
    FList->setObjectName(QStringLiteral("StackList"));
    FList->setAccessibleName(QStringLiteral("Encapsulation stack, innermost first"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QStringLiteral("La&yer:"), this);
    caption->setBuddy(FLayerBox);
    auto* choice = new QHBoxLayout;
    choice->addWidget(caption);
    choice->addWidget(FLayerBox, 1);
    layout->addLayout(choice);
    auto* setting = new QHBoxLayout;
    setting->addWidget(FOptionsBox);
    setting->addWidget(FNatBox);
    setting->addStretch(1);
    setting->addWidget(actionButton(FAdd, QStringLiteral("Add"), this));
    layout->addLayout(setting);
    auto* listCaption = new QLabel(QStringLiteral("&Stack, innermost first:"), this);
    listCaption->setBuddy(FList);
    layout->addWidget(listCaption);
    layout->addWidget(FList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(actionButton(FRemove, QStringLiteral("Remove"), this));
    buttons->addWidget(actionButton(FMoveUp, QStringLiteral("Up"), this));
    buttons->addWidget(actionButton(FMoveDown, QStringLiteral("Down"), this));
    buttons->addStretch(1);
    auto* undo = new QToolButton(this);
    undo->setObjectName(QStringLiteral("UndoLayerButton"));
    undo->setText(QStringLiteral("Undo"));
    undo->setAccessibleName(QStringLiteral("Undo"));
    undo->setToolTip(QStringLiteral("Undo (%1)")
                         .arg(QKeySequence(QKeySequence::Undo).toString(QKeySequence::NativeText)));
    undo->setEnabled(false);
    connect(undo, &QToolButton::clicked, FUndoStack, &QUndoStack::undo);
    connect(FUndoStack, &QUndoStack::canUndoChanged, undo, &QWidget::setEnabled);
    buttons->addWidget(undo);
    layout->addLayout(buttons);

    connect(FLayerBox, &QComboBox::currentIndexChanged, this,
            reporting(this, &TStackEditor::chooseLayer));
    connect(FAdd, &QAction::triggered, this, reporting(this, &TStackEditor::addLayer));
    connect(FRemove, &QAction::triggered, this, reporting(this, &TStackEditor::removeLayer));
    connect(FMoveUp, &QAction::triggered, this, reporting([this] { moveLayer(-1); }));
    connect(FMoveDown, &QAction::triggered, this, reporting([this] { moveLayer(1); }));
    connect(FList, &QListWidget::currentRowChanged, this,
            reporting(this, &TStackEditor::updateActions));
    chooseLayer();
    updateActions();
}

void TStackEditor::chooseLayer()
{
    const TEncapsulation& row =
        encapsulationTable().at(size_t(std::max(0, FLayerBox->currentIndex())));
    FOptionsBox->setVisible(row.Setting == TLayerSetting::OptionBytes);
    FNatBox->setVisible(row.Setting == TLayerSetting::NatTraversal);
}

int TStackEditor::selectedRow() const
{
    const int row = FList->currentRow();
    return row >= 0 && size_t(row) < FStack.size() ? row : -1;
}

void TStackEditor::edit(const std::vector<TEncapLayer>& stack, int selected, const QString& text)
{
    FUndoStack->push(new TStackEdit(this, FStack, selectedRow(), stack, selected, text));
}

void TStackEditor::addLayer()
{
    TEncapLayer layer;
    layer.Kind = &encapsulationTable().at(size_t(std::max(0, FLayerBox->currentIndex())));
    if (layer.Kind->Setting == TLayerSetting::OptionBytes)
        layer.Setting = FOptionsBox->value() / 4 * 4;
    else if (layer.Kind->Setting == TLayerSetting::NatTraversal)
        layer.Setting = FNatBox->isChecked() ? 1 : 0;
    // Just outside the selected layer, or outermost.
    const int at = selectedRow() < 0 ? int(FStack.size()) : selectedRow() + 1;
    std::vector<TEncapLayer> stack = FStack;
    stack.insert(stack.begin() + at, layer);
    edit(stack, at, QStringLiteral("Add %1").arg(QString::fromStdString(layerTitle(layer))));
}

void TStackEditor::removeLayer()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    std::vector<TEncapLayer> stack = FStack;
    const QString title = QString::fromStdString(layerTitle(stack[size_t(row)]));
    stack.erase(stack.begin() + row);
    edit(stack, std::min(row, int(stack.size()) - 1), QStringLiteral("Remove %1").arg(title));
}

void TStackEditor::moveLayer(int delta)
{
    const int row = selectedRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || size_t(to) >= FStack.size())
        return;
    std::vector<TEncapLayer> stack = FStack;
    std::swap(stack[size_t(row)], stack[size_t(to)]);
    edit(stack, to,
         delta < 0 ? QStringLiteral("Move Layer Up") : QStringLiteral("Move Layer Down"));
}

void TStackEditor::setStack(const std::vector<TEncapLayer>& stack)
{
    FUndoStack->clear();
    applyStack(stack, -1);
}

void TStackEditor::applyStack(const std::vector<TEncapLayer>& stack, int selected)
{
    FStack = stack;
    FFit.clear();
    refreshList();
    FList->setCurrentRow(selected);
    updateActions();
    emit stackChanged();
}

void TStackEditor::showFit(const std::vector<TLayerFit>* fit)
{
    FFit = fit && fit->size() == FStack.size() ? *fit : std::vector<TLayerFit>();
    refreshList();
}

void TStackEditor::refreshList()
{
    // The items are rewritten in place, so the selection and the focus stay.
    while (FList->count() > int(FStack.size()))
        delete FList->takeItem(FList->count() - 1);
    while (FList->count() < int(FStack.size()))
        FList->addItem(QString());
    for (size_t i = 0; i < FStack.size(); ++i) {
        QString text = QString::fromStdString(layerTitle(FStack[i]));
        if (i < FFit.size())
            text += FFit[i].Frame ? QStringLiteral(": %1 bytes on the frame").arg(FFit[i].Bytes)
                                  : QStringLiteral(": %1 bytes").arg(FFit[i].Bytes);
        QListWidgetItem* item = FList->item(int(i));
        item->setText(text);
        item->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(FStack[i].Kind->Parts),
                                                       QString::fromUtf8(FStack[i].Kind->Source)));
    }
}

void TStackEditor::updateActions()
{
    const int row = selectedRow();
    FRemove->setEnabled(row >= 0);
    FMoveUp->setEnabled(row > 0);
    FMoveDown->setEnabled(row >= 0 && size_t(row) + 1 < FStack.size());
}
