// The path window's controls and how they are laid out: the path, TCP and
// the encapsulation stack on the left, the figures above the plots and the
// clamp lines on the right. Everything is in layouts, so the window can be
// made any size; it opens within a 1024 x 768 screen.
#include "performance/PathWindow.h"

#include "performance/FigurePanel.h"
#include "performance/RatePlot.h"
#include "performance/StackEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

void nameField(QWidget* field, const char* objectName, const QString& accessibleName)
{
    field->setObjectName(QLatin1String(objectName));
    field->setAccessibleName(accessibleName);
}

// A caption whose mnemonic moves the focus to its field, and that a screen
// reader says with the field.
QLabel* caption(const QString& text, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    return label;
}

QLineEdit* lineEdit(const char* objectName, const QString& accessibleName,
                    const QString& placeholder, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    nameField(edit, objectName, accessibleName);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

void TPathWindow::buildLayout()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);

    auto* inputs = new QVBoxLayout;
    inputs->addWidget(buildPath());
    inputs->addWidget(buildTcp());
    inputs->addWidget(buildStack(), 1);
    FFaultLine = new QLabel(central);
    FFaultLine->setObjectName(QStringLiteral("PathFault"));
    FFaultLine->setWordWrap(true);
    FFaultLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FFaultLine->hide();
    inputs->addWidget(FFaultLine);
    auto* left = new QWidget(central);
    left->setLayout(inputs);
    inputs->setContentsMargins(0, 0, 0, 0);
    left->setMaximumWidth(400);
    layout->addWidget(left, 0);
    layout->addWidget(buildResults(), 1);
    setCentralWidget(central);
    resize(1000, 700);
}

QWidget* TPathWindow::buildPath()
{
    auto* group = new QGroupBox(QStringLiteral("Path"), this);
    auto* form = new QFormLayout(group);
    FUseChainBox = new QCheckBox(QStringLiteral("Use the &chain's figures"), group);
    nameField(FUseChainBox, "UseChainBox", QStringLiteral("Use the chain's figures"));
    FUseChainBox->setToolTip(
        QStringLiteral("The latency calculator's bottleneck and round trip, as its chain changes"));
    form->addRow(FUseChainBox);
    FBottleneckLabel = new QLabel(group);
    FBottleneckLabel->setObjectName(QStringLiteral("BottleneckLabel"));
    FBottleneckLabel->setWordWrap(true);
    FBottleneckLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(FBottleneckLabel);
    FBandwidthEdit = lineEdit("BandwidthEdit", QStringLiteral("Bottleneck bandwidth in Mbit/s"),
                              QStringLiteral("such as 100"), group);
    form->addRow(caption(QStringLiteral("&Bandwidth (Mbit/s):"), FBandwidthEdit, group),
                 FBandwidthEdit);
    FRoundTripEdit = lineEdit("RoundTripEdit", QStringLiteral("Round trip in milliseconds"),
                              QStringLiteral("such as 40"), group);
    form->addRow(caption(QStringLiteral("&Round trip (ms):"), FRoundTripEdit, group),
                 FRoundTripEdit);
    FMtuBox = new QSpinBox(group);
    nameField(FMtuBox, "MtuBox", QStringLiteral("Link MTU in bytes"));
    FMtuBox->setRange(minLinkMtu, maxLinkMtu);
    FMtuBox->setValue(1500);
    FMtuBox->setGroupSeparatorShown(false);
    form->addRow(caption(QStringLiteral("Link &MTU (bytes):"), FMtuBox, group), FMtuBox);
    FIpVersionBox = new QComboBox(group);
    nameField(FIpVersionBox, "IpVersionBox", QStringLiteral("IP version of the flow"));
    FIpVersionBox->addItem(QStringLiteral("IPv4"), 4);
    FIpVersionBox->addItem(QStringLiteral("IPv6"), 6);
    form->addRow(caption(QStringLiteral("&IP version:"), FIpVersionBox, group), FIpVersionBox);
    FTimestampsBox = new QCheckBox(QStringLiteral("TCP &timestamps (12 bytes a segment)"), group);
    nameField(FTimestampsBox, "TimestampsBox", QStringLiteral("TCP timestamps"));
    form->addRow(FTimestampsBox);
    return group;
}

