#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// Where the program's tool windows ("Current Offers", "Cap Table", "Cheapest Offers", and any
// window of the main window's own) open, and that they stay where the user puts them.
//
// The first time such a window is shown it takes the place it had when the program last
// showed it (kept with QSettings under "windows/<objectName>/geometry": the user's
// configuration, not the league's folder), or, the first time ever, a place beside the main
// window's work area: right of the main window, else left of it, else below it, else over the
// work area, but never over the main window's menu bar. Every later show puts it back where
// it was when it was hidden, and its place is kept whenever it is hidden or closed.
namespace WindowPlaces {

// Watches a tool window of the main window from now on.
void Keep(QWidget& toolWindow, QWidget& mainWindow);

// The place for a window of frame size `frame` beside the main window: the main window's
// frame, its work area (below the menu bar) and the screen's available area, all in screen
// coordinates. Never above the work area's top when it has to overlap the main window; a
// window too large for the screen below the menu gets a smaller size there.
QRect PlaceBeside(const QSize& frame, const QRect& mainFrame, const QRect& workArea, const QRect& screen);

// The settings key of a window's place.
QString SettingsKey(const QWidget& window);

} // namespace WindowPlaces
