#include "ui/StopSignals.h"

#include <QSocketNotifier>

#include <utility>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <csignal>
#include <windows.h>
#endif

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe the handler writes to: read end [0], write end [1]; -1 while nobody watches.
volatile std::sig_atomic_t writeEnd = -1;
int pipeEnds[2] = {-1, -1};

extern "C" void OnStopSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    const int fd = writeEnd;
    if (fd >= 0) {
        // Nothing can be done about a full pipe here: a signal is already waiting in it.
        const ssize_t written = ::write(fd, &byte, 1);
        static_cast<void>(written);
    }
    errno = saved;
}

void SetHandlers(void (*handler)(int)) {
    for (const int number : kStopSignals) {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(number, &action, nullptr);
    }
}

bool OpenPipe() {
    if (::pipe(pipeEnds) != 0)
        return false;
    for (const int fd : pipeEnds) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    return true;
}

void ClosePipe() {
    writeEnd = -1;
    for (int& fd : pipeEnds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace

StopSignals::StopSignals(std::function<void(int)> onStopSignal, QObject* parent)
    : QObject(parent), onStop(std::move(onStopSignal)) {
    if (pipeEnds[0] >= 0 || !OpenPipe())
        return;
    writeEnd = pipeEnds[1];
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::ReadSignal);
    SetHandlers(OnStopSignal);
}

StopSignals::~StopSignals() {
    if (!notifier)
        return;
    SetHandlers(SIG_DFL);
    delete notifier;
    ClosePipe();
}

void StopSignals::ReadSignal() {
    unsigned char byte = 0;
    if (::read(pipeEnds[0], &byte, 1) != 1)
        return;
    // Asked once: a second signal takes the system's way.
    SetHandlers(SIG_DFL);
    notifier->setEnabled(false);
    StopOnce(byte);
}

#elif defined(Q_OS_WIN)

// Every top-level window is sent WM_QUERYENDSESSION, answered yes at once, and then
// WM_ENDSESSION, whose wParam says whether the session really ends. The stop is a logout's:
// SIGTERM, as on other systems.
class StopSignals::SessionEnd final : public QAbstractNativeEventFilter {
  public:
    explicit SessionEnd(StopSignals& watcher) : watcher(watcher) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_QUERYENDSESSION) {
            *result = TRUE;
            return true;
        }
        if (msg->message != WM_ENDSESSION)
            return false;
        if (msg->wParam)
            watcher.StopOnce(SIGTERM);
        *result = 0;
        return true;
    }

  private:
    StopSignals& watcher;
};

StopSignals::StopSignals(std::function<void(int)> onStopSignal, QObject* parent)
    : QObject(parent), onStop(std::move(onStopSignal)) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        sessionEnd = new SessionEnd(*this);
        app->installNativeEventFilter(sessionEnd);
    }
}

StopSignals::~StopSignals() {
    if (!sessionEnd)
        return;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(sessionEnd);
    delete sessionEnd;
}

void StopSignals::ReadSignal() {}

#else

StopSignals::StopSignals(std::function<void(int)> onStopSignal, QObject* parent)
    : QObject(parent), onStop(std::move(onStopSignal)) {}

StopSignals::~StopSignals() = default;

void StopSignals::ReadSignal() {}

#endif

void StopSignals::StopOnce(int number) {
    if (stopped)
        return;
    stopped = true;
    if (onStop)
        onStop(number);
}
