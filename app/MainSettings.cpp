// Loading and saving the remembered state: the calculator in use and the
// whole latency layout.
#include "app/Main.h"

#include "app/SettingsRecords.h"
#include "app/SettingsStore.h"
#include "core/FloatConversions.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "latency/TopologyTable.h"
#include "radix/RadixorCalc.h"
#include "subnet/SubnetCalc.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

const QString calculatorValue = QStringLiteral("Calculator");
const QString numNetworksValue = QStringLiteral("NumNetworks");
const QString nodeAValue = QStringLiteral("NodeA");
const QString nodeBValue = QStringLiteral("NodeB");

QString networkValue(int n)
{
    return QStringLiteral("Network") + QString::number(n);
}

QString networkNameValue(int n)
{
    return networkValue(n) + QStringLiteral("Name");
}

// Damaged or foreign values must not make an element unusable: a kind that
// is no network kind would index past the pictures or turn a network into a
// node, a negative or non-finite bandwidth has no meaning (nor has a negative
// size, time or delay: it would show shares of negative delays), and a
// position off the panel would hide the element from the user.
TNetworkButtonKind storedNetworkKind(uint8_t kind)
{
    if (kind >= networkButtonKindCount || isNodeKind(static_cast<TNetworkButtonKind>(kind)))
        return nbUnknownNetwork;
    return static_cast<TNetworkButtonKind>(kind);
}

float storedBandwidth(float bandwidth)
{
    return std::isfinite(bandwidth) && bandwidth >= 0 ? bandwidth : 0.0f;
}

int32_t storedAmount(int32_t amount)
{
    return std::max<int32_t>(amount, 0);
}

int onPanel(int32_t edge, int panelExtent, int elementExtent)
{
    return std::clamp<int32_t>(edge, 0, std::max(0, panelExtent - elementExtent));
}

void readNode(TSettingsStore& store, const QString& name, TNetworkButton* node)
{
    TNodeRecord record;
    if (!decodeNodeRecord(store.ReadBinaryData(name, TNodeRecord::size), record))
        return;
    node->setPacketSize(storedAmount(record.PacketSize));
    node->setProcessTime(storedAmount(record.ProcessTime));
}

void writeNode(TSettingsStore& store, const QString& name, const TNetworkButton* node)
{
    TNodeRecord record;
    record.PacketSize = node->PacketSize();
    record.ProcessTime = node->ProcessTime();
    store.WriteBinaryData(name, encodeNodeRecord(record));
}

} // namespace

bool TMainForm::LoadSettings()
{
    FSettings = std::make_unique<TSettingsStore>();
    if (FSettings->WasUnreadable()) {
        // The store has kept the file aside and starts empty: the first value
        // is missing, as the message says, and this run starts as a first run
        // does, saving a whole store at its end.
        reportCreationError(TSettingsStore::MissingValueMessage(calculatorValue));
        return false;
    }
    if (!FSettings->KeyExists())
        return false;
    FSettings->OpenKey(false);

    switch (FSettings->ReadInteger(calculatorValue)) {
    case 0:
        RadixorCalculator1Click();
        FCalculatorRestored = true;
        break;
    case 1:
        VantrelCalculator1Click();
        FCalculatorRestored = true;
        break;
    case 2:
        LatencyCalculator1Click();
        FCalculatorRestored = true;
        break;
    default:
        break;
    }

    TLatencyCalc* latency = latencyCalc();
    readNode(*FSettings, nodeAValue, latency->nodeA());
    readNode(*FSettings, nodeBValue, latency->nodeB());

    // The chain never holds more networks than it has room for.
    const int numNetworks =
        std::min(FSettings->ReadInteger(numNetworksValue), TLatencyCalc::maxChainLength - 2);
    TTNetworkButtonForm* properties = latency->propertiesForm();
    for (int n = 1; n <= numNetworks; ++n) {
        latency->selectElement(latency->nodeB());
        TNetworkRecord record;
        const bool hasRecord = decodeNetworkRecord(
            FSettings->ReadBinaryData(networkValue(n), TNetworkRecord::size), record);
        TNetworkButton* element = latency->NewNetworkButtonClick();
        if (!element)
            break;
        const QWidget* panel = element->parentWidget();
        if (hasRecord) {
            element->setBandwidth(storedBandwidth(record.Bandwidth));
            element->setKind(storedNetworkKind(record.Kind));
            // The kind setter offers "Remove"; the chain decides whether it may.
            latency->syncRemoveCommands();
            element->move(onPanel(record.Left, panel->width(), element->width()), element->y());
        }
        const QString name = FSettings->ReadString(networkNameValue(n));
        element->setNetworkName(name);
        const QString bandwidthText =
            QString::fromStdString(conv::floatToStrGeneral(element->Bandwidth()));
        element->setHint(networkLabel(name, element->Bandwidth()));
        if (hasRecord) {
            element->setPropagationDelay(storedAmount(record.PropagationDelay));
            element->move(element->x(), onPanel(record.Top, panel->height(), element->height()));
        }
        // A missing name is no topology to offer in the dialog.
        element->setTopologyIndex(name.isEmpty() ? -1 : properties->addTopology(name));
        element->setBandwidthIndex(indexOfText(bandwidthList(element->Kind()), bandwidthText));
    }

    FSettings->CloseKey();
    return true;
}

void TMainForm::SaveSettings()
{
    if (!FSettings)
        FSettings = std::make_unique<TSettingsStore>();
    FSettings->OpenKey(true);

    // The window may already be hidden while it closes: ask which container
    // is shown within it, not whether it is on screen.
    int calculator = 2;
    if (!radixorCalc()->isHidden())
        calculator = 0;
    else if (!subnetCalc()->isHidden())
        calculator = 1;
    FSettings->WriteInteger(calculatorValue, calculator);

    const TLatencyCalc* latency = latencyCalc();
    const QList<TNetworkButton*>& chain = latency->chain();
    const int numNetworks = int(chain.size()) - 2;
    FSettings->WriteInteger(numNetworksValue, numNetworks);
    writeNode(*FSettings, nodeAValue, latency->nodeA());
    writeNode(*FSettings, nodeBValue, latency->nodeB());
    for (int n = 1; n <= numNetworks; ++n) {
        const TNetworkButton* element = chain[n];
        TNetworkRecord record;
        record.Bandwidth = element->Bandwidth();
        record.Kind = element->Kind();
        record.Left = element->x();
        record.PropagationDelay = element->PropagationDelay();
        record.Top = element->y();
        FSettings->WriteBinaryData(networkValue(n), encodeNetworkRecord(record));
        FSettings->WriteString(networkNameValue(n), element->NetworkName());
    }

    FSettings->CloseKey();
    FSettings.reset();
}
