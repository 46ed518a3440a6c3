#include "ui/TOptionEditForm.h"

#include "contracts/Options.h"
#include "contracts/Prompt.h"
#include "ui/BrevaneApplication.h"
#include "ui/HeadedEditRow.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Widths of the edits, in characters of the window's font.
constexpr int kMoneyChars = 11;
constexpr int kStatChars = 8;
constexpr int kNumberChars = 5;
constexpr int kSplitChars = 3;

// The caption and hint of each statistic value edit, in the order of the options.
struct StatText {
    const char* caption;
    const char* hint;
};
constexpr std::array<StatText, Options::kStatValues> kStatTexts = {{
    {"TD Thrown", "Bonus for each TD pass thrown"},
    {"Yardage Thrown", "Amount for every passing yard"},
    {"Rushing TD", "Bonus for every rushing TD"},
    {"Rushing Yardage", "Amount for every rushing yard"},
    {"Receiving TD", "Bonus for every TD reception"},
    {"Receiving Yardage", "Amount for every receiving yard"},
    {"Recptions", "Amount per catch"},
    {"Punt/KO Return TD", "Bonus for each kickoff or punt returned for a TD"},
    {"Defensive TD Scored", "Bonus for a defensive TD"},
    {"Interceptions", "Bonus for each interception"},
    {"Tackles", "Bonus for every tackle"},
    {"Sacks", "Bonus for every sack"},
    {"Safeties", "Bonus for every safety"},
    {"OL Sacks Allowed Limit", "Sacks the offensive line may allow before the penalty applies"},
    {"Sacks Allowed Penalty", "Penalty for each sack over that limit"},
    {"OL Rush Yards Gained", "Amount for each yard of the team's rushing offense"},
    {"Fumble Lost Penalty (O)", "Penalty for a lost fumble (offensive player)"},
    {"Fumble Recovery (D)", "Bonus for a fumble recovery (defensive player)"},
    {"FG Accuracy", "Minimum field-goal accuracy (percent) for the bonus"},
    {"FG Acc. bonus", "Field-goal accuracy bonus"},
    {"FG 50+ yd Bonus", "Bonus for each field goal over 50 yards"},
    {"Net Punt  Avg", "For each yard over 36 Yard Avg"},
    {"Punts Blocked Penalty", "Penalty for each blocked punt"},
    {"Rating Over", "Rating breakpoint 1"},
    {"", "Bonus for a rating over breakpoint 1"},
    {"Rating Over", "Rating breakpoint 2"},
    {"", "Bonus for a rating over breakpoint 2"},
    {"Rating Over", "Rating breakpoint 3"},
    {"", "Bonus for a rating over breakpoint 3"},
}};
// The first of the three rating breakpoints; each is followed by its bonus.
constexpr int kFirstRating = 23;

QLineEdit* Edit(QWidget* parent, const char* name, const char* hint, int chars) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (*hint)
        edit->setToolTip(hint);
    const QFontMetrics metrics = edit->fontMetrics();
    edit->setFixedWidth(metrics.horizontalAdvance(QString(chars, '0')) + 12);
    return edit;
}

QLabel* Caption(QWidget* parent, const char* text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(buddy->objectName() + "Label");
    label->setBuddy(buddy);
    return label;
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, const char* hint) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    if (*hint)
        box->setToolTip(hint);
    return box;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QComboBox* DropDownList(QWidget* parent, const char* name, const std::vector<std::string>& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const std::string& item : items)
        box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(OptionsEditor::kNoItem);
    return box;
}

QWidget* Page(QTabWidget* pages, const char* name, const char* caption) {
    auto* page = new QWidget;
    page->setObjectName(name);
    pages->addTab(page, caption);
    return page;
}

// A row "caption [edit]" of a form grid.
void AddRow(QGridLayout* grid, int row, int column, QLabel* caption, QWidget* edit) {
    grid->addWidget(caption, row, column);
    grid->addWidget(edit, row, column + 1, Qt::AlignLeft);
}

