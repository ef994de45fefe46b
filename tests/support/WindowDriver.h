#pragma once

#include "app/MainForm.h"
#include "tests/support/UiFixture.h"

#include <QString>
#include <QtTest>
#include <memory>

class QAbstractButton;
class QLineEdit;
class QTabWidget;
class TSuperStringGrid;

// The real main window, driven as a user drives it: menu items, clicks on
// buttons, tabs and table cells, typing into fields, keys to the window.
// Every widget test gets its window here. What one calculator adds lives in
// a thin driver of its own (SubnetDriver, RadixDriver, LatencyDriver), and a
// test inherits the drivers it needs. They derive virtually, so a test that
// drives several calculators still has one window.
//
// Helpers that check something report through QtTest; callers that go on
// after them test QTest::currentTestFailed().
class WindowDriver
{
public:
    // A window as on a first run: nothing stored, the window shown and
    // active, "untouched" on the clipboard so that a test sees whether
    // anything was copied, and the calculator of the Calculator menu item
    // named chosen (none: the one the window starts with).
    void start(const char* calculator = nullptr);
    // A window built from what is stored now, as the next start of the
    // program builds it.
    void open();
    // Closes the window, its own dialogs first; it saves its settings.
    void stop();
    // The end of a test: the window closed, and no message box shown that
    // the test did not take.
    void finish();
    // Removes every stored setting, so the next window starts as on a first run.
    static void clearStoredSettings();

    TMainForm* form() const { return FForm.get(); }
    template <class T = QWidget> T* find(const QString& name) const
    {
        T* found = FForm->findChild<T*>(name);
        if (!found)
            qFatal("no %s", qPrintable(name));
        return found;
    }
    QAbstractButton* button(const QString& name) const;
    // Chooses a menu item, named by its object name.
    void trigger(const char* action) const;
    // Whether the Edit menu and its Copy are offered; they go together, and
    // the check fails when they do not.
    bool editMenuEnabled() const;
    // A key sequence to the window, as the platform delivers it.
    void keys(const QString& sequence) const;

    static QString clipboardText();
    static void click(QWidget* target, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // A radio button answers a click on its circle.
    static void clickItem(QAbstractButton* item);
    static void clickTab(QTabWidget* tabs, int index);
    // The tab of that title, which must then be in front.
    static void clickTab(QTabWidget* tabs, const QString& title);
    // Row 0 is the header row, which the view draws apart.
    static void clickCell(TSuperStringGrid* grid, int col, int row,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Enters the field with the mouse and types over its whole text; an
    // empty text is a Backspace.
    static void typeInto(QLineEdit* field, const QString& text);
    // Enters the field with the mouse, selects its text and pastes over it.
    static void pasteInto(QLineEdit* field, const QString& text);
    // Moves the focus to the field as Tab does and types over its whole
    // text, the keys sent where the keyboard sends them: to the focus widget.
    static void typeOver(QWidget* field, const QString& text);
    static void activate(QWidget* window);
    // A key as the keyboard sends it: to the focus widget when it is in the
    // window, else to the window.
    static void sendKey(QWidget* window, Qt::Key key,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Answers the file dialog open over the window with this file, as a user
    // types a whole path into its name field and presses Save or Open.
    static void answerFileDialog(QWidget* window, const QString& fileName);

private:
    std::unique_ptr<TMainForm> FForm;
};
