#pragma once

#include <QString>

// The maker's web site, opened from the logo, the Help menu and the about box.
namespace website {
inline const QString address = QStringLiteral("www.qorvelgroup.com");
inline const QString url = QStringLiteral("https://www.qorvelgroup.com/");

// Asks the desktop to open the site; whatever it answers is not reported.
void open();
} // namespace website