// The up-down control of the contract length, whose text part is the edit `conlength`.
class LengthUpDown : public QSpinBox {
  public:
    explicit LengthUpDown(QWidget* parent) : QSpinBox(parent) {
        auto* text = new QLineEdit(this);
        text->setObjectName("conlength");
        setLineEdit(text);
    }
};

// Copies a text into an edit only when it differs, so that the cursor of the edit the user
// is typing in stays where it is.
void Show(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

std::string Text(const QLineEdit* edit) {
    return ToModelText(edit->text());
}

} // namespace

TOptionEditForm::TOptionEditForm(Options& programOptions, Prompt& messages, QWidget& owner)
    : QDialog(&owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      options(programOptions), prompt(messages),
      editor(programOptions, messages, ToModelText(owner.objectName())) {
    setObjectName("OptionEditForm");
    setWindowTitle("Program Options");
    setWindowModality(Qt::ApplicationModal);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    Basics = Page(PageControl1, "Basics", "Basic");
    ContractRules = Page(PageControl1, "ContractRules", "Contract Rules");
    CGS = Page(PageControl1, "CGS", "CGS Generation");
    rook_cgs = Page(PageControl1, "rook_cgs", "Rookie CGS");
    StatValue = Page(PageControl1, "StatValue", "Statistic Values");
    BuildBasics();
    BuildContractRules();
    BuildCGS();
    BuildRookieCGS();
    BuildStatValue();

    // No default button: Enter in an edit neither saves nor closes the window.
    saveBtn = Button(this, "saveBtn", "Save");
    cxlBtn = Button(this, "cxlBtn", "Cancel");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(saveBtn);
    buttons->addWidget(cxlBtn);
    buttons->addStretch();

    auto* whole = new QHBoxLayout(this);
    whole->addWidget(PageControl1);
    whole->addLayout(buttons);
    // A fixed border: the window is as large as its pages need and cannot be resized.
    whole->setSizeConstraint(QLayout::SetFixedSize);

    ShowControls();
    FormShow();
    Connect();
}

void TOptionEditForm::BuildBasics() {
    QWidget* page = Basics;
    salarycap = Edit(page, "salarycap", "Salary Cap for each team", kMoneyChars);
    bonuslimit = Edit(page, "bonuslimit", "Annual Bonus Limit per team", kMoneyChars);
    restruct =
        Edit(page, "restruct", "Maximum number of players a team may restructure each season", kNumberChars);
    res_attempts =
        Edit(page, "res_attempts", "Maximum number of attempts a team may make each season", kNumberChars);
    ageufa = Edit(page, "ageufa", "Age a player becomes an UFA", kNumberChars);
    agerfa = Edit(page, "agerfa", "Age a player becomes a RFA", kNumberChars);
    declines = Edit(page, "declines", "", kNumberChars);
    add_retired = Check(page, "add_retired", "Include Retired in Salary Total",
                        "Include retired players salary cap hits in team total");
    ly_restruct = Check(page, "ly_restruct", "Restructures in Last Year Only",
                        "Allow a player to restructure only in the last year of his contract");
    lim_attempts =
        Check(page, "lim_attempts", "Limit Attempts", "Limit the number a restructure attempts per team ");
    hid_pote = Check(page, "hid_pote", "Hide Potentials", "Hide potentials from view ");
    holdouts = Check(page, "holdouts", "Enable Holdouts", "Turn on Holdout feature");

    ho_base = new QSlider(Qt::Horizontal, page);
    ho_base->setObjectName("ho_base");
    ho_base->setToolTip("Increase/Decrease odds of players holding out");
    ho_base->setRange(OptionsEditor::kHoBaseMin, OptionsEditor::kHoBaseMax);
    ho_base->setSingleStep(OptionsEditor::kHoBaseStep);
    ho_base->setPageStep(OptionsEditor::kHoBaseStep);
    ho_base->setTickInterval(OptionsEditor::kHoBaseStep);
    ho_base->setTickPosition(QSlider::TicksBelow);
    ho_base->setMinimumWidth(200);

    // The number of declines is kept in the file but not offered for editing.
    QLabel* declinesLabel = Caption(page, "Number of Declines before Holdout", declines);
    declines->setText("3");
    declines->setEnabled(false);
    declines->hide();
    declinesLabel->hide();

    auto* fields = new QGridLayout;
    AddRow(fields, 0, 0, Caption(page, "Salary Cap", salarycap), salarycap);
    AddRow(fields, 1, 0, Caption(page, "Bonus Limit", bonuslimit), bonuslimit);
    AddRow(fields, 2, 0, Caption(page, "Maximum Players Restructured per Season", restruct), restruct);
    AddRow(fields, 3, 0, Caption(page, "Maximum Restructure Attempts per Season", res_attempts),
           res_attempts);
    AddRow(fields, 4, 0, Caption(page, "Years to Unrestricted Free Agent", ageufa), ageufa);
    AddRow(fields, 5, 0, Caption(page, "Years to Restricted Free Agent", agerfa), agerfa);
    AddRow(fields, 6, 0, declinesLabel, declines);
    fields->setRowStretch(7, 1);

    auto* holdout = new QGridLayout;
    holdout->addWidget(Caption(page, "Chance of Holdout", ho_base), 0, 0, 1, 2);
    holdout->addWidget(ho_base, 1, 0, 1, 2);
    auto* slight = new QLabel("Slight", page);
    slight->setObjectName("ho_baseSlight");
    auto* probably = new QLabel("Probably", page);
    probably->setObjectName("ho_baseProbably");
    holdout->addWidget(slight, 2, 0, Qt::AlignLeft);
    holdout->addWidget(probably, 2, 1, Qt::AlignRight);

    auto* flags = new QVBoxLayout;
    for (QCheckBox* box : {add_retired, ly_restruct, lim_attempts, hid_pote, holdouts})
        flags->addWidget(box);
    flags->addSpacing(8);
    flags->addLayout(holdout);
    flags->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(fields);
    layout->addSpacing(16);
    layout->addLayout(flags);
}

void TOptionEditForm::BuildContractRules() {
    QWidget* page = ContractRules;
    auto* bonus = new QGroupBox("Bonus amount as a Percentage of Base Salary", page);
    bonus->setObjectName("BonusGroup");
    min = Edit(bonus, "min", "Minimum Bonus amount as a percentage of Base", kNumberChars);
    max = Edit(bonus, "max", "Maximum Bonus amount as a percentage of Base", kNumberChars);
    auto* bonusRows = new QGridLayout(bonus);
    AddRow(bonusRows, 0, 0, Caption(bonus, "Minimum Bonus", min), min);
    AddRow(bonusRows, 0, 2, Caption(bonus, "Maximum Bonus", max), max);
    bonusRows->setColumnStretch(4, 1);

    penalty = Edit(page, "penalty", "Cap penalty if a 1 year contract with no bonus is cut", kNumberChars);
    max_length = Edit(page, "max_length", "Maximum Length of a Contract (Max of 7)", kNumberChars);
    basechance = Edit(page, "basechance", "Adjustment to Accepting Percentage", kNumberChars);
    xfaDecline = Edit(page, "xfaDecline", "Penalty on next offer for each decline by an XFA", kNumberChars);
    restructDecline = Edit(page, "restructDecline", "Penalty on next offer for each decline of a restructure",
                           kNumberChars);
    fp_adj = Edit(page, "fp_adj", "Franchise players top salary as a percentage of CGS", kNumberChars);
    tp_adj = Edit(page, "tp_adj", "transition players top salary as a percentage of CGS", kNumberChars);

    // The split row of the contract length chosen in the up-down.
    auto* splitFrame = new QFrame(page);
    splitFrame->setObjectName("SplitFrame");
    splitFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    UpDown1 = new LengthUpDown(splitFrame);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setRange(OptionsEditor::kConLengthMin, OptionsEditor::kConLengthMax);
    UpDown1->setValue(1);
    UpDown1->setToolTip("Length of Contract");
    conlength = UpDown1->findChild<QLineEdit*>("conlength");
    conlength->setToolTip("Length of Contract");
    auto* splitRow = new QHBoxLayout(splitFrame);
    splitRow->addWidget(UpDown1);
    splitRow->addSpacing(8);
    for (int y = 0; y < OptionsEditor::kSplits; ++y) {
        const std::string name = "split" + std::to_string(y + 1);
        const std::string hint = "Percentage of Base in Year " + std::to_string(y + 1);
        split[y] = Edit(splitFrame, name.c_str(), hint.c_str(), kSplitChars);
        splitRow->addWidget(split[y]);
    }
    splitRow->addSpacing(8);
    Button3 = Button(splitFrame, "Button3", "Set Percents");
    splitRow->addWidget(Button3);
    splitRow->addStretch();

    auto* rules = new QGridLayout;
    AddRow(rules, 0, 0, Caption(page, "1 year Contract Penalty", penalty), penalty);
    AddRow(rules, 0, 2, Caption(page, "Maximum Contract Length", max_length), max_length);
    AddRow(rules, 1, 0, Caption(page, "Base Chance of Signing", basechance), basechance);
    AddRow(rules, 1, 2, Caption(page, "XFA Decline Adjustment", xfaDecline), xfaDecline);
    AddRow(rules, 2, 0, Caption(page, "Restructure Decline Adjustment", restructDecline), restructDecline);
    AddRow(rules, 3, 0, Caption(page, "Adjust % for Franchise Player", fp_adj), fp_adj);
    AddRow(rules, 3, 2, Caption(page, "Adjust % for Transition Player", tp_adj), tp_adj);
    rules->setColumnMinimumWidth(2, 0);
    rules->setHorizontalSpacing(12);
    rules->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(bonus);
    layout->addSpacing(4);
    layout->addLayout(rules);
    layout->addSpacing(4);
    layout->addWidget(splitFrame);
    layout->addStretch();
}

void TOptionEditForm::BuildCGS() {
    QWidget* page = CGS;
    std::vector<std::string> groups(OptionsEditor::kGroupNames.begin(), OptionsEditor::kGroupNames.end());
    posSelector = DropDownList(page, "posSelector", groups);
    posSelector->setMinimumContentsLength(3);

    std::vector<QLineEdit*> weightEdits;
    for (int k = 0; k < Options::kRatings; ++k) {
        weights[k] = Edit(page, OptionsEditor::kWeightNames[k], "", 2);
        weightEdits.push_back(weights[k]);
    }
    auto* ratingRow =
        new HeadedEditRow("  AC     AG    DI     EN    HA      IN     SP    ST ", weightEdits, page);
    ratingRow->setObjectName("RatingColumns");
    auto* ratingCaption = new QLabel("Ratings Weight", page);
    ratingCaption->setObjectName("RatingsWeightLabel");

    starters = Edit(page, "starters", "", kNumberChars);
    maxsal = Edit(page, "maxsal", "", kMoneyChars);
    minsal = Edit(page, "minsal", "", kMoneyChars);
    Button1 = Button(page, "Button1", "Update");
    Button2 = Button(page, "Button2", "Reset");
    includerookie = Check(page, "includerookie", "Use Round/Pick info to generate Rookies CGS", "");
    useStats = Check(page, "useStats", "Generate CGS Based on Statistics", "");

    auto* group = new QGridLayout;
    AddRow(group, 0, 0, Caption(page, "Position", posSelector), posSelector);
    group->addWidget(ratingCaption, 1, 0, Qt::AlignTop);
    group->addWidget(ratingRow, 1, 1, Qt::AlignLeft);
    AddRow(group, 2, 0, Caption(page, "Average Number of Starters per Team", starters), starters);
    AddRow(group, 3, 0, Caption(page, "Maximum Salary", maxsal), maxsal);
    AddRow(group, 4, 0, Caption(page, "Minimum Salary", minsal), minsal);
    group->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(group);
    layout->addLayout(buttons);
    layout->addSpacing(8);
    layout->addWidget(includerookie);
    layout->addWidget(useStats);
    layout->addStretch();
}

void TOptionEditForm::BuildRookieCGS() {
    QWidget* page = rook_cgs;
    rndBox = DropDownList(page, "rndBox", OptionsEditor::RoundItems());
    pckBox = DropDownList(page, "pckBox", OptionsEditor::PickItems());
    rCGS = Edit(page, "rCGS", "", kMoneyChars);
    Button4 = Button(page, "Button4", "Set");
    RookieCGSs = new QPlainTextEdit(page);
    RookieCGSs->setObjectName("RookieCGSs");
    RookieCGSs->setReadOnly(true);
    RookieCGSs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RookieCGSs->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* entry = new QHBoxLayout;
    entry->addWidget(Caption(page, "Round", rndBox));
    entry->addWidget(rndBox);
    entry->addSpacing(8);
    entry->addWidget(Caption(page, "Pick", pckBox));
    entry->addWidget(pckBox);
    entry->addSpacing(8);
    entry->addWidget(rCGS);
    entry->addWidget(Button4);
    entry->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(entry);
    layout->addWidget(RookieCGSs, 1);
}

void TOptionEditForm::BuildStatValue() {
    QWidget* page = StatValue;
    for (int i = 0; i < Options::kStatValues; ++i) {
        const bool breakpoint = i >= kFirstRating && (i - kFirstRating) % 2 == 0;
        statValues[i] = Edit(page, OptionsEditor::kStatNames[i], kStatTexts[i].hint,
                             breakpoint ? kSplitChars : kStatChars);
    }

    // The values in two columns of caption and edit; below them the three rating
    // breakpoints, each followed by its bonus.
    constexpr int kRows = (kFirstRating + 1) / 2;
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < kFirstRating; ++i)
        AddRow(grid, i % kRows, 3 * (i / kRows), Caption(page, kStatTexts[i].caption, statValues[i]),
               statValues[i]);
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(5, 1);
    auto* ratings = new QHBoxLayout;
    for (int i = kFirstRating; i < Options::kStatValues; i += 2) {
        ratings->addWidget(Caption(page, kStatTexts[i].caption, statValues[i]));
        ratings->addWidget(statValues[i]);
        ratings->addWidget(statValues[i + 1]);
        ratings->addSpacing(12);
    }
    ratings->addStretch();

    auto* heading = new QLabel("Multipliers:", page);
    heading->setObjectName("MultipliersLabel");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addLayout(ratings);
    layout->addStretch();
}

