#pragma once

#include "contracts/OfferList.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class ContractList;
class FileDialogs;
class Prompt;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QScrollArea;

// "Current Offers": the offers of the managed club as sentences with check boxes and the
// running figures of the ticked ones, over the offer list model (OfferList). It is created
// hidden at start, stays on top, and lives for the whole run; the main window binds it to
// each league's contract list when the league is opened. A double-click hands an offer back
// (offerPicked), which the main window loads into its contract editor.
class TOfferListForm : public QWidget {
    Q_OBJECT

  public:
    TOfferListForm(Prompt& prompt, FileDialogs& dialogs, QWidget* owner);
    ~TOfferListForm() override;

    QScrollArea* ScrollBox1;
    QListWidget* offerlist;
    QLabel* teamname;
    QLineEdit* payroll;
    QLineEdit* bonus;
    QLabel* restructs;
    QPushButton* savebutton;
    QPushButton* cxlbutton;
    QMenu* listMenu; // the offers' context menu: remove one, export them all

    // The open league's contract list; null when no league is open.
    void Bind(const ContractList* contracts);

    void SetBase(int team, std::uint8_t restructures, std::int32_t bonusSpent, std::int32_t currentPayroll,
                 std::int32_t estimatedPayroll);
    // False when 32 offers are already listed (or no league is open).
    bool AddOfferToList(const Offer& offer);
    // Takes the offer of a row off the list (the Delete key, the context menu); false for no such row.
    bool RemoveOffer(int row);
    // The row of the first offer for a player, -1 for none.
    int FindOfferFor(std::int16_t playerID) const;
    // Puts an offer in the place of the offer of a row, ticked.
    bool ReplaceOffer(int row, const Offer& offer);
    // Writes every listed offer as CSV; false (with the reason shown) when it cannot.
    bool ExportCsv(const QString& path);
    void LoadOffers(const std::string& path);
    // Contracts > Load: the offers of a file that the list's club made for players of this
    // league; what it leaves out is said, with the reasons.
    void LoadOwnOffers(const QString& path);
    // Writes the ticked offers; on failure reason says why and the old file stays.
    bool WriteOffers(const std::string& path, std::string& reason);
    // Empties the list and its figures and hides the window.
    void ClearOffers();
    // Asked before Cancel empties the list; false keeps the list.
    void SetClearQuestion(std::function<bool()> question);
    // The save dialog, starting in the league's folder and proposing "<club>.off"; writes the
    // ticked offers there. False when cancelled or when the file could not be written
    // (which is reported).
    bool SaveOffersOf(int team);

    int Count() const;
    const OfferList* Model() const { return model.get(); }

    void offerlistClickCheck(QListWidgetItem* item);
    void savebuttonClick();
    void cxlbuttonClick();
    void offerlistDblClick();
    void exportCsvClick();
    void FormShow();

  signals:
    // The offers were written to a file.
    void offersWritten();
    // The list was emptied.
    void offersCleared();
    // Offers were added, ticked, unticked or removed, or the club's figures changed.
    void offersChanged();
    // An offer was taken off the list or replaced: the list differs from any file saved.
    void offersEdited();
    // An offer was double-clicked: to be shown in the contract editor.
    void offerPicked(const Offer& offer);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowItems();
    void ShowTotals();
    // Marks the ticked offers that break the league's rules (red, the reasons as tool tip).
    void ShowProblems();

    Prompt& prompt;
    FileDialogs& dialogs;
    const ContractList* contracts = nullptr;
    std::unique_ptr<OfferList> model;
    std::function<bool()> clearQuestion;
};
