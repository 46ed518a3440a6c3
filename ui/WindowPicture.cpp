#include "ui/WindowPicture.h"

#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

bool SaveWindowPicture(QWidget& window, const QString& path) {
    QPixmap picture;
    if (QScreen* screen = window.screen())
        picture = screen->grabWindow(window.winId());
    if (picture.isNull())
        picture = window.grab();
    if (picture.isNull() || !picture.save(path, "PNG")) {
        std::fprintf(stderr, "Brevane: could not save the picture of the window to %s\n", qPrintable(path));
        return false;
    }
    std::printf("Brevane: picture of the main window (%s) saved to %s\n", qPrintable(window.objectName()),
                qPrintable(path));
    std::fflush(stdout);
    return true;
}

void WhenShown(QWidget& window, std::function<bool()> ready, std::function<void(bool)> action, int pollMs) {
    constexpr qint64 kGiveUpMs = 60000;
    auto* poll = new QTimer(&window);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, clock, ready, action]() {
        const bool shown = window.windowHandle() && window.windowHandle()->isExposed();
        if (!(shown && ready()) && clock.elapsed() < kGiveUpMs)
            return;
        poll->stop();
        poll->deleteLater();
        action(shown);
    });
    poll->start(pollMs);
}

void SaveWhenShown(QWidget& window, const QString& path, std::function<bool()> ready,
                   std::function<void(bool)> done) {
    constexpr int kPollMs = 100;
    constexpr int kSettleMs = 500;
    WhenShown(
        window, std::move(ready),
        [&window, path, done](bool shown) {
            if (!shown)
                std::fprintf(stderr, "Brevane: the main window did not come on screen within a minute\n");
            // A moment for the last paint to reach the display.
            QTimer::singleShot(kSettleMs, &window, [&window, path, done, shown]() {
                done(SaveWindowPicture(window, path) && shown);
            });
        },
        kPollMs);
}