void TOptionEditForm::Connect() {
    auto on = [this](void (TOptionEditForm::*handler)()) { return Handler(this, handler); };
    connect(UpDown1, &QSpinBox::valueChanged, this, on(&TOptionEditForm::EnableSplits));
    connect(Button3, &QPushButton::clicked, this, on(&TOptionEditForm::SaveSplits));
    connect(posSelector, &QComboBox::activated, this, on(&TOptionEditForm::UpdateFields));
    connect(Button2, &QPushButton::clicked, this, on(&TOptionEditForm::UpdateFields));
    connect(Button1, &QPushButton::clicked, this, on(&TOptionEditForm::SaveCGSData));
    connect(rndBox, &QComboBox::activated, this, on(&TOptionEditForm::rndBoxChange));
    connect(pckBox, &QComboBox::activated, this, on(&TOptionEditForm::pckBoxChange));
    connect(Button4, &QPushButton::clicked, this, on(&TOptionEditForm::rCGSChange));
    connect(saveBtn, &QPushButton::clicked, this, on(&TOptionEditForm::saveBtnClick));
    connect(cxlBtn, &QPushButton::clicked, this, on(&TOptionEditForm::cxlBtnClick));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (PageControl1->widget(index) == rook_cgs)
            RunHandler([this]() { rook_cgsShow(); });
    });
    // The track bar stops only at its steps, whether dragged, clicked or keyed.
    connect(ho_base, &QSlider::actionTriggered, this, [this]() {
        const int step = OptionsEditor::kHoBaseStep;
        const int snapped = (ho_base->sliderPosition() + step / 2) / step * step;
        ho_base->setSliderPosition(std::clamp(snapped, OptionsEditor::kHoBaseMin, OptionsEditor::kHoBaseMax));
    });
}

