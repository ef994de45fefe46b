// Loading and saving the remembered state: the calculator in use and the
// whole latency layout.
#include "app/MainForm.h"

#include "app/SettingsStore.h"
#include "latency/LatencyCalc.h"
#include "path/ChainValue.h"
#include "path/LatencyLayout.h"
#include "path/TopologyTable.h"
#include "radix/RadixorCalc.h"
#include "subnet/SubnetCalc.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The calculator in use, as the store numbers it.
enum TStoredCalculator : int32_t
{
    scRadixor = 0,
    scSubnet = 1,
    scLatency = 2,
};

const QString calculatorValue = QStringLiteral("Calculator");

// What became of a settings file that could not be read, and what the
// program does about it.
QString unreadableFileNote(const TSettingsStore& store)
{
    const QString program = QCoreApplication::applicationName();
    const QString kept = QDir::toNativeSeparators(store.UnreadableFileKeptAs());
    if (!kept.isEmpty())
        return QStringLiteral("The unreadable file was kept as %1; %2 starts with its default "
                              "settings.")
            .arg(kept, program);
    return QStringLiteral("%1 could not be read; %2 starts with its default settings and leaves "
                          "that file as it is.")
        .arg(QDir::toNativeSeparators(store.UnreadableFile()), program);
}

// The settings store as the latency layout reads and writes itself there.
class TLayoutAccess : public TLayoutSource, public TLayoutSink
{
public:
    explicit TLayoutAccess(TSettingsStore& store) : FStore(store) {}

    int32_t ReadInteger(const std::string& name) override
    {
        return FStore.ReadInteger(QString::fromStdString(name));
    }
    std::string ReadString(const std::string& name) override
    {
        return FStore.ReadString(QString::fromStdString(name)).toStdString();
    }
    std::vector<uint8_t> ReadBinaryData(const std::string& name, size_t size) override
    {
        const QByteArray bytes = FStore.ReadBinaryData(QString::fromStdString(name), int(size));
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    void WriteInteger(const std::string& name, int32_t value) override
    {
        FStore.WriteInteger(QString::fromStdString(name), value);
    }
    void WriteString(const std::string& name, const std::string& value) override
    {
        FStore.WriteString(QString::fromStdString(name), QString::fromStdString(value));
    }
    void WriteBinaryData(const std::string& name, const std::vector<uint8_t>& bytes) override
    {
        FStore.WriteBinaryData(
            QString::fromStdString(name),
            QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }

private:
    TSettingsStore& FStore;
};

} // namespace

bool TMainForm::LoadSettings()
{
    FSettings = std::make_unique<TSettingsStore>();
    if (FSettings->WasUnreadable()) {
        // The store has kept the file aside and starts empty: the first value
        // is missing, as the message says, and this run starts as a first run
        // does, saving a whole store at its end.
        reportCreationError(TSettingsStore::MissingValueMessage(calculatorValue) +
                            QLatin1Char('\n') + unreadableFileNote(*FSettings));
        return false;
    }
    if (!FSettings->KeyExists())
        return false;
    FSettings->OpenKey(false);

    switch (FSettings->ReadInteger(calculatorValue)) {
    case scRadixor:
        RadixorCalculator1Click();
        FCalculatorRestored = true;
        break;
    case scSubnet:
        VantrelCalculator1Click();
        FCalculatorRestored = true;
        break;
    case scLatency:
        LatencyCalculator1Click();
        FCalculatorRestored = true;
        break;
    default:
        break;
    }

    // A value that cannot be read ends the loading, but what was read
    // before it is shown all the same.
    TLayoutAccess access(*FSettings);
    TLatencyLayout layout;
    try {
        readLatencyLayout(access, layout);
    } catch (...) {
        setLatencyChain(restoredChain(*FLatencyChain, layout, *FTopologies));
        throw;
    }
    setLatencyChain(restoredChain(*FLatencyChain, layout, *FTopologies));

    FSettings->CloseKey();
    return true;
}

void TMainForm::SaveSettings()
{
    if (!FSettings)
        FSettings = std::make_unique<TSettingsStore>();
    FSettings->OpenKey(true);

    // The calculator shown within the window, which may already be hidden
    // while it closes.
    TStoredCalculator calculator = scSubnet;
    if (FShownView && FShownView == FRadixorCalc)
        calculator = scRadixor;
    else if (FShownView && FShownView == FLatencyCalc)
        calculator = scLatency;
    FSettings->WriteInteger(calculatorValue, calculator);

    TLayoutAccess access(*FSettings);
    writeLatencyLayout(access, storedLayout(latencyChain()));

    FSettings->CloseKey();
    FSettings.reset();
}
