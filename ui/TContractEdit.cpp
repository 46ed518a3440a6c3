#include "ui/TContractEdit.h"

#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"
#include "ui/TGetCGSDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

// Edit boxes keep the compact height of the window's design; the captions and boxes of one
// row line up on it.
constexpr int kRowHeight = 21;
constexpr int kGap = 6;
constexpr int kLeftColumnWidth = 170;
constexpr int kRatingWidth = 24;

// Masked potentials show "*" for each digit, whatever the platform's password character is.
class StarPasswordStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// One row of captions and boxes, left to right; what is added with a stretch takes the room
// the window has beyond its designed width.
class Row {
  public:
    explicit Row(QBoxLayout* into) : row(new QHBoxLayout) {
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(kGap);
        into->addLayout(row);
    }
    QLabel* Caption(const QString& text) {
        auto* label = new QLabel(text);
        label->setFixedHeight(kRowHeight);
        row->addWidget(label);
        return label;
    }
    // A box of a fixed width (0: as wide as the row allows, sharing it by stretch).
    template <class Control> Control* Put(Control* control, int width, int stretch = 0) {
        if (width > 0)
            control->setFixedWidth(width);
        row->addWidget(control, stretch);
        return control;
    }
    void Space(int pixels) { row->addSpacing(pixels); }
    void Stretch() { row->addStretch(1); }

  private:
    QHBoxLayout* row;
};

QLineEdit* Box(const char* name, bool readOnly, int minimumWidth = 0) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    box->setFixedHeight(kRowHeight);
    if (minimumWidth > 0)
        box->setMinimumWidth(minimumWidth);
    return box;
}

// Hidden, it keeps its room, so that the row does not move when it is shown.
void KeepRoomWhenHidden(QWidget* control) {
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
}

// A disabled edit, as the present contract's figures are: greyed, but still readable.
QLineEdit* DisabledBox(const char* name) {
    QLineEdit* box = Box(name, true);
    box->setEnabled(false);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::WindowText));
    box->setPalette(palette);
    return box;
}

// A borderless text the model fills; never read as markup, whatever a league's names hold.
QLabel* Text(const char* name, const char* designText) {
    auto* label = new QLabel(designText);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QTextEdit* StatOutput(const char* name) {
    auto* output = new QTextEdit;
    output->setObjectName(name);
    output->setReadOnly(true);
    output->setLineWrapMode(QTextEdit::NoWrap);
    output->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    output->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return output;
}

void SetBoxText(QWidget* control, const QString& text) {
    if (auto* box = qobject_cast<QLineEdit*>(control)) {
        if (box->text() == text)
            return;
        box->setText(text);
        // A read-only box shows the start of a text too long for it.
        if (box->isReadOnly())
            box->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (label->text() != text)
            label->setText(text);
    }
}

QString Lines(const std::vector<std::string>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        texts << FromGameText(line);
    return texts.join('\n');
}

void SetLines(QTextEdit* output, const std::vector<std::string>& lines) {
    const QString text = Lines(lines);
    if (output->toPlainText() != text)
        output->setPlainText(text);
}

void SetChecked(QCheckBox* box, bool checked) {
    const QSignalBlocker quiet(box);
    box->setChecked(checked);
}

QColor AcceptColor(EditorFields::AcceptColor colour, const QPalette& standard) {
    switch (colour) {
    case EditorFields::AcceptColor::Green:
        return QColor(0, 128, 0);
    case EditorFields::AcceptColor::Red:
        return QColor(255, 0, 0);
    default:
        return standard.color(QPalette::Active, QPalette::Text);
    }
}

} // namespace

TContractEdit::TContractEdit(ContractList& contracts, const QString& owner, bool& flag)
    : ownerName(owner), editor(contracts, ownerName.toStdString()), editorOpenFlag(flag) {
    setObjectName("ContractEdit");
    setWindowTitle("Contract Editor");

    // The listings on the left, the player's details and the offer on the right, the
    // statistics below: the lists, the offer's notes and cap lines and the statistics take
    // whatever room the window has beyond its designed size.
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 2, 4, 6);
    root->setSpacing(4);
    auto* upper = new QHBoxLayout;
    upper->setSpacing(6);
    root->addLayout(upper, 3);
    BuildListings(upper);
    auto* details = new QVBoxLayout;
    details->setSpacing(3);
    upper->addLayout(details, 1);
    BuildPlayerBoxes(details);
    BuildContractBoxes(details);
    BuildOfferBoxes(details);
    BuildStatTabs(root);
    resize(sizeHint());
    for (const auto& [name, member] : EditorFields::TextBoxes())
        if (auto* control = findChild<QWidget*>(name))
            textControls.emplace_back(control, member);
    Connect();
    ShowListing();
    ShowFields();
}

