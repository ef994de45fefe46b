#pragma once

#include "tests/app/MonkeyTool.h"

class QAbstractItemView;

// The address planner in the monkey's walk: its steps type parents and
// requests, paste rows, undo and redo, change the options, choose results
// and close the window (MonkeyPlannerSteps.cpp); its invariants hold the
// window's tables to one another and to the parents (MonkeyPlannerInvariants.cpp).
class PlannerMonkey : public MonkeyTool
{
public:
    QString name() const override { return QStringLiteral("address planner"); }
    const char* menuItem() const override { return "AddressPlanner1"; }
    const char* windowName() const override { return "PlannerWindow"; }
    void forget() const override;
    QStringList expectedMessages() const override;

    void step(Monkey& monkey, QWidget* window) const override;

    QString check(QWidget* window) const override;
    QString keptState(QWidget* window) const override;
    QString rememberedState(QWidget* window) const override;

private:
    // MonkeyPlannerSteps.cpp
    static void startPlan(Monkey& monkey, QWidget* window);
    static void removeAllRequests(Monkey& monkey, QWidget* window);
    static void typeParents(Monkey& monkey, QWidget* window);
    static void editRequest(Monkey& monkey, QWidget* window);
    static void pasteRequests(Monkey& monkey, QWidget* window);
    static void changeOption(Monkey& monkey, QWidget* window);
    static void editRows(Monkey& monkey, QWidget* window);
    static void chooseResult(Monkey& monkey, QWidget* window);
    static QString requestRows(Monkey& monkey);
    // Clicks a cell of the view, scrolled into sight first as a user scrolls.
    static void clickCell(Monkey& monkey, QAbstractItemView* view, int row, int column,
                          bool doubleClick = false);
};
