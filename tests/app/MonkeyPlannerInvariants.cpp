// What the address planner's window must show after every step, read from
// its controls as a user reads them: the placed blocks and the free blocks
// cover each parent exactly, without overlap and without anything outside
// a parent; the placed and unplaced tables hold exactly the requests typed;
// and the summary line counts what the tables show.
#include "tests/app/MonkeyPlanner.h"

#include "tests/app/MonkeyWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHostAddress>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSpinBox>

#include <algorithm>
#include <optional>

namespace {

// The controls read here, by object name.
const char* const requiredControls[] = {"ParentsEdit",
                                        "RequestTable",
                                        "PlacedTable",
                                        "UnplacedTable",
                                        "FreeTable",
                                        "Summary",
                                        "ModeBox",
                                        "GrowBox",
                                        "OrderBox",
                                        "NibbleBox",
                                        "P2p30Box",
                                        "PlanMap",
                                        "PasteRequestsButton",
                                        "AddRequestButton",
                                        "RemoveRequestsButton",
                                        "MoveUpButton",
                                        "MoveDownButton"};

// A block of addresses as 128-bit numbers, IPv4 ones apart from IPv6 ones.
struct Block
{
    int family = 4;
    quint64 firstHigh = 0, firstLow = 0, lastHigh = 0, lastLow = 0;
    QString text;

    bool startsRightAfter(const Block& before) const
    {
        quint64 high = before.lastHigh;
        const quint64 low = before.lastLow + 1;
        if (low == 0)
            ++high;
        return family == before.family && firstHigh == high && firstLow == low;
    }
    bool within(const Block& outer) const
    {
        return family == outer.family &&
               std::tie(firstHigh, firstLow) >= std::tie(outer.firstHigh, outer.firstLow) &&
               std::tie(lastHigh, lastLow) <= std::tie(outer.lastHigh, outer.lastLow);
    }
};

// "a.b.c.d/n" or "x::/n" with no host bits set; nothing for other text.
std::optional<Block> readBlock(const QString& text)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    QHostAddress address;
    bool prefixRead = false;
    const int prefix = text.mid(slash + 1).toInt(&prefixRead);
    if (slash < 0 || !prefixRead || !address.setAddress(text.left(slash)))
        return std::nullopt;
    const auto ones = [](int bits) { return bits >= 64 ? ~0ULL : (1ULL << bits) - 1; };
    Block block;
    block.text = text;
    quint64 hostHigh = 0;
    quint64 hostLow = 0;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        if (prefix < 0 || prefix > 32)
            return std::nullopt;
        block.firstLow = address.toIPv4Address();
        hostLow = ones(32 - prefix);
    } else {
        if (prefix < 0 || prefix > 128)
            return std::nullopt;
        block.family = 6;
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        for (int i = 0; i < 8; ++i) {
            block.firstHigh = block.firstHigh << 8 | bytes[i];
            block.firstLow = block.firstLow << 8 | bytes[i + 8];
        }
        hostLow = ones(128 - prefix);
        hostHigh = prefix < 64 ? ones(64 - prefix) : 0;
    }
    // Host bits set: no network.
    if ((block.firstHigh & hostHigh) != 0 || (block.firstLow & hostLow) != 0)
        return std::nullopt;
    block.lastHigh = block.firstHigh | hostHigh;
    block.lastLow = block.firstLow | hostLow;
    return block;
}

QAbstractItemModel* model(QWidget* window, const char* view)
{
    return window->findChild<QAbstractItemView*>(QLatin1String(view))->model();
}

// A column's cells, the column found by its header.
QStringList column(const QAbstractItemModel* table, const QString& header)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
        if (table->headerData(c, Qt::Horizontal).toString() != header)
            continue;
        for (int row = 0; row < table->rowCount(); ++row)
            cells << table->index(row, c).data().toString();
    }
    return cells;
}

// Trimmed as the planner trims: blanks, tabs and the like, not every space.
QString trimmedBlanks(const QString& text)
{
    const auto blank = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
    };
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && blank(text.at(first)))
        ++first;
    while (end > first && blank(text.at(end - 1)))
        --end;
    return text.mid(first, end - first);
}

QStringList parentLines(QWidget* window)
{
    QStringList lines;
    const QString text =
        window->findChild<QPlainTextEdit*>(QStringLiteral("ParentsEdit"))->toPlainText();
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!trimmedBlanks(line).isEmpty())
            lines << trimmedBlanks(line);
    }
    return lines;
}

// The request rows, "name | size", all of them or those not blank.
QStringList typedRequests(QWidget* window, bool blankToo)
{
    const QAbstractItemModel* requests = model(window, "RequestTable");
    QStringList rows;
    for (int row = 0; row < requests->rowCount(); ++row) {
        const QString name = requests->index(row, 0).data().toString();
        const QString size = requests->index(row, 1).data().toString();
        if (blankToo || !trimmedBlanks(name).isEmpty() || !trimmedBlanks(size).isEmpty())
            rows << name + QStringLiteral(" | ") + size;
    }
    return rows;
}

QString options(QWidget* window)
{
    return QStringLiteral("mode %1, grow %2, order %3, nibble %4, p2p30 %5")
        .arg(window->findChild<QComboBox*>(QStringLiteral("ModeBox"))->currentText())
        .arg(window->findChild<QSpinBox*>(QStringLiteral("GrowBox"))->value())
        .arg(window->findChild<QComboBox*>(QStringLiteral("OrderBox"))->currentText())
        .arg(window->findChild<QCheckBox*>(QStringLiteral("NibbleBox"))->isChecked())
        .arg(window->findChild<QCheckBox*>(QStringLiteral("P2p30Box"))->isChecked());
}

