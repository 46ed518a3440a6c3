#include "ui/TGetCGSDialog.h"

#include "contracts/TextToInt.h"
#include "ui/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TGetCGSDialog::TGetCGSDialog(std::int32_t& newCGS) : result(newCGS) {
    setObjectName("GetCGSDialog");
    setWindowTitle("Enter New CGS");
    setFixedSize(153, 77);
    Label1->setText("New CGS:");
    Label1->setGeometry(6, 12, 62, 17);
    id->setGeometry(71, 10, 77, 23);
    okButton->setGeometry(4, 44, 70, 25);
    cxlButton->setGeometry(79, 44, 70, 25);
    result = -1;
}

void TGetCGSDialog::okButtonClick() {
    // Money as it is written, with commas. A text that is no amount fails before the dialog
    // closes: the error box says so once and the dialog stays for another try.
    result = MoneyTextToInt(ToModelText(id->text()));
    accept();
}

void TGetCGSDialog::cxlButtonClick() {
    result = -1;
    QDialog::reject();
}
