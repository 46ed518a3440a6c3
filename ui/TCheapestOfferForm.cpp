#include "ui/TCheapestOfferForm.h"

#include "contracts/ContractEditor.h"
#include "league/MoneyText.h"
#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"
#include "ui/SpreadColumns.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

TCheapestOfferForm::TCheapestOfferForm(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName("CheapestOfferForm");
    setWindowTitle("Cheapest Offers");
    resize(560, 520);

    targetChance = new QLineEdit(this);
    targetChance->setObjectName("targetChance");
    targetChance->setToolTip("A further chance in percent to reach");
    targetChance->setMaximumWidth(80);

    cheapestOffers = new QTableWidget(this);
    cheapestOffers->setObjectName("cheapestOffers");
    const auto& headings = CheapestOfferHeadings();
    cheapestOffers->setColumnCount(static_cast<int>(headings.size()));
    QStringList labels;
    for (const char* heading : headings)
        labels << heading;
    cheapestOffers->setHorizontalHeaderLabels(labels);
    cheapestOffers->verticalHeader()->hide();
    cheapestOffers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cheapestOffers->setSelectionBehavior(QAbstractItemView::SelectRows);
    cheapestOffers->setSelectionMode(QAbstractItemView::SingleSelection);
    SpreadColumns::Watch(*cheapestOffers);

    auto* form = new QFormLayout;
    form->addRow("Also reach (%):", targetChance);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(cheapestOffers);

    // The user's own target, when the user leaves the box; not when the box loses its focus
    // to the window going away (at a stop, an error box then would hold the program up).
    connect(targetChance, &QLineEdit::editingFinished, this, [this]() {
        if (isVisible())
            RunHandler([this]() { Show(ChanceTargets(ToModelText(targetChance->text()))); });
    });
    connect(cheapestOffers, &QTableWidget::cellClicked, this,
            [this](int row, int) { RunHandler([this, row]() { cheapestOffersClick(row); }); });
}

void TCheapestOfferForm::Refresh(const ContractEditor& shown) {
    editor = &shown;
    // Following the editor, a target that is no number is left out rather than reported
    // again at every player shown: it was reported when the user typed it.
    std::vector<int> targets;
    try {
        targets = ChanceTargets(ToModelText(targetChance->text()));
    } catch (const ConversionError&) {
        targets = DefaultChanceTargets();
    }
    Show(targets);
}

void TCheapestOfferForm::Show(const std::vector<int>& targets) {
    if (!editor)
        return;
    answers = editor->CheapestOffers(targets);
    const std::string& first = editor->Fields().playerFirstName;
    const std::string& last = editor->Fields().playerLastName;
    setWindowTitle(answers.empty() ? "Cheapest Offers"
                                   : "Cheapest Offers: " + FromGameText(first + " " + last));
    cheapestOffers->clearContents();
    cheapestOffers->setRowCount(static_cast<int>(answers.size()));
    for (int r = 0; r < static_cast<int>(answers.size()); ++r) {
        const auto cells = DescribeCheapestOffer(answers[static_cast<std::size_t>(r)]);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[static_cast<std::size_t>(c)]));
            item->setTextAlignment((c >= 3 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            cheapestOffers->setItem(r, c, item);
        }
    }
    SpreadColumns::Spread(*cheapestOffers);
}

void TCheapestOfferForm::cheapestOffersClick(int row) {
    if (row < 0 || row >= static_cast<int>(answers.size()))
        return;
    const CheapestOffer& answer = answers[static_cast<std::size_t>(row)];
    if (!answer.salary)
        return;
    emit offerChosen(answer.years, *answer.salary, answer.bonus.value_or(0));
}
