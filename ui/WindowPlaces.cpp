#include "ui/WindowPlaces.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace {

// The settings are in the system's own format (the registry on Windows) unless the default
// format is changed: the tests keep theirs in files of a folder of their own on every system.
constexpr const char* kOrganization = "Brevane";
constexpr const char* kApplication = "Brevane";
constexpr int kGap = 4;

// The watcher of one tool window; a child of the window, so it goes with it.
class Keeper : public QObject {
  public:
    Keeper(QWidget& toolWindow, QWidget& owner)
        : QObject(&toolWindow), window(toolWindow), mainWindow(&owner) {
        window.installEventFilter(this);
        // A window still open when the program ends keeps its place too.
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this]() {
            if (window.isVisible())
                Remember();
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window)
            return false;
        // Shown: placed before it reaches the screen.
        if (event->type() == QEvent::Show && !event->spontaneous())
            Place();
        else if (event->type() == QEvent::Hide && !event->spontaneous())
            Remember();
        return false;
    }

  private:
    void Place() {
        if (!last.isEmpty()) {
            window.restoreGeometry(last);
            return;
        }
        QSettings settings(QSettings::defaultFormat(), QSettings::UserScope, kOrganization, kApplication);
        const QByteArray kept = settings.value(WindowPlaces::SettingsKey(window)).toByteArray();
        if (!kept.isEmpty() && window.restoreGeometry(kept))
            return;
        if (!mainWindow)
            return;
        // The window has no frame before it is first shown: take the main window's as its measure.
        const QSize decoration = mainWindow->frameGeometry().size() - mainWindow->geometry().size();
        const QSize frame = window.size() + decoration;
        QRect work = mainWindow->geometry();
        if (auto* frameWindow = qobject_cast<QMainWindow*>(mainWindow.data());
            frameWindow && frameWindow->menuWidget())
            work.setTop(mainWindow->mapToGlobal(frameWindow->menuWidget()->geometry().bottomLeft()).y() + 1);
        const QScreen* screen = mainWindow->screen();
        const QRect available = screen ? screen->availableGeometry() : mainWindow->frameGeometry();
        const QRect place = WindowPlaces::PlaceBeside(frame, mainWindow->frameGeometry(), work, available);
        if (place.size() != frame)
            window.resize(place.size() - decoration);
        window.move(place.topLeft());
    }

    void Remember() {
        last = window.saveGeometry();
        QSettings settings(QSettings::defaultFormat(), QSettings::UserScope, kOrganization, kApplication);
        settings.setValue(WindowPlaces::SettingsKey(window), last);
    }

    QWidget& window;
    QPointer<QWidget> mainWindow;
    QByteArray last;
};

} // namespace

namespace WindowPlaces {

void Keep(QWidget& toolWindow, QWidget& mainWindow) {
    new Keeper(toolWindow, mainWindow);
}

QString SettingsKey(const QWidget& window) {
    return "windows/" + window.objectName() + "/geometry";
}

QRect PlaceBeside(const QSize& frame, const QRect& mainFrame, const QRect& workArea, const QRect& screen) {
    const QRect candidates[] = {
        QRect(QPoint(mainFrame.right() + 1 + kGap, workArea.top()), frame),
        QRect(QPoint(mainFrame.left() - kGap - frame.width(), workArea.top()), frame),
        QRect(QPoint(mainFrame.left(), mainFrame.bottom() + 1 + kGap), frame),
    };
    for (const QRect& place : candidates)
        if (screen.contains(place))
            return place;
    // No room beside the main window: over its work area, at its lower right, but below its
    // menu bar; a window larger than the screen below the menu is made to fit there.
    const int top = std::max(workArea.top(), screen.top());
    const QSize fits = frame.boundedTo(QSize(screen.width(), screen.bottom() + 1 - top));
    QRect place(QPoint(0, 0), fits);
    place.moveBottomRight(workArea.bottomRight());
    place.moveRight(std::min(place.right(), screen.right()));
    place.moveLeft(std::max(place.left(), screen.left()));
    place.moveBottom(std::min(place.bottom(), screen.bottom()));
    place.moveTop(std::max(place.top(), top));
    return place;
}

} // namespace WindowPlaces
