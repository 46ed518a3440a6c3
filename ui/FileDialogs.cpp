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
    return ChooseAndEnter({Kind::OpenLeague, startFolder, {}, {}});
}

QString FileDialogs::OpenOffers(const QString& startFolder) {
    return ChooseAndEnter({Kind::OpenOffers, startFolder, {}, {}});
}

QString FileDialogs::SaveOffers(const QString& startFolder, const QString& proposedName) {
    return Choose({Kind::SaveOffers, startFolder, proposedName, {}});
}

QString FileDialogs::OfferFolder(const QString& startFolder) {
    return Choose({Kind::OfferFolder, startFolder, {}, {}});
}

QStringList FileDialogs::OfferFiles(const QString& startFolder) {
    return ChooseMany({Kind::OfferFiles, startFolder, {}, {}});
}

QString FileDialogs::SaveBoardCsv(const QString& startFolder, const QString& proposedName) {
    return Choose({Kind::SaveBoardCsv, startFolder, proposedName, {}});
}

QString FileDialogs::SaveCsv(const QString& startFolder, const QString& proposedName, const QString& title) {
    return Choose({Kind::SaveCsv, startFolder, proposedName, title});
}

QString FileDialogs::SavePdf(const QString& startFolder, const QString& proposedName, const QString& title) {
    return Choose({Kind::SavePdf, startFolder, proposedName, title});
}

QStringList FileDialogs::ChooseMany(const Request& request) {
    const QString path = Choose(request);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString FileDialogs::ChooseAndEnter(const Request& request) {
    const QString path = Choose(request);
    if (!path.isEmpty())
        QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

namespace {

void SetUp(QFileDialog& dialog, const FileDialogs::Request& request) {
    using Kind = FileDialogs::Kind;
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
    case Kind::OfferFolder:
        dialog.setObjectName("OfferFolderDialog");
        dialog.setWindowTitle("Folder of Offer Files");
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    case Kind::OfferFiles:
        dialog.setObjectName("OfferFilesDialog");
        dialog.setWindowTitle("Offer Files");
        dialog.setNameFilter("Offer Files (*.off)");
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case Kind::SaveBoardCsv:
        dialog.setObjectName("SaveBoardCsvDialog");
        dialog.setWindowTitle("Export Offer Board");
        dialog.setNameFilter("CSV Files (*.csv)");
        dialog.setDefaultSuffix("csv");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.proposedName);
        break;
    case Kind::SaveCsv:
    case Kind::SavePdf: {
        const bool csv = request.kind == Kind::SaveCsv;
        dialog.setObjectName(csv ? "SaveCsvDialog" : "SavePdfDialog");
        dialog.setWindowTitle(request.title);
        dialog.setNameFilter(csv ? "CSV Files (*.csv)" : "PDF Files (*.pdf)");
        dialog.setDefaultSuffix(csv ? "csv" : "pdf");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(request.proposedName);
        break;
    }
    }
}

} // namespace

QString QtFileDialogs::Choose(const Request& request) {
    const QStringList paths = ChooseMany(request);
    return paths.isEmpty() ? QString() : paths.constFirst();
}

QStringList QtFileDialogs::ChooseMany(const Request& request) {
    QFileDialog dialog;
    SetUp(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}
