#pragma once

#include <QString>
#include <QStringList>

// The program's three file dialogs behind one small interface, so that tests can answer
// them with a path. Each returns the chosen path, or an empty text when cancelled.
class FileDialogs {
  public:
    enum class Kind {
        OpenLeague,
        OpenOffers,
        SaveOffers,
        OfferFolder,
        OfferFiles,
        SaveBoardCsv,
        SaveCsv,
        SavePdf
    };

    struct Request {
        Kind kind = Kind::OpenLeague;
        QString startFolder;
        QString proposedName; // the save dialogs only
        QString title;        // SaveCsv and SavePdf: what is exported
    };

    virtual ~FileDialogs() = default;

    // "Select League" (League Files, *.lge). Leaves the chosen file's folder current.
    QString OpenLeague(const QString& startFolder);
    // The offer file to load (Offer Files, *.off). Leaves the chosen file's folder current.
    QString OpenOffers(const QString& startFolder);
    // The offer file to write, proposing a name; asks before overwriting. Leaves the
    // current folder alone.
    QString SaveOffers(const QString& startFolder, const QString& proposedName);
    // The offer board's sources: a folder of offer files, or several offer files; its CSV
    // export. None of them changes the current folder.
    QString OfferFolder(const QString& startFolder);
    QStringList OfferFiles(const QString& startFolder);
    QString SaveBoardCsv(const QString& startFolder, const QString& proposedName);
    // A table exported as CSV, or as a PDF page; the title names the export. Asks before
    // overwriting; leaves the current folder alone.
    QString SaveCsv(const QString& startFolder, const QString& proposedName, const QString& title);
    QString SavePdf(const QString& startFolder, const QString& proposedName, const QString& title);

  protected:
    virtual QString Choose(const Request& request) = 0;
    // Dialogs that may return several paths; by default the one path Choose returns.
    virtual QStringList ChooseMany(const Request& request);

  private:
    QString ChooseAndEnter(const Request& request);
};

// A working copy of an open league ("~saltmp.lge" and its kin), which the league dialog does not list.
bool IsWorkingCopyName(const QString& fileName);

// The dialogs as a person sees them (QFileDialog).
class QtFileDialogs : public FileDialogs {
  protected:
    QString Choose(const Request& request) override;
    QStringList ChooseMany(const Request& request) override;
};
