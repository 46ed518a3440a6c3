#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Find Player ": a one-box dialog with OK and Cancel. The program shows it only as the
// layout of the new-CGS dialog, whose handlers take the place of these.
class TGetPlayerIDDialog : public QDialog {
    Q_OBJECT

  public:
    TGetPlayerIDDialog();

    QLabel* Label1;
    QLineEdit* id;
    QPushButton* okButton;
    QPushButton* cxlButton;

    virtual void okButtonClick();
    virtual void cxlButtonClick();

  public slots:
    // Escape answers as the Cancel button does.
    void reject() override;
};
