#include "tests/support/UiFixture.h"

#include "app/Image.h"
#include "controls/CalcView.h"
#include "core/Errors.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTabWidget>

// Records the addresses the desktop was asked to open, instead of a browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestMainForm : public QObject
{
    Q_OBJECT

    const QStringList containers{"RadixorCalcPanel", "VantrelCalcPanel", "LatencyCalcPanel"};
    const QStringList menuItems{"RadixorCalculator1", "VantrelCalculator1", "LatencyCalculator1"};
    const QStringList logos{"RADIXORCALCLOGO", "SUBNETCALCLOGO", "LATENCYCALCLOGO"};

    static QAction* action(TMainForm* form, const char* name)
    {
        return form->findChild<QAction*>(QLatin1String(name));
    }

    static bool editMenuEnabled(TMainForm* form)
    {
        return form->findChild<QMenu*>("Edit1")->menuAction()->isEnabled();
    }

    // The one shown calculator, its checked menu item and the logo agree.
    void verifyOneCalculator(TMainForm* form, int expected)
    {
        for (int i = 0; i < containers.size(); ++i) {
            auto* view = form->findChild<TCalcView*>(containers[i]);
            QVERIFY2(view, qPrintable(containers[i]));
            QCOMPARE(view->isVisible(), i == expected);
            QCOMPARE(action(form, qPrintable(menuItems[i]))->isChecked(), i == expected);
            QCOMPARE(view->geometry(), QRect(8, 88, 276, 313));
        }
        auto* image = form->findChild<TImage*>("CalcImage");
        QVERIFY(image->picture());
        QCOMPARE(image->picture()->objectName(), logos[expected]);
        QVERIFY(image->picture()->isValid());
    }

private slots:
    void init() { clearStoredSettings(); }
    void cleanup() { ZENTRIX_EXPECT_NO_MESSAGES(); }

    void startsWithTheSubnetCalculator()
    {
        auto form = makeMainForm();
        QCOMPARE(form->windowTitle(), QStringLiteral("Zentrix"));
        verifyOneCalculator(form.get(), 1);
        QVERIFY(!editMenuEnabled(form.get()));
    }

    void clientAreaIsFixed()
    {
        auto form = makeMainForm();
        QCOMPARE(form->centralWidget()->size(), QSize(292, 409));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
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
        auto form = makeMainForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        const QKeySequence sequence(shortcut);
        QTest::keySequence(form.get(), sequence);
        verifyOneCalculator(form.get(), expected);
        QCOMPARE(action(form.get(), qPrintable(menuItems[expected]))->shortcut(), sequence);
        // Choosing it again repeats the selection harmlessly.
        QTest::keySequence(form.get(), sequence);
        verifyOneCalculator(form.get(), expected);
    }

    void logoCyclesSubnetLatencyNumberBase()
    {
        auto form = makeMainForm();
        auto* image = form->findChild<TImage*>("CalcImage");
        QCOMPARE(image->toolTip(), QStringLiteral("Click to cycle calculators"));
        for (int expected : {2, 0, 1, 2}) {
            QTest::mouseClick(image, Qt::LeftButton);
            verifyOneCalculator(form.get(), expected);
        }
    }

    void selectionDisablesTheEditMenu()
    {
        auto form = makeMainForm();
        auto* view = form->findChild<TCalcView*>("RadixorCalcPanel");
        QPushButton copyButton;
        emit view->copyAvailable(&copyButton);
        QVERIFY(editMenuEnabled(form.get()));
        action(form.get(), "VantrelCalculator1")->trigger();
        QVERIFY(!editMenuEnabled(form.get()));
    }

    void copyGoesToTheActiveButtonAlsoFromAnEditField()
    {
        auto form = makeMainForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* view = form->findChild<TCalcView*>("VantrelCalcPanel");
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

    void ctrlXClosesTheWindowAlsoWhileTyping()
    {
        auto form = makeMainForm();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* view = form->findChild<TCalcView*>("VantrelCalcPanel");
        auto* field =
            new QLineEdit(QStringLiteral("keep me"), view->pageControl()->currentWidget());
        field->show();
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!form->isVisible());
        QCOMPARE(field->text(), QStringLiteral("keep me"));
    }

    void exitMenuItemCloses()
    {
        auto form = makeMainForm();
        QCOMPARE(action(form.get(), "exit1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
        action(form.get(), "exit1")->trigger();
        QVERIFY(!form->isVisible());
    }

    void errorInAHandlerIsReportedAndTheProgramGoesOn()
    {
        auto form = makeMainForm();
        QTimer::singleShot(0, form.get(), [] { throw EZentrixError("Range check error"); });
        QStringList shown;
        QTRY_VERIFY((shown += MessageBoxCatcher::instance().take(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{"Range check error"});
        action(form.get(), "LatencyCalculator1")->trigger();
        verifyOneCalculator(form.get(), 2);
    }

    void webSiteOpensFromLogoAndMenu()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
        auto form = makeMainForm();
        auto* logo = form->findChild<TImage*>("QorvelGroupImage");
        QCOMPARE(logo->toolTip(), QStringLiteral("Click to go to Qorvel Group's website"));
        QCOMPARE(logo->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(logo, Qt::LeftButton);
        QAction* goTo = action(form.get(), "GotoWebSite1");
        goTo->trigger();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(recorder.opened.size(), 2);
        QCOMPARE(recorder.opened[0], recorder.opened[1]);
        // "Go to " and the address, whose first letter is the accelerator.
        QCOMPARE(goTo->text(), QStringLiteral("Go to &") + recorder.opened[0].host());
    }

    void menuCaptions()
    {
        auto form = makeMainForm();
        const QList<QPair<const char*, QString>> captions{{"File1", "&File"},
                                                          {"Edit1", "&Edit"},
                                                          {"Calculator1", "Ca&lculator"},
                                                          {"Help1", "&Help"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(form->findChild<QMenu*>(name)->title(), caption);
        QCOMPARE(action(form.get(), "Copy1")->text(), QStringLiteral("&Copy"));
        QCOMPARE(action(form.get(), "About1")->text(), QStringLiteral("&About..."));
        QCOMPARE(action(form.get(), "exit1")->text(), QStringLiteral("E&xit"));
    }
};

ZENTRIX_UI_TEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
