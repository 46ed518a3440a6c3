#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString FileDialogs::OpenLeague(const QString& startFolder) {
    return ChooseAndEnter({Kind::OpenLeague, startFolder, {}});
}

QString FileDialogs::OpenOffers(const QString& startFolder) {
    return ChooseAndEnter({Kind::OpenOffers, startFolder, {}});
}

QString FileDialogs::SaveOffers(const QString& startFolder, const QString& proposedName) {
    return Choose({Kind::SaveOffers, startFolder, proposedName});
}

QString FileDialogs::ChooseAndEnter(const Request& request) {
    const QString path = Choose(request);
    if (!path.isEmpty())
        QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

QString QtFileDialogs::Choose(const Request& request) {
    QFileDialog dialog;
    dialog.setDirectory(request.startFolder);
    dialog.setWindowModality(Qt::ApplicationModal);
    switch (request.kind) {
    case Kind::OpenLeague:
        dialog.setObjectName("LgeOpenDialog");
        dialog.setWindowTitle("Select League");
        dialog.setNameFilter("League Files (*.lge)");
        dialog.setDefaultSuffix("lge");
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case Kind::OpenOffers:
        dialog.setObjectName("OpenOFFDialog");
        dialog.setWindowTitle("Open");
        dialog.setNameFilter("Offer Files (*.off)");
        dialog.setDefaultSuffix("cnt");
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case Kind::SaveOffers:
        dialog.setObjectName("SaveOFFDialog");
        dialog.setWindowTitle("Save As");
        dialog.setNameFilter("Offer Files (*.off)");
        dialog.setDefaultSuffix("off");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.proposedName);
        break;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
