#pragma once

#include "controls/CalcView.h"

#include <array>
#include <cstdint>
#include <memory>

class QButtonGroup;
class QLabel;
class QString;
enum TAddressClass : uint8_t;
class TIPAddSubnet;
class TIPAddSupernet;
class TOctetEdit;

namespace Ui {
class TSubnetCalc;
}

// The subnet calculator: class, subnet bits, address parts, subnet table and
// CIDR supernets.
//
// Every handler applies its input to a model (FSubnet for the first three
// tabs, FSupernet for CIDR), which clamps and normalises it, and then calls
// UpdateSubnetView, which writes the model back into every control of the
// active tab. The class selector and the bits spin edit above the tabs are
// shared, so they act on whichever model the active tab shows.
class TSubnetCalc : public TCalcView
{
    Q_OBJECT
public:
    explicit TSubnetCalc(QWidget* parent = nullptr);
    ~TSubnetCalc() override;

    QTabWidget* pageControl() const override;
    void pageEntered(QWidget* page) override;
    void pageLeaving(QWidget* page) override;

private:
    // Rewrites every display of the active tab from the models.
    void UpdateSubnetView();
    void AddressTypeRadioGroupClick();
    void BitsSpinEditChange();
    void CopySubnetHostButtonClick();
    // Automatic advance after three digits, Address Info (MaskEdit1 to 4)
    // and CIDR (MaskEdit5 to 8).
    void MaskEdit1Change(TOctetEdit* sender);
    void MaskEdit5Change(TOctetEdit* sender);
    // Leaving an octet: the first octet, the other three of Address Info,
    // and any octet of CIDR.
    void MaskEdit1Exit();
    void MaskEdit2Exit(TOctetEdit* sender);
    void MaskEdit5Exit(TOctetEdit* sender);
    // Enter in any of the eight octets applies it and refreshes.
    void MaskEdit1KeyPress(TOctetEdit* sender);
    // Puts a clamped Address Info octet into the model when it differs.
    void applyAddressOctet(int index, int32_t number);

    void refreshGeneralInfo();
    void refreshAddressInfo();
    void refreshSubnetHosts();
    void refreshCIDR();
    void buildSubnetTable();

    void fitSelectorItems();
    // The bits caption moves left for the longer supernet wording.
    void setBitsCaption(const QString& caption, int left);
    bool cidrActive() const;
    int selectedClass() const;
    // Program writes of the shared controls; each raises the control's
    // handler when the shown value really changes, as a user's change would.
    void showClass(TAddressClass classType);
    void showBits(int bits);
    void showOctets(const std::array<TOctetEdit*, 4>& edits, uint32_t address);
    static void showText(QLabel* panel, const QString& text);
    void advanceFrom(const std::array<TOctetEdit*, 4>& edits, TOctetEdit* sender);
    static int octetIndex(const std::array<TOctetEdit*, 4>& edits, const TOctetEdit* edit);
    void connectOctetEdits();

    std::unique_ptr<Ui::TSubnetCalc> ui;
    std::unique_ptr<TIPAddSubnet> FSubnet;
    std::unique_ptr<TIPAddSupernet> FSupernet;
    QButtonGroup* FAddressTypeItems = nullptr;
    std::array<TOctetEdit*, 4> FAddressEdits{};
    std::array<TOctetEdit*, 4> FSupernetEdits{};
    // The tab whose entry effects ran last. A field left while the tab
    // control switches pages is applied to the tab it belongs to, before
    // the new tab takes over the shared controls.
    QWidget* FActivePage = nullptr;
    bool FSubnetTableStale = true;
    bool FSubnetViewBusy = false;
};
