// The program's icon, for its windows and its tray icon.
#pragma once

#include <QIcon>

// Kept for as long as the clock lives, at no more than trays and window lists show: 64 pixels
// at the screen's density. Null where the artwork cannot be read.
QIcon programIcon();

// Gives the program its icon, the first time something shows it: the menu, the tray icon, a
// dialog or a message. The clock window itself is in no task bar, and an idle clock that never
// shows any of these need not hold the icon and the code that sends it to the window system.
void showProgramIconFromNowOn();
