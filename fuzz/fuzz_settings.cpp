// Loads the main window from arbitrary store contents: values of every name
// the program reads, of any kind and length, in any combination. Whatever is
// stored, the window must come up whole: one calculator shown and checked,
// the chain of node A, one to fourteen networks and node B, every element on
// its panel with a kind of its own role.

#include "app/Application.h"
#include "app/MainForm.h"
#include "fuzz/FuzzSupport.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkSetupEditor.h"
#include "radix/RadixorCalc.h"
#include "subnet/SubnetCalc.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QSettings>
#include <QStringList>
#include <memory>
#include <sanitizer/lsan_interface.h>

namespace {

QStringList storedNames()
{
    QStringList names{"Calculator", "NumNetworks", "NodeA", "NodeB"};
    for (int n = 0; n <= 17; ++n) {
        names << QStringLiteral("Network%1").arg(n);
        names << QStringLiteral("Network%1Name").arg(n);
    }
    return names;
}

// Each entry: which value, what kind, then its content.
void plant(FuzzInput& input)
{
    static const QStringList names = storedNames();
    QSettings store;
    store.clear();
    while (!input.atEnd()) {
        const QString name = names[input.byte() % names.size()];
        switch (input.byte() % 4) {
        case 0:
            store.setValue(name, static_cast<int32_t>(input.u32()));
            break;
        case 1:
            store.setValue(name, QString::fromLatin1(QByteArray::fromStdString(input.text(40))));
            break;
        case 2:
            store.setValue(name, QByteArray::fromStdString(input.text(24)));
            break;
        default:
            store.remove(name);
            break;
        }
    }
    store.sync();
}

std::string describe(TMainForm& form)
{
    return "chain of " + std::to_string(form.latencyCalc()->chain().count()) + " elements";
}

void check(TMainForm& form)
{
    const std::string context = describe(form);
    const QList<QWidget*> views{form.radixorCalc(), form.subnetCalc(), form.latencyCalc()};
    const QStringList items{"RadixorCalculator1", "VantrelCalculator1", "LatencyCalculator1"};
    int shown = 0;
    for (int i = 0; i < views.size(); ++i) {
        const bool visible = !views[i]->isHidden();
        shown += visible;
        if (visible != form.findChild<QAction*>(items[i])->isChecked())
            fuzzFailure("the shown calculator is the checked one", context);
    }
    if (shown != 1)
        fuzzFailure("exactly one calculator is shown", context);

    const TLatencyChain& chain = form.latencyCalc()->chain();
    if (chain.count() < 3 || chain.count() > maxChainLength)
        fuzzFailure("the chain holds one to fourteen networks", context);
    for (int i = 0; i < chain.count(); ++i) {
        const TNetworkElement& element = chain.at(i);
        const TNetworkButton* button = form.latencyCalc()->setupEditor()->button(i);
        const bool node = i == 0 || i == chain.count() - 1;
        if (node != isNodeKind(element.Kind) || element.Kind >= networkButtonKindCount)
            fuzzFailure("nodes at the ends, networks between", context);
        if (!button || button->Kind() != element.Kind ||
            !button->parentWidget()->rect().contains(button->geometry()))
            fuzzFailure("every element lies on its panel", context);
        if (!std::isfinite(element.Bandwidth) || element.Bandwidth < 0)
            fuzzFailure("bandwidths are finite and not negative", context);
        if (element.PacketSize < 0 || element.ProcessTime < 0 || element.PropagationDelay < 0)
            fuzzFailure("sizes, times and delays are not negative", context);
    }
    if (chain.nodeA().Kind != nbDesktopCPU || chain.nodeB().Kind != nbTowerCPU)
        fuzzFailure("node A first and node B last", context);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QString config = QDir::tempPath() + QStringLiteral("/zentrix-fuzz-settings-") +
                                  QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(config);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    static TZentrixApplication app(*argc, *argv);
    // Qt reads the system's fonts once, on the first text it lays out, and
    // fontconfig keeps some of what it reads where LeakSanitizer cannot see
    // it. Read here, before any input and unwatched, it is never taken for
    // an input's leak: one input replayed alone, as a crash file is, shows
    // that input's faults.
    {
        const __lsan::ScopedDisabler fontsLiveAsLongAsTheProgram;
        QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Zentrix"));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    plant(input);
    auto form = std::make_unique<TMainForm>();
    check(*form);
    // Closing saves; what was saved must load into a whole window again.
    form.reset();
    form = std::make_unique<TMainForm>();
    check(*form);
    return 0;
}
