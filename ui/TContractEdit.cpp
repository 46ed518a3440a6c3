#include "ui/TContractEdit.h"

#include "ui/BrevaneApplication.h"
#include "ui/QtText.h"
#include "ui/TGetCGSDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
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
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>
#include <array>

namespace {

// The grid of the window: controls of one row share a top and a height.
constexpr int kRowHeight = 21;
constexpr int kGap = 6;
constexpr int kRight = 586; // the right margin of the 594-pixel client area
constexpr int kLeftColumnWidth = 170;
constexpr int kDetailsLeft = 186; // the player's details, right of the listings
constexpr int kUpperBottom = 334; // the statistics tabs take the rest below
constexpr int kCapHitLeft = 464;

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

// Places the controls of one row from left to right; a caption is as wide as its text.
class Row {
  public:
    Row(QWidget* parent, int x, int y, int height = kRowHeight) : parent_(parent), x_(x), y_(y), h_(height) {}

    QLabel* Caption(const QString& text) {
        auto* label = new QLabel(text, parent_);
        const int width = label->fontMetrics().horizontalAdvance(text) + 2;
        label->setGeometry(x_, y_, width, h_);
        x_ += width + 2;
        return label;
    }
    template <class Control> Control* Put(Control* control, int width) {
        control->setParent(parent_);
        control->setGeometry(x_, y_, width, h_);
        x_ += width + kGap;
        return control;
    }
    // The rest of the row up to the right margin.
    template <class Control> Control* Fill(Control* control) { return Put(control, kRight - x_); }
    void MoveTo(int x) { x_ = x; }
    int X() const { return x_; }

  private:
    QWidget* parent_;
    int x_;
    int y_;
    int h_;
};

QLineEdit* Box(const char* name, bool readOnly) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    return box;
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
    setFixedSize(594, 466);

