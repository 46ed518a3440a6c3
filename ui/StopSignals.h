#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns the signals that ask a program to stop (SIGTERM when the user logs out, SIGINT from a
// terminal, SIGHUP when the terminal goes away) into one call on the window thread, where the
// program can keep what is unsaved and close its league the ordinary way. The signal handler
// itself only writes the signal's number into a pipe; the window thread reads it from its
// event loop, so the call never runs in the middle of other work. After the first signal the
// system's default action is restored: a second one ends a program that does not stop.
//
// On Windows the request to stop is the end of the session (logging off, shutting down): the
// program is told with WM_ENDSESSION, after which the system may end it at any moment, so the
// call is made there and then, from the window procedure; the system is never asked to wait.
//
// One watcher at a time; on other systems nothing is watched.
class StopSignals : public QObject {
  public:
    explicit StopSignals(std::function<void(int)> onStop, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether the requests are being watched (false on other systems or when no pipe was had).
    bool IsWatching() const { return notifier != nullptr || sessionEnd != nullptr; }

  private:
    class SessionEnd;

    void ReadSignal();
    void StopOnce(int number);

    std::function<void(int)> onStop;
    bool stopped = false;
    QSocketNotifier* notifier = nullptr;
    SessionEnd* sessionEnd = nullptr; // Windows: the filter of the session's end messages
};
