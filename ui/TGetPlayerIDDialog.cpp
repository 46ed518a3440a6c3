#include "ui/TGetPlayerIDDialog.h"

#include "ui/BrevaneApplication.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGetPlayerIDDialog::TGetPlayerIDDialog()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("GetPlayerIDDialog");
    setWindowTitle("Find Player ");
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(239, 77);

    Label1 = new QLabel("Player ID:", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(8, 12, 64, 17);

    id = new QLineEdit(this);
    id->setObjectName("id");
    id->setGeometry(76, 10, 57, 23);

    okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    okButton->setGeometry(156, 8, 75, 25);
    okButton->setDefault(true);

    cxlButton = new QPushButton("Cancel", this);
    cxlButton->setObjectName("cxlButton");
    cxlButton->setGeometry(156, 42, 75, 25);

    connect(okButton, &QPushButton::clicked, this, Handler(this, &TGetPlayerIDDialog::okButtonClick));
    connect(cxlButton, &QPushButton::clicked, this, Handler(this, &TGetPlayerIDDialog::cxlButtonClick));
}

void TGetPlayerIDDialog::okButtonClick() {
    accept();
}

void TGetPlayerIDDialog::cxlButtonClick() {
    QDialog::reject();
}

void TGetPlayerIDDialog::reject() {
    RunHandler([this]() { cxlButtonClick(); });
}
