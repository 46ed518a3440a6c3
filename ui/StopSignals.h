#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns the signals that ask a program to stop (SIGTERM when the user logs out, SIGINT from a
// terminal, SIGHUP when the terminal goes away) into a call on the window thread, where the
// program can keep what is unsaved and close its league the ordinary way. The signal handler
// itself only writes the signal's number into a pipe; the window thread reads it from its
// event loop, so the call never runs in the middle of other work. After the first signal the
// system's default action is restored: a second one ends a program that does not stop.
//
// One watcher at a time; on systems without these signals nothing is watched.
class StopSignals : public QObject {
  public:
    explicit StopSignals(std::function<void(int)> onStop, QObject* parent = nullptr);
    ~StopSignals() override;
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Whether the signals are being watched (false on other systems or when no pipe was had).
    bool IsWatching() const { return notifier != nullptr; }

  private:
    void ReadSignal();

    std::function<void(int)> onStop;
    QSocketNotifier* notifier = nullptr;
};
