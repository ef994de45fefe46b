#pragma once

#include <QObject>

#include <memory>
#include <vector>

// One test object per control; main() runs them in turn.
std::unique_ptr<QObject> makeSuperStringGridTest();
std::unique_ptr<QObject> makeBetterSpinEditTest();
std::unique_ptr<QObject> makeQorvelPanelsTest();
std::unique_ptr<QObject> makeRainbowBarTest();
std::unique_ptr<QObject> makeAlignTest();
std::unique_ptr<QObject> makeRadioGroupTest();
