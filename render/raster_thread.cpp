#include "render/raster_thread.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <exception>

void runOnRasterThread(const std::function<void()>& job) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr || pool->contains(QThread::currentThread())) {
        // Already where the fills stay put, or no pool (at exit): draw right here.
        job();
        return;
    }
    QSemaphore done;
    std::exception_ptr failure;
    pool->start([&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        done.release();
    });
    done.acquire();
    if (failure) {
        std::rethrow_exception(failure);
    }
}
