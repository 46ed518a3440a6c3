#pragma once

#include <QWidget>

#include <cstdint>

class CapChart;
class ContractList;
class FileDialogs;
class OfferList;
class Prompt;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

// "Cap Table": what the managed club's contracts and ticked offers charge against the salary
// cap in this season and the six after it, as a table and a bar chart. It follows the
// managed club and the offer list whenever Refresh is called. It can show one player of the
// club "released": his row as it is, what would leave and what would stay in each season.
// Its context menu exports the table as CSV and the page (table and chart) as PDF.
class TCapTableForm : public QWidget {
    Q_OBJECT

  public:
    TCapTableForm(Prompt& prompt, FileDialogs& dialogs, QWidget* owner);

    QLabel* releasedLabel;
    QPushButton* clearReleasedButton;
    QTableWidget* capTable;
    CapChart* capChart;
    QMenu* tableMenu;

    // Shows club `team` of the contract list with the offers of the list (which may be null).
    void Refresh(const ContractList& contracts, int team, const OfferList* offers);
    // The released view of a player of the shown club's roster (0 for none), from the next
    // Refresh on; the view ends by itself when he is no longer on the club's roster.
    void ShowReleased(std::int16_t id);
    std::int16_t ReleasedPlayer() const { return released; }

    // Writes the shown table as CSV, or the page as PDF; false (with the reason shown) when
    // the file cannot be written.
    bool ExportCsv(const QString& path);
    bool ExportPdf(const QString& path);

    void exportCsvClick();
    void exportPdfClick();

  private:
    bool WriteExport(const QString& path, const QByteArray& bytes, const char* caption);
    QString ClubName() const;

    Prompt& prompt;
    FileDialogs& dialogs;
    const ContractList* contracts = nullptr;
    const OfferList* offers = nullptr;
    int team = 0;
    std::int16_t released = 0;
};
