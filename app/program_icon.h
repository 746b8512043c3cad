// The program's icon, for its windows and its tray icon.
#pragma once

#include <QIcon>

// Kept for as long as the clock lives, at no more than trays and window lists show: 64 pixels
// at the screen's density. Null where the artwork cannot be read.
QIcon programIcon();
