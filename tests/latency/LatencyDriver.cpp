#include "tests/latency/LatencyDriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

void LatencyDriver::start()
{
    clearStoredSettings();
    FForm = makeMainForm();
    FForm->findChild<QAction*>("LatencyCalculator1")->trigger();
    FCalc = FForm->latencyCalc();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));
}

void LatencyDriver::stop()
{
    FCalc->propertiesForm()->close();
    FForm.reset();
    FCalc = nullptr;
}

QWidget* LatencyDriver::dialogChild(const char* name) const
{
    return FCalc->propertiesForm()->findChild<QWidget*>(QString::fromLatin1(name));
}

QComboBox* LatencyDriver::topologyBox() const
{
    return qobject_cast<QComboBox*>(dialogChild("TopologyComboBox"));
}

QComboBox* LatencyDriver::bandwidthBox() const
{
    return qobject_cast<QComboBox*>(dialogChild("BandwidthComboBox"));
}

QPushButton* LatencyDriver::button(const char* name) const
{
    return FCalc->findChild<QPushButton*>(QString::fromLatin1(name));
}

QAction* LatencyDriver::menuEntry(TNetworkButton* target, const char* name) const
{
    return target->ElementMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

void LatencyDriver::press(TNetworkButton* target, Qt::MouseButton mouseButton)
{
    QTest::mousePress(target, mouseButton, {}, QPoint(25, 25));
    QTest::mouseRelease(target, mouseButton, {}, QPoint(25, 25));
}

void LatencyDriver::openProperties(TNetworkButton* target)
{
    press(target);
    menuEntry(target, "PropertiesItem")->trigger();
    QVERIFY(FCalc->propertiesForm()->isVisible());
    // Focus moves (and typed values commit) only in the active window.
    QVERIFY(QTest::qWaitForWindowActive(FCalc->propertiesForm()));
}

void LatencyDriver::choose(QComboBox* box, const QString& entry)
{
    const int index = box->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    box->showPopup();
    QAbstractItemView* list = box->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex item = list->model()->index(index, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QTRY_VERIFY(!list->isVisible());
    // The offscreen platform does not hand activation back from the popup.
    box->window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box->window()));
}

void LatencyDriver::typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    auto* box = qobject_cast<QComboBox*>(field);
    QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(field);
    edit->selectAll();
    // Keys go where the keyboard sends them: to the focus widget.
    QWidget* receiver = QApplication::focusWidget();
    if (text.isEmpty())
        QTest::keyClick(receiver, Qt::Key_Backspace);
    else
        QTest::keyClicks(receiver, text);
}

void LatencyDriver::clickOk()
{
    QTest::mouseClick(FCalc->propertiesForm()->OKButton(), Qt::LeftButton);
}

TNetworkButton* LatencyDriver::insert()
{
    const int before = FCalc->chain().size();
    QTest::mouseClick(button("NewNetworkButton"), Qt::LeftButton);
    if (FCalc->chain().size() != before + 1)
        return nullptr;
    return FCalc->selectedElement();
}

void LatencyDriver::showPage(int index)
{
    QTabBar* tabs = FCalc->pageControl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QCOMPARE(FCalc->pageControl()->currentIndex(), index);
}

void LatencyDriver::setNetwork(TNetworkButton* target, const QString& topology,
                               const QString& bandwidth)
{
    openProperties(target);
    if (QTest::currentTestFailed())
        return;
    choose(topologyBox(), topology);
    if (!bandwidth.isEmpty())
        typeInto(bandwidthBox(), bandwidth);
    clickOk();
}

void LatencyDriver::setNode(TNetworkButton* target, int processTime, int packetSize)
{
    openProperties(target);
    if (QTest::currentTestFailed())
        return;
    typeInto(dialogChild("ProcessTimeSpinEdit"), QString::number(processTime));
    typeInto(dialogChild("PacketSizeSpinEdit"), QString::number(packetSize));
    clickOk();
}
