// Applying the user's priority choice to the user-interface thread.
#include "app/desktop/thread_priority.h"

#include <algorithm>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

int niceValueForPriority(int level) {
    // Stored values outside the menu's five are applied as they are, within nice's range.
    long nice = -5L * level;
    return static_cast<int>(std::clamp(nice, -20L, 19L));
}

bool applyThreadPriority(int level) {
    auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    return ::setpriority(PRIO_PROCESS, thread, niceValueForPriority(level)) == 0;
}