TContractEdit::~TContractEdit() {
    editorOpenFlag = false;
}

void TContractEdit::BuildListings(QBoxLayout* into) {
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    into->addLayout(column);

    listingType = new QGroupBox;
    listingType->setObjectName("listingType");
    listingType->setFixedSize(kLeftColumnWidth, 40);
    auto* listingLayout = new QHBoxLayout(listingType);
    listingLayout->setContentsMargins(4, 2, 2, 2);
    listingLayout->setSpacing(4);
    listingTeams = new QRadioButton("Teams", listingType);
    listingTeams->setObjectName("listingTypeTeams");
    listingFreeAgents = new QRadioButton("Free Agents", listingType);
    listingFreeAgents->setObjectName("listingTypeFreeAgents");
    listingLayout->addWidget(listingTeams);
    listingLayout->addWidget(listingFreeAgents);
    column->addWidget(listingType);

    TeamListBox = new QComboBox;
    TeamListBox->setObjectName("TeamListBox");
    TeamListBox->setFixedWidth(kLeftColumnWidth);
    column->addWidget(TeamListBox);

    PlayerListBox = new QListWidget;
    PlayerListBox->setObjectName("PlayerListBox");
    PlayerListBox->setFixedWidth(kLeftColumnWidth);
    column->addWidget(PlayerListBox, 1);
}

void TContractEdit::BuildPlayerBoxes(QBoxLayout* into) {
    Row ids(into);
    ids.Caption("Player ID:");
    playerID = ids.Put(Box("playerID", true), 48);
    playerFirstName = ids.Put(Box("playerFirstName", true, 60), 0, 100);
    playerLastName = ids.Put(Box("playerLastName", true, 60), 0, 112);
    HoldoutLabel = new QLabel("Holdout");
    HoldoutLabel->setObjectName("HoldoutLabel");
    QFont holdoutFont = HoldoutLabel->font();
    holdoutFont.setPixelSize(16);
    HoldoutLabel->setFont(holdoutFont);
    QPalette holdoutColours = HoldoutLabel->palette();
    holdoutColours.setColor(QPalette::WindowText, Qt::red);
    HoldoutLabel->setPalette(holdoutColours);
    HoldoutLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ids.Put(HoldoutLabel, HoldoutLabel->sizeHint().width());
    KeepRoomWhenHidden(HoldoutLabel);
    HoldoutLabel->hide();

    Row club(into);
    currentTeam = club.Put(Box("currentTeam", true, 100), 0, 140);
    club.Caption("Pos:");
    Pos = club.Put(Box("Pos", true), 30);
    club.Caption("Age:");
    age = club.Put(Box("age", true), 28);
    club.Caption("CGS");
    cgs = club.Put(Box("cgs", true, 70), 0, 90);
    cgs->setToolTip("Double-click to enter a new CGS (front office)");

    // Ratings: one column per rating, a caption over each, the two rows captioned on the left;
    // the draft slot of a player without experience beside them.
    static const std::array<const char*, 8> kRatings = {"SP", "AC", "AG", "ST", "HA", "EN", "IN", "DI"};
    auto* ratings = new QGridLayout;
    ratings->setContentsMargins(0, 0, 0, 0);
    ratings->setHorizontalSpacing(3);
    ratings->setVerticalSpacing(2);
    into->addLayout(ratings);
    ratings->addWidget(new QLabel("Actuals"), 1, 0);
    ratings->addWidget(new QLabel("Potentials"), 2, 0);
    ratings->setColumnMinimumWidth(0, fontMetrics().horizontalAdvance("Potentials") + 3);
    for (std::size_t r = 0; r < kRatings.size(); ++r) {
        const int column = 1 + static_cast<int>(r);
        auto* heading = new QLabel(kRatings[r]);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        heading->setFixedHeight(16);
        ratings->addWidget(heading, 0, column);
        for (const auto& [prefix, row] : {std::pair{"a", 1}, std::pair{"p", 2}}) {
            const QByteArray name = QByteArray(prefix) + kRatings[r];
            QLineEdit* box = Box(name.constData(), true);
            box->setFixedWidth(kRatingWidth);
            box->setAlignment(Qt::AlignCenter);
            ratings->addWidget(box, row, column);
        }
    }
    ratings->setColumnMinimumWidth(9, 4);
    RoundLabel = new QLabel("Round");
    RoundLabel->setObjectName("RoundLabel");
    PickLabel = new QLabel("Pick");
    PickLabel->setObjectName("PickLabel");
    Round = Box("Round", false);
    Pick = Box("Pick", false);
    Round->setText("00");
    Pick->setText("00");
    Round->setFixedWidth(30);
    Pick->setFixedWidth(30);
    ratings->addWidget(RoundLabel, 1, 10);
    ratings->addWidget(Round, 1, 11);
    ratings->addWidget(PickLabel, 2, 10);
    ratings->addWidget(Pick, 2, 11);
    ratings->setColumnStretch(12, 1);
    for (QWidget* draft : {static_cast<QWidget*>(RoundLabel), static_cast<QWidget*>(Round),
                           static_cast<QWidget*>(PickLabel), static_cast<QWidget*>(Pick)}) {
        KeepRoomWhenHidden(draft);
        draft->hide();
    }
}

