#include "tests/support/WindowDriver.h"

#include "app/About.h"
#include "app/Image.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>

class TestAbout : public QObject, WindowDriver
{
    Q_OBJECT

    TAboutCalc* about = nullptr;

    void openAbout() { trigger("About1"); }

private slots:
    void init()
    {
        start();
        about = form()->aboutBox();
    }
    void cleanup() { finish(); }

    void startsHiddenAndShowsItsTexts()
    {
        QVERIFY(!about->isVisible());
        openAbout();
        QVERIFY(about->isVisible());
        QVERIFY(!about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About the Zentrix"));
        QCOMPARE(about->size(), QSize(313, 282));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        const QStringList lines =
            about->findChild<QPlainTextEdit*>("InfoMemo")->toPlainText().split('\n');
        QVERIFY(lines.size() >= 2);
        QCOMPARE(lines[0], QStringLiteral("Zentrix"));
        QCOMPARE(lines[1], QStringLiteral("Release 1.02"));
        QCOMPARE(about->findChild<QWidget*>("NoticeMemo")->y(), 128);
        QVERIFY(about->findChild<TImage*>("AboutImage")->picture()->isValid());
    }

    void pictureAndCreditsSwap()
    {
        openAbout();
        auto* image = about->findChild<TImage*>("AboutImage");
        auto* credits = about->findChild<QPlainTextEdit*>("CreditsMemo");
        QVERIFY(image->isVisible());
        QVERIFY(!credits->isVisible());
        QTest::mouseDClick(image, Qt::LeftButton);
        QVERIFY(!image->isVisible());
        QVERIFY(credits->isVisible());
        QVERIFY(credits->toPlainText().startsWith(QStringLiteral("Programmed by\n")));
        QTest::mouseClick(credits->viewport(), Qt::LeftButton);
        QVERIFY(image->isVisible());
        QVERIFY(!credits->isVisible());
    }

    void keysClose_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    void keysClose()
    {
        QFETCH(int, key);
        openAbout();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QTest::keyClick(about, Qt::Key(key));
        QVERIFY(!about->isVisible());
    }

    void reopeningShowsTheSameBoxInTheStateItWasLeft()
    {
        openAbout();
        QTest::mouseDClick(about->findChild<TImage*>("AboutImage"), Qt::LeftButton);
        about->findChild<QPushButton*>("OKButton")->click();
        QVERIFY(!about->isVisible());
        openAbout();
        openAbout();
        QVERIFY(about->isVisible());
        QVERIFY(about->findChild<QPlainTextEdit*>("CreditsMemo")->isVisible());
        int boxes = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            boxes += qobject_cast<TAboutCalc*>(window) != nullptr;
        QCOMPARE(boxes, 1);
    }
};

ZENTRIX_UI_TEST_MAIN(TestAbout)
#include "tst_about.moc"
