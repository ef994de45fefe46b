#include "controls/RadioGroup.h"

#include "controls/ErrorReport.h"

#include <QButtonGroup>

#include <memory>

QButtonGroup* makeRadioGroup(QObject* owner, const QList<QAbstractButton*>& items,
                             TCheckedItemClick checkedItemClick, std::function<void(int)> onClick)
{
    auto* group = new QButtonGroup(owner);
    for (int id = 0; id < items.size(); ++id)
        group->addButton(items[id], id);

    // Every click, by mouse, keyboard or an accessible press, is a press,
    // then the check of its item if that changes, then the click itself;
    // every other route only checks the item. The item left reports first,
    // unchecked, so the group already shows the new selection.
    auto checkedSincePress = std::make_shared<bool>(false);
    QObject::connect(group, &QButtonGroup::idPressed, owner,
                     [checkedSincePress] { *checkedSincePress = false; });
    QObject::connect(group, &QButtonGroup::idToggled, owner,
                     [checkedSincePress, onClick](int id, bool checked) {
                         if (!checked)
                             return;
                         *checkedSincePress = true;
                         reportErrors([&] { onClick(id); });
                     });
    if (checkedItemClick == TCheckedItemClick::Handled) {
        QObject::connect(group, &QButtonGroup::idClicked, owner,
                         [checkedSincePress, onClick](int id) {
                             if (!*checkedSincePress)
                                 reportErrors([&] { onClick(id); });
                         });
    }
    return group;
}
