#include "tests/support/SubnetDriver.h"

#include "controls/BetterSpinEdit.h"
#include "controls/SpeedButton.h"
#include "controls/SuperStringGrid.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QWindow>
#include <QtTest>

TSuperStringGrid* SubnetDriver::subnetGrid() const
{
    return find<TSuperStringGrid>("SubnetHostStringGrid");
}

QString SubnetDriver::gridRow(int row) const
{
    return subnetGrid()->Cells(0, row) + QLatin1Char('|') + subnetGrid()->Cells(1, row);
}

void SubnetDriver::useMenuBar(const QString& sequence)
{
    QWindow* window = form()->windowHandle();
    auto* menuBar = find<QMenuBar>("MainMenu1");
    if (sequence == "Alt") {
        QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
    } else {
        keys(sequence);
    }
    const bool menuOpen = qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
    QVERIFY2(menuOpen || menuBar->hasFocus(), qPrintable(sequence + " left the menu bar alone"));
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
        clickTab(find<QTabWidget>("SubnetPageControl"), arg);
    } else if (verb == "class") {
        click(find<QRadioButton>("AddressTypeClass" + arg));
    } else if (verb == "bits" || verb == "type") {
        typeInto(bits, arg);
        if (verb == "bits")
            QTest::keyClick(bits, Qt::Key_Return);
    } else if (verb == "up" || verb == "down") {
        for (int i = 0; i < arg.toInt(); ++i)
            QTest::keyClick(bits, verb == "up" ? Qt::Key_Up : Qt::Key_Down);
    } else if (verb == "octet") {
        auto* field = find<QLineEdit>(arg.section(QLatin1Char('='), 0, 0));
        const QString rest = arg.section(QLatin1Char('='), 1);
        typeInto(field, rest.section(QLatin1Char(':'), 0, 0));
        const QString key = rest.section(QLatin1Char(':'), 1);
        if (!key.isEmpty()) {
            QVERIFY2(field->hasFocus(), "the octet moved on before its key");
            QTest::keyClick(field, key == "enter" ? Qt::Key_Return : Qt::Key_Tab);
        }
    } else if (verb == "enter") {
        auto* field = find<QLineEdit>(arg);
        click(field);
        QTest::keyClick(field, Qt::Key_Return);
    } else if (verb == "menu") {
        useMenuBar(arg);
    } else if (verb == "keys") {
        keys(arg);
    } else if (verb == "mark") {
        subnetGrid()->setCells(0, 1, QStringLiteral("marked"));
    } else if (verb == "select") {
        clickCell(subnetGrid(), 0, arg.section(QLatin1Char('-'), 0, 0).toInt());
        clickCell(subnetGrid(), 1, arg.section(QLatin1Char('-'), 1, 1).toInt(), Qt::ShiftModifier);
    } else if (verb == "copy") {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : form();
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    } else if (verb == "click copy button") {
        click(find<TSpeedButton>("CopySubnetHostButton"));
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

void SubnetDriver::typeAddress(const QString& address, int firstEdit)
{
    const QStringList octets = address.split('.');
    for (int i = 0; i < 4; ++i) {
        auto* edit = find<QLineEdit>(QStringLiteral("MaskEdit%1").arg(firstEdit + i));
        typeInto(edit, octets.value(i));
        if (edit->hasFocus())
            QTest::keyClick(edit, Qt::Key_Tab);
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
        return QString::number(subnetGrid()->RowCount());
    if (name.startsWith("row "))
        return gridRow(name.mid(4).toInt());
    if (name == "last row")
        return gridRow(subnetGrid()->RowCount() - 1);
    if (name == "clipboard")
        return clipboardText();
    if (name == "focus")
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
    if (name == "selection") {
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return field ? field->selectedText() : QStringLiteral("no field");
    }
    if (name == "BitsLabel.x")
        return QString::number(find("BitsLabel")->x());
    if (name == "edit menu")
        return editMenuEnabled() ? "on" : "off";
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