QWidget* TPathWindow::buildTcp()
{
    auto* group = new QGroupBox(QStringLiteral("TCP"), this);
    auto* form = new QFormLayout(group);
    FWindowEdit = lineEdit("WindowEdit", QStringLiteral("Receive window"),
                           QStringLiteral("65535, 256 KiB, 4 MB"), group);
    form->addRow(caption(QStringLiteral("Receive &window:"), FWindowEdit, group), FWindowEdit);
    FScalingBox = new QCheckBox(QStringLiteral("Window scalin&g"), group);
    nameField(FScalingBox, "ScalingBox", QStringLiteral("Window scaling"));
    FScalingBox->setToolTip(QStringLiteral("Off: the window is at most 65,535 bytes"));
    form->addRow(FScalingBox);
    FLossEdit = lineEdit("LossEdit", QStringLiteral("Packet loss rate"),
                         QStringLiteral("0, 0.0001 or 0.01%"), group);
    form->addRow(caption(QStringLiteral("&Loss rate:"), FLossEdit, group), FLossEdit);
    FSizeEdit = lineEdit("SizeEdit", QStringLiteral("Transfer size"),
                         QStringLiteral("10 GB, 1.5 GiB"), group);
    form->addRow(caption(QStringLiteral("Transfer si&ze:"), FSizeEdit, group), FSizeEdit);
    return group;
}

QWidget* TPathWindow::buildStack()
{
    auto* group = new QGroupBox(QStringLiteral("Encapsulation"), this);
    auto* layout = new QVBoxLayout(group);
    FStackEditor = new TStackEditor(FUndoStack, group);
    FStackEditor->setObjectName(QStringLiteral("StackEditor"));
    layout->addWidget(FStackEditor);
    return group;
}

QWidget* TPathWindow::buildResults()
{
    auto* results = new QWidget(this);
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    FFigures = new TFigurePanel(results);
    FFigures->setObjectName(QStringLiteral("FigurePanel"));
    layout->addWidget(FFigures);

    FPlotTabs = new QTabWidget(results);
    nameField(FPlotTabs, "PlotTabs", QStringLiteral("Plots and MSS clamp"));
    FLossPlot = new TRatePlot(TPlotAxis::Loss, FPlotTabs);
    FLossPlot->setObjectName(QStringLiteral("LossPlot"));
    FRoundTripPlot = new TRatePlot(TPlotAxis::RoundTrip, FPlotTabs);
    FRoundTripPlot->setObjectName(QStringLiteral("RoundTripPlot"));
    FPlotTabs->addTab(FLossPlot, QStringLiteral("Rate against loss"));
    FPlotTabs->addTab(FRoundTripPlot, QStringLiteral("Rate against round trip"));

    auto* clamp = new QWidget(FPlotTabs);
    auto* clampLayout = new QVBoxLayout(clamp);
    FClampText = new QPlainTextEdit(clamp);
    nameField(FClampText, "ClampText", QStringLiteral("MSS clamp configuration lines"));
    FClampText->setReadOnly(true);
    FClampText->setLineWrapMode(QPlainTextEdit::NoWrap);
    FClampText->setTabChangesFocus(true);
    FClampText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* copy = new QPushButton(QStringLiteral("C&opy Lines"), clamp);
    copy->setObjectName(QStringLiteral("CopyClampButton"));
    connect(copy, &QPushButton::clicked, this, [this] { copyClampLines(); });
    clampLayout->addWidget(
        caption(QStringLiteral("MSS clamp for the flow's IP version, on the router the flows "
                               "pass:"),
                FClampText, clamp));
    clampLayout->addWidget(FClampText, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copy);
    clampLayout->addLayout(buttons);
    FPlotTabs->addTab(clamp, QStringLiteral("MSS clamp"));
    layout->addWidget(FPlotTabs, 1);
    return results;
}
