// The address planner's steps in the monkey's walk, made as a user makes
// them: clicks on the controls (found by their object names), keys to the
// window, rows on the clipboard. Mostly sound parents and requests, so that
// plans come out and the invariants have something to hold; now and then
// text a user should not type.
#include "tests/app/MonkeyPlanner.h"

#include "tests/app/Monkey.h"

#include "planner/RememberedPlan.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPlainTextEdit>

namespace {

QWidget* control(QWidget* window, const char* name)
{
    return window->findChild<QWidget*>(QLatin1String(name));
}

QAbstractItemView* view(QWidget* window, const char* name)
{
    return window->findChild<QAbstractItemView*>(QLatin1String(name));
}

// Networks that plan, ones the planner refuses (overlapping, host bits, no
// network at all) and the two families.
const QStringList parents{
    QStringLiteral("10.20.0.0/22"),
    QStringLiteral("192.168.0.0/24"),
    QStringLiteral("10.0.0.0/8"),
    QStringLiteral("172.16.0.0/20\n172.16.64.0/24"),
    QStringLiteral("192.168.10.0/26"),
    QStringLiteral("100.64.0.0/28\n100.64.1.0/29\n100.64.2.0/30"),
    QStringLiteral("2001:db8::/48"),
    QStringLiteral("2001:db8:1::/56\n2001:db8:2::/120"),
    QStringLiteral("10.0.0.0/8\n10.1.0.0/16"),
    QStringLiteral("10.20.0.5/22"),
    QStringLiteral("10.20.0.0/22\n2001:db8::/48"),
    QStringLiteral("0.0.0.0/0"),
};

const QStringList names{
    QStringLiteral("sales"), QStringLiteral("lab"), QStringLiteral("link 1"),
    QStringLiteral("dmz"),   QStringLiteral("vpn"), QStringLiteral("Büro"),
    QStringLiteral("a"),
};
const QStringList sizes{
    QStringLiteral("100"), QStringLiteral("50"),  QStringLiteral("2"),    QStringLiteral("1"),
    QStringLiteral("/28"), QStringLiteral("/30"), QStringLiteral("/64"),  QStringLiteral("/32"),
    QStringLiteral("300"), QStringLiteral("/24"), QStringLiteral("/120"),
};
// Cells the planner marks: no name, no size, sizes it cannot read.
const QStringList oddCells{
    QString(),
    QStringLiteral(" "),
    QStringLiteral("0"),
    QStringLiteral("-1"),
    QStringLiteral("/33"),
    QStringLiteral("99999999999"),
    QStringLiteral("1e3"),
};

} // namespace

void PlannerMonkey::forget() const
{
    QFile::remove(TRememberedPlan::storeFileName());
}

QStringList PlannerMonkey::expectedMessages() const
{
    // New Plan over changes not saved asks first.
    return {QStringLiteral("^.* has changes that are not saved\\. Save them first\\?$")};
}

void PlannerMonkey::step(Monkey& monkey, QWidget* window) const
{
    const int roll = monkey.below(100);
    if (roll < 15) {
        startPlan(monkey, window);
    } else if (roll < 30) {
        typeParents(monkey, window);
    } else if (roll < 46) {
        editRequest(monkey, window);
    } else if (roll < 56) {
        pasteRequests(monkey, window);
    } else if (roll < 60) {
        removeAllRequests(monkey, window);
    } else if (roll < 66) {
        monkey.key(monkey.pick(QList<Qt::Key>{Qt::Key_Z, Qt::Key_Z, Qt::Key_Y}),
                   monkey.chance(60) ? Qt::ControlModifier
                                     : Qt::ControlModifier | Qt::ShiftModifier);
    } else if (roll < 76) {
        changeOption(monkey, window);
    } else if (roll < 88) {
        editRows(monkey, window);
    } else if (roll < 97) {
        chooseResult(monkey, window);
    } else {
        monkey.key(Qt::Key_W, Qt::ControlModifier);
    }
}

