// Runs drawing on one of the threads of Qt's global thread pool and waits for it.
#pragma once

#include <functional>

// Qt's raster engine splits every fill of more than about a hundred spans into pieces for the
// global thread pool, unless the painting thread belongs to that pool. For a clock's small
// frames the hand-over costs more than it saves, and it would wake every worker once a second.
// Drawing as one task of the pool keeps the fills on a single thread: the pool wakes one worker
// once per frame. Returns when the job has finished; an exception the job throws is rethrown.
// Only paint devices that may be painted outside the GUI thread (QImage) belong in the job.
// The caller blocks until a thread of the pool is free: nothing in the program may keep the
// global pool busy for long, or wait in it for the GUI thread.
void runOnRasterThread(const std::function<void()>& job);
