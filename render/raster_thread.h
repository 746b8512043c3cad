// A thread of Qt's global thread pool, borrowed for drawing frames.
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

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
    void run(std::function<void()> job);
    // Starts the job as run() does but returns at once, so that the caller need not wake
    // again when it ends; a job started before is waited for first.
    void start(std::function<void()> job);
    // A job for a moment of the wall clock, which the thread waits for on its own. With the
    // display's refresh interval and a pacer (see setPacer) it is paced by the display: it runs
    // at the first sign of the display that comes within one and a half refreshes before its
    // moment.
    struct Timed {
        std::chrono::system_clock::time_point at;
        std::function<void()> job;
        std::chrono::nanoseconds refresh{0};
    };
    // Queues the jobs, in order of their moments, to run each at its moment after those
    // started before, and returns at once; false, queueing nothing, where jobs run right here.
    // Of timed jobs that are due together (the thread fell behind), only the last one runs.
    bool startAt(std::vector<Timed> jobs);
    // How paced jobs learn that the display is ready: `ask` is called on the thread when one
    // is due and no sign has come since the last, and displayReady() tells of the sign. Null:
    // paced jobs run at their moments.
    void setPacer(std::function<void()> ask);
    // The display is ready for a frame; from any thread.
    void displayReady();
    // Drops the timed jobs not begun, then returns when the job running or started last has
    // finished, rethrowing what it threw; true when it dropped any.
    bool wait();

private:
    struct State;
    bool borrowThread();
    bool runsHere() const;

    std::shared_ptr<State> state_;
    // What a job run right here threw, for wait().
    std::exception_ptr failedHere_;
};
