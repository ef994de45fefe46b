#pragma once

#include <QString>

// A tool window's remembered state lives in a file of its own beside the
// program's settings (~/.config/Qorvel Group/Zentrix <name>.conf), so that
// the main window's start-up and its settings never see it.
namespace sidestore {

QString fileName(const QString& name);

// Moves a store that cannot be read out of the way, as "<file>.unreadable"
// (or "-2", "-3", ... after it), so that it is not written over, and says
// where it went: "The file was kept as ..." or, when it could not be moved,
// "... is left as it is."
QString setAside(const QString& fileName);

} // namespace sidestore
