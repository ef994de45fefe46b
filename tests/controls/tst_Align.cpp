#include "controls/Align.h"

#include <QTest>
#include <QWidget>

namespace {

class TestAlign : public QObject
{
    Q_OBJECT

private slots:
    void followsTheParent_data()
    {
        QTest::addColumn<int>("align");
        QTest::addColumn<QRect>("expected");
        // A 268 x 258 child designed for a 268 x 285 page, on a 272 x 290 page.
        QTest::newRow("top") << int(TAlign::Top) << QRect(0, 0, 272, 258);
        QTest::newRow("bottom") << int(TAlign::Bottom) << QRect(0, 32, 272, 258);
        QTest::newRow("client") << int(TAlign::Client) << QRect(0, 0, 272, 290);
    }

    void followsTheParent()
    {
        QFETCH(int, align);
        QFETCH(QRect, expected);
        QWidget page;
        page.resize(268, 285);
        auto* child = new QWidget(&page);
        child->setGeometry(0, 27, 268, 258);
        alignInParent(child, TAlign(align));
        // Until the page is laid out, the child keeps its designed place.
        QCOMPARE(child->geometry(), QRect(0, 27, 268, 258));
        page.resize(272, 290);
        page.show();
        QCOMPARE(child->geometry(), expected);
    }
};

} // namespace

QTEST_MAIN(TestAlign)

#include "tst_Align.moc"
