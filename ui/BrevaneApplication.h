#pragma once

#include <QApplication>

#include <exception>
#include <functional>
#include <memory>
#include <string>

class Prompt;

// The application object of the program: its title and the standard error box. An error
// that escapes one of our handlers (a conversion of typed text, or any other
// std::exception) is shown in a critical box with the title as caption, and the program
// goes on.
//
// Debian's QtGui and QtWidgets are built without exception support, so an exception that
// unwinds through their frames skips their clean-ups (it leaks and leaves events half
// delivered). Our handlers therefore run through RunHandler, which stops the error at the
// edge of our own code; notify() catches whatever still reaches the event delivery.
class BrevaneApplication : public QApplication {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "Marrel:Contract Manager";

    BrevaneApplication(int& argc, char** argv);
    ~BrevaneApplication() override;

    // The running application object, or null when it is not ours.
    static BrevaneApplication* Instance();

    // The prompt the error box is shown through: message boxes unless a test sets its own.
    void SetErrorPrompt(Prompt* prompt);
    Prompt& ErrorPrompt();
    // Shows the error in the standard error box.
    void ShowError(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    std::unique_ptr<Prompt> messageBoxes;
    Prompt* errorPrompt;
};

// Runs one of our event handlers; an error escaping it goes to the standard error box.
void RunHandler(const std::function<void()>& handler);

// A slot that runs a handler of a window through RunHandler, for connect().
template <class Window> auto Handler(Window* window, void (Window::*method)()) {
    return [window, method]() { RunHandler([window, method]() { (window->*method)(); }); };
}
