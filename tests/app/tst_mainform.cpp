#include "tests/support/WindowDriver.h"

#include "app/About.h"
#include "app/Image.h"
#include "controls/CalcView.h"
#include "controls/ErrorReport.h"
#include "core/Errors.h"
#include "radix/RadixorCalc.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>

// Records the addresses the desktop was asked to open, instead of a browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestMainForm : public QObject, WindowDriver
{
    Q_OBJECT

    const QStringList containers{"RadixorCalcPanel", "VantrelCalcPanel", "LatencyCalcPanel"};
    const QStringList menuItems{"RadixorCalculator1", "VantrelCalculator1", "LatencyCalculator1"};
    const QStringList logos{"RADIXORCALCLOGO", "SUBNETCALCLOGO", "LATENCYCALCLOGO"};

    // The one shown calculator, its checked menu item and the logo agree. A
    // calculator is made when first shown: one not made yet is not shown.
    void verifyOneCalculator(int expected)
    {
        for (int i = 0; i < containers.size(); ++i) {
            auto* view = form()->findChild<TCalcView*>(containers[i]);
            QCOMPARE(view && view->isVisible(), i == expected);
            QCOMPARE(find<QAction>(menuItems[i])->isChecked(), i == expected);
            // Its place in the client area.
            if (view)
                QCOMPARE(QRect(view->mapTo(form()->centralWidget(), QPoint()), view->size()),
                         QRect(8, 88, 276, 313));
        }
        auto* image = find<TImage>("CalcImage");
        QVERIFY(image->picture());
        QCOMPARE(image->picture()->objectName(), logos[expected]);
        QVERIFY(image->picture()->isValid());
    }

    // What a user reads in a field or on a panel.
    QString textOf(const QString& name) const
    {
        QWidget* widget = form()->findChild<QWidget*>(name);
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            return field->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        return QStringLiteral("no field ") + name;
    }

    // Keys as the keyboard sends them: to whatever has the focus.
    static void typeKeys(QWindow* window, const QString& keys)
    {
        for (QChar key : keys)
            QTest::keyClick(window, key.toLatin1());
    }

private slots:
    void init() { start(); }

    // The properties dialog's boxes are 121 pixels wide, as laid out; the
    // style's drop-down button must leave them room for the longest entry.
    void comboBoxHoldsTheLongestTopology()
    {
        const QString longest = QStringLiteral("<Unknown Network>");
        QComboBox box;
        box.setEditable(true);
        box.resize(121, 21);
        box.setEditText(longest);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QLineEdit* edit = box.lineEdit();
        // A line edit keeps two pixels free at either side of its text.
        QVERIFY2(edit->fontMetrics().horizontalAdvance(longest) <= edit->width() - 4,
                 qPrintable(QStringLiteral("%1 pixels of text in a %2-pixel field")
                                .arg(edit->fontMetrics().horizontalAdvance(longest))
                                .arg(edit->width())));
    }
    void cleanup() { finish(); }

    void startsWithTheSubnetCalculator()
    {
        QCOMPARE(form()->windowTitle(), QStringLiteral("Zentrix"));
        verifyOneCalculator(1);
        QVERIFY(!editMenuEnabled());
    }

    void clientAreaIsFixed()
    {
        QCOMPARE(form()->centralWidget()->size(), QSize(292, 409));
        QCOMPARE(form()->minimumSize(), form()->maximumSize());
        QVERIFY(!(form()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form()->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void menuSelectsCalculator_data()
    {
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<int>("expected");
        QTest::newRow("Ctrl+H number-base") << "Ctrl+H" << 0;
        QTest::newRow("Ctrl+I subnet") << "Ctrl+I" << 1;
        QTest::newRow("Ctrl+L latency") << "Ctrl+L" << 2;
    }

    void menuSelectsCalculator()
    {
        QFETCH(QString, shortcut);
        QFETCH(int, expected);
        const QKeySequence sequence(shortcut);
        QTest::keySequence(form(), sequence);
        verifyOneCalculator(expected);
        QCOMPARE(find<QAction>(menuItems[expected])->shortcut(), sequence);
        // Choosing it again repeats the selection harmlessly.
        QTest::keySequence(form(), sequence);
        verifyOneCalculator(expected);
    }

    void logoCyclesSubnetLatencyNumberBase()
    {
        auto* image = find<TImage>("CalcImage");
        QCOMPARE(image->toolTip(), QStringLiteral("Click to cycle calculators"));
        for (int expected : {2, 0, 1, 2}) {
            QTest::mouseClick(image, Qt::LeftButton);
            verifyOneCalculator(expected);
        }
    }

    void selectionDisablesTheEditMenu()
    {
        TCalcView* view = form()->radixorCalc();
        QPushButton copyButton;
        emit view->copyAvailable(&copyButton);
        QVERIFY(editMenuEnabled());
        trigger("VantrelCalculator1");
        QVERIFY(!editMenuEnabled());
    }

    void copyGoesToTheActiveButtonAlsoFromAnEditField()
    {
        auto* view = find<TCalcView>("VantrelCalcPanel");
        auto* field =
            new QLineEdit(QStringLiteral("typed text"), view->pageControl()->currentWidget());
        field->show();
        field->setFocus();
        field->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));

        // With the Edit menu disabled, Ctrl+C does nothing at all.
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        QPushButton copyButton;
        QSignalSpy clicks(&copyButton, &QPushButton::clicked);
        emit view->copyAvailable(&copyButton);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

        emit view->copyUnavailable();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clicks.count(), 1);
    }

    // Another calculator is chosen while a field of this one has the focus;
    // what is typed next must not reach the hidden field.
    void keysNeverReachAHiddenCalculator_data()
    {
        QTest::addColumn<QString>("calculator");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("leave");
        QTest::addColumn<QStringList>("expected");
        // Leaving the field regroups it or commits it to the calculator.
        const QStringList hex{"HexMemo=A BC", "DecMemo=2,748"};
        QTest::newRow("hexadecimal field") << "Ctrl+H"
                                           << "HexMemo"
                                           << "abc"
                                           << "Ctrl+L" << hex;
        QTest::newRow("hexadecimal field, menu keys") << "Ctrl+H"
                                                      << "HexMemo"
                                                      << "abc"
                                                      << "Alt+L, L" << hex;
        QTest::newRow("subnet bits")
            << "Ctrl+I"
            << "BitsSpinEdit"
            << "3"
            << "Ctrl+L" << QStringList{"BitsSpinEdit=3", "MaxSubnetsPanel=8"};
    }

    void keysNeverReachAHiddenCalculator()
    {
        QFETCH(QString, calculator);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, leave);
        QFETCH(QStringList, expected);
        QWindow* window = form()->windowHandle();
        QTest::keySequence(window, QKeySequence(calculator));
        auto* edit = form()->findChild<QLineEdit*>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        typeKeys(window, typed);

        QTest::keySequence(window, QKeySequence(leave));
        verifyOneCalculator(2);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(!focus || focus->isVisible(), focus ? qPrintable(focus->objectName()) : "");
        typeKeys(window, QStringLiteral("12"));
        QTest::keySequence(window, QKeySequence(calculator));
        for (const QString& item : expected) {
            const QString name = item.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name + "=" + textOf(name), item);
        }
        QVERIFY(!editMenuEnabled());
    }

    void editCopyFromTheMenuBarKeysWhileInANumberField()
    {
        QWindow* window = form()->windowHandle();
        QTest::keySequence(window, QKeySequence(QStringLiteral("Ctrl+H")));
        QTest::mouseClick(find<QLineEdit>("DecMemo"), Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        typeKeys(window, QStringLiteral("1234"));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::keyClick(window, Qt::Key_E, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_C);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1234"));
        QVERIFY(editMenuEnabled());
    }

    // Whatever is typed into a field is applied before another page shows.
    void clickingATabTakesTheFocus_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::newRow("number-base") << "RadixorCalculator1";
        QTest::newRow("subnet") << "VantrelCalculator1";
        QTest::newRow("latency") << "LatencyCalculator1";
    }

    void clickingATabTakesTheFocus()
    {
        QFETCH(QString, menuItem);
        trigger(qPrintable(menuItem));
        QTabBar* tabs = nullptr;
        for (TCalcView* view : form()->findChildren<TCalcView*>()) {
            if (view->isVisible())
                tabs = view->pageControl()->tabBar();
        }
        QVERIFY(tabs);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), tabs);
    }

    // Qt reports a double-click as a click followed by a double-click.
    void oneDoubleClickActsOnce_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("opened");
        QTest::addColumn<int>("calculator");
        QTest::newRow("calculator logo") << "CalcImage" << 0 << 2;
        QTest::newRow("maker's logo") << "QorvelGroupImage" << 1 << 1;
        QTest::newRow("web address in the about box") << "WebURL" << 1 << 1;
    }

    void oneDoubleClickActsOnce()
    {
        QFETCH(QString, target);
        QFETCH(int, opened);
        QFETCH(int, calculator);
        auto* widget = form()->findChild<QWidget*>(target);
        if (!widget) {
            trigger("About1");
            widget = form()->aboutBox()->findChild<QWidget*>(target);
            QVERIFY(QTest::qWaitForWindowExposed(widget->window()));
        }
        QWidget* window = widget->window();
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                           widget->mapTo(window, widget->rect().center()));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.opened.size(), opened);
        verifyOneCalculator(calculator);
    }

    void ctrlXClosesTheWindowAlsoWhileTyping()
    {
        auto* view = find<TCalcView>("VantrelCalcPanel");
        auto* field =
            new QLineEdit(QStringLiteral("keep me"), view->pageControl()->currentWidget());
        field->show();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!form()->isVisible());
        QCOMPARE(field->text(), QStringLiteral("keep me"));
    }

    void exitMenuItemCloses()
    {
        QCOMPARE(find<QAction>("exit1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
        trigger("exit1");
        QVERIFY(!form()->isVisible());
    }

    void errorInAHandlerIsReportedAndTheProgramGoesOn()
    {
        QTimer::singleShot(0, form(), reporting([] { throw EZentrixError("Range check error"); }));
        QStringList shown;
        QTRY_VERIFY((shown += MessageBoxCatcher::instance().take(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{"Range check error"});
        trigger("LatencyCalculator1");
        verifyOneCalculator(2);
    }

    void webSiteOpensFromLogoAndMenu()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        auto* logo = find<TImage>("QorvelGroupImage");
        QCOMPARE(logo->toolTip(), QStringLiteral("Click to go to Qorvel Group's website"));
        QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(logo, Qt::LeftButton);
        QAction* goTo = find<QAction>("GotoWebSite1");
        goTo->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.opened.size(), 2);
        QCOMPARE(recorder.opened[0], recorder.opened[1]);
        // "Go to " and the address, whose first letter is the accelerator.
        QCOMPARE(goTo->text(), QStringLiteral("Go to &") + recorder.opened[0].host());
    }

    void menuCaptions()
    {
        const QList<QPair<const char*, QString>> captions{{"File1", "&File"},
                                                          {"Edit1", "&Edit"},
                                                          {"Calculator1", "Ca&lculator"},
                                                          {"Help1", "&Help"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(form()->findChild<QMenu*>(name)->title(), caption);
        QCOMPARE(find<QAction>("Copy1")->text(), QStringLiteral("&Copy"));
        QCOMPARE(find<QAction>("About1")->text(), QStringLiteral("&About..."));
        QCOMPARE(find<QAction>("exit1")->text(), QStringLiteral("E&xit"));
    }
};

ZENTRIX_UI_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
