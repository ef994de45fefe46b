#pragma once

#include "path/LatencyElement.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QComboBox;
class TTopologyListModel;
class QFocusEvent;
class QPushButton;

namespace Ui {
class TTNetworkButtonForm;
}

// The properties dialog of a chain element: topology, bandwidth and
// propagation delay of a network, or processing time and packet size of a
// node. One modeless instance stays on top of the main window and serves
// every element; the calculator binds OKButton to its ApplyProperties and
// reads the values back from here.
class TTNetworkButtonForm : public QDialog
{
    Q_OBJECT
public:
    explicit TTNetworkButtonForm(QWidget* parent = nullptr);
    ~TTNetworkButtonForm() override;

    // The topology list the dialog offers and adds typed names to; the
    // calculator keeps it.
    void SetTopologies(TTopologyListModel* offered);

    // Shows the element's values and opens the dialog (modeless).
    void ShowFor(const TNetworkElement& element);

    // Lays the dialog out for a kind: bandwidth list, panel, height, and the
    // propagation delay's state and default. Nothing when already laid out so.
    void SetupForKind(TNetworkButtonKind kind);
    void FillBandwidthList(TNetworkButtonKind kind);
    std::optional<TNetworkButtonKind> CurrentKind() const { return FCurrentKind; }

    QPushButton* OKButton() const;

    // What OK takes over into the element.
    QString TopologyText() const;
    // Position of the entry chosen from the topology list; -1 once typed.
    int TopologyIndex() const { return FTopologyIndex; }
    QString BandwidthText() const;
    // The bandwidth text as a number of Mbps. Raises "'%s' is not a valid
    // floating point value" for a text that is no number or is below zero.
    float Bandwidth() const;
    // Position of the entry chosen from the bandwidth list; -1 once typed.
    int BandwidthIndex() const { return FBandwidthIndex; }
    int32_t PropagationDelay() const;
    int32_t ProcessTime() const;
    int32_t PacketSize() const;

    // The topologies offered: the list grows by the names users type and
    // the names of restored elements.
    QStringList TopologyList() const;

    // Ends typing in whatever field has the focus, as leaving it would, so a
    // value typed but not yet committed is not lost; also typing held while
    // the focus rested on Cancel.
    void CommitTyping();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void TopologyComboBoxChange();
    void TopologyComboBoxExit();
    void BandwidthComboBoxExit();
    void ButtonClick();
    void SetTopologyText(const QString& text);
    void SetBandwidthText(const QString& text);
    void SelectBandwidth(int index);
    void SetPropagationDelayEnabled(bool enabled);
    void Retitle();
    // The combo box that is or holds `object`, if any.
    QComboBox* BoxOf(const QObject* object) const;
    // Runs the box's exit handler.
    void CommitBox(QComboBox* box);
    void FocusLeft(QObject* watched, const QFocusEvent* event);

    std::unique_ptr<Ui::TTNetworkButtonForm> ui;
    // Appends the name to the topology list unless it is an entry already.
    void AddTopology(const QString& name);

    TTopologyListModel* FTopologies = nullptr;
    std::optional<TNetworkButtonKind> FCurrentKind;
    int FTopologyIndex = -1;
    int FBandwidthIndex = -1;
    bool FCentred = false;
    // Whether the user chose or typed a topology since the dialog opened.
    bool FTopologyEdited = false;
    // The box left for Cancel, whose typing commits if the focus moves on.
    QPointer<QComboBox> FHeldCommit;
};
