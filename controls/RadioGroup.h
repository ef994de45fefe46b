#pragma once

#include <QList>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QObject;

// Whether a click on the item that is checked already counts as a click.
enum class TCheckedItemClick
{
    Ignored,
    Handled
};

// Makes `items` one exclusive group, numbered from 0 in the order given, that
// runs `onClick` with an item's number whenever that item becomes checked:
// by a click, the keyboard, assistive technology (whose toggle action checks
// an item without clicking it) or the program. A click that checks an item
// runs it once, not once for the check and again for the click. A click on
// the checked item changes no selection and runs it only when
// `checkedItemClick` says so. The group belongs to `owner`.
QButtonGroup* makeRadioGroup(QObject* owner, const QList<QAbstractButton*>& items,
                             TCheckedItemClick checkedItemClick, std::function<void(int)> onClick);