// A plan that plans: sound parents of one family, the requests replaced by
// sound rows, and the options the family allows. Faults typed since are
// gone, and the steps that follow start from a plan.
void PlannerMonkey::startPlan(Monkey& monkey, QWidget* window)
{
    const bool ipv6 = monkey.chance(30);
    monkey.note(QStringLiteral("start a plan"));
    auto* field = window->findChild<QPlainTextEdit*>(QStringLiteral("ParentsEdit"));
    monkey.click(field->viewport(), monkey.randomPointIn(field->viewport()), Qt::LeftButton);
    monkey.key(Qt::Key_A, Qt::ControlModifier);
    // Pasted: a replan for the whole text, not one a key.
    const QString parent =
        ipv6 ? monkey.pick(QStringList{"2001:db8::/48", "2001:db8:1::/56"})
             : monkey.pick(QStringList{"10.20.0.0/22", "192.168.0.0/24", "10.0.0.0/8"});
    QGuiApplication::clipboard()->setText(parent);
    monkey.key(Qt::Key_V, Qt::ControlModifier);
    removeAllRequests(monkey, window);
    QStringList rows;
    for (int i = 0, n = 1 + monkey.below(10); i < n; ++i) {
        const QStringList fitting = ipv6 ? QStringList{"/64", "/120", "/60", "100"}
                                         : QStringList{"100", "50", "2", "1", "/28", "/30"};
        rows << monkey.pick(names) + QLatin1Char('\t') + monkey.pick(fitting);
    }
    QGuiApplication::clipboard()->setText(rows.join(QLatin1Char('\n')));
    monkey.note(QStringLiteral("rows on the clipboard: \"%1\"").arg(shortText(rows.join('\n'))));
    monkey.key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    // The standard mode and no family's own option of the other family.
    auto* mode = window->findChild<QComboBox*>(QStringLiteral("ModeBox"));
    if (ipv6 && mode->currentIndex() != 0) {
        monkey.click(mode, QPoint(mode->width() - 6, mode->height() / 2), Qt::LeftButton);
        monkey.key(Qt::Key_Home);
    }
    for (const char* name : {ipv6 ? "P2p30Box" : "NibbleBox"}) {
        auto* box = window->findChild<QCheckBox*>(QLatin1String(name));
        if (box->isChecked())
            monkey.click(box, QPoint(6, box->height() / 2), Qt::LeftButton);
    }
}

void PlannerMonkey::removeAllRequests(Monkey& monkey, QWidget* window)
{
    QAbstractItemView* table = view(window, "RequestTable");
    monkey.click(table->viewport(), monkey.randomPointIn(table->viewport()), Qt::LeftButton);
    monkey.key(Qt::Key_A, Qt::ControlModifier);
    monkey.key(Qt::Key_Delete, Qt::ControlModifier);
}

void PlannerMonkey::clickCell(Monkey& monkey, QAbstractItemView* table, int row, int column,
                              bool doubleClick)
{
    const QModelIndex cell = table->model()->index(row, column);
    table->scrollTo(cell);
    const QRect rect = table->visualRect(cell);
    monkey.click(table->viewport(), rect.center(), Qt::LeftButton, {}, doubleClick);
}

void PlannerMonkey::typeParents(Monkey& monkey, QWidget* window)
{
    auto* field = window->findChild<QPlainTextEdit*>(QStringLiteral("ParentsEdit"));
    monkey.click(field->viewport(), monkey.randomPointIn(field->viewport()), Qt::LeftButton);
    // Over the whole text, or as a line more.
    if (monkey.chance(75)) {
        monkey.key(Qt::Key_A, Qt::ControlModifier);
    } else {
        monkey.key(Qt::Key_End, Qt::ControlModifier);
        monkey.key(Qt::Key_Return);
    }
    const QString text = monkey.chance(92) ? monkey.pick(parents) : monkey.randomText(false);
    monkey.note(QStringLiteral("type \"%1\" into the parents").arg(shortText(text)));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            monkey.key(Qt::Key_Return);
        monkey.typeText(lines[i]);
    }
}

void PlannerMonkey::editRequest(Monkey& monkey, QWidget* window)
{
    QAbstractItemView* table = view(window, "RequestTable");
    const int rows = table->model()->rowCount();
    if (rows == 0) {
        monkey.key(Qt::Key_Return, Qt::ControlModifier);
        return;
    }
    // Mostly a whole request, name then size, as one is typed in; else one cell.
    const bool whole = monkey.chance(60);
    const int column = whole ? 0 : monkey.below(2);
    clickCell(monkey, table, monkey.below(rows), column, monkey.chance(50));
    if (monkey.chance(50))
        monkey.key(Qt::Key_F2);
    for (int cell = column; cell <= (whole ? 1 : column); ++cell) {
        if (cell > column)
            monkey.key(Qt::Key_Tab);
        const int kind = monkey.below(100);
        const QString text = kind < 85   ? monkey.pick(cell == 0 ? names : sizes)
                             : kind < 95 ? monkey.pick(oddCells)
                                         : monkey.randomText(false).left(40);
        monkey.note(QStringLiteral("type \"%1\" into the cell").arg(shortText(text)));
        monkey.typeText(text);
    }
    // A cell typed in plans with each key; Enter or Tab commits it, Esc
    // takes it back, and left open it waits.
    const int roll = monkey.below(100);
    if (roll < 55)
        monkey.key(Qt::Key_Return);
    else if (roll < 70)
        monkey.key(Qt::Key_Tab);
    else if (roll < 80)
        monkey.key(Qt::Key_Escape);
}

