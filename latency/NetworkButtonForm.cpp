#include "latency/NetworkButtonForm.h"

#include "controls/ErrorReport.h"
#include "controls/FitText.h"
#include "controls/FocusMove.h"
#include "core/Errors.h"
#include "core/FloatConversions.h"
#include "latency/TopologyListModel.h"
#include "ui_NetworkButtonForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSignalBlocker>

#include <cmath>

namespace {

const QString unknownNetwork = QString::fromLatin1(UnknownNetworkName);

// The client area: the panel of the kind's fields, then the OK and Cancel
// row, then a margin, and nothing else.
constexpr int clientWidth = 238;
constexpr int networkButtonTop = 136;
constexpr int nodeButtonTop = 104;
constexpr int buttonHeight = 25;
constexpr int marginBelowButtons = 10;
constexpr int networkClientHeight = networkButtonTop + buttonHeight + marginBelowButtons;
constexpr int nodeClientHeight = nodeButtonTop + buttonHeight + marginBelowButtons;

bool isEnterKey(const QEvent* event)
{
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Bandwidths are typed as plain decimals: digits and the point, plus control
// characters so editing keys and the clipboard shortcuts keep working.
bool isBandwidthCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 32 && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) &&
            c != QLatin1Char('.'))
            return false;
    }
    return true;
}

// A text wider than its box shows its beginning, not its end.
void showTextStart(QComboBox* box)
{
    box->lineEdit()->setCursorPosition(0);
}

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

TTNetworkButtonForm::TTNetworkButtonForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TTNetworkButtonForm>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    // Both panels take the same place; only the one for the kind shows.
    ui->StationPanel->move(ui->StationPanel->x(), 0);
    for (QLabel* label :
         {ui->Label1, ui->Label2, ui->PropDelayLabel, ui->ProcessTimeLabel, ui->PacketSizeLabel})
        // The panels are only as wide as their fields.
        condenseToParent(label);
    setFixedSize(clientWidth, networkClientHeight);

    for (QComboBox* box : {ui->TopologyComboBox, ui->BandwidthComboBox}) {
        // Typed text stays as typed: no completion into list entries and no
        // entries added behind the dialog's back.
        box->setCompleter(nullptr);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Nor does leaving the box pick the entry that matches the text: a
        // typed topology is the user's own even when the list knows it.
        // QComboBox makes that match in a private slot of its own, with no
        // property to turn it off, so its connection is the one way to it.
        disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
        // Keys reach the box before its edit field, and so does leaving it.
        box->installEventFilter(this);
    }
    SetTopologyText(unknownNetwork);
    SetBandwidthText(QStringLiteral("0"));

    // Only what the user chooses or types runs the change handler; the
    // dialog's own writes go through blocked signals.
    connect(ui->TopologyComboBox, qOverload<int>(&QComboBox::activated), this,
            reporting([this](int index) {
                FTopologyIndex = index;
                FTopologyEdited = true;
                TopologyComboBoxChange();
            }));
    connect(ui->TopologyComboBox->lineEdit(), &QLineEdit::textEdited, this, reporting([this] {
                FTopologyIndex = -1;
                FTopologyEdited = true;
                TopologyComboBoxChange();
            }));
    connect(ui->BandwidthComboBox, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { FBandwidthIndex = index; });
    connect(ui->BandwidthComboBox->lineEdit(), &QLineEdit::textEdited, this,
            [this] { FBandwidthIndex = -1; });
    connect(ui->CancelButton, &QPushButton::clicked, this,
            reporting(this, &TTNetworkButtonForm::ButtonClick));
    // Typing is held, not committed, while the focus rests on Cancel.
    ui->CancelButton->installEventFilter(this);
}

TTNetworkButtonForm::~TTNetworkButtonForm() = default;

QPushButton* TTNetworkButtonForm::OKButton() const
{
    return ui->OKButton;
}

