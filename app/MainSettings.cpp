// Loading and saving the remembered state: the calculator in use and the
// whole latency layout.
#include "app/Main.h"

#include "app/SettingsRecords.h"
#include "app/SettingsStore.h"
#include "core/FloatConversions.h"
#include "latency/LatencyCalc.h"
#include "latency/LatencyChain.h"
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

void readNode(TSettingsStore& store, const QString& name, TLatencyChain& chain, int position)
{
    TNodeRecord record;
    if (!decodeNodeRecord(store.ReadBinaryData(name, TNodeRecord::size), record))
        return;
    TNetworkElement node = chain.at(position);
    node.PacketSize = storedAmount(record.PacketSize);
    node.ProcessTime = storedAmount(record.ProcessTime);
    chain.setElement(position, node);
}

void writeNode(TSettingsStore& store, const QString& name, const TNetworkElement& node)
{
    TNodeRecord record;
    record.PacketSize = node.PacketSize;
    record.ProcessTime = node.ProcessTime;
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
    TLatencyChain& chain = latency->chain();
    readNode(*FSettings, nodeAValue, chain, 0);
    readNode(*FSettings, nodeBValue, chain, chain.count() - 1);

    // The chain never holds more networks than it has room for.
    const int numNetworks =
        std::min(FSettings->ReadInteger(numNetworksValue), TLatencyChain::maxLength - 2);
    TTNetworkButtonForm* properties = latency->propertiesForm();
    QList<TNetworkElement> networks;
    const QSize panel(268, 258);
    const auto restore = [&] {
        if (!networks.isEmpty())
            chain.replaceNetworks(networks);
    };
    try {
        for (int n = 1; n <= numNetworks; ++n) {
            TNetworkRecord record;
            const bool hasRecord = decodeNetworkRecord(
                FSettings->ReadBinaryData(networkValue(n), TNetworkRecord::size), record);
            networks << TLatencyChain::freshNetwork();
            TNetworkElement& element = networks.last();
            if (hasRecord) {
                element.Bandwidth = storedBandwidth(record.Bandwidth);
                element.Kind = storedNetworkKind(record.Kind);
                element.Position.setX(onPanel(record.Left, panel.width(), 50));
            }
            const QString name = FSettings->ReadString(networkNameValue(n));
            element.NetworkName = name;
            const QString bandwidthText =
                QString::fromStdString(conv::floatToStrGeneral(element.Bandwidth));
            element.Hint = networkLabel(name, element.Bandwidth);
            if (hasRecord) {
                element.PropagationDelay = storedAmount(record.PropagationDelay);
                element.Position.setY(onPanel(record.Top, panel.height(), 50));
            }
            // A missing name is no topology to offer in the dialog.
            element.TopologyIndex = name.isEmpty() ? -1 : properties->addTopology(name);
            element.BandwidthIndex = indexOfText(bandwidthList(element.Kind), bandwidthText);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();

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

    const TLatencyChain& chain = latencyCalc()->chain();
    const int numNetworks = chain.networkCount();
    FSettings->WriteInteger(numNetworksValue, numNetworks);
    writeNode(*FSettings, nodeAValue, chain.nodeA());
    writeNode(*FSettings, nodeBValue, chain.nodeB());
    for (int n = 1; n <= numNetworks; ++n) {
        const TNetworkElement& element = chain.at(n);
        TNetworkRecord record;
        record.Bandwidth = element.Bandwidth;
        record.Kind = element.Kind;
        record.Left = element.Position.x();
        record.PropagationDelay = element.PropagationDelay;
        record.Top = element.Position.y();
        FSettings->WriteBinaryData(networkValue(n), encodeNetworkRecord(record));
        FSettings->WriteString(networkNameValue(n), element.NetworkName);
    }

    FSettings->CloseKey();
    FSettings.reset();
}
