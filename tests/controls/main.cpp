#include "tests/controls/ControlsTests.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QObject>> tests;
    tests.push_back(makeSuperStringGridTest());
    tests.push_back(makeBetterSpinEditTest());
    tests.push_back(makeQorvelPanelsTest());
    tests.push_back(makeRainbowBarTest());
    tests.push_back(makeAlignTest());
    tests.push_back(makeRadioGroupTest());

    int failures = 0;
    for (const auto& test : tests)
        failures += QTest::qExec(test.get(), argc, argv);
    return failures == 0 ? 0 : 1;
}
