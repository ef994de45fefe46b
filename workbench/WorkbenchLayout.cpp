// The bit workbench's controls and how they are laid out: the entry with
// the width, signedness, carry and copy form above two tabs; on the word's
// tab the bit grid over the operations, the history and the views. All in
// layouts, so that the window can be made any size and fits a 1024 x 768
// screen.
#include "workbench/BitWorkbench.h"

#include "workbench/BitGrid.h"
#include "workbench/ViewPanel.h"
#include "workbench/WildcardPage.h"

#include "controls/ErrorReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLabel* caption(const QString& text, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

void nameField(QWidget* field, const char* objectName, const QString& accessibleName)
{
    field->setObjectName(QLatin1String(objectName));
    field->setAccessibleName(accessibleName);
}

bool isFloatKey(std::string_view key)
{
    return key.substr(0, 6) == "float_" || key.substr(0, 4) == "nan_";
}

} // namespace

void TBitWorkbench::buildLayout()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);

    FPages = new QTabWidget(central);
    nameField(FPages, "WorkbenchPages", QStringLiteral("Word and wildcard mask"));
    FPages->addTab(buildWordPage(), QStringLiteral("&Word"));
    FWildcardPage = new TWildcardPage(FPages);
    FWildcardPage->setObjectName(QStringLiteral("WildcardPage"));
    FPages->addTab(FWildcardPage, QStringLiteral("Wildcard &Mask"));
    layout->addWidget(FPages, 1);
    setCentralWidget(central);
    resize(1000, 720);
}

QWidget* TBitWorkbench::buildEntry()
{
    auto* box = new QWidget(this);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    FValueEdit = new QLineEdit(box);
    nameField(FValueEdit, "ValueEdit", QStringLiteral("Value"));
    FValueEdit->setPlaceholderText(QStringLiteral("255, -6, 0xFF, 'AB', 192.0.2.1, 1.5"));
    FValueEdit->installEventFilter(this);
    FWidthBox = new QComboBox(box);
    nameField(FWidthBox, "WidthBox", QStringLiteral("Width"));
    for (unsigned width : WordWidths)
        FWidthBox->addItem(QStringLiteral("%1 bits").arg(width), width);
    FSignedBox = new QCheckBox(QStringLiteral("&Signed"), box);
    nameField(FSignedBox, "SignedBox", QStringLiteral("Signed"));
    FCarryBox = new QCheckBox(QStringLiteral("Carr&y"), box);
    nameField(FCarryBox, "CarryBox", QStringLiteral("Carry"));
    FCarryBox->setToolTip(QStringLiteral("The carry that shifts and rotates leave, and that RCL "
                                         "and RCR rotate through"));
    FCopyFormBox = new QComboBox(box);
    nameField(FCopyFormBox, "CopyFormBox", QStringLiteral("Copy as"));
    for (const char* form : {"0x hex", "C/C++ literal", "Plain hex", "Binary", "All views"})
        FCopyFormBox->addItem(QLatin1String(form));
    auto* copy = new QToolButton(box);
    copy->setObjectName(QStringLiteral("CopyButton"));
    copy->setText(QStringLiteral("Copy"));
    copy->setAccessibleName(QStringLiteral("Copy in the chosen form"));
    copy->setToolTip(QStringLiteral("Copy the value in the chosen form (Ctrl+Shift+C)"));
    connect(copy, &QToolButton::clicked, this, reporting(this, &TBitWorkbench::copyChosen));
    FMessage = new QLabel(box);
    FMessage->setObjectName(QStringLiteral("MessageLine"));
    FMessage->setWordWrap(true);
    FMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

    layout->addWidget(caption(QStringLiteral("Va&lue:"), FValueEdit, box), 0, 0);
    layout->addWidget(FValueEdit, 0, 1);
    layout->addWidget(caption(QStringLiteral("Wid&th:"), FWidthBox, box), 0, 2);
    layout->addWidget(FWidthBox, 0, 3);
    layout->addWidget(FSignedBox, 0, 4);
    layout->addWidget(FCarryBox, 0, 5);
    layout->addWidget(caption(QStringLiteral("Copy &as:"), FCopyFormBox, box), 0, 6);
    layout->addWidget(FCopyFormBox, 0, 7);
    layout->addWidget(copy, 0, 8);
    layout->addWidget(FMessage, 1, 1, 1, 8);
    layout->setColumnStretch(1, 1);

    connect(FValueEdit, &QLineEdit::textEdited, this, reporting(this, &TBitWorkbench::valueEdited));
    connect(FWidthBox, &QComboBox::currentIndexChanged, this,
            reporting([this] { widthChosen(FWidthBox->currentData().toUInt()); }));
    connect(FSignedBox, &QCheckBox::toggled, this, reporting(this, &TBitWorkbench::signedToggled));
    connect(FCarryBox, &QCheckBox::toggled, this, reporting(this, &TBitWorkbench::carryToggled));
    return box;
}

