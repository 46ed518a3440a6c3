#pragma once

#include "contracts/CheapestOffer.h"

#include <QWidget>

#include <vector>

class ContractEditor;
class QLineEdit;
class QTableWidget;

// "Cheapest Offers": for the player shown in the contract editor, the least base salary that
// reaches 60, 75 and 90 % (and a chance the user types) for each contract length. A click
// on an answer asks for it to be typed into the editor.
class TCheapestOfferForm : public QWidget {
    Q_OBJECT

  public:
    explicit TCheapestOfferForm(QWidget* owner);

    QLineEdit* targetChance;
    QTableWidget* cheapestOffers;

    // Follows the editor's shown player (nothing before a player is shown).
    void Refresh(const ContractEditor& shown);
    const std::vector<CheapestOffer>& Answers() const { return answers; }

  signals:
    // An answer chosen: length, base salary and bonus to type into the editor.
    void offerChosen(int years, unsigned int salary, unsigned int bonus);

  private:
    // The answers for the shown player and these chance targets.
    void Show(const std::vector<int>& targets);
    void cheapestOffersClick(int row);

    const ContractEditor* editor = nullptr;
    std::vector<CheapestOffer> answers;
};
