#include "ui/BrevaneApplication.h"

#include "contracts/Prompt.h"
#include "ui/MessageBoxPrompt.h"

#include <QMessageBox>

BrevaneApplication::BrevaneApplication(int& argc, char** argv)
    : QApplication(argc, argv), messageBoxes(std::make_unique<MessageBoxPrompt>()),
      errorPrompt(messageBoxes.get()) {
    setApplicationName(kTitle);
}

BrevaneApplication::~BrevaneApplication() = default;

BrevaneApplication* BrevaneApplication::Instance() {
    return qobject_cast<BrevaneApplication*>(QCoreApplication::instance());
}

void BrevaneApplication::SetErrorPrompt(Prompt* prompt) {
    errorPrompt = prompt ? prompt : messageBoxes.get();
}

Prompt& BrevaneApplication::ErrorPrompt() {
    return *errorPrompt;
}

void BrevaneApplication::ShowError(const std::exception& error) {
    errorPrompt->ShowStop(error.what(), applicationName().toStdString());
}

bool BrevaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(error);
        return false;
    }
}

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        if (BrevaneApplication* app = BrevaneApplication::Instance()) {
            app->ShowError(error);
        } else {
            QMessageBox::critical(nullptr, QCoreApplication::applicationName(),
                                  QString::fromStdString(error.what()));
        }
    }
}