void TContractEdit::BuildContractBoxes(QBoxLayout* into) {
    // "Signed in 2000", "Will be a Unrestricted Free Agent in 2005": captions and texts read
    // as one line each.
    Row signedIn(into);
    signedIn.Caption("Signed in");
    yrSigned = signedIn.Put(Text("yrSigned", "2000"), 0, 1);

    Row outlook(into);
    outlook.Caption("Will be a ");
    faType =
        outlook.Put(Text("faType", "Unrestricted "), fontMetrics().horizontalAdvance("Unrestricted ") + 2);
    outlook.Caption("Free Agent in");
    yrFree = outlook.Put(Text("yrFree", "2005"), 0, 1);

    Row origin(into);
    origin.Caption("Originally Signed by:");
    contractTeam = origin.Put(DisabledBox("contractTeam"), 0, 1);
    contractTeam->setMinimumWidth(120);
    origin.Caption("Declines");
    declines = origin.Put(DisabledBox("declines"), 30);

    Row current(into);
    current.Caption("Current Year:");
    current.Space(4);
    current.Caption("Base Salary");
    currentBase = current.Put(DisabledBox("currentBase"), 86);
    current.Caption("Bonus");
    currentBonus = current.Put(DisabledBox("currentBonus"), 86);
    current.Stretch();
}

