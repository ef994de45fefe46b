#include "tests/support/LatencyDriver.h"

#include "controls/SuperStringGrid.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>

QWidget* LatencyDriver::dialogChild(const char* name) const
{
    return calc()->propertiesForm()->findChild<QWidget*>(QString::fromLatin1(name));
}

QComboBox* LatencyDriver::topologyBox() const
{
    return qobject_cast<QComboBox*>(dialogChild("TopologyComboBox"));
}

QComboBox* LatencyDriver::bandwidthBox() const
{
    return qobject_cast<QComboBox*>(dialogChild("BandwidthComboBox"));
}

TNetworkButton* LatencyDriver::elementButton(int position) const
{
    return calc()->setupEditor()->button(position);
}

QAction* LatencyDriver::menuEntry(int position, const char* name) const
{
    return elementButton(position)->ElementMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

bool LatencyDriver::removeOffered(int position) const
{
    return menuEntry(position, "RemoveItem")->isVisible();
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
    QVERIFY(calc()->propertiesForm()->isVisible());
    // Focus moves (and typed values commit) only in the active window.
    activate(calc()->propertiesForm());
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
    activate(box->window());
}

void LatencyDriver::clickOk()
{
    click(calc()->propertiesForm()->OKButton());
}

int LatencyDriver::insert()
{
    const int before = calc()->chain().count();
    click(button("NewNetworkButton"));
    if (calc()->chain().count() != before + 1)
        return -1;
    return calc()->chain().selectedElement();
}

void LatencyDriver::showPage(int index)
{
    clickTab(calc()->pageControl(), index);
    QCOMPARE(calc()->pageControl()->currentIndex(), index);
}

void LatencyDriver::chooseDirection(const char* item)
{
    auto* direction = find<QRadioButton>(QString::fromLatin1(item));
    clickItem(direction);
    QVERIFY(direction->isChecked());
}

TSuperStringGrid* LatencyDriver::statsGrid() const
{
    return find<TSuperStringGrid>("LatencyStatsStringGrid");
}

void LatencyDriver::setNetwork(int position, const QString& given)
{
    const QStringList parts = given.split(':');
    openProperties(position);
    if (QTest::currentTestFailed())
        return;
    choose(topologyBox(), parts[0]);
    if (parts.size() > 1)
        typeOver(bandwidthBox(), parts[1]);
    if (parts.size() > 2)
        typeOver(dialogChild("PropDelaySpinEdit"), parts[2]);
    clickOk();
}

void LatencyDriver::setNode(int position, int processTime, int packetSize)
{
    openProperties(position);
    if (QTest::currentTestFailed())
        return;
    typeOver(dialogChild("ProcessTimeSpinEdit"), QString::number(processTime));
    typeOver(dialogChild("PacketSizeSpinEdit"), QString::number(packetSize));
    clickOk();
}
