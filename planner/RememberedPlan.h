#pragma once

#include "ipaddress/PlanFile.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The planner's state between runs, in a file of its own beside the
// program's settings (~/.config/Qorvel Group/Zentrix Planner.conf), so that
// the main window's start-up and its settings never see it: the plan in the
// window (as a plan file's text), the file it came from and whether it has
// changed since, and the window's size and place.
struct TRememberedPlan
{
    std::optional<PlanFile> plan; // none: the planner starts empty
    QString fileName;
    bool modified = false;
    QByteArray geometry;
    QByteArray splitters;

    static QString storeFileName();

    // Reads the store. A store that cannot be read is set aside as
    // "<file>.unreadable" so that it is not written over, and EZentrixError
    // says so; the planner then starts empty.
    static TRememberedPlan load();
    // Raises EZentrixError when the store cannot be written.
    void save() const;
};