    BuildListings();
    BuildPlayerBoxes();
    BuildContractBoxes();
    BuildOfferBoxes();
    BuildStatTabs();
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

void TContractEdit::BuildListings() {
    listingType = new QGroupBox(this);
    listingType->setObjectName("listingType");
    listingType->setGeometry(8, 0, kLeftColumnWidth, 40);
    auto* listingLayout = new QHBoxLayout(listingType);
    listingLayout->setContentsMargins(4, 2, 2, 2);
    listingLayout->setSpacing(4);
    listingTeams = new QRadioButton("Teams", listingType);
    listingTeams->setObjectName("listingTypeTeams");
    listingFreeAgents = new QRadioButton("Free Agents", listingType);
    listingFreeAgents->setObjectName("listingTypeFreeAgents");
    listingLayout->addWidget(listingTeams);
    listingLayout->addWidget(listingFreeAgents);

    TeamListBox = new QComboBox(this);
    TeamListBox->setObjectName("TeamListBox");
    TeamListBox->setGeometry(8, 44, kLeftColumnWidth, 24);

    PlayerListBox = new QListWidget(this);
    PlayerListBox->setObjectName("PlayerListBox");
    PlayerListBox->setGeometry(8, 72, kLeftColumnWidth, kUpperBottom - 72);
}

void TContractEdit::BuildPlayerBoxes() {
    Row ids(this, kDetailsLeft, 2);
    ids.Caption("Player ID:");
    playerID = ids.Put(Box("playerID", true), 48);
    playerFirstName = ids.Put(Box("playerFirstName", true), 100);
    playerLastName = ids.Put(Box("playerLastName", true), 112);

    HoldoutLabel = new QLabel("Holdout", this);
    HoldoutLabel->setObjectName("HoldoutLabel");
    QFont holdoutFont = HoldoutLabel->font();
    holdoutFont.setPixelSize(16);
    HoldoutLabel->setFont(holdoutFont);
    QPalette holdoutColours = HoldoutLabel->palette();
    holdoutColours.setColor(QPalette::WindowText, Qt::red);
    HoldoutLabel->setPalette(holdoutColours);
    HoldoutLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    HoldoutLabel->setGeometry(ids.X(), 0, kRight - ids.X(), 25);
    HoldoutLabel->hide();

    Row club(this, kDetailsLeft, 26);
    currentTeam = club.Put(Box("currentTeam", true), 140);
    club.Caption("Pos:");
    Pos = club.Put(Box("Pos", true), 30);
    club.Caption("Age:");
    age = club.Put(Box("age", true), 28);
    club.Caption("CGS");
    cgs = club.Fill(Box("cgs", true));
    cgs->setToolTip("Double-click to enter a new CGS (front office)");

    // Ratings: one column per rating, a caption over each, the two rows captioned on the left.
    static const std::array<const char*, 8> kRatings = {"SP", "AC", "AG", "ST", "HA", "EN", "IN", "DI"};
    const int captionWidth =
        std::max(fontMetrics().horizontalAdvance("Actuals"), fontMetrics().horizontalAdvance("Potentials")) +
        6;
    const int firstColumn = kDetailsLeft + captionWidth;
    constexpr int kRatingWidth = 24;
    constexpr int kRatingStep = 27;
    const int actualsTop = 64;
    const int potentialsTop = 87;
    (new QLabel("Actuals", this))->setGeometry(kDetailsLeft, actualsTop, captionWidth, kRowHeight);
    (new QLabel("Potentials", this))->setGeometry(kDetailsLeft, potentialsTop, captionWidth, kRowHeight);
    for (std::size_t r = 0; r < kRatings.size(); ++r) {
        const int x = firstColumn + static_cast<int>(r) * kRatingStep;
        auto* heading = new QLabel(kRatings[r], this);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        heading->setGeometry(x, 48, kRatingWidth, 16);
        for (const auto& [prefix, top] : {std::pair{"a", actualsTop}, std::pair{"p", potentialsTop}}) {
            const QByteArray name = QByteArray(prefix) + kRatings[r];
            QLineEdit* box = Box(name.constData(), true);
            box->setParent(this);
            box->setAlignment(Qt::AlignCenter);
            box->setGeometry(x, top, kRatingWidth, kRowHeight);
        }
    }

    // The draft slot of a player without experience, beside the ratings.
    const int draftLeft = firstColumn + 8 * kRatingStep + 4;
    Row round(this, draftLeft, actualsTop);
    RoundLabel = round.Caption("Round");
    Row pick(this, draftLeft, potentialsTop);
    PickLabel = pick.Caption("Pick");
    const int draftBoxLeft = std::max(round.X(), pick.X());
    round.MoveTo(draftBoxLeft);
    pick.MoveTo(draftBoxLeft);
    Round = round.Put(Box("Round", false), 30);
    Pick = pick.Put(Box("Pick", false), 30);
    Round->setText("00");
    Pick->setText("00");
    RoundLabel->setObjectName("RoundLabel");
    PickLabel->setObjectName("PickLabel");
    for (QWidget* draft : {static_cast<QWidget*>(RoundLabel), static_cast<QWidget*>(Round),
                           static_cast<QWidget*>(PickLabel), static_cast<QWidget*>(Pick)})
        draft->hide();
}

void TContractEdit::BuildContractBoxes() {
    // "Signed in 2000", "Will be a Unrestricted Free Agent in 2005": captions and texts read
    // as one line each.
    Row signedIn(this, kDetailsLeft, 112, 18);
    signedIn.Caption("Signed in");
    yrSigned = signedIn.Fill(Text("yrSigned", "2000"));

    Row outlook(this, kDetailsLeft, 130, 18);
    outlook.Caption("Will be a ");
    faType =
        outlook.Put(Text("faType", "Unrestricted "), fontMetrics().horizontalAdvance("Unrestricted ") + 2);
    outlook.Caption("Free Agent in");
    yrFree = outlook.Put(Text("yrFree", "2005"), 60);

    Row origin(this, kDetailsLeft, 150);
    origin.Caption("Originally Signed by:");
    contractTeam = origin.Put(DisabledBox("contractTeam"), 150);
    origin.Caption("Declines");
    declines = origin.Put(DisabledBox("declines"), 30);

    Row current(this, kDetailsLeft, 174);
    current.Caption("Current Year:");
    current.MoveTo(current.X() + 4);
    current.Caption("Base Salary");
    currentBase = current.Put(DisabledBox("currentBase"), 86);
    current.Caption("Bonus");
    currentBonus = current.Put(DisabledBox("currentBonus"), 86);
}

void TContractEdit::BuildOfferBoxes() {
    // Length, salary, bonus and the chance in one column, their captions aligned.
    const std::array<const char*, 4> captions = {"Length", "Base Salary", "Bonus", "Accepting %"};
    int captionWidth = 0;
    for (const char* caption : captions)
        captionWidth = std::max(captionWidth, fontMetrics().horizontalAdvance(caption) + 6);
    const std::array<int, 4> tops = {200, 224, 248, 272};
    const int boxLeft = kDetailsLeft + captionWidth;
    for (std::size_t i = 0; i < captions.size(); ++i)
        (new QLabel(captions[i], this))->setGeometry(kDetailsLeft, tops[i], captionWidth, kRowHeight);

    years = Box("years", false);
    salary = Box("salary", false);
    bonus = Box("bonus", false);
    accept_percent = Box("accept_percent", true);
    const std::array<std::pair<QLineEdit*, int>, 4> boxes = {
        std::pair{years, 36}, std::pair{salary, 86}, std::pair{bonus, 86}, std::pair{accept_percent, 44}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].first->setParent(this);
        boxes[i].first->setGeometry(boxLeft, tops[i], boxes[i].second, kRowHeight);
    }
    QFont bold = accept_percent->font();
    bold.setBold(true);
    accept_percent->setFont(bold);
    accept_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The tags right of the offer's figures.
    const int tagLeft = boxLeft + 86 + kGap;
    FranchiseTag = new QCheckBox("Franchise", this);
    FranchiseTag->setObjectName("FranchiseTag");
    TransitionTag = new QCheckBox("Transition", this);
    TransitionTag->setObjectName("TransitionTag");
    tender = new QCheckBox("Tender Offer", this);
    tender->setObjectName("tender");
    const std::array<QCheckBox*, 3> tags = {FranchiseTag, TransitionTag, tender};
    for (std::size_t i = 0; i < tags.size(); ++i)
        tags[i]->setGeometry(tagLeft, tops[i], kCapHitLeft - tagLeft - kGap, kRowHeight);

