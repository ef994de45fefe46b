#pragma once

#include "ipaddress/PlanFile.h"

#include <QString>

#include <string>

// Plan files and exports on disk, for the planner window. Each raises
// EZentrixError with a message that names the file and says what went
// wrong; a file written is written whole or not at all (the old one stays
// as it was), so a failed save loses nothing.
namespace planfiles {

PlanFile read(const QString& fileName);
void write(const QString& fileName, const PlanFile& plan);
void writeText(const QString& fileName, const std::string& text);

// The message for a file that cannot be read: "Could not open FILE: why".
QString readError(const QString& fileName, const QString& why);

} // namespace planfiles
