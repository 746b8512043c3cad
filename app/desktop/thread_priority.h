// Applying the user's priority choice to the user-interface thread.
#pragma once

// The five menu levels, Highest 2 to Lowest -2, as nice values: Linux ignores thread
// priorities of normal threads, but honours a thread's own nice value.
int niceValueForPriority(int level);

// Best effort: a raise refused for lack of privileges leaves the thread as it was. Returns
// whether the priority was applied.
bool applyThreadPriority(int level);
