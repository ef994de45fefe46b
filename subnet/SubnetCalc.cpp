#include "subnet/SubnetCalc.h"

#include "controls/ClippedText.h"
#include "controls/ErrorReport.h"
#include "controls/FitText.h"
#include "controls/RadioGroup.h"
#include "controls/WaitCursorGuard.h"
#include "core/Conversions.h"
#include "ipaddress/IPAddress.h"
#include "ipaddress/SubnetEntry.h"
#include "ipaddress/SubnetTexts.h"
#include "subnet/OctetEdit.h"
#include "subnet/SubnetTable.h"
#include "ui_SubnetCalc.h"

#include <QButtonGroup>
#include <QFont>
#include <QFontInfo>
#include <QScopedValueRollback>

#include <algorithm>

namespace {

const int SubnetBitsLimit = 22;
const int SupernetBitsLimit = 24;
const int SelectorPixels = 12;

QString dotted(const TIPAddress& address)
{
    return QString::fromStdString(address.DecimalText());
}

QString dottedHex(const TIPAddress& address)
{
    return QString::fromStdString(address.HexText());
}

// Reads an octet edit's digits; the edit lets nothing else through, but the
// conversion still reports anything it cannot read with its usual message.
int32_t octetNumber(const TOctetEdit* edit)
{
    return conv::strToInt(edit->text().toStdString());
}

} // namespace

TSubnetCalc::TSubnetCalc(QWidget* parent)
    : TCalcView(parent), ui(std::make_unique<Ui::TSubnetCalc>()),
      FSubnet(std::make_unique<TIPAddSubnet>()), FSupernet(std::make_unique<TIPAddSupernet>())
{
    ui->setupUi(this);
    FAddressEdits = {ui->MaskEdit1, ui->MaskEdit2, ui->MaskEdit3, ui->MaskEdit4};
    FSupernetEdits = {ui->MaskEdit5, ui->MaskEdit6, ui->MaskEdit7, ui->MaskEdit8};

    QFont selectorFont = ui->AddressTypeRadioGroup->font();
    selectorFont.setPixelSize(SelectorPixels);
    ui->AddressTypeRadioGroup->setFont(selectorFont);
    fitSelectorItems();
    setBitsCaption(QStringLiteral("&Subnet Bits"), 219);
    // The bit map in the window's sans-serif face at 12 pixels, as the
    // selector: the same face, so it is looked up once.
    ui->BitMapPanel->setFont(selectorFont);

    ui->BitsSpinEdit->setMinValue(1);
    ui->BitsSpinEdit->setMaxValue(SubnetBitsLimit);
    ui->BitsSpinEdit->setValue(8);

    ui->CopySubnetHostButton->setGlyph(QStringLiteral(":/bitmaps/COPY.svg"),
                                       QStringLiteral(":/bitmaps/COPYDISABLED.svg"));

    TSuperStringGrid* grid = ui->SubnetHostStringGrid;
    grid->setColCount(2);
    grid->setFixedCols(0);
    grid->setFixedRows(1);
    grid->setColWidths(0, 71);
    grid->setColWidths(1, 176);
    grid->setOptions(TSuperStringGrid::goGridLines | TSuperStringGrid::goRangeSelect |
                     TSuperStringGrid::goColSizing);
    grid->setCells(0, 0, QStringLiteral("Subnet"));
    grid->setCells(1, 0, QStringLiteral("Host Range"));
    FSubnetTableStale = true;

    ui->SubnetPageControl->setCurrentWidget(ui->GeneralInfoTab);
    FActivePage = ui->GeneralInfoTab;

    // Every change of the class, whoever makes it, runs the click handler,
    // and so does a click on the class already selected.
    FAddressTypeItems =
        makeRadioGroup(this, {ui->AddressTypeClassA, ui->AddressTypeClassB, ui->AddressTypeClassC},
                       TCheckedItemClick::Handled, [this](int) { AddressTypeRadioGroupClick(); });
    connect(ui->BitsSpinEdit, &TBetterSpinEdit::changed, this, &TSubnetCalc::BitsSpinEditChange);
    connect(ui->CopySubnetHostButton, &QAbstractButton::clicked, this,
            reporting(this, &TSubnetCalc::CopySubnetHostButtonClick));
    connectOctetEdits();
    showWholeTextsWhenClipped(this);
}

