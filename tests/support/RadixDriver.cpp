#include "tests/support/RadixDriver.h"

#include "controls/SuperStringGrid.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

QLineEdit* RadixDriver::memo(const QString& name) const
{
    return find<QLineEdit>(name);
}

QTabWidget* RadixDriver::pages() const
{
    return find<QTabWidget>("RadixorCalcPageControl");
}

TSuperStringGrid* RadixDriver::lookupGrid() const
{
    return find<TSuperStringGrid>("LookupStringGrid");
}

QRadioButton* RadixDriver::widthItem(int item) const
{
    const char* const names[] = {"NumberWidth8Button", "NumberWidth16Button",
                                 "NumberWidth32Button"};
    return find<QRadioButton>(names[item]);
}

void RadixDriver::selectWidth(int item)
{
    clickItem(widthItem(item));
    QVERIFY(widthItem(item)->isChecked());
}

void RadixDriver::leaveFields()
{
    for (int item = 0; item < 3; ++item) {
        if (widthItem(item)->isChecked())
            clickItem(widthItem(item));
    }
}
