// A thread of Qt's global thread pool, borrowed for drawing frames.
#pragma once

#include <functional>
#include <memory>

// Qt's raster engine splits every fill of more than about a hundred spans into pieces for the
// global thread pool, unless the painting thread belongs to that pool. For a clock's small
// frames the hand-over costs more than it saves, and it would wake every worker once a second.
// Drawing on a thread of the pool keeps the fills on that one thread. The thread is taken
// from the pool when the first job comes and kept until this object goes, so a frame wakes it
// once, with no queueing through the pool; the pool gets one thread more meanwhile, so that
// it never runs short for others.
class RasterThread {
public:
    RasterThread();
    ~RasterThread();
    RasterThread(const RasterThread&) = delete;
    RasterThread& operator=(const RasterThread&) = delete;

    // Runs the job on the thread and returns when it has finished, rethrowing what it threw.
    // Runs it right here when the caller is a thread of the pool itself or there is no pool
    // (at exit). Only paint devices that may be painted outside the GUI thread (QImage)
    // belong in the job.
    void run(const std::function<void()>& job);

private:
    struct State;
    bool start();

    std::shared_ptr<State> state_;
};