QWidget* TBitWorkbench::buildWordPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(buildEntry());
    FGrid = new TBitGrid(page);
    FGrid->setObjectName(QStringLiteral("BitGrid"));
    layout->addWidget(
        caption(QStringLiteral("&Bits (click, or Space, to flip one):"), FGrid, page));
    layout->addWidget(FGrid);
    FFieldLine = new QLabel(page);
    FFieldLine->setObjectName(QStringLiteral("FieldLine"));
    FFieldLine->setWordWrap(true);
    layout->addWidget(FFieldLine);
    connect(FGrid, &TBitGrid::bitFlipped, this, reporting(this, &TBitWorkbench::bitFlipped));
    connect(FGrid, &TBitGrid::fieldChosen, this, reporting(this, &TBitWorkbench::fieldChosen));

    auto* left = new QWidget(page);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(buildOperations());
    leftLayout->addWidget(buildHistory(), 1);

    FSplitter = new QSplitter(Qt::Horizontal, page);
    FSplitter->setObjectName(QStringLiteral("WordSplitter"));
    FSplitter->addWidget(left);
    FSplitter->addWidget(buildViews());
    FSplitter->setStretchFactor(0, 2);
    FSplitter->setStretchFactor(1, 3);
    FSplitter->setSizes({380, 600});
    FSplitter->setChildrenCollapsible(false);
    layout->addWidget(FSplitter, 1);
    return page;
}

QWidget* TBitWorkbench::buildOperations()
{
    auto* group = new QGroupBox(QStringLiteral("Operations"), this);
    auto* layout = new QVBoxLayout(group);
    auto* arguments = new QHBoxLayout;
    FOperandEdit = new QLineEdit(group);
    nameField(FOperandEdit, "OperandEdit", QStringLiteral("Second operand"));
    FOperandEdit->setPlaceholderText(QStringLiteral("for AND, OR, XOR, NAND, NOR"));
    FOperandEdit->installEventFilter(this);
    FCountBox = new QSpinBox(group);
    nameField(FCountBox, "CountBox", QStringLiteral("Shift and rotate count"));
    FCountBox->setRange(1, 128);
    arguments->addWidget(caption(QStringLiteral("O&perand:"), FOperandEdit, group));
    arguments->addWidget(FOperandEdit, 1);
    arguments->addWidget(caption(QStringLiteral("Cou&nt:"), FCountBox, group));
    arguments->addWidget(FCountBox);
    layout->addLayout(arguments);
    // The buttons are the menu's actions, added when the menus are made.
    FOperationButtons = new QWidget(group);
    FOperationButtons->setObjectName(QStringLiteral("OperationButtons"));
    auto* buttons = new QGridLayout(FOperationButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(3);
    layout->addWidget(FOperationButtons);
    return group;
}

QWidget* TBitWorkbench::buildHistory()
{
    // The group's mnemonic takes the focus to the list, its only control.
    auto* group = new QGroupBox(QStringLiteral("&History"), this);
    auto* layout = new QVBoxLayout(group);
    FHistoryView = new THistoryView(
        FHistory, FUndoStack,
        [this](const BitWord& word) { return QString::fromStdString(copyText(word, copyForm())); },
        group);
    nameField(FHistoryView, "HistoryView", QStringLiteral("History of values"));
    FHistoryView->setToolTip(QStringLiteral("Ctrl+C copies the chosen values in the copy form; "
                                            "Enter or a double click goes back to one"));
    layout->addWidget(FHistoryView, 1);
    return group;
}

QWidget* TBitWorkbench::buildViews()
{
    auto* group = new QGroupBox(QStringLiteral("Views"), this);
    auto* inner = new QWidget;
    auto* layout = new QHBoxLayout(inner);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(12);
    // Width, signedness and carry have their own controls above.
    FIntegerViews = new TViewPanel(
        [](std::string_view key) {
            return !isFloatKey(key) && key != "width" && key != "signedness" && key != "carry";
        },
        inner);
    FIntegerViews->setObjectName(QStringLiteral("IntegerViews"));
    auto* integers = new QVBoxLayout;
    integers->addWidget(FIntegerViews);
    integers->addStretch(1);

    FFloatViewBox = new QCheckBox;
    nameField(FFloatViewBox, "FloatViewBox", QStringLiteral("Show the IEEE-754 float view"));
    FFloatViewBox->setChecked(true);
    FFloatViewBox->setToolTip(QStringLiteral(
        "The word read as a float of its width, its fields tinted in the grid (Ctrl+Shift+I)"));
    // The format's name is the check box's own.
    FFloatViews = new TViewPanel(
        [](std::string_view key) { return isFloatKey(key) && key != "float_format"; }, inner);
    FFloatViews->setObjectName(QStringLiteral("FloatViews"));
    // Words of 8 and 128 bits have no float: the column goes, and the
    // integers take its room.
    FFloatGroup = new QWidget(inner);
    auto* floats = new QVBoxLayout(FFloatGroup);
    floats->setContentsMargins(0, 0, 0, 0);
    floats->addWidget(FFloatViewBox);
    floats->addWidget(FFloatViews);
    floats->addStretch(1);
    layout->addLayout(integers, 3);
    layout->addWidget(FFloatGroup, 2);
    connect(FFloatViewBox, &QCheckBox::toggled, this,
            reporting(this, &TBitWorkbench::floatViewToggled));

    // A small screen, or a 128-bit word's taller grid, scrolls the views.
    auto* scroll = new QScrollArea(group);
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    inner->setAutoFillBackground(false);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(6, 6, 6, 6);
    groupLayout->addWidget(scroll);
    return group;
}
