#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace {

// The league dialog leaves out the working copies an open league keeps beside its files
// ("~saltmp.lge"): they are not a league to open.
class WithoutWorkingCopies : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || !IsWorkingCopyName(files->fileName(index));
    }
};

} // namespace

bool IsWorkingCopyName(const QString& fileName) {
    return fileName.startsWith("~sal", Qt::CaseInsensitive);
}

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
        // A filter of the listed names needs the dialog of Qt's own widgets.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setProxyModel(new WithoutWorkingCopies(&dialog));
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