void TOptionEditForm::showEvent(QShowEvent* event) {
    RunHandler([this]() { FormShow(); });
    // Centred on the desktop, not over the owner, once its size is final.
    if (const QScreen* desktop = screen(); desktop && !event->spontaneous()) {
        QRect frame = frameGeometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void TOptionEditForm::FormShow() {
    hid_pote->setVisible(editor.HidPoteShown());
}

void TOptionEditForm::Act(const std::function<void()>& action) {
    ReadControls();
    RunHandler(action);
    ShowControls();
}

void TOptionEditForm::EnableSplits() {
    Act([this]() { editor.EnableSplits(); });
}

void TOptionEditForm::SaveSplits() {
    Act([this]() { editor.SaveSplits(); });
}

void TOptionEditForm::UpdateFields() {
    Act([this]() { editor.UpdateFields(); });
}

void TOptionEditForm::SaveCGSData() {
    Act([this]() { editor.SaveCGSData(); });
}

void TOptionEditForm::rook_cgsShow() {
    Act([this]() { editor.rook_cgsShow(); });
}

void TOptionEditForm::rndBoxChange() {
    Act([this]() { editor.rndBoxChange(); });
}

void TOptionEditForm::pckBoxChange() {
    Act([this]() { editor.pckBoxChange(); });
}

void TOptionEditForm::rCGSChange() {
    Act([this]() { editor.rCGSChange(); });
}

void TOptionEditForm::saveBtnClick() {
    bool written = false;
    Act([this, &written]() {
        written = editor.saveBtnClick();
        // The options stay as they were; the user may try again or cancel.
        if (!written)
            prompt.ShowStop("Could not write " + options.FilePath() + ": " + editor.SaveError(),
                            "Program Options");
    });
    // A field that is no number has been shown in the error box; the window stays open with
    // everything the user typed, on the page of that field, ready for it to be mended.
    if (written) {
        accept();
        return;
    }
    if (auto* field = findChild<QLineEdit*>(QString::fromStdString(editor.FieldNotANumber()));
        field && !editor.FieldNotANumber().empty()) {
        for (int page = 0; page < PageControl1->count(); ++page)
            if (PageControl1->widget(page)->isAncestorOf(field))
                PageControl1->setCurrentIndex(page);
        field->setFocus();
        field->selectAll();
    }
}

void TOptionEditForm::cxlBtnClick() {
    editor.cxlBtnClick();
    QDialog::reject();
}

void TOptionEditForm::reject() {
    RunHandler([this]() { cxlBtnClick(); });
}

void TOptionEditForm::ReadControls() {
    OptionsEditor::Controls& c = editor.GetControls();
    c.salarycap = Text(salarycap);
    c.bonuslimit = Text(bonuslimit);
    c.add_retired = add_retired->isChecked();
    c.ly_restruct = ly_restruct->isChecked();
    c.restruct = Text(restruct);
    c.res_attempts = Text(res_attempts);
    c.ageufa = Text(ageufa);
    c.agerfa = Text(agerfa);
    c.declines = Text(declines);
    c.lim_attempts = lim_attempts->isChecked();
    c.hid_pote = hid_pote->isChecked();
    c.holdouts = holdouts->isChecked();
    c.ho_base = ho_base->value();

    c.min = Text(min);
    c.max = Text(max);
    c.penalty = Text(penalty);
    c.max_length = Text(max_length);
    c.conlength = Text(conlength);
    for (int y = 0; y < OptionsEditor::kSplits; ++y)
        c.split[y] = Text(split[y]);
    c.basechance = Text(basechance);
    c.xfaDecline = Text(xfaDecline);
    c.restructDecline = Text(restructDecline);
    c.fp_adj = Text(fp_adj);
    c.tp_adj = Text(tp_adj);

    c.posSelector = posSelector->currentIndex();
    for (int k = 0; k < Options::kRatings; ++k)
        c.weights[k] = Text(weights[k]);
    c.starters = Text(starters);
    c.maxsal = Text(maxsal);
    c.minsal = Text(minsal);
    c.includerookie = includerookie->isChecked();
    c.useStats = useStats->isChecked();

    c.rndBox = rndBox->currentIndex();
    c.pckBox = pckBox->currentIndex();
    c.rCGS = Text(rCGS);

    for (int i = 0; i < Options::kStatValues; ++i)
        c.statValues[i] = Text(statValues[i]);
}

void TOptionEditForm::ShowControls() {
    const OptionsEditor::Controls& c = editor.GetControls();
    Show(salarycap, c.salarycap);
    Show(bonuslimit, c.bonuslimit);
    add_retired->setChecked(c.add_retired);
    ly_restruct->setChecked(c.ly_restruct);
    Show(restruct, c.restruct);
    Show(res_attempts, c.res_attempts);
    Show(ageufa, c.ageufa);
    Show(agerfa, c.agerfa);
    Show(declines, c.declines);
    lim_attempts->setChecked(c.lim_attempts);
    hid_pote->setChecked(c.hid_pote);
    holdouts->setChecked(c.holdouts);
    ho_base->setValue(c.ho_base);

    Show(min, c.min);
    Show(max, c.max);
    Show(penalty, c.penalty);
    Show(max_length, c.max_length);
    // The up-down takes the length the model settled on without calling EnableSplits again.
    bool isNumber = false;
    const int length = QString::fromStdString(c.conlength).trimmed().toInt(&isNumber);
    if (isNumber && length != UpDown1->value()) {
        const QSignalBlocker quiet(UpDown1);
        UpDown1->setValue(length);
    }
    for (int y = 0; y < OptionsEditor::kSplits; ++y) {
        Show(split[y], c.split[y]);
        split[y]->setEnabled(c.splitEnabled[y]);
    }
    Show(basechance, c.basechance);
    Show(xfaDecline, c.xfaDecline);
    Show(restructDecline, c.restructDecline);
    Show(fp_adj, c.fp_adj);
    Show(tp_adj, c.tp_adj);

    posSelector->setCurrentIndex(c.posSelector);
    for (int k = 0; k < Options::kRatings; ++k)
        Show(weights[k], c.weights[k]);
    Show(starters, c.starters);
    Show(maxsal, c.maxsal);
    Show(minsal, c.minsal);
    includerookie->setChecked(c.includerookie);
    useStats->setChecked(c.useStats);

    rndBox->setCurrentIndex(c.rndBox);
    pckBox->setCurrentIndex(c.pckBox);
    Show(rCGS, c.rCGS);
    QStringList lines;
    for (const std::string& line : c.RookieCGSs)
        lines << QString::fromStdString(line);
    const QString memo = lines.join('\n');
    if (RookieCGSs->toPlainText() != memo)
        RookieCGSs->setPlainText(memo);

    for (int i = 0; i < Options::kStatValues; ++i)
        Show(statValues[i], c.statValues[i]);
}
