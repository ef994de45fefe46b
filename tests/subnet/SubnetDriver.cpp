#include "tests/subnet/SubnetDriver.h"

#include "tests/support/UiFixture.h"

#include "controls/BetterSpinEdit.h"
#include "controls/SpeedButton.h"
#include "controls/SuperStringGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>
#include <QtTest>

void SubnetDriver::start()
{
    clearStoredSettings();
    FForm = makeMainForm();
    FForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    FForm->findChild<QAction*>("VantrelCalculator1")->trigger();
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
}

void SubnetDriver::stop()
{
    FForm.reset();
}

TSuperStringGrid* SubnetDriver::grid() const
{
    return find<TSuperStringGrid>("SubnetHostStringGrid");
}

QString SubnetDriver::gridRow(int row) const
{
    return grid()->Cells(0, row) + QLatin1Char('|') + grid()->Cells(1, row);
}

void SubnetDriver::clickTab(const QString& title)
{
    QTabBar* tabs = find<QTabWidget>("SubnetPageControl")->tabBar();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == title)
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
    }
    QCOMPARE(tabs->tabText(tabs->currentIndex()), title);
}

void SubnetDriver::replaceText(QLineEdit* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

void SubnetDriver::clickGridCell(int row, int col, Qt::KeyboardModifiers modifiers)
{
    // The first body row is the view's row 0: the header is drawn apart.
    const QRect cell = grid()->visualRect(grid()->model()->index(row - 1, col));
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, cell.center());
}

void SubnetDriver::useMenuBar(const QString& keys)
{
    QWindow* window = FForm->windowHandle();
    auto* menuBar = find<QMenuBar>("MainMenu1");
    if (keys == "Alt") {
        QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    } else {
        QTest::keySequence(window, QKeySequence(keys));
    }
    const bool menuOpen = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
    QVERIFY2(menuOpen || menuBar->hasFocus(), qPrintable(keys + " left the menu bar alone"));
    // Esc closes an open menu, and then gives up the menu bar.
    for (int i = 0; i < 3 && (QApplication::activePopupWidget() || menuBar->hasFocus()); ++i) {
        QWidget* target = QApplication::activePopupWidget();
        QTest::keyClick(target ? target : menuBar, Qt::Key_Escape);
    }
    QVERIFY2(!QApplication::activePopupWidget() && !menuBar->hasFocus(), "the menu stayed open");
}

void SubnetDriver::runStep(const QString& step)
{
    const QString verb = step.section(QLatin1Char(':'), 0, 0);
    const QString arg = step.section(QLatin1Char(':'), 1);
    auto* bits = find<TBetterSpinEdit>("BitsSpinEdit");
    if (verb == "tab") {
        clickTab(arg);
    } else if (verb == "class") {
        QTest::mouseClick(find<QRadioButton>("AddressTypeClass" + arg), Qt::LeftButton);
    } else if (verb == "bits" || verb == "type") {
        replaceText(bits, arg);
        if (verb == "bits")
            QTest::keyClick(bits, Qt::Key_Return);
    } else if (verb == "up" || verb == "down") {
        for (int i = 0; i < arg.toInt(); ++i)
            QTest::keyClick(bits, verb == "up" ? Qt::Key_Up : Qt::Key_Down);
    } else if (verb == "octet") {
        auto* field = find<QLineEdit>(arg.section(QLatin1Char('='), 0, 0));
        const QString rest = arg.section(QLatin1Char('='), 1);
        replaceText(field, rest.section(QLatin1Char(':'), 0, 0));
        const QString key = rest.section(QLatin1Char(':'), 1);
        if (!key.isEmpty()) {
            QVERIFY2(field->hasFocus(), "the octet moved on before its key");
            QTest::keyClick(field, key == "enter" ? Qt::Key_Return : Qt::Key_Tab);
        }
    } else if (verb == "enter") {
        auto* field = find<QLineEdit>(arg);
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_Return);
    } else if (verb == "menu") {
        useMenuBar(arg);
    } else if (verb == "keys") {
        QTest::keySequence(FForm->windowHandle(), QKeySequence(arg));
    } else if (verb == "mark") {
        grid()->setCells(0, 1, QStringLiteral("marked"));
    } else if (verb == "select") {
        clickGridCell(arg.section(QLatin1Char('-'), 0, 0).toInt(), 0, Qt::NoModifier);
        clickGridCell(arg.section(QLatin1Char('-'), 1, 1).toInt(), 1, Qt::ShiftModifier);
    } else if (verb == "copy") {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : FForm.get();
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    } else if (verb == "click copy button") {
        QTest::mouseClick(find<TSpeedButton>("CopySubnetHostButton"), Qt::LeftButton);
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

QString SubnetDriver::shown(const QString& name) const
{
    if (name == "class") {
        for (QString letter : {"A", "B", "C"}) {
            if (find<QRadioButton>("AddressTypeClass" + letter)->isChecked())
                return letter;
        }
        return QStringLiteral("none");
    }
    if (name == "rows")
        return QString::number(grid()->RowCount());
    if (name.startsWith("row "))
        return gridRow(name.mid(4).toInt());
    if (name == "last row")
        return gridRow(grid()->RowCount() - 1);
    if (name == "clipboard")
        return QGuiApplication::clipboard()->text();
    if (name == "focus")
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    if (name == "selection") {
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return field ? field->selectedText() : QStringLiteral("no field");
    }
    if (name == "BitsLabel.x")
        return QString::number(find("BitsLabel")->x());
    if (name == "edit menu")
        return find<QMenu>("Edit1")->menuAction()->isEnabled() ? "on" : "off";
    if (name == "copy button")
        return find("CopySubnetHostButton")->isEnabled() ? "on" : "off";
    if (name.endsWith(" gaps"))
        return octetBoxGaps(find(name.chopped(5)));
    QWidget* widget = find(name);
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label)
        qFatal("cannot read %s", qPrintable(name));
    // A result panel is read out by a screen reader under its caption.
    if (name.endsWith("Panel") && label->accessibleName() != label->text())
        return "accessible name differs: " + label->accessibleName();
    return label->text();
}

// The colour around the dots of an octet box: "window colour" when the
// box reads as one edit field.
QString SubnetDriver::octetBoxGaps(QWidget* box)
{
    const QImage image = box->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QList<QLabel*> dots = box->findChildren<QLabel*>();
    if (dots.size() != 3)
        return QStringLiteral("not three dots");
    for (const QLabel* dot : dots) {
        const QColor colour = image.pixelColor((dot->pos() + QPoint(1, 2)) * ratio);
        if (colour != box->palette().color(QPalette::Base))
            return "colour " + colour.name();
    }
    return QStringLiteral("window colour");
}

void SubnetDriver::addColumns()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("messages");
}

void SubnetDriver::runScenario()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, messages);
    for (const QString& step : steps) {
        runStep(step);
        if (QTest::currentTestFailed())
            return;
    }
    QCOMPARE(MessageBoxCatcher::instance().take(), messages);
    for (const QString& item : expected) {
        const QString name = item.section(QLatin1Char('='), 0, 0);
        QCOMPARE(name + "=" + shown(name), item);
    }
}
