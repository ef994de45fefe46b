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

TNetworkButton* LatencyDriver::elementButton(int position) const
{
    return FCalc->setupEditor()->button(position);
}

QAction* LatencyDriver::menuEntry(int position, const char* name) const
{
    return elementButton(position)->ElementMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

void LatencyDriver::press(int position, Qt::MouseButton mouseButton)
{
    QTest::mousePress(elementButton(position), mouseButton, {}, QPoint(25, 25));
    QTest::mouseRelease(elementButton(position), mouseButton, {}, QPoint(25, 25));
}

void LatencyDriver::openProperties(int position)
{
    press(position);
    menuEntry(position, "PropertiesItem")->trigger();
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

int LatencyDriver::insert()
{
    const int before = FCalc->chain().count();
    QTest::mouseClick(button("NewNetworkButton"), Qt::LeftButton);
    if (FCalc->chain().count() != before + 1)
        return -1;
    return FCalc->chain().selectedElement();
}

void LatencyDriver::showPage(int index)
{
    QTabBar* tabs = FCalc->pageControl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QCOMPARE(FCalc->pageControl()->currentIndex(), index);
}

void LatencyDriver::setNetwork(int position, const QString& topology, const QString& bandwidth)
{
    openProperties(position);
    if (QTest::currentTestFailed())
        return;
    choose(topologyBox(), topology);
    if (!bandwidth.isEmpty())
        typeInto(bandwidthBox(), bandwidth);
    clickOk();
}

void LatencyDriver::setNode(int position, int processTime, int packetSize)
{
    openProperties(position);
    if (QTest::currentTestFailed())
        return;
    typeInto(dialogChild("ProcessTimeSpinEdit"), QString::number(processTime));
    typeInto(dialogChild("PacketSizeSpinEdit"), QString::number(packetSize));
    clickOk();
}
