// The planner window's controls and how they are laid out: the parents and
// the first parent's facts, the options, the requests beside the result,
// and the map under them. Everything is in layouts, so the window can be
// made any size.
#include "planner/PlannerWindow.h"

#include "planner/CopyableTable.h"
#include "planner/FactsPanel.h"
#include "planner/PlanMap.h"
#include "planner/RequestModel.h"
#include "planner/RequestTable.h"
#include "planner/ResultModels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A line under a field that says what is wrong with it.
QLabel* faultLine(const char* name, QWidget* parent)
{
    auto* line = new QLabel(parent);
    line->setObjectName(QLatin1String(name));
    line->setWordWrap(true);
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return line;
}

// A caption whose mnemonic moves the focus to its field, and that a screen
// reader says with the field.
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

} // namespace

void TPlannerWindow::buildLayout()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(buildInputs());

    FTablesSplitter = new QSplitter(Qt::Horizontal, central);
    FTablesSplitter->setObjectName(QStringLiteral("TablesSplitter"));
    FTablesSplitter->addWidget(buildRequests());
    FTablesSplitter->addWidget(buildResults());
    FTablesSplitter->setStretchFactor(0, 1);
    FTablesSplitter->setStretchFactor(1, 3);
    FTablesSplitter->setSizes({300, 800});
    FTablesSplitter->setChildrenCollapsible(false);

    FMainSplitter = new QSplitter(Qt::Vertical, central);
    FMainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    FMainSplitter->addWidget(FTablesSplitter);
    FMainSplitter->addWidget(buildMap());
    FMainSplitter->setStretchFactor(0, 3);
    FMainSplitter->setStretchFactor(1, 1);
    FMainSplitter->setChildrenCollapsible(false);
    layout->addWidget(FMainSplitter, 1);
    setCentralWidget(central);
    resize(1120, 800);
}

QWidget* TPlannerWindow::buildInputs()
{
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* parentsGroup = new QGroupBox(QStringLiteral("Parent networks"), box);
    auto* parentsLayout = new QVBoxLayout(parentsGroup);
    FParentsEdit = new QPlainTextEdit(parentsGroup);
    nameField(FParentsEdit, "ParentsEdit", QStringLiteral("Parent networks, one per line"));
    FParentsEdit->setTabChangesFocus(true);
    FParentsEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    FParentsEdit->setFixedHeight(FParentsEdit->fontMetrics().lineSpacing() * 4 + 12);
    parentsLayout->addWidget(caption(QStringLiteral("&One per line:"), FParentsEdit, parentsGroup));
    parentsLayout->addWidget(FParentsEdit);
    FParentsFault = faultLine("ParentsFault", parentsGroup);
    parentsLayout->addWidget(FParentsFault);
    parentsLayout->addStretch(1);

    auto* optionsGroup = new QGroupBox(QStringLiteral("Options"), box);
    auto* options = new QGridLayout(optionsGroup);
    FModeBox = new QComboBox(optionsGroup);
    nameField(FModeBox, "ModeBox", QStringLiteral("Reservation mode"));
    // The entries say what each reserves; the tooltips say the smallest subnet.
    const std::pair<const char*, const char*> modes[] = {
        {"Standard", "Network and broadcast; 2 hosts get a /31, 1 host a /32; IPv6 none"},
        {"AWS", "5 addresses per subnet (first four and last); subnets /16 to /28"},
        {"Azure", "5 addresses per subnet (first four and last); subnets /2 to /29"},
        {"Google Cloud", "4 addresses per subnet (first two and last two); subnets /4 to /29"},
        {"Oracle Cloud", "3 addresses per subnet (first two and last); subnets /16 to /30"},
    };
    for (const auto& [mode, reserved] : modes) {
        FModeBox->addItem(QLatin1String(mode));
        FModeBox->setItemData(FModeBox->count() - 1, QLatin1String(reserved), Qt::ToolTipRole);
    }
    FGrowBox = new QSpinBox(optionsGroup);
    nameField(FGrowBox, "GrowBox", QStringLiteral("Growth margin in percent"));
    FGrowBox->setRange(0, int(MaxGrowPercent));
    FGrowBox->setSuffix(QStringLiteral(" %"));
    FOrderBox = new QComboBox(optionsGroup);
    nameField(FOrderBox, "OrderBox", QStringLiteral("Placing order"));
    FOrderBox->addItem(QStringLiteral("Largest block first"));
    FOrderBox->addItem(QStringLiteral("In the order given"));
    FNibbleBox = new QCheckBox(QStringLiteral("&Nibble boundaries (IPv6)"), optionsGroup);
    nameField(FNibbleBox, "NibbleBox", FNibbleBox->text().remove(QLatin1Char('&')));
    FP2p30Box = new QCheckBox(QStringLiteral("&Point-to-point links as /30"), optionsGroup);
    nameField(FP2p30Box, "P2p30Box", FP2p30Box->text().remove(QLatin1Char('&')));
    FP2p127Box =
        new QCheckBox(QStringLiteral("Point-to-point links as /12&7 (IPv6)"), optionsGroup);
    nameField(FP2p127Box, "P2p127Box", FP2p127Box->text().remove(QLatin1Char('&')));
    options->addWidget(caption(QStringLiteral("Reser&vation:"), FModeBox, optionsGroup), 0, 0);
    options->addWidget(FModeBox, 0, 1);
    options->addWidget(caption(QStringLiteral("&Growth margin:"), FGrowBox, optionsGroup), 1, 0);
    options->addWidget(FGrowBox, 1, 1);
    options->addWidget(caption(QStringLiteral("Or&der:"), FOrderBox, optionsGroup), 2, 0);
    options->addWidget(FOrderBox, 2, 1);
    options->addWidget(FNibbleBox, 3, 0, 1, 2);
    options->addWidget(FP2p30Box, 4, 0, 1, 2);
    options->addWidget(FP2p127Box, 5, 0, 1, 2);
    FOptionsFault = faultLine("OptionsFault", optionsGroup);
    FOptionsFault->hide();
    options->addWidget(FOptionsFault, 6, 0, 1, 2);
    options->setRowStretch(7, 1);

    auto* factsGroup = new QGroupBox(QStringLiteral("First parent"), box);
    auto* factsLayout = new QVBoxLayout(factsGroup);
    FFactsTitle = new QLabel(factsGroup);
    FFactsTitle->setObjectName(QStringLiteral("FactsTitle"));
    QFont bold = FFactsTitle->font();
    bold.setBold(true);
    FFactsTitle->setFont(bold);
    FFacts = new TFactsPanel(factsGroup);
    FFacts->setObjectName(QStringLiteral("FactsPanel"));
    // The facts scroll rather than hold the window wider than a small screen.
    auto* factsScroll = new QScrollArea(factsGroup);
    factsScroll->setWidget(FFacts);
    factsScroll->setWidgetResizable(true);
    factsScroll->setFrameShape(QFrame::NoFrame);
    factsScroll->setFocusPolicy(Qt::NoFocus);
    factsScroll->setMinimumWidth(200);
    factsScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The group's own face shows through, as under the other groups' fields.
    factsScroll->viewport()->setAutoFillBackground(false);
    FFacts->setAutoFillBackground(false);
    FFactsScroll = factsScroll;
    factsLayout->addWidget(FFactsTitle);
    factsLayout->addWidget(factsScroll, 1);

    layout->addWidget(parentsGroup, 2);
    layout->addWidget(optionsGroup, 2);
    layout->addWidget(factsGroup, 6);
    return box;
}