void TTNetworkButtonForm::showEvent(QShowEvent* event)
{
    if (!FCentred) {
        FCentred = true;
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void TTNetworkButtonForm::FillBandwidthList(TNetworkButtonKind kind)
{
    const QSignalBlocker blocker(ui->BandwidthComboBox);
    const QString text = ui->BandwidthComboBox->currentText();
    ui->BandwidthComboBox->clear();
    ui->BandwidthComboBox->addItems(bandwidthList(kind));
    // Emptying the list also empties the text; the text is not the list's to change.
    ui->BandwidthComboBox->setCurrentIndex(-1);
    ui->BandwidthComboBox->setEditText(text);
    FBandwidthIndex = -1;
}

void TTNetworkButtonForm::SetupForKind(TNetworkButtonKind kind)
{
    if (FCurrentKind == kind)
        return;
    FillBandwidthList(kind);
    if (isNodeKind(kind)) {
        ui->OKButton->move(ui->OKButton->x(), nodeButtonTop);
        ui->CancelButton->move(ui->CancelButton->x(), nodeButtonTop);
        setFixedSize(clientWidth, nodeClientHeight);
        ui->PropDelaySpinEdit->setValue(0);
        ui->StationPanel->show();
        ui->NetworkPanel->hide();
    } else {
        ui->OKButton->move(ui->OKButton->x(), networkButtonTop);
        ui->CancelButton->move(ui->CancelButton->x(), networkButtonTop);
        setFixedSize(clientWidth, networkClientHeight);
        SetPropagationDelayEnabled(!propagationDelayDisabled(kind));
        if (const std::optional<int32_t> delay = defaultPropagationDelay(kind))
            ui->PropDelaySpinEdit->setValue(*delay);
        ui->StationPanel->hide();
        ui->NetworkPanel->show();
    }
    FCurrentKind = kind;
}

void TTNetworkButtonForm::SetPropagationDelayEnabled(bool enabled)
{
    ui->PropDelayLabel->setEnabled(enabled);
    ui->PropDelaySpinEdit->setEnabled(enabled);
}

void TTNetworkButtonForm::SetTopologies(TTopologyListModel* offered)
{
    FTopologies = offered;
    const QSignalBlocker blocker(ui->TopologyComboBox);
    ui->TopologyComboBox->setModel(offered);
    SetTopologyText(unknownNetwork);
}

void TTNetworkButtonForm::ShowFor(const TNetworkElement& element)
{
    FHeldCommit = nullptr;
    FTopologyEdited = false;
    SetupForKind(element.Kind);
    // Values of the element's own, typed rather than chosen, come back as
    // they are: OK on an unchanged dialog must leave the element unchanged.
    if (element.BandwidthIndex < 0 || element.BandwidthIndex >= ui->BandwidthComboBox->count())
        // OK on an unchanged dialog stores exactly what the element holds.
        SetBandwidthText(QString::fromStdString(conv::floatToStrShortest(element.Bandwidth)));
    else
        SelectBandwidth(element.BandwidthIndex);
    const QString name = QString::fromStdString(element.NetworkName);
    setWindowTitle(name + QStringLiteral(" Properties"));
    ui->PacketSizeSpinEdit->setValue(element.PacketSize);
    ui->ProcessTimeSpinEdit->setValue(element.ProcessTime);
    ui->PropDelaySpinEdit->setValue(element.PropagationDelay);
    if (element.TopologyIndex < 0 || element.TopologyIndex >= ui->TopologyComboBox->count()) {
        // A node's name is no topology; its dialog shows none anyway.
        SetTopologyText(element.isNode() ? unknownNetwork : name);
    } else {
        const QSignalBlocker blocker(ui->TopologyComboBox);
        ui->TopologyComboBox->setCurrentIndex(element.TopologyIndex);
        showTextStart(ui->TopologyComboBox);
        FTopologyIndex = element.TopologyIndex;
    }
    show();
    raise();
    activateWindow();
}

void TTNetworkButtonForm::SetTopologyText(const QString& text)
{
    const QSignalBlocker blocker(ui->TopologyComboBox);
    ui->TopologyComboBox->setCurrentIndex(-1);
    ui->TopologyComboBox->setEditText(text);
    showTextStart(ui->TopologyComboBox);
    FTopologyIndex = -1;
}

void TTNetworkButtonForm::SetBandwidthText(const QString& text)
{
    const QSignalBlocker blocker(ui->BandwidthComboBox);
    ui->BandwidthComboBox->setCurrentIndex(-1);
    ui->BandwidthComboBox->setEditText(text);
    FBandwidthIndex = -1;
}

void TTNetworkButtonForm::SelectBandwidth(int index)
{
    const QSignalBlocker blocker(ui->BandwidthComboBox);
    ui->BandwidthComboBox->setCurrentIndex(index);
    FBandwidthIndex = index;
}

void TTNetworkButtonForm::Retitle()
{
    setWindowTitle(ui->TopologyComboBox->currentText() + QStringLiteral(" Properties"));
}

void TTNetworkButtonForm::TopologyComboBoxChange()
{
    if (FTopologyIndex >= 0 && FTopologyIndex < topologyCount) {
        const TTopology& topology = topologies[FTopologyIndex];
        SetupForKind(topology.Kind);
        const int entry =
            indexOfText(bandwidthList(topology.Kind), QString::fromLatin1(topology.Bandwidth));
        SelectBandwidth(entry);
    } else {
        // A topology of the user's own, typed or appended earlier.
        SetupForKind(nbOther);
        SetBandwidthText(QStringLiteral("0"));
    }
    Retitle();
}

void TTNetworkButtonForm::TopologyComboBoxExit()
{
    Retitle();
    const QString text = ui->TopologyComboBox->currentText();
    if (text.isEmpty() || text == unknownNetwork) {
        // An element stored without a name keeps it until the user changes
        // the text: a box emptied by the user means no name of one's own.
        if (FTopologyEdited)
            SetTopologyText(unknownNetwork);
    } else {
        AddTopology(text);
    }
}

void TTNetworkButtonForm::BandwidthComboBoxExit()
{
    const QString text = ui->BandwidthComboBox->currentText();
    if (text.isEmpty() || text == QLatin1String("0")) {
        SetBandwidthText(QStringLiteral("0"));
    } else if (indexOfText(itemsOf(ui->BandwidthComboBox), text) < 0) {
        // Kept until the list is rebuilt for another kind.
        const QSignalBlocker blocker(ui->BandwidthComboBox);
        ui->BandwidthComboBox->addItem(text);
        ui->BandwidthComboBox->setEditText(text);
    }
}

void TTNetworkButtonForm::ButtonClick()
{
    close();
}

QString TTNetworkButtonForm::TopologyText() const
{
    return ui->TopologyComboBox->currentText();
}

QString TTNetworkButtonForm::BandwidthText() const
{
    return ui->BandwidthComboBox->currentText();
}

float TTNetworkButtonForm::Bandwidth() const
{
    const std::string text = BandwidthText().toStdString();
    const float value = conv::strToSingle(text);
    // Keys cannot type a minus sign, but pasting can; a bandwidth below
    // zero (minus zero too) would give negative delays and shares.
    if (std::signbit(value))
        throw EZentrixError(conv::invalidFloatMessage(text));
    return value;
}

int32_t TTNetworkButtonForm::PropagationDelay() const
{
    return ui->PropDelaySpinEdit->Value();
}

int32_t TTNetworkButtonForm::ProcessTime() const
{
    return ui->ProcessTimeSpinEdit->Value();
}

int32_t TTNetworkButtonForm::PacketSize() const
{
    return ui->PacketSizeSpinEdit->Value();
}

QStringList TTNetworkButtonForm::TopologyList() const
{
    return FTopologies ? FTopologies->names() : QStringList();
}

void TTNetworkButtonForm::AddTopology(const QString& name)
{
    if (!FTopologies || FTopologies->indexOf(name) >= 0)
        return;
    const QSignalBlocker blocker(ui->TopologyComboBox);
    const QString text = ui->TopologyComboBox->currentText();
    const int current = ui->TopologyComboBox->currentIndex();
    FTopologies->add(name);
    // Adding an entry leaves what the box shows and which entry is chosen alone.
    ui->TopologyComboBox->setCurrentIndex(current);
    ui->TopologyComboBox->setEditText(text);
}

void TTNetworkButtonForm::CommitTyping()
{
    if (QComboBox* box = FHeldCommit) {
        FHeldCommit = nullptr;
        CommitBox(box);
    }
    QWidget* focused = focusWidget();
    if (QComboBox* box = BoxOf(focused))
        CommitBox(box);
    else if (focused)
        focused->clearFocus();
}

QComboBox* TTNetworkButtonForm::BoxOf(const QObject* object) const
{
    for (QComboBox* box : {ui->TopologyComboBox, ui->BandwidthComboBox}) {
        if (object && (object == box || box->isAncestorOf(qobject_cast<const QWidget*>(object))))
            return box;
    }
    return nullptr;
}

void TTNetworkButtonForm::CommitBox(QComboBox* box)
{
    if (box == ui->TopologyComboBox)
        TopologyComboBoxExit();
    else
        BandwidthComboBoxExit();
}

void TTNetworkButtonForm::FocusLeft(QObject* watched, const QFocusEvent* event)
{
    // Only the focus moving on to another control of this dialog leaves a
    // box: switching windows, a pop-up, Esc, Cancel and the close box leave
    // the dialog instead, and commit nothing. The focus is already where it
    // is going.
    QWidget* next = QApplication::focusWidget();
    if (!isFocusMove(event) || !next || !isAncestorOf(next))
        return;
    if (watched == ui->CancelButton) {
        QComboBox* held = FHeldCommit;
        FHeldCommit = nullptr;
        if (held && BoxOf(next) != held)
            CommitBox(held);
        return;
    }
    QComboBox* box = BoxOf(watched);
    if (next == ui->CancelButton)
        // A click on Cancel takes the focus before it cancels: the typing
        // is committed only if the focus moves on from there.
        FHeldCommit = box;
    else
        CommitBox(box);
}

bool TTNetworkButtonForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && (watched == ui->CancelButton || BoxOf(watched))) {
        reportErrors([&] { FocusLeft(watched, static_cast<QFocusEvent*>(event)); });
        return QDialog::eventFilter(watched, event);
    }
    QComboBox* box = BoxOf(watched);
    if (!box || watched != box || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    if (isEnterKey(event)) {
        // Enter commits the text and keeps the dialog open.
        reportErrors([this, box] { CommitBox(box); });
        return true;
    }
    if (box == ui->BandwidthComboBox && !isBandwidthCharacter(key->text()))
        return true;
    return QDialog::eventFilter(watched, event);
}
