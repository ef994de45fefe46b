#include "tests/support/WindowDriver.h"

#include "tests/support/UiFixture.h"

#include "controls/SuperStringGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>

namespace {

bool ownedBy(const QObject* object, const QObject* owner)
{
    for (; object; object = object->parent()) {
        if (object == owner)
            return true;
    }
    return false;
}

} // namespace

void WindowDriver::start(const char* calculator)
{
    // A window still open saves as it closes: closed first, nothing of it stays.
    stop();
    clearStoredSettings();
    open();
    activate(form());
    if (calculator) {
        trigger(calculator);
        QVERIFY(find<QAction>(calculator)->isChecked());
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
}

void WindowDriver::open()
{
    stop();
    FForm = std::make_unique<TMainForm>();
    FForm->show();
}

void WindowDriver::stop()
{
    if (!FForm)
        return;
    // A user closes the window's dialogs before the window. Message boxes
    // are left to the catcher, which keeps their texts.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != FForm.get() && window->isVisible() && !qobject_cast<QMessageBox*>(window) &&
            ownedBy(window, FForm.get()))
            window->close();
    }
    FForm.reset();
}

void WindowDriver::finish()
{
    stop();
    ZENTRIX_EXPECT_NO_MESSAGES();
}

void WindowDriver::clearStoredSettings()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}

QAbstractButton* WindowDriver::button(const QString& name) const
{
    return find<QAbstractButton>(name);
}

void WindowDriver::trigger(const char* action) const
{
    find<QAction>(QString::fromLatin1(action))->trigger();
}

bool WindowDriver::editMenuEnabled() const
{
    const bool menu = find<QMenu>(QStringLiteral("Edit1"))->menuAction()->isEnabled();
    if (find<QAction>(QStringLiteral("Copy1"))->isEnabled() != menu)
        QTest::qFail("the Edit menu and its Copy disagree", __FILE__, __LINE__);
    return menu;
}

void WindowDriver::keys(const QString& sequence) const
{
    QTest::keySequence(FForm->windowHandle(), QKeySequence(sequence));
}

QString WindowDriver::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void WindowDriver::click(QWidget* target, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(target, Qt::LeftButton, modifiers);
}

void WindowDriver::clickItem(QAbstractButton* item)
{
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(8, item->height() / 2));
}

void WindowDriver::clickTab(QTabWidget* tabs, int index)
{
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void WindowDriver::clickTab(QTabWidget* tabs, const QString& title)
{
    QTabBar* bar = tabs->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
        if (bar->tabText(i) == title)
            clickTab(tabs, i);
    }
    QCOMPARE(bar->tabText(bar->currentIndex()), title);
}

void WindowDriver::clickCell(TSuperStringGrid* grid, int col, int row,
                             Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = grid->model()->index(row - 1, col);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      grid->visualRect(index).center());
}

void WindowDriver::typeInto(QLineEdit* field, const QString& text)
{
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}

void WindowDriver::pasteInto(QLineEdit* field, const QString& text)
{
    click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void WindowDriver::typeOver(QWidget* field, const QString& text)
{
    field->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(field->hasFocus());
    QWidget* receiver = QApplication::focusWidget();
    // Ctrl+A with the control character a keyboard sends for it: QTest would
    // send the letter, which a field that takes no letters turns away.
    QTest::sendKeyEvent(QTest::Click, receiver, Qt::Key_A, QStringLiteral("\x01"),
                        Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(receiver, Qt::Key_Backspace);
    else
        QTest::keyClicks(receiver, text);
}

void WindowDriver::activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    // The widgets learn of it after the platform's window: until then the
    // focus and the keys still go to the window that was active before.
    QTRY_COMPARE(QApplication::activeWindow(), window);
}

void WindowDriver::sendKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* receiver = QApplication::focusWidget();
    QTest::keyClick(receiver && receiver->window() == window ? receiver : window, key, modifiers);
}

void WindowDriver::answerFileDialog(QWidget* window, const QString& fileName)
{
    // A dialog answered before may still wait for its deletion.
    QFileDialog* dialog = nullptr;
    for (QFileDialog* open : window->findChildren<QFileDialog*>())
        if (open->isVisible())
            dialog = open;
    QVERIFY2(dialog, "no file dialog open");

    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY2(name, "no file name field");
    name->setText(fileName);
    static_cast<QDialog*>(dialog)->accept();
    QCoreApplication::processEvents();
}