TSubnetCalc::~TSubnetCalc()
{
    // The child controls are deleted after this body, by the base class, and
    // deleting them can move the focus and commit a field. By then the models
    // are gone, so no handler of this calculator may run any more.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TSubnetCalc::connectOctetEdits()
{
    for (TOctetEdit* edit : FAddressEdits) {
        connect(edit, &QLineEdit::textEdited, this,
                reporting([this, edit] { MaskEdit1Change(edit); }));
        connect(edit, &TOctetEdit::enterPressed, this, [this, edit] { MaskEdit1KeyPress(edit); });
        if (edit == ui->MaskEdit1)
            connect(edit, &TOctetEdit::exited, this, &TSubnetCalc::MaskEdit1Exit);
        else
            connect(edit, &TOctetEdit::exited, this, [this, edit] { MaskEdit2Exit(edit); });
    }
    for (TOctetEdit* edit : FSupernetEdits) {
        connect(edit, &QLineEdit::textEdited, this,
                reporting([this, edit] { MaskEdit5Change(edit); }));
        connect(edit, &TOctetEdit::enterPressed, this, [this, edit] { MaskEdit1KeyPress(edit); });
        connect(edit, &TOctetEdit::exited, this, [this, edit] { MaskEdit5Exit(edit); });
    }
}

QTabWidget* TSubnetCalc::pageControl() const
{
    return ui->SubnetPageControl;
}

bool TSubnetCalc::cidrActive() const
{
    return FActivePage == ui->CIDRTab;
}

void TSubnetCalc::pageEntered(QWidget* page)
{
    FActivePage = page;
    if (page == ui->GeneralInfoTab || page == ui->AddressInfoTab || page == ui->SubnetHostTab) {
        if (page == ui->SubnetHostTab) {
            ui->CopySubnetHostButton->setEnabled(true);
            emit copyAvailable(ui->CopySubnetHostButton);
        }
        // The subnet bits go in before the maximum drops back from the
        // supernet range: lowering the maximum first would clamp a supernet
        // value of 23 or 24 and hand it to the subnet model as a change.
        ui->BitsSpinEdit->setValue(FSubnet->SubnetBits());
        ui->BitsSpinEdit->setMaxValue(SubnetBitsLimit);
    } else if (page == ui->CIDRTab) {
        ui->AddressTypeRadioGroup->setTitle(QStringLiteral("Address Prefix"));
        setBitsCaption(QStringLiteral("&Supernet Bits"), 211);
        ui->BitsSpinEdit->setMaxValue(SupernetBitsLimit);
    }
    // The shared controls and the new tab's displays show its model.
    UpdateSubnetView();
}

void TSubnetCalc::pageLeaving(QWidget* page)
{
    if (page == ui->SubnetHostTab) {
        emit copyUnavailable();
        ui->CopySubnetHostButton->setEnabled(false);
    } else if (page == ui->CIDRTab) {
        ui->AddressTypeRadioGroup->setTitle(QStringLiteral("Address Type"));
        setBitsCaption(QStringLiteral("&Subnet Bits"), 219);
        ui->SubnetPageControl->repaint();
    }
}

void TSubnetCalc::fitSelectorItems()
{
    // The three items keep one size: the largest at which every one fits.
    int pixels = SelectorPixels;
    for (QRadioButton* item :
         {ui->AddressTypeClassA, ui->AddressTypeClassB, ui->AddressTypeClassC}) {
        fitFontToWidth(item, pixels, item->width());
        pixels = QFontInfo(item->font()).pixelSize();
    }
    for (QRadioButton* item :
         {ui->AddressTypeClassA, ui->AddressTypeClassB, ui->AddressTypeClassC}) {
        QFont font = item->font();
        font.setPixelSize(pixels);
        item->setFont(font);
    }
}

void TSubnetCalc::setBitsCaption(const QString& caption, int left)
{
    QLabel* label = ui->BitsLabel;
    label->setText(caption);
    label->setGeometry(left, label->y(), width() - left, label->height());
    label->setFont(QFont());
    fitFontToWidth(label, QFontInfo(label->font()).pixelSize(), label->width());
}

int TSubnetCalc::selectedClass() const
{
    return FAddressTypeItems->checkedId();
}

void TSubnetCalc::showClass(TAddressClass classType)
{
    if (classType == selectedClass())
        return;
    // Checking the item runs the click handler.
    if (QAbstractButton* item = FAddressTypeItems->button(classType))
        item->setChecked(true);
}

void TSubnetCalc::showBits(int bits)
{
    ui->BitsSpinEdit->setValue(bits);
}

void TSubnetCalc::showText(QLabel* panel, const QString& text)
{
    if (panel->text() == text)
        return;
    panel->setText(text);
    // A screen reader reads the caption (the buddy) together with the value.
    panel->setAccessibleName(text);
}

void TSubnetCalc::showOctets(const std::array<TOctetEdit*, 4>& edits, uint32_t address)
{
    const TIPAddress value(address);
    for (size_t i = 0; i < edits.size(); ++i) {
        const QString text = QString::number(value.GetByte(static_cast<uint8_t>(i)));
        // An unchanged octet keeps its caret and selection.
        if (edits[i]->text() != text)
            edits[i]->setText(text);
    }
}

void TSubnetCalc::AddressTypeRadioGroupClick()
{
    const auto classType = TAddressClass(std::max(0, selectedClass()));
    if (cidrActive()) {
        FSupernet->SetClassType(classType);
    } else {
        FSubnet->SetClassType(classType);
        FSubnetTableStale = true;
    }
    UpdateSubnetView();
}

void TSubnetCalc::BitsSpinEditChange()
{
    const auto bits = static_cast<uint8_t>(std::clamp<int32_t>(ui->BitsSpinEdit->Value(), 0, 255));
    if (cidrActive()) {
        if (bits != FSupernet->SupernetBits())
            FSupernet->SetSupernetBits(bits);
    } else if (bits != FSubnet->SubnetBits()) {
        FSubnet->SetSubnetBits(bits);
        FSubnetTableStale = true;
    }
    UpdateSubnetView();
}

void TSubnetCalc::CopySubnetHostButtonClick()
{
    ui->SubnetHostStringGrid->CopyToClipboard();
}

void TSubnetCalc::UpdateSubnetView()
{
    if (FSubnetViewBusy)
        return;
    // Dropped however the refresh ends, so a failure never leaves the
    // calculator refusing to refresh.
    const QScopedValueRollback<bool> busy(FSubnetViewBusy, true);
    if (FActivePage == ui->GeneralInfoTab)
        refreshGeneralInfo();
    else if (FActivePage == ui->AddressInfoTab)
        refreshAddressInfo();
    else if (FActivePage == ui->SubnetHostTab)
        refreshSubnetHosts();
    else if (FActivePage == ui->CIDRTab)
        refreshCIDR();
}

void TSubnetCalc::refreshGeneralInfo()
{
    showClass(FSubnet->ClassType());
    showBits(FSubnet->SubnetBits());
    showText(ui->MaxSubnetsPanel, QString::number(FSubnet->MaxSubnets()));
    showText(ui->MaxHostsPanel, QString::number(FSubnet->MaxHosts()));
    showText(ui->BitMapPanel, QString::fromStdString(FSubnet->BitMapText()));
    const char letter = FSubnet->ClassLetter();
    ui->DecClassMaskLabel->setText(
        QString::fromStdString(subnettexts::decimalClassMaskCaption(letter)));
    ui->HexClassMaskLabel->setText(
        QString::fromStdString(subnettexts::hexClassMaskCaption(letter)));
    showText(ui->DecClassMaskPanel, dotted(FSubnet->ClassMask()));
    showText(ui->HexClassMaskPanel, dottedHex(FSubnet->ClassMask()));
    showText(ui->DecMaskPanel, dotted(FSubnet->SubnetMask()));
    showText(ui->HexMaskPanel, dottedHex(FSubnet->SubnetMask()));
}

void TSubnetCalc::refreshAddressInfo()
{
    showClass(FSubnet->ClassType());
    showBits(FSubnet->SubnetBits());
    showOctets(FAddressEdits, FSubnet->GetAddress());
    showText(ui->HexAddressPanel, QString::fromStdString(FSubnet->HexText()));
    showText(ui->AddressRangePanel, subnettable::hostRangeText(*FSubnet));
    // The subnet bits alone, not the full mask General Info shows.
    showText(ui->SubnetMaskPanel, dotted(FSubnet->RangeMask()));
    showText(ui->SubnetIDPanel, dotted(FSubnet->SubnetID()));
    showText(ui->NetworkIDPanel, dotted(FSubnet->NetworkID()));
    showText(ui->HostIDPanel, dotted(FSubnet->HostID()));
}

void TSubnetCalc::refreshSubnetHosts()
{
    const bool wasCurrent = !FSubnetTableStale;
    showClass(FSubnet->ClassType());
    showBits(FSubnet->SubnetBits());
    // Showing the model its own class raises the selector's handler, which
    // marks the table stale; that is no change to the table.
    if (wasCurrent)
        FSubnetTableStale = false;
    // Draw the newly shown tab before a long build starts.
    window()->repaint();
    if (FSubnetTableStale)
        buildSubnetTable();
    FSubnetTableStale = false;
}

void TSubnetCalc::buildSubnetTable()
{
    WaitCursorGuard busyCursor;
    TSuperStringGrid* grid = ui->SubnetHostStringGrid;
    const int32_t last = subnettable::lastListedSubnet(*FSubnet);
    grid->setRowCount(last + 2);
    // The rows go into the grid as one block: written cell by cell, each of
    // the up to 32,770 cells would be announced to the view on its own,
    // which costs more than making all of the texts.
    QStringList cells;
    cells.reserve(2 * (last + 1));
    subnettable::forEachRow(*FSubnet,
                            [&cells](int32_t, const QString& numberCell, const QString& rangeCell) {
                                cells << numberCell << rangeCell;
                            });
    grid->setCellBlock(0, 1, 2, cells);
}

void TSubnetCalc::refreshCIDR()
{
    showClass(FSupernet->ClassType());
    showBits(FSupernet->SupernetBits());
    showOctets(FSupernetEdits, FSupernet->GetAddress());
    showText(ui->NumNetworksPanel, QString::number(FSupernet->SupernetCount()));
    showText(ui->AllocationPanel, QString::fromStdString(subnettexts::supernetRange(*FSupernet)));
    showText(ui->RouteMaskPanel, QString::fromStdString(subnettexts::routeMask(*FSupernet)));
    showText(ui->HexRouteMaskPanel, QString::fromStdString(subnettexts::hexRouteMask(*FSupernet)));
}

int TSubnetCalc::octetIndex(const std::array<TOctetEdit*, 4>& edits, const TOctetEdit* edit)
{
    const auto found = std::find(edits.begin(), edits.end(), edit);
    return found == edits.end() ? -1 : static_cast<int>(found - edits.begin());
}

void TSubnetCalc::advanceFrom(const std::array<TOctetEdit*, 4>& edits, TOctetEdit* sender)
{
    if (sender->text().size() != 3)
        return;
    const int index = octetIndex(edits, sender);
    if (index < 0)
        return;
    // Entering by advance selects the octet, as entering by Tab does, so the
    // next three digits replace it. Leaving the sender applies it.
    edits[static_cast<size_t>((index + 1) % 4)]->setFocus(Qt::TabFocusReason);
}

void TSubnetCalc::MaskEdit1Change(TOctetEdit* sender)
{
    advanceFrom(FAddressEdits, sender);
}

void TSubnetCalc::MaskEdit5Change(TOctetEdit* sender)
{
    advanceFrom(FSupernetEdits, sender);
}

void TSubnetCalc::MaskEdit1Exit()
{
    TOctetEdit* edit = ui->MaskEdit1;
    if (edit->text().isEmpty())
        edit->setText(QStringLiteral("1"));
    applyAddressOctet(0, subnetentry::clampAddressInfoOctet(0, octetNumber(edit)));
}

void TSubnetCalc::MaskEdit2Exit(TOctetEdit* sender)
{
    const int index = octetIndex(FAddressEdits, sender);
    if (index < 1)
        return;
    if (sender->text().isEmpty())
        sender->setText(QStringLiteral("0"));
    applyAddressOctet(index, subnetentry::clampAddressInfoOctet(index, octetNumber(sender)));
}

void TSubnetCalc::applyAddressOctet(int index, int32_t number)
{
    const auto octet = static_cast<uint8_t>(index);
    // An unchanged octet neither touches the model nor refreshes, so the
    // edit keeps what was typed.
    if (number == FSubnet->GetByte(octet))
        return;
    FSubnet->SetByte(octet, static_cast<uint8_t>(number));
    FSubnetTableStale = true;
    UpdateSubnetView();
}

void TSubnetCalc::MaskEdit5Exit(TOctetEdit* sender)
{
    const int index = octetIndex(FSupernetEdits, sender);
    if (index < 0)
        return;
    // Unlike Address Info, nothing is filled in or clamped here: an empty or
    // out-of-range octet is refused with a message and the model keeps its
    // value, so the user can correct what was typed.
    const auto number = conv::rangeChecked(octetNumber(sender), 0, 255);
    FSupernet->SetByte(static_cast<uint8_t>(index), static_cast<uint8_t>(number));
    UpdateSubnetView();
}

void TSubnetCalc::MaskEdit1KeyPress(TOctetEdit* sender)
{
    if (sender == ui->MaskEdit1)
        MaskEdit1Exit();
    else if (octetIndex(FAddressEdits, sender) >= 0)
        MaskEdit2Exit(sender);
    else
        MaskEdit5Exit(sender);
    UpdateSubnetView();
}
