#include "tests/controls/SpinEditFixture.h"

#include "controls/Beep.h"

#include <QTest>

SpinEditFixture::SpinEditFixture()
{
    window.resize(200, 80);
    spin = new TBetterSpinEdit(&window);
    spin->move(10, 10);
    other = new QLineEdit(&window);
    other->move(10, 45);
    const auto record = [this](const char* name) {
        return [this, name] { events << QString::fromLatin1(name); };
    };
    QObject::connect(spin, &TBetterSpinEdit::changed, spin, record("changed"));
    QObject::connect(spin, &TBetterSpinEdit::upClicking, spin, record("upClicking"));
    QObject::connect(spin, &TBetterSpinEdit::upClicked, spin, record("upClicked"));
    QObject::connect(spin, &TBetterSpinEdit::downClicking, spin, record("downClicking"));
    QObject::connect(spin, &TBetterSpinEdit::downClicked, spin, record("downClicked"));
    previousBeep = beep::setHook([this] { events << QStringLiteral("beep"); });
}

SpinEditFixture::~SpinEditFixture()
{
    beep::setHook(previousBeep);
}

bool SpinEditFixture::showAndFocus()
{
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    spin->setFocus(Qt::OtherFocusReason);
    return spin->hasFocus();
}

void SpinEditFixture::typeOver(const QString& text)
{
    spin->selectAll();
    if (text.isEmpty())
        QTest::keyClick(spin, Qt::Key_Backspace);
    else
        QTest::keyClicks(spin, text);
}

void SpinEditFixture::setup(int minValue, int maxValue, int value)
{
    spin->setMinValue(minValue);
    spin->setMaxValue(maxValue);
    spin->setValue(value);
    events.clear();
}
