// SIGTERM (the session ending), SIGINT (Ctrl+C) and SIGHUP end the clock as "Exit" does, and
// within a second whatever it is busy with.
#include "app/desktop/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <ctime>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int toLoop[2] = {-1, -1};
timer_t graceTimer{};
// The signal that asked first; 0 before any did. Touched only by the handlers, which the
// kernel runs one at a time on this process's behalf (each blocks the others).
volatile sig_atomic_t asked = 0;

// Ends the process by the signal, as if it had never been caught, so that whoever sent it
// sees the process end by it.
void endBy(int number) {
    ::signal(number, SIG_DFL);
    ::raise(number);
    ::_exit(128 + number);
}

// Only what is safe in a handler: a byte to the event loop, a timer armed, a signal raised.
void onSignal(int number) {
    if (asked != 0) {
        // A second signal: the user means it.
        endBy(asked);
    }
    asked = number;
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(toLoop[1], &byte, 1);
    itimerspec grace{};
    grace.it_value.tv_nsec = std::chrono::nanoseconds(TerminationSignals::kGrace).count();
    ::timer_settime(graceTimer, 0, &grace, nullptr);
}

void onGraceOver(int) {
    endBy(asked != 0 ? static_cast<int>(asked) : SIGTERM);
}

} // namespace

void TerminationSignals::quitOn(QCoreApplication& application) {
    sigevent expiry{};
    expiry.sigev_notify = SIGEV_SIGNAL;
    expiry.sigev_signo = SIGALRM;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, toLoop) != 0 ||
        ::timer_create(CLOCK_MONOTONIC, &expiry, &graceTimer) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(toLoop[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, &QCoreApplication::quit);
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    action.sa_handler = onGraceOver;
    ::sigaction(SIGALRM, &action, nullptr);
    // Each handler blocks the others while it runs.
    for (const int number : {SIGTERM, SIGINT, SIGHUP, SIGALRM}) {
        sigaddset(&action.sa_mask, number);
    }
    action.sa_handler = onSignal;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(number, &action, nullptr);
    }
}
