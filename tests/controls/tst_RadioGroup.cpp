#include "controls/RadioGroup.h"

#include <QAccessible>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

namespace {

// Every route that checks an item runs the group's handler exactly once.
class TestRadioGroup : public QObject
{
    Q_OBJECT

private slots:
    void handlerRunsOncePerChoice_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QList<int>>("ignoring");
        QTest::addColumn<QList<int>>("handling");
        using L = QList<int>;
        QTest::newRow("click another item") << "click 1" << L{1} << L{1};
        QTest::newRow("click the checked item") << "click 0" << L{} << L{0};
        QTest::newRow("arrow key") << "down" << L{1} << L{1};
        QTest::newRow("program") << "check 1" << L{1} << L{1};
        QTest::newRow("program, then a click on that item") << "check 1,click 1" << L{1} << L{1, 1};
        QTest::newRow("accessible toggle") << "toggle 1" << L{1} << L{1};
        QTest::newRow("accessible press") << "press 1" << L{1} << L{1};
        QTest::newRow("accessible press on the checked item") << "press 0" << L{} << L{0};
    }

    void handlerRunsOncePerChoice()
    {
        QFETCH(QString, route);
        QFETCH(QList<int>, ignoring);
        QFETCH(QList<int>, handling);
        for (auto mode : {TCheckedItemClick::Ignored, TCheckedItemClick::Handled}) {
            QWidget box;
            auto* first = new QRadioButton(QStringLiteral("first"), &box);
            auto* second = new QRadioButton(QStringLiteral("second"), &box);
            second->move(0, 30);
            first->setChecked(true);
            QList<int> runs;
            makeRadioGroup(&box, {first, second}, mode, [&runs](int id) { runs << id; });
            box.show();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            first->setFocus();
            const QList<QRadioButton*> items{first, second};
            for (const QString& step : route.split(QLatin1Char(','))) {
                QRadioButton* item = items.value(step.section(QLatin1Char(' '), 1).toInt());
                if (step.startsWith(QLatin1String("click")))
                    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
                else if (step == QLatin1String("down"))
                    QTest::keyClick(first, Qt::Key_Down);
                else if (step.startsWith(QLatin1String("check")))
                    item->setChecked(true);
                else
                    QAccessible::queryAccessibleInterface(item)->actionInterface()->doAction(
                        step.startsWith(QLatin1String("toggle"))
                            ? QAccessibleActionInterface::toggleAction()
                            : QAccessibleActionInterface::pressAction());
            }
            // An accessible press clicks a moment later, as the button goes up.
            if (route.startsWith(QLatin1String("press")))
                QTest::qWait(150);
            QCOMPARE(runs, mode == TCheckedItemClick::Ignored ? ignoring : handling);
        }
    }
};

} // namespace

QTEST_MAIN(TestRadioGroup)

#include "tst_RadioGroup.moc"