// Rows from a spreadsheet or a request file, with or without a header row.
QString PlannerMonkey::requestRows(Monkey& monkey)
{
    if (monkey.chance(15))
        return monkey.randomText(true);
    const QString separator = monkey.pick(QStringList{"\t", "\t", ",", " "});
    QStringList lines;
    // A header row names its columns; request file lines have none.
    if (separator != QLatin1String(" ") && monkey.chance(30))
        lines << QStringLiteral("Name") + separator +
                     monkey.pick(QStringList{"Hosts", "size", "prefix", "asked"});
    for (int i = 0, n = 1 + monkey.below(monkey.chance(10) ? 300 : 8); i < n; ++i) {
        QString name = monkey.pick(names);
        if (separator == QLatin1String(" "))
            name = QStringLiteral("net%1").arg(i);
        lines << name + separator +
                     (monkey.chance(95) ? monkey.pick(sizes) : monkey.pick(oddCells));
    }
    return lines.join(monkey.chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
}

void PlannerMonkey::pasteRequests(Monkey& monkey, QWidget* window)
{
    const QString rows = requestRows(monkey);
    QGuiApplication::clipboard()->setText(rows);
    monkey.note(QStringLiteral("rows on the clipboard: \"%1\"").arg(shortText(rows)));
    const int roll = monkey.below(3);
    if (roll == 0) {
        QWidget* button = control(window, "PasteRequestsButton");
        monkey.click(button, monkey.randomPointIn(button), Qt::LeftButton);
    } else if (roll == 1) {
        QAbstractItemView* table = view(window, "RequestTable");
        monkey.click(table->viewport(), monkey.randomPointIn(table->viewport()), Qt::LeftButton);
        monkey.key(Qt::Key_V, Qt::ControlModifier);
    } else {
        monkey.key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    }
}

void PlannerMonkey::changeOption(Monkey& monkey, QWidget* window)
{
    const char* name = monkey.pick(
        QList<const char*>{"ModeBox", "ModeBox", "GrowBox", "OrderBox", "NibbleBox", "P2p30Box"});
    QWidget* option = control(window, name);
    if (auto* box = qobject_cast<QComboBox*>(option)) {
        if (monkey.chance(50)) {
            // The arrow at the box's right end opens the list.
            monkey.wishPopups({QStringLiteral("*")});
            monkey.click(box, QPoint(box->width() - 6, box->height() / 2), Qt::LeftButton);
        } else {
            monkey.click(box, QPoint(box->width() - 6, box->height() / 2), Qt::LeftButton);
            monkey.key(monkey.pick(QList<Qt::Key>{Qt::Key_Up, Qt::Key_Down, Qt::Key_Home}));
        }
    } else if (QLatin1String(name) == QLatin1String("GrowBox")) {
        monkey.click(option, QPoint(10, option->height() / 2), Qt::LeftButton);
        monkey.key(Qt::Key_A, Qt::ControlModifier);
        const QString text = monkey.pick(QStringList{"0", "20", "50", "100", "1000", "-5", "x"});
        monkey.note(QStringLiteral("type \"%1\" into the growth margin").arg(text));
        monkey.typeText(text);
        monkey.key(monkey.pick(QList<Qt::Key>{Qt::Key_Return, Qt::Key_Up, Qt::Key_Tab}));
    } else {
        monkey.click(option, QPoint(6, option->height() / 2), Qt::LeftButton);
    }
}

// Adding, removing and moving rows, by their buttons or their keys.
void PlannerMonkey::editRows(Monkey& monkey, QWidget* window)
{
    QAbstractItemView* table = view(window, "RequestTable");
    const int rows = table->model()->rowCount();
    if (rows > 0 && monkey.chance(70)) {
        clickCell(monkey, table, monkey.below(rows), 0);
        if (monkey.chance(25) && rows > 1)
            monkey.key(Qt::Key_Down, Qt::ShiftModifier);
    }
    struct Edit
    {
        const char* button;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Edit edit = monkey.pick(QList<Edit>{
        {"AddRequestButton", Qt::Key_Return, Qt::ControlModifier},
        {"RemoveRequestsButton", Qt::Key_Delete, Qt::ControlModifier},
        {"MoveUpButton", Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier},
        {"MoveDownButton", Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier},
    });
    QWidget* button = control(window, edit.button);
    if (monkey.chance(50) && button && button->isEnabled())
        monkey.click(button, monkey.randomPointIn(button), Qt::LeftButton);
    else
        monkey.key(edit.key, edit.modifiers);
}

// A placed block chosen in its table or on the map, and the result copied.
void PlannerMonkey::chooseResult(Monkey& monkey, QWidget* window)
{
    QAbstractItemView* placed = view(window, "PlacedTable");
    const int roll = monkey.below(100);
    if (roll < 40 && placed->model()->rowCount() > 0) {
        clickCell(monkey, placed, monkey.below(placed->model()->rowCount()),
                  monkey.below(placed->model()->columnCount()));
        if (monkey.chance(40))
            monkey.key(Qt::Key_C, Qt::ControlModifier);
    } else if (roll < 75) {
        QWidget* map = control(window, "PlanMap");
        monkey.click(map, monkey.randomPointIn(map), Qt::LeftButton);
        if (monkey.chance(50))
            monkey.key(monkey.pick(QList<Qt::Key>{Qt::Key_Left, Qt::Key_Right, Qt::Key_Home}));
    } else {
        monkey.key(Qt::Key_C, monkey.chance(70) ? Qt::ControlModifier | Qt::ShiftModifier
                                                : Qt::ControlModifier | Qt::AltModifier);
    }
}
