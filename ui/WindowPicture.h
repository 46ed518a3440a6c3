#pragma once

#include <QString>

#include <functional>

class QWidget;

// Saves a picture of a window as the display shows it (falling back to the widget's own
// drawing where the platform cannot grab a window) to a PNG file. False when it cannot be saved.
bool SaveWindowPicture(QWidget& window, const QString& path);

// Runs action(shown) once ready() says the window's content is in place and the window is on
// screen, looking every pollMs milliseconds; gives up waiting after 60 seconds, and then
// shown says whether the window is on screen at all.
void WhenShown(QWidget& window, std::function<bool()> ready, std::function<void(bool)> action, int pollMs);

// Waits until ready() says the window's content is in place and the window is on screen,
// lets it paint, saves its picture and calls done(ok): ok when the picture was saved of a
// window on screen. Gives up after 60 seconds and saves what is there, which is no success
// when the window never came on screen.
void SaveWhenShown(QWidget& window, const QString& path, std::function<bool()> ready,
                   std::function<void(bool)> done);