    // The terms of the chance, in small print beside it.
    chanceExplanation = new QLabel(this);
    chanceExplanation->setObjectName("chanceExplanation");
    chanceExplanation->setTextFormat(Qt::PlainText);
    QFont small = chanceExplanation->font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    chanceExplanation->setFont(small);
    chanceExplanation->setWordWrap(true);
    chanceExplanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int explanationLeft = boxLeft + 44 + kGap;
    chanceExplanation->setGeometry(explanationLeft, tops[3], kCapHitLeft - explanationLeft - kGap,
                                   kUpperBottom - tops[3]);

    auto* capHitCaption = new QLabel("Cap Hit", this);
    capHitCaption->setGeometry(kCapHitLeft, 196, kRight - kCapHitLeft, 16);
    caphit = new QListWidget(this);
    caphit->setObjectName("caphit");
    caphit->setGeometry(kCapHitLeft, 212, kRight - kCapHitLeft, kUpperBottom - 212);
}

void TContractEdit::BuildStatTabs() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setGeometry(8, kUpperBottom + 4, kRight - 8, 466 - kUpperBottom - 4 - 8);
    GameStatOutput = StatOutput("GameStatOutput");
    SeasonStatOutput = StatOutput("SeasonStatOutput");
    CareerStatOutput = StatOutput("CareerStatOutput");
    PageControl1->addTab(GameStatOutput, "Last Game");
    PageControl1->addTab(SeasonStatOutput, "Season");
    PageControl1->addTab(CareerStatOutput, "Career");

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
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (watched == years || watched == salary || watched == bonus)
            RunHandler([this]() { CalcAccept(); });
        break;
    case QEvent::FocusOut: {
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
}

void TContractEdit::PickChange() {
    TakeTypedBoxes();
    editor.PickChange();
    ShowFields();
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
    if (result >= 0)
        emit playerShown();
}

void TContractEdit::saveButtonClick() {
    TakeTypedBoxes();
    const Offer offer = editor.saveButtonClick();
    ShowFields();
    emit offerSubmitted(offer);
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