// Each parent exactly covered by the placed and free blocks inside it, in
// address order; no block outside every parent.
QString checkCover(const QStringList& parentTexts, const QStringList& blockTexts)
{
    QList<Block> parentBlocks;
    for (const QString& text : parentTexts) {
        const std::optional<Block> parent = readBlock(text);
        // A parent written in a form this check does not read: the cover
        // cannot be judged.
        if (!parent)
            return {};
        parentBlocks << *parent;
    }
    QList<Block> blocks;
    for (const QString& text : blockTexts) {
        const std::optional<Block> block = readBlock(text);
        if (!block)
            return QStringLiteral("the block \"%1\" is no network").arg(text);
        if (std::none_of(parentBlocks.begin(), parentBlocks.end(),
                         [&](const Block& parent) { return block->within(parent); }))
            return QStringLiteral("the block %1 lies outside every parent").arg(text);
        blocks << *block;
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
        return std::tie(a.family, a.firstHigh, a.firstLow) <
               std::tie(b.family, b.firstHigh, b.firstLow);
    });
    for (const Block& parent : parentBlocks) {
        const Block* last = nullptr;
        for (const Block& block : blocks) {
            if (!block.within(parent))
                continue;
            const bool follows =
                last ? block.startsRightAfter(*last)
                     : block.firstHigh == parent.firstHigh && block.firstLow == parent.firstLow;
            if (!follows)
                return QStringLiteral("in %1, %2 does not follow %3 (an overlap or a gap)")
                    .arg(parent.text, block.text, last ? last->text : QStringLiteral("the start"));
            last = &block;
        }
        if (!last || last->lastHigh != parent.lastHigh || last->lastLow != parent.lastLow)
            return QStringLiteral("the blocks of %1 end before it does").arg(parent.text);
    }
    return {};
}

} // namespace

QString PlannerMonkey::check(QWidget* window) const
{
    for (const char* name : requiredControls) {
        if (!window->findChild<QWidget*>(QLatin1String(name)))
            return QStringLiteral("the planner has no control named %1").arg(QLatin1String(name));
    }
    const QAbstractItemModel* placed = model(window, "PlacedTable");
    const QAbstractItemModel* unplaced = model(window, "UnplacedTable");
    const QAbstractItemModel* free = model(window, "FreeTable");
    const QString summary = window->findChild<QLabel*>(QStringLiteral("Summary"))->text();
    if (summary.startsWith(QLatin1String("No plan"))) {
        if (placed->rowCount() + unplaced->rowCount() + free->rowCount() > 0)
            return QStringLiteral("\"%1\", yet the tables show %2 placed, %3 unplaced, %4 free")
                .arg(summary)
                .arg(placed->rowCount())
                .arg(unplaced->rowCount())
                .arg(free->rowCount());
        return {};
    }

    // The summary counts the tables' rows.
    static const QRegularExpression counts(
        QStringLiteral("^(\\d+) placed(?:, (\\d+) did not fit \\(.*\\))?, (\\d+) free blocks\\.$"));
    const QRegularExpressionMatch match = counts.match(summary);
    if (!match.hasMatch() || match.captured(1).toInt() != placed->rowCount() ||
        match.captured(2).toInt() != unplaced->rowCount() ||
        match.captured(3).toInt() != free->rowCount())
        return QStringLiteral("the summary \"%1\" with %2 placed, %3 unplaced and %4 free rows")
            .arg(summary)
            .arg(placed->rowCount())
            .arg(unplaced->rowCount())
            .arg(free->rowCount());

    // Every request typed is placed or did not fit, once.
    QStringList requested;
    for (const QString& row : typedRequests(window, false))
        requested << row.section(QStringLiteral(" | "), 0, 0);
    QStringList planned =
        column(placed, QStringLiteral("Name")) + column(unplaced, QStringLiteral("Name"));
    requested.sort();
    planned.sort();
    if (requested != planned)
        return QStringLiteral("requests [%1], but placed and unplaced [%2]")
            .arg(shortText(requested.join(QStringLiteral(", ")), 200),
                 shortText(planned.join(QStringLiteral(", ")), 200));

    // A placed block's prefix is its network's.
    const QStringList networks = column(placed, QStringLiteral("Network"));
    const QStringList prefixes = column(placed, QStringLiteral("Prefix"));
    for (int row = 0; row < networks.size() && row < prefixes.size(); ++row) {
        if (QLatin1Char('/') + networks[row].section(QLatin1Char('/'), 1) != prefixes[row])
            return QStringLiteral("placed row %1: %2 with prefix %3")
                .arg(row + 1)
                .arg(networks[row], prefixes[row]);
    }
    return checkCover(parentLines(window), networks + column(free, QStringLiteral("Free block")));
}

QString PlannerMonkey::keptState(QWidget* window) const
{
    const QString parentsText =
        window->findChild<QPlainTextEdit*>(QStringLiteral("ParentsEdit"))->toPlainText();
    return QStringLiteral("parents [%1]; requests [%2]; %3; title %4")
        .arg(parentsText, typedRequests(window, true).join(QStringLiteral("; ")), options(window),
             window->windowTitle().replace(QStringLiteral("[*]"), window->isWindowModified()
                                                                      ? QStringLiteral("*")
                                                                      : QString()));
}

// The planner remembers the plan as a plan file holds it: the parents one
// a line, the requests that are not blank, the options, and whether it
// changed since it was saved.
QString PlannerMonkey::rememberedState(QWidget* window) const
{
    return QStringLiteral("parents [%1]; requests [%2]; %3; modified %4")
        .arg(parentLines(window).join(QStringLiteral(", ")),
             typedRequests(window, false).join(QStringLiteral("; ")), options(window))
        .arg(window->isWindowModified());
}
