#include "tests/radix/RadixDriver.h"

#include "tests/support/UiFixture.h"

#include "controls/SuperStringGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

void RadixDriver::start()
{
    FForm = makeMainForm();
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    trigger("RadixorCalculator1");
    QVERIFY(widget<QWidget>("RadixorCalcPanel")->isVisible());
    QGuiApplication::clipboard()->clear();
}

void RadixDriver::stop()
{
    FForm.reset();
}

QLineEdit* RadixDriver::memo(const QString& name) const
{
    return widget<QLineEdit>(name);
}

QTabWidget* RadixDriver::pages() const
{
    return widget<QTabWidget>("RadixorCalcPageControl");
}

TSuperStringGrid* RadixDriver::grid() const
{
    return widget<TSuperStringGrid>("LookupStringGrid");
}

QAbstractButton* RadixDriver::button(const char* name) const
{
    return widget<QAbstractButton>(name);
}

void RadixDriver::trigger(const char* action)
{
    FForm->findChild<QAction*>(action)->trigger();
}

QString RadixDriver::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

bool RadixDriver::editMenuEnabled() const
{
    return widget<QMenu>("Edit1")->menuAction()->isEnabled() &&
           FForm->findChild<QAction*>("Copy1")->isEnabled();
}

QRadioButton* RadixDriver::widthItem(int item) const
{
    const char* const names[] = {"NumberWidth8Button", "NumberWidth16Button",
                                 "NumberWidth32Button"};
    return widget<QRadioButton>(names[item]);
}

void RadixDriver::click(QWidget* target)
{
    QTest::mouseClick(target, Qt::LeftButton);
}

void RadixDriver::clickItem(QRadioButton* item)
{
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(8, item->height() / 2));
}

void RadixDriver::selectWidth(int item)
{
    clickItem(widthItem(item));
    QVERIFY(widthItem(item)->isChecked());
}

void RadixDriver::leaveFields()
{
    for (int item = 0; item < 3; ++item) {
        if (widthItem(item)->isChecked())
            clickItem(widthItem(item));
    }
}

void RadixDriver::typeInto(QLineEdit* field, const QString& text)
{
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

void RadixDriver::pasteInto(QLineEdit* field, const QString& text)
{
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void RadixDriver::clickTab(int index)
{
    QTabBar* bar = pages()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void RadixDriver::clickCell(int col, int row, Qt::KeyboardModifiers modifiers)
{
    TSuperStringGrid* table = grid();
    // The header row is not a model row.
    const QModelIndex index = table->model()->index(row - 1, col);
    table->scrollTo(index);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers,
                      table->visualRect(index).center());
}
