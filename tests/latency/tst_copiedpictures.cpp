// The pictures the latency calculator copies have the size of what they show
// in layout pixels, on any screen: CTest runs this at scale factors 1, 1.25,
// 1.5 and 2 (QT_SCALE_FACTOR).

#include "controls/SpeedButton.h"
#include "tests/support/LatencyDriver.h"

#include <QClipboard>
#include <QImage>

class TestCopiedPictures : public QObject, LatencyDriver
{
    Q_OBJECT

private slots:
    void init() { start("LatencyCalculator1"); }
    void cleanup() { finish(); }

    void pictureHasTheLayoutSize_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("copyButton");
        QTest::addColumn<QSize>("size");
        QTest::newRow("network setup") << 0 << "CopyNetworkSetupButton" << QSize(268, 258);
        QTest::newRow("latency graphs") << 2 << "CopyLatencyGraphsButton" << QSize(268, 285);
    }

    void pictureHasTheLayoutSize()
    {
        QFETCH(int, page);
        QFETCH(QString, copyButton);
        QFETCH(QSize, size);
        showPage(page);
        QGuiApplication::clipboard()->clear();
        calc()->findChild<TSpeedButton*>(copyButton)->click();
        const QImage picture = QGuiApplication::clipboard()->image();
        // The bitmap's own pixels, drawn at one pixel per layout pixel.
        QCOMPARE(picture.size(), size);
        QCOMPARE(picture.devicePixelRatio(), 1.0);
    }
};

ZENTRIX_UI_TEST_MAIN(TestCopiedPictures)
#include "tst_copiedpictures.moc"
