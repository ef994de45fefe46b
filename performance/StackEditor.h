#pragma once

#include "path/Encapsulation.h"

#include <QWidget>

#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QUndoStack;

// The encapsulation stack as a list the user builds from the table: a layer
// chosen (with its GENEVE options or ESP's NAT traversal) is added above the
// selected one or at the end, and layers are removed and moved; every edit
// can be undone. The list reads innermost first, as the stack is written,
// and shows what each layer costs where it sits.
class TStackEditor : public QWidget
{
    Q_OBJECT
public:
    TStackEditor(QUndoStack* undoStack, QWidget* parent);

    const std::vector<TEncapLayer>& stack() const { return FStack; }
    // A stack as opened: no undo step.
    void setStack(const std::vector<TEncapLayer>& stack);
    // Each layer's place, as the last calculation fitted it; none when the
    // stack could not be fitted.
    void showFit(const std::vector<TLayerFit>* fit);

    QAction* addAction() const { return FAdd; }
    QAction* removeAction() const { return FRemove; }
    QAction* moveUpAction() const { return FMoveUp; }
    QAction* moveDownAction() const { return FMoveDown; }

    // Used by the undo steps: the stack becomes `stack`, `selected` chosen.
    void applyStack(const std::vector<TEncapLayer>& stack, int selected);

signals:
    void stackChanged();

private:
    void chooseLayer();
    void addLayer();
    void removeLayer();
    void moveLayer(int delta);
    void updateActions();
    void refreshList();
    void edit(const std::vector<TEncapLayer>& stack, int selected, const QString& text);
    int selectedRow() const;

    QUndoStack* FUndoStack;
    std::vector<TEncapLayer> FStack;
    std::vector<TLayerFit> FFit;
    QComboBox* FLayerBox;
    QSpinBox* FOptionsBox;
    QCheckBox* FNatBox;
    QListWidget* FList;
    QAction* FAdd;
    QAction* FRemove;
    QAction* FMoveUp;
    QAction* FMoveDown;
};
