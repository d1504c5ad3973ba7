#pragma once

#include <QFont>
#include <QString>

namespace arrowplan {

// The windows were laid out for the system's 8 pt sans serif. This face has
// its metrics, so every caption shows whole at its designed size; each window
// and control left at the window's default font uses it.
QFont windowFont();

// The face asked for where it is installed, else the stand-in: a missing
// family would otherwise be replaced by whatever the system picks.
QFont installedOr(const QString& family, const QString& standIn);

} // namespace arrowplan