QWidget* TPlannerWindow::buildRequests()
{
    auto* group = new QGroupBox(QStringLiteral("Requests"), this);
    auto* layout = new QVBoxLayout(group);
    FRequestTable = new TRequestTable(group);
    nameField(FRequestTable, "RequestTable", QStringLiteral("Requests"));
    FRequestTable->setRequestModel(FRequests);
    auto* buttons = new QHBoxLayout;
    layout->addWidget(caption(QStringLiteral("Re&quests, edited in place:"), FRequestTable, group));
    layout->addWidget(FRequestTable, 1);
    FRequestsFault = faultLine("RequestsFault", group);
    FRequestsFault->hide();
    layout->addWidget(FRequestsFault);
    layout->addLayout(buttons);
    // The buttons are filled with the menu's actions when the menus are made.
    buttons->setObjectName(QStringLiteral("RequestButtons"));
    return group;
}

QWidget* TPlannerWindow::buildResults()
{
    auto* group = new QGroupBox(QStringLiteral("Plan"), this);
    auto* layout = new QVBoxLayout(group);
    FPlacedTable = new TCopyableTable(FPlaced, group);
    nameField(FPlacedTable, "PlacedTable", QStringLiteral("Placed blocks"));
    layout->addWidget(caption(QStringLiteral("Placed &blocks:"), FPlacedTable, group));
    layout->addWidget(FPlacedTable, 3);
    FSummary = new QLabel(group);
    FSummary->setObjectName(QStringLiteral("Summary"));
    FSummary->setWordWrap(true);
    layout->addWidget(FSummary);

    auto* lists = new QHBoxLayout;
    auto* unplaced = new QVBoxLayout;
    FUnplacedTable = new TCopyableTable(FUnplaced, group);
    nameField(FUnplacedTable, "UnplacedTable", QStringLiteral("Requests that did not fit"));
    unplaced->addWidget(caption(QStringLiteral("Did not fi&t:"), FUnplacedTable, group));
    unplaced->addWidget(FUnplacedTable);
    auto* free = new QVBoxLayout;
    FFreeTable = new TCopyableTable(FFree, group);
    nameField(FFreeTable, "FreeTable", QStringLiteral("Free blocks"));
    free->addWidget(caption(QStringLiteral("Free b&locks:"), FFreeTable, group));
    free->addWidget(FFreeTable);
    lists->addLayout(unplaced, 2);
    lists->addLayout(free, 3);
    layout->addLayout(lists, 1);
    return group;
}

QWidget* TPlannerWindow::buildMap()
{
    auto* group = new QGroupBox(QStringLiteral("Map"), this);
    auto* layout = new QVBoxLayout(group);
    FMap = new TPlanMap(group);
    FMap->setObjectName(QStringLiteral("PlanMap"));
    auto* scroll = new QScrollArea(group);
    scroll->setWidget(FMap);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    FMapScroll = scroll;
    scroll->viewport()->setAutoFillBackground(false);
    FMap->setAutoFillBackground(false);
    layout->addWidget(caption(
        QStringLiteral("&Map (a block's name and prefix show as its tooltip):"), FMap, group));
    layout->addWidget(scroll, 1);
    return group;
}
