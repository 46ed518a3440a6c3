#include "ui/MessageBoxPrompt.h"

#include "ui/QtText.h"

#include <QMessageBox>

namespace {

QMessageBox::StandardButton Show(QMessageBox::Icon icon, const std::string& text, const std::string& caption,
                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, FromMessageText(caption), FromMessageText(text), buttons);
    box.setObjectName("MessageBox");
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

bool MessageBoxPrompt::AskYesNo(const std::string& text, const std::string& caption) {
    return Show(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Prompt::Choice MessageBoxPrompt::AskYesNoCancel(const std::string& text, const std::string& caption) {
    // Escape and closing the box answer Cancel.
    switch (Show(QMessageBox::Question, text, caption,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

void MessageBoxPrompt::ShowStop(const std::string& text, const std::string& caption) {
    Show(QMessageBox::Critical, text, caption, QMessageBox::Ok);
}

bool MessageBoxPrompt::AskOkCancel(const std::string& text, const std::string& caption) {
    return Show(QMessageBox::NoIcon, text, caption, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessageBoxPrompt::ShowMessage(const std::string& text, const std::string& caption) {
    Show(QMessageBox::NoIcon, text, caption, QMessageBox::Ok);
}