void TContractEdit::BuildOfferBoxes(QBoxLayout* into) {
    auto* offer = new QHBoxLayout;
    offer->setSpacing(4);
    into->addLayout(offer, 1);

    // Length, salary, bonus and the chance in one column, their captions aligned; the tags
    // beside the figures, the terms of the chance beside it.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    offer->addLayout(grid, 3);
    const std::array<const char*, 4> captions = {"Length", "Base Salary", "Bonus", "Accepting %"};
    for (int i = 0; i < static_cast<int>(captions.size()); ++i) {
        auto* caption = new QLabel(captions[static_cast<std::size_t>(i)]);
        caption->setFixedHeight(kRowHeight);
        grid->addWidget(caption, i, 0, Qt::AlignTop);
    }
    years = Box("years", false);
    salary = Box("salary", false);
    bonus = Box("bonus", false);
    accept_percent = Box("accept_percent", true);
    years->setFixedWidth(36);
    // Wide enough for nine digits with their commas.
    salary->setFixedWidth(82);
    bonus->setFixedWidth(82);
    accept_percent->setFixedWidth(44);
    grid->addWidget(years, 0, 1, Qt::AlignLeft);
    grid->addWidget(salary, 1, 1, Qt::AlignLeft);
    grid->addWidget(bonus, 2, 1, Qt::AlignLeft);
    QFont bold = accept_percent->font();
    bold.setBold(true);
    accept_percent->setFont(bold);
    accept_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    FranchiseTag = new QCheckBox("Franchise");
    FranchiseTag->setObjectName("FranchiseTag");
    TransitionTag = new QCheckBox("Transition");
    TransitionTag->setObjectName("TransitionTag");
    tender = new QCheckBox("Tender Offer");
    tender->setObjectName("tender");
    const std::array<QCheckBox*, 3> tags = {FranchiseTag, TransitionTag, tender};
    for (int i = 0; i < static_cast<int>(tags.size()); ++i) {
        tags[static_cast<std::size_t>(i)]->setFixedHeight(kRowHeight);
        grid->addWidget(tags[static_cast<std::size_t>(i)], i, 2);
    }

    // The terms of the chance, in small print beside it, as many lines as they take.
    chanceExplanation = new QLabel;
    chanceExplanation->setObjectName("chanceExplanation");
    chanceExplanation->setTextFormat(Qt::PlainText);
    QFont small = chanceExplanation->font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    chanceExplanation->setFont(small);
    chanceExplanation->setWordWrap(true);
    chanceExplanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chanceExplanation->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* chance = new QHBoxLayout;
    chance->setSpacing(kGap);
    chance->addWidget(accept_percent, 0, Qt::AlignTop);
    chance->addWidget(chanceExplanation, 1);
    grid->addLayout(chance, 3, 1, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(2, 1);

    // The cap lines: wide enough for a salary of nine digits in any year.
    auto* capHitColumn = new QVBoxLayout;
    capHitColumn->setSpacing(0);
    offer->addLayout(capHitColumn, 2);
    auto* capHitCaption = new QLabel("Cap Hit");
    capHitCaption->setFixedHeight(16);
    capHitColumn->addWidget(capHitCaption);
    caphit = new QListWidget;
    caphit->setObjectName("caphit");
    caphit->setMinimumWidth(fontMetrics().horizontalAdvance("0000: $000,000,000") + 2 * caphit->frameWidth() +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
    capHitColumn->addWidget(caphit, 1);
}

void TContractEdit::BuildStatTabs(QBoxLayout* into) {
    PageControl1 = new QTabWidget;
    PageControl1->setObjectName("PageControl1");
    PageControl1->setTabPosition(QTabWidget::South);
    GameStatOutput = StatOutput("GameStatOutput");
    SeasonStatOutput = StatOutput("SeasonStatOutput");
    CareerStatOutput = StatOutput("CareerStatOutput");
    PageControl1->addTab(GameStatOutput, "Last Game");
    PageControl1->addTab(SeasonStatOutput, "Season");
    PageControl1->addTab(CareerStatOutput, "Career");
    into->addWidget(PageControl1, 2);

    // The buttons sit in the row of the tabs, at its right end.
    auto* buttons = new QWidget;
    auto* buttonRow = new QHBoxLayout(buttons);
    buttonRow->setContentsMargins(0, 2, 0, 0);
    buttonRow->setSpacing(kGap);
    closeButton = new QPushButton("Close", buttons);
    closeButton->setObjectName("closeButton");
    saveButton = new QPushButton("Submit Contract", buttons);
    saveButton->setObjectName("saveButton");
    buttonRow->addWidget(closeButton);
    buttonRow->addWidget(saveButton);
    PageControl1->setCornerWidget(buttons, Qt::BottomRightCorner);
}

void TContractEdit::Connect() {
    connect(listingTeams, &QRadioButton::clicked, this, Handler(this, &TContractEdit::listingTypeClick));
    connect(listingFreeAgents, &QRadioButton::clicked, this, Handler(this, &TContractEdit::listingTypeClick));
    connect(TeamListBox, &QComboBox::activated, this, Handler(this, &TContractEdit::TeamListBoxChange));
    // A click on an item, or moving through the list with the keys, shows the player.
    connect(PlayerListBox, &QListWidget::itemClicked, this,
            Handler(this, &TContractEdit::PlayerListBoxClick));
    connect(PlayerListBox, &QListWidget::currentRowChanged, this, [this]() {
        if (QApplication::mouseButtons() == Qt::NoButton && PlayerListBox->hasFocus())
            RunHandler([this]() { PlayerListBoxClick(); });
    });
    connect(FranchiseTag, &QCheckBox::clicked, this, Handler(this, &TContractEdit::FPCheck));
    connect(TransitionTag, &QCheckBox::clicked, this, Handler(this, &TContractEdit::TPCheck));
    connect(tender, &QCheckBox::clicked, this, Handler(this, &TContractEdit::TendCheck));
    connect(saveButton, &QPushButton::clicked, this, Handler(this, &TContractEdit::saveButtonClick));
    connect(closeButton, &QPushButton::clicked, this, Handler(this, &TContractEdit::closeButtonClick));
    for (QWidget* watched :
         {static_cast<QWidget*>(years), static_cast<QWidget*>(salary), static_cast<QWidget*>(bonus),
          static_cast<QWidget*>(Round), static_cast<QWidget*>(Pick), static_cast<QWidget*>(cgs)})
        watched->installEventFilter(this);
}

bool TContractEdit::eventFilter(QObject* watched, QEvent* event) {
    const bool offerBox = watched == years || watched == salary || watched == bonus;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (offerBox)
            keyDownIn = watched;
        break;
    case QEvent::KeyRelease:
        if (offerBox && keyDownIn == watched)
            RunHandler([this]() { CalcAccept(); });
        break;
    case QEvent::FocusOut: {
        keyDownIn = nullptr;
        // Leaving the box for another control of the program; a message box or another
        // program taking the focus is not leaving it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        if (watched == salary)
            RunHandler([this]() { salaryExit(); });
        else if (watched == bonus)
            RunHandler([this]() { bonusExit(); });
        else if (watched == Round)
            RunHandler([this]() { RoundChange(); });
        else if (watched == Pick)
            RunHandler([this]() { PickChange(); });
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == cgs) {
            RunHandler([this]() { cgsDblClick(); });
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TContractEdit::ShowPlayerByID(std::int16_t id) {
    if (editor.ShowPlayerByID(id))
        ShowFields();
    else
        ShowListing();
}

void TContractEdit::SetUserTeam(int team) {
    editor.SetUserTeam(team);
}

void TContractEdit::listingTypeClick() {
    editor.listingTypeClick(listingTeams->isChecked() ? ContractEditor::Listing::Teams
                                                      : ContractEditor::Listing::FreeAgents);
    ShowListing();
}

void TContractEdit::TeamListBoxChange() {
    editor.TeamListBoxChange(TeamListBox->currentIndex());
    ShowPlayerItems();
}

void TContractEdit::SelectTeam(int team) {
    if (editor.GetListing() != ContractEditor::Listing::Teams) {
        editor.ListTeams();
        ShowListing();
    }
    TeamListBox->setCurrentIndex(team);
    TeamListBoxChange();
}

void TContractEdit::ShowOffer(const Offer& offer) {
    editor.ShowOffer(offer);
    ShowFields();
}

void TContractEdit::TypeOffer(int length, unsigned int base, unsigned int signing) {
    TakeTypedBoxes();
    editor.TypeOffer(length, base, signing);
    ShowFields();
}

void TContractEdit::PlayerListBoxClick() {
    editor.PlayerListBoxClick(PlayerListBox->currentRow());
    ShowFields();
}

void TContractEdit::CalcAccept() {
    TakeTypedBoxes();
    editor.CalcAccept();
    ShowFields();
}

void TContractEdit::salaryExit() {
    TakeTypedBoxes();
    editor.salaryExit();
    ShowFields();
}

void TContractEdit::bonusExit() {
    TakeTypedBoxes();
    editor.bonusExit();
    ShowFields();
}

void TContractEdit::FPCheck() {
    TakeTypedBoxes();
    editor.FPCheck(FranchiseTag->isChecked());
    ShowFields();
}

void TContractEdit::TPCheck() {
    TakeTypedBoxes();
    editor.TPCheck(TransitionTag->isChecked());
    ShowFields();
}

void TContractEdit::TendCheck() {
    TakeTypedBoxes();
    editor.TendCheck(tender->isChecked());
    ShowFields();
}

void TContractEdit::RoundChange() {
    TakeTypedBoxes();
    editor.RoundChange();
    ShowFields();
    if (editor.Fields().roundPickShown)
        emit salaryInfoEdited();
}

void TContractEdit::PickChange() {
    TakeTypedBoxes();
    editor.PickChange();
    ShowFields();
    if (editor.Fields().roundPickShown)
        emit salaryInfoEdited();
}

void TContractEdit::cgsDblClick() {
    if (!editor.IsFrontOffice())
        return;
    std::int32_t result = -1;
    {
        TGetCGSDialog dialog(result);
        dialog.exec();
    }
    TakeTypedBoxes();
    editor.ApplyNewCGS(result);
    ShowFields();
    if (result >= 0) {
        emit salaryInfoEdited();
        emit playerShown();
    }
}

void TContractEdit::saveButtonClick() {
    TakeTypedBoxes();
    const Offer offer = editor.saveButtonClick();
    ShowFields();
    emit offerSubmitted(offer, editor.WhyInvalid());
}

void TContractEdit::closeButtonClick() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TContractEdit::FormShow() {
    // Decided once per editor: the editor is made anew with every league.
    const bool masked = editor.PotentialsMasked();
    auto* stars = masked ? new StarPasswordStyle : nullptr;
    if (stars)
        stars->setParent(this);
    for (const auto& [name, member] : EditorFields::PotentialBoxes()) {
        auto* box = findChild<QLineEdit*>(name);
        if (stars)
            box->setStyle(stars);
        box->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    }
}

void TContractEdit::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!std::exchange(shownOnce, true))
        RunHandler([this]() { FormShow(); });
}

void TContractEdit::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TContractEdit::FormClose() {
    editorOpenFlag = false;
}

void TContractEdit::TakeTypedBoxes() {
    EditorFields& f = editor.Fields();
    f.years = ToModelText(years->text());
    f.salary = ToModelText(salary->text());
    f.bonus = ToModelText(bonus->text());
    f.Round = ToModelText(Round->text());
    f.Pick = ToModelText(Pick->text());
    f.FranchiseTag = FranchiseTag->isChecked();
    f.TransitionTag = TransitionTag->isChecked();
    f.tender = tender->isChecked();
}

void TContractEdit::ShowFields() {
    const EditorFields& f = editor.Fields();
    const bool anotherPlayer = f.playerID != shownPlayer;
    shownPlayer = f.playerID;
    for (const auto& [control, member] : textControls)
        SetBoxText(control, FromGameText(f.*member));

    SetChecked(FranchiseTag, f.FranchiseTag);
    SetChecked(TransitionTag, f.TransitionTag);
    SetChecked(tender, f.tender);
    HoldoutLabel->setVisible(f.HoldoutLabel);
    for (QWidget* draft : {static_cast<QWidget*>(RoundLabel), static_cast<QWidget*>(Round),
                           static_cast<QWidget*>(PickLabel), static_cast<QWidget*>(Pick)})
        draft->setVisible(f.roundPickShown);

    const QColor colour = AcceptColor(f.acceptColor, palette());
    if (accept_percent->palette().color(QPalette::Text) != colour) {
        QPalette palette = accept_percent->palette();
        palette.setColor(QPalette::Text, colour);
        accept_percent->setPalette(palette);
    }
    const QString explanation = Lines(f.chanceExplanation);
    if (chanceExplanation->text() != explanation) {
        chanceExplanation->setText(explanation);
        chanceExplanation->setToolTip(explanation);
    }

    bool sameLines = caphit->count() == static_cast<int>(f.caphit.size());
    for (int i = 0; sameLines && i < caphit->count(); ++i)
        sameLines = caphit->item(i)->text() == FromGameText(f.caphit[static_cast<std::size_t>(i)]);
    if (!sameLines) {
        caphit->clear();
        for (const std::string& line : f.caphit)
            caphit->addItem(FromGameText(line));
    }
    if (f.caphitSelected >= 0 && f.caphitSelected < caphit->count()) {
        caphit->setCurrentRow(f.caphitSelected);
    } else {
        caphit->clearSelection();
        caphit->setCurrentRow(-1);
    }

    SetLines(GameStatOutput, f.GameStatOutput);
    SetLines(SeasonStatOutput, f.SeasonStatOutput);
    SetLines(CareerStatOutput, f.CareerStatOutput);
    if (anotherPlayer)
        emit playerShown();
}

void TContractEdit::ShowListing() {
    const bool teams = editor.GetListing() == ContractEditor::Listing::Teams;
    listingTeams->setChecked(teams);
    listingFreeAgents->setChecked(!teams);
    TeamListBox->clear();
    for (const std::string& item : editor.TeamBoxItems())
        TeamListBox->addItem(FromGameText(item));
    TeamListBox->setCurrentIndex(editor.TeamBoxIndex());
    ShowPlayerItems();
}

void TContractEdit::ShowPlayerItems() {
    const QSignalBlocker quiet(PlayerListBox);
    PlayerListBox->clear();
    for (const std::string& item : editor.PlayerItems())
        PlayerListBox->addItem(FromGameText(item));
}
