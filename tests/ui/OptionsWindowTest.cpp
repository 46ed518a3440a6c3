// The options window "Program Options" driven as a user drives it: typing into its edits,
// choosing items with the keyboard, clicking its buttons; message boxes answered by a script.
#include "UiSupport.h"

#include "contracts/Options.h"
#include "ui/BrevaneApplication.h"
#include "ui/TContractManagerForm.h"
#include "ui/TOptionEditForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Kind = ScriptedPrompt::Kind;

const char* const kErrorCaption = "Marrel:Contract Manager";

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A check box is ticked on its box, not beside its caption.
void Click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Chooses an item with the keyboard, as a user does in a closed drop-down list.
void Choose(QComboBox* box, int index) {
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentIndex(), index);
}

QString CaptionOf(const QWidget* control) {
    for (const QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label->text();
    return "(none)";
}

QStringList Lines(const QPlainTextEdit* memo) {
    return memo->toPlainText().split('\n');
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(bytes.at(offset) | bytes.at(offset + 1) << 8 |
                                     bytes.at(offset + 2) << 16 |
                                     static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24);
}

double DoubleAt(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// One window over options of its own, in a folder of its own, opened by a window named owner.
class OptionsWindow : public testing::Test {
  protected:
    void SetUp() override {
        BrevaneApplication::Instance()->SetErrorPrompt(&prompt);
        options.SetFolder(dir.Path());
    }
    void TearDown() override {
        form.reset();
        BrevaneApplication::Instance()->SetErrorPrompt(nullptr);
    }

    TOptionEditForm& Open(const char* ownerName = "ContractManagerForm") {
        owner.setObjectName(ownerName);
        form = std::make_unique<TOptionEditForm>(options, prompt, owner);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return *form;
    }

    TempDir dir;
    Options options;
    ScriptedPrompt prompt;
    QWidget owner;
    std::unique_ptr<TOptionEditForm> form;
};

TEST_F(OptionsWindow, ShowsEveryControlWithItsCaptionHintAndLoadedValue) {
    options.basechance = -3;
    options.add_retired = 0;
    options.holdouts = 1;
    options.ho_base = 35;
    options.tdthrown = 1234567;
    TOptionEditForm& w = Open();
    EXPECT_EQ(w.windowTitle(), "Program Options");
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(w.saveBtn->text(), "Save");
    EXPECT_EQ(w.cxlBtn->text(), "Cancel");

    const std::vector<std::pair<QString, QString>> pages = {{"Basics", "Basic"},
                                                            {"ContractRules", "Contract Rules"},
                                                            {"CGS", "CGS Generation"},
                                                            {"rook_cgs", "Rookie CGS"},
                                                            {"StatValue", "Statistic Values"}};
    ASSERT_EQ(w.PageControl1->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(w.PageControl1->widget(i)->objectName(), pages[i].first);
        EXPECT_EQ(w.PageControl1->tabText(i), pages[i].second);
    }

    struct EditRow {
        const char* name;
        const char* caption;
        const char* hint;
        const char* text;
    };
    const std::vector<EditRow> edits = {
        {"salarycap", "Salary Cap", "Salary Cap for each team", "45000000"},
        {"bonuslimit", "Bonus Limit", "Annual Bonus Limit per team", "20000000"},
        {"restruct", "Maximum Players Restructured per Season",
         "Maximum number of players a team may restructure each season", "4"},
        {"res_attempts", "Maximum Restructure Attempts per Season",
         "Maximum number of attempts a team may make each season", "6"},
        {"ageufa", "Years to Unrestricted Free Agent", "Age a player becomes an UFA", "4"},
        {"agerfa", "Years to Restricted Free Agent", "Age a player becomes a RFA", "3"},
        {"min", "Minimum Bonus", "Minimum Bonus amount as a percentage of Base", "20"},
        {"max", "Maximum Bonus", "Maximum Bonus amount as a percentage of Base", "120"},
        {"penalty", "1 year Contract Penalty", "Cap penalty if a 1 year contract with no bonus is cut", "35"},
        {"max_length", "Maximum Contract Length", "Maximum Length of a Contract (Max of 7)", "4"},
        {"basechance", "Base Chance of Signing", "Adjustment to Accepting Percentage", "-3"},
        {"xfaDecline", "XFA Decline Adjustment", "Penalty on next offer for each decline by an XFA", "5"},
        {"restructDecline", "Restructure Decline Adjustment",
         "Penalty on next offer for each decline of a restructure", "25"},
        {"fp_adj", "Adjust % for Franchise Player", "Franchise players top salary as a percentage of CGS",
         "120"},
        {"tp_adj", "Adjust % for Transition Player", "transition players top salary as a percentage of CGS",
         "120"},
        {"split1", "(none)", "Percentage of Base in Year 1", "100"},
        {"split7", "(none)", "Percentage of Base in Year 7", "0"},
        {"starters", "Average Number of Starters per Team", "", ""},
        {"maxsal", "Maximum Salary", "", ""},
        {"minsal", "Minimum Salary", "", ""},
        {"rCGS", "(none)", "", ""},
        {"tdthrown", "TD Thrown", "Bonus for each TD pass thrown", "1,234,567"},
        {"catches", "Recptions", "Amount per catch", "2,200"},
        {"puntavg", "Net Punt  Avg", "For each yard over 36 Yard Avg", "20,000"},
        {"rate2", "Rating Over", "Rating breakpoint 2", "80"},
        {"ratebonus3", "(none)", "Bonus for a rating over breakpoint 3", "100,000"},
    };
    for (const EditRow& row : edits) {
        auto* edit = w.findChild<QLineEdit*>(row.name);
        ASSERT_NE(edit, nullptr) << row.name;
        EXPECT_EQ(CaptionOf(edit), row.caption) << row.name;
        EXPECT_EQ(edit->toolTip(), row.hint) << row.name;
        EXPECT_EQ(edit->text(), row.text) << row.name;
    }
    EXPECT_EQ(w.findChild<QLabel*>("MultipliersLabel")->text(), "Multipliers:");
    for (int i = 0; i < Options::kStatValues; ++i)
        EXPECT_NE(w.findChild<QLineEdit*>(OptionsEditor::kStatNames[i]), nullptr) << i;

    struct CheckRow {
        const char* name;
        const char* caption;
        const char* hint;
        bool checked;
    };
    const std::vector<CheckRow> checks = {
        {"add_retired", "Include Retired in Salary Total",
         "Include retired players salary cap hits in team total", false},
        {"ly_restruct", "Restructures in Last Year Only",
         "Allow a player to restructure only in the last year of his contract", true},
        {"lim_attempts", "Limit Attempts", "Limit the number a restructure attempts per team ", false},
        {"hid_pote", "Hide Potentials", "Hide potentials from view ", false},
        {"holdouts", "Enable Holdouts", "Turn on Holdout feature", true},
        {"includerookie", "Use Round/Pick info to generate Rookies CGS", "", false},
        {"useStats", "Generate CGS Based on Statistics", "", false},
    };
    for (const CheckRow& row : checks) {
        auto* box = w.findChild<QCheckBox*>(row.name);
        ASSERT_NE(box, nullptr) << row.name;
        EXPECT_EQ(box->text(), row.caption) << row.name;
        EXPECT_EQ(box->toolTip(), row.hint) << row.name;
        EXPECT_EQ(box->isChecked(), row.checked) << row.name;
    }

    // The hidden number of declines, the track bar and the contract length's up-down.
    EXPECT_EQ(w.declines->text(), "3");
    EXPECT_FALSE(w.declines->isEnabled());
    EXPECT_FALSE(w.declines->isVisible());
    EXPECT_EQ(CaptionOf(w.declines), "Number of Declines before Holdout");
    EXPECT_EQ(CaptionOf(w.ho_base), "Chance of Holdout");
    EXPECT_EQ(w.ho_base->toolTip(), "Increase/Decrease odds of players holding out");
    EXPECT_EQ(w.ho_base->minimum(), 5);
    EXPECT_EQ(w.ho_base->maximum(), 50);
    EXPECT_EQ(w.ho_base->singleStep(), 5);
    EXPECT_EQ(w.ho_base->tickInterval(), 5);
    EXPECT_NE(w.ho_base->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(w.ho_base->value(), 35);
    w.ho_base->setSliderDown(true);
    w.ho_base->setSliderPosition(42); // dragged between two steps: it stops at the nearest
    w.ho_base->setSliderDown(false);
    EXPECT_EQ(w.ho_base->value(), 40);
    EXPECT_EQ(w.findChild<QLabel*>("ho_baseSlight")->text(), "Slight");
    EXPECT_EQ(w.findChild<QLabel*>("ho_baseProbably")->text(), "Probably");
    auto* upDown = w.findChild<QSpinBox*>("UpDown1");
    ASSERT_NE(upDown, nullptr);
    EXPECT_EQ(upDown->minimum(), 0);
    EXPECT_EQ(upDown->maximum(), 8);
    EXPECT_EQ(w.findChild<QLineEdit*>("conlength")->text(), "1");
    EXPECT_EQ(w.conlength->toolTip(), "Length of Contract");
    for (int y = 0; y < 7; ++y)
        EXPECT_EQ(w.split[y]->isEnabled(), y == 0) << y;
    EXPECT_EQ(w.Button3->text(), "Set Percents");

    // The CGS page: groups, the weight columns under their heading, the buttons.
    EXPECT_EQ(w.posSelector->count(), 10);
    EXPECT_EQ(w.posSelector->itemText(0), "QB");
    EXPECT_EQ(w.posSelector->itemText(9), "K");
    EXPECT_EQ(w.posSelector->currentIndex(), -1);
    EXPECT_TRUE(w.findChild<QLabel*>("RatingsWeightLabel"));
    const QStringList weightNames = {"ac", "ag", "di", "en", "ha", "in", "sp", "st"};
    EXPECT_TRUE(w.findChild<QWidget*>("RatingColumns")
                    ->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly)
                    ->text() == "  AC     AG    DI     EN    HA      IN     SP    ST ");
    int lastX = -1;
    for (const QString& name : weightNames) {
        auto* edit = w.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name.toStdString();
        EXPECT_GT(edit->x(), lastX); // left to right, in rating order
        lastX = edit->x();
    }
    EXPECT_EQ(w.Button1->text(), "Update");
    EXPECT_EQ(w.Button2->text(), "Reset");

    // The rookie page.
    EXPECT_EQ(w.rndBox->count(), 11);
    EXPECT_EQ(w.rndBox->itemText(0), "");
    EXPECT_EQ(w.rndBox->itemText(10), "10");
    EXPECT_EQ(w.pckBox->count(), 31);
    EXPECT_EQ(w.pckBox->itemText(30), "30");
    EXPECT_EQ(CaptionOf(w.rndBox), "Round");
    EXPECT_EQ(CaptionOf(w.pckBox), "Pick");
    EXPECT_EQ(w.Button4->text(), "Set");
    EXPECT_TRUE(w.RookieCGSs->isReadOnly());
    EXPECT_EQ(w.RookieCGSs->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(OptionsWindow, HidePotentialsIsOfferedToTheFrontOfficeOnly) {
    EXPECT_FALSE(Open("ContractManagerForm").hid_pote->isVisible());
    EXPECT_TRUE(Open("FrontOffice").hid_pote->isVisible());
}

TEST_F(OptionsWindow, TheContractLengthShowsItsSplitRowWithinOneToSeven) {
    TOptionEditForm& w = Open();
    auto splits = [&w]() {
        QStringList texts;
        for (QLineEdit* edit : w.split)
            texts << edit->text() + (edit->isEnabled() ? "" : "-");
        return texts.join(' ');
    };
    Type(w.max_length, "5");
    Type(w.conlength, "0"); // 0 takes the maximum length
    EXPECT_EQ(w.conlength->text(), "5");
    EXPECT_EQ(splits(), "13 16 19 23 29 0- 0-");
    QTest::keyClick(w.UpDown1, Qt::Key_Down);
    EXPECT_EQ(w.conlength->text(), "4");
    EXPECT_EQ(splits(), "18 22 27 33 0- 0- 0-");
    Type(w.conlength, "8"); // above the maximum length
    EXPECT_EQ(w.conlength->text(), "1");
    EXPECT_EQ(splits(), "100 0- 0- 0- 0- 0- 0-");
    Type(w.max_length, "9");
    Type(w.conlength, "8"); // the table has no eighth row
    EXPECT_EQ(w.conlength->text(), "7");
    EXPECT_EQ(splits(), "7 9 11 13 16 20 24");
    EXPECT_TRUE(prompt.History().empty());
}

TEST_F(OptionsWindow, SetPercentsStoresOnlyARowThatTotals100) {
    TOptionEditForm& w = Open();
    Type(w.conlength, "2");
    Type(w.split[0], "40");
    Type(w.split[1], "60");
    Click(w.Button3);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{40, 60, 0, 0, 0, 0, 0}));

    Type(w.split[0], "45");
    Type(w.split[1], "55");
    Click(w.Button3);
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{45, 55, 0, 0, 0, 0, 0}));

    Type(w.split[1], "50");
    Click(w.Button3);
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, Kind::Message);
    EXPECT_EQ(prompt.History()[0].text, "Contract Percentages must total 100%");
    EXPECT_EQ(prompt.History()[0].caption, "Split Error");
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{45, 55, 0, 0, 0, 0, 0}));
    EXPECT_EQ(w.split[1]->text(), "50"); // the entry stays for the user to mend

    Type(w.split[1], "5x");
    Click(w.Button3);
    ASSERT_EQ(prompt.History().size(), 2u);
    EXPECT_EQ(prompt.History()[1].kind, Kind::Stop);
    EXPECT_EQ(prompt.History()[1].text, "'5x' is not a valid integer value");
    EXPECT_EQ(prompt.History()[1].caption, kErrorCaption);
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{45, 55, 0, 0, 0, 0, 0}));
}

TEST_F(OptionsWindow, CgsPageShowsAndUpdatesTheChosenGroup) {
    TOptionEditForm& w = Open();
    const auto before = options.Encode();
    Click(w.Button2); // Reset with no position chosen
    EXPECT_EQ(w.maxsal->text(), "");
    EXPECT_EQ(w.weights[0]->text(), "");
    Type(w.maxsal, "999");
    Click(w.Button1); // Update with no position chosen
    EXPECT_EQ(options.Encode(), before);

    Choose(w.posSelector, 8); // P
    EXPECT_EQ(w.maxsal->text(), "400000");
    EXPECT_EQ(w.minsal->text(), "220000");
    EXPECT_EQ(w.starters->text(), "1");
    QStringList weights;
    for (QLineEdit* edit : w.weights)
        weights << edit->text();
    EXPECT_EQ(weights.join(' '), "1 1 4 1 4 1 1 12");

    Type(w.maxsal, "600000");
    Type(w.starters, "1.5");
    Type(w.weights[7], "9");
    Click(w.Button1);
    EXPECT_EQ(options.GetCurve(8),
              (Options::CurveRow{600000 * 0.000001 * 0.5, 600000 * 0.000001 * 0.5, 0.22}));
    EXPECT_EQ(options.starters[8], 1.5);
    EXPECT_EQ(options.GetWeights(8)[7], 9);

    Type(w.maxsal, "1");
    Click(w.Button2); // Reset shows the stored values again
    EXPECT_EQ(w.maxsal->text(), "600000");
    EXPECT_EQ(w.weights[7]->text(), "9");
    Choose(w.posSelector, 0); // QB
    EXPECT_EQ(w.maxsal->text(), "2500000");
}

TEST_F(OptionsWindow, RookiePageShowsValuesByRoundAndPickAndSetsThem) {
    TOptionEditForm& w = Open();
    w.PageControl1->setCurrentWidget(w.rook_cgs);
    EXPECT_EQ(w.rndBox->currentText(), "1");
    EXPECT_EQ(w.pckBox->currentText(), "1");
    EXPECT_EQ(w.rCGS->text(), "");
    QStringList empty;
    for (int r = 1; r <= 10; ++r)
        empty << QString("Round %1: $0").arg(r);
    EXPECT_EQ(Lines(w.RookieCGSs), empty);

    Choose(w.rndBox, 3);
    EXPECT_EQ(w.rCGS->text(), "$0");
    Choose(w.pckBox, 0); // the empty item: the rookie minimum
    EXPECT_EQ(w.rCGS->text(), "$220,000");

    Choose(w.rndBox, 1);
    Choose(w.pckBox, 10);
    Type(w.rCGS, "$800,000");
    Click(w.Button4);
    EXPECT_EQ(options.rookieCGS[1][10], 800000);
    QStringList expected = {"Round 1 Pick 1-9: $0", "Round 1 Picks 10-30: $800,000"};
    for (int r = 2; r <= 10; ++r)
        expected << QString("Round %1: $800,000").arg(r);
    EXPECT_EQ(Lines(w.RookieCGSs), expected);
    Choose(w.pckBox, 11);
    EXPECT_EQ(w.rCGS->text(), "$800,000");

    // A box with no item chosen has no entry: nothing shown, nothing set.
    w.pckBox->setCurrentIndex(-1);
    Choose(w.rndBox, 2);
    EXPECT_EQ(w.rCGS->text(), "");
    const auto before = options.Encode();
    Type(w.rCGS, "5");
    Click(w.Button4);
    EXPECT_EQ(options.Encode(), before);
    EXPECT_TRUE(prompt.History().empty());
}

TEST_F(OptionsWindow, SaveWritesEveryFieldAtItsPlaceInTheFile) {
    TOptionEditForm& w = Open();
    Type(w.salarycap, "52000000");
    Type(w.bonuslimit, "21000000");
    Click(w.add_retired); // off
    Type(w.agerfa, "2");
    Type(w.ageufa, "5");
    Type(w.min, "25");
    Type(w.max, "110");
    Type(w.fp_adj, "130");
    Type(w.tp_adj, "115");
    Type(w.restruct, "3");
    Type(w.basechance, "-4");
    Type(w.xfaDecline, "6");
    Type(w.restructDecline, "20");
    Type(w.max_length, "6");
    Type(w.conlength, "2");
    Type(w.split[0], "40");
    Type(w.split[1], "60");
    Click(w.Button3);
    Choose(w.posSelector, 8);
    Type(w.starters, "1.5");
    Type(w.weights[7], "9");
    Click(w.Button1);
    Type(w.penalty, "40");
    Click(w.lim_attempts); // on
    Type(w.res_attempts, "7");
    w.PageControl1->setCurrentWidget(w.rook_cgs);
    Choose(w.pckBox, 10);
    Type(w.rCGS, "800,000");
    Click(w.Button4);
    Click(w.includerookie); // on
    Type(w.statValues[0], "80,000");
    Type(w.statValues[28], "110,000");
    Click(w.holdouts);                         // on
    QTest::keyClick(w.ho_base, Qt::Key_Right); // one step: 30

    Click(w.saveBtn);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());

    // The file, read by hand: little-endian fields at their offsets.
    const std::vector<std::uint8_t> bytes = dir.Read("salreg");
    ASSERT_EQ(bytes.size(), 2404u);
    EXPECT_EQ(Int32At(bytes, 0), 5);
    EXPECT_EQ(Int32At(bytes, 4), 6);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 8, bytes.begin() + 16),
              (std::vector<std::uint8_t>{0x00, 0x75, 0x19, 0x03, 0x40, 0x6F, 0x40, 0x01}));
    EXPECT_EQ(bytes[16], 0);
    EXPECT_EQ(bytes[17], 1);
    const std::vector<std::int32_t> rules = {2, 5, 25, 110, 130, 115, 3, 3, -4, 6, 20};
    for (std::size_t i = 0; i < rules.size(); ++i)
        EXPECT_EQ(Int32At(bytes, 20 + 4 * i), rules[i]) << i;
    EXPECT_EQ(Int32At(bytes, 64), 100);     // 1-year row
    EXPECT_EQ(Int32At(bytes, 64 + 28), 40); // 2-year row, year 1
    EXPECT_EQ(Int32At(bytes, 64 + 32), 60);
    EXPECT_EQ(Int32At(bytes, 260 + (8 * 8 + 7) * 4), 9); // P, ST
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 644, bytes.begin() + 652),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F})); // P starters 1.5
    EXPECT_DOUBLE_EQ(DoubleAt(bytes, 660 + 8 * 3 * 8 + 16), 0.22);        // P minimum, unchanged
    EXPECT_EQ(Int32At(bytes, 900), 40);
    EXPECT_EQ(bytes[904], 0);
    EXPECT_EQ(bytes[905], 1);
    EXPECT_EQ(Int32At(bytes, 908), 7);
    EXPECT_EQ(Int32At(bytes, 912 + (31 + 10) * 4), 800000); // round 1, pick 10
    EXPECT_EQ(Int32At(bytes, 912 + (31 + 9) * 4), 0);
    EXPECT_EQ(bytes[2276], 1);
    EXPECT_EQ(bytes[2277], 0);
    EXPECT_EQ(Int32At(bytes, 2280), 80000);
    EXPECT_EQ(Int32At(bytes, 2284), 350);
    EXPECT_EQ(Int32At(bytes, 2280 + 28 * 4), 110000);
    EXPECT_EQ(bytes[2396], 1);
    EXPECT_EQ(Int32At(bytes, 2400), 30);

    // Read back through the options.
    Options reread;
    reread.Load(dir.Path(), prompt);
    EXPECT_EQ(reread.Encode(), options.Encode());
    EXPECT_EQ(reread.salarycap, 52000000);
    EXPECT_EQ(reread.GetSplits(1), (Options::SplitRow{40, 60, 0, 0, 0, 0, 0}));
    EXPECT_EQ(reread.ho_base, 30);
}

TEST_F(OptionsWindow, AFieldThatIsNoNumberKeepsTheWindowOpenAndWritesNothing) {
    TOptionEditForm& w = Open();
    Type(w.bonuslimit, "21000000");
    Type(w.salarycap, "52x000");
    Click(w.saveBtn);
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, Kind::Stop);
    EXPECT_EQ(prompt.History()[0].text, "'52x000' is not a valid integer value");
    EXPECT_EQ(prompt.History()[0].caption, kErrorCaption);
    EXPECT_FALSE(dir.Exists("salreg"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(w.salarycap->text(), "52x000");
    EXPECT_EQ(w.bonuslimit->text(), "21000000");
    EXPECT_EQ(options.bonuslimit, 20000000);

    // A statistic value without a digit fails the same way.
    Type(w.salarycap, "52000000");
    Type(w.statValues[3], "none");
    Click(w.saveBtn);
    ASSERT_EQ(prompt.History().size(), 2u);
    EXPECT_EQ(prompt.History()[1].text, "'none' is not a valid integer value");
    EXPECT_FALSE(dir.Exists("salreg"));
    EXPECT_TRUE(w.isVisible());

    // Mended, it saves.
    Type(w.statValues[3], "650");
    Click(w.saveBtn);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(Int32At(dir.Read("salreg"), 12), 21000000);
    EXPECT_EQ(Int32At(dir.Read("salreg"), 2280 + 3 * 4), 650);
}

TEST_F(OptionsWindow, AFileThatCannotBeWrittenIsReportedAndKeepsTheWindowOpen) {
    options.SetFolder(dir.File("missing-folder"));
    TOptionEditForm& w = Open();
    Type(w.salarycap, "52000000");
    Click(w.saveBtn);
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].kind, Kind::Stop);
    EXPECT_EQ(prompt.History()[0].caption, "Program Options");
    EXPECT_NE(prompt.History()[0].text.find("Could not write"), std::string::npos);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(options.salarycap, 45000000);
}

TEST_F(OptionsWindow, CancelPutsBackWhatTheButtonsChanged) {
    const auto before = options.Encode();
    for (bool escape : {false, true}) {
        TOptionEditForm& w = Open();
        Type(w.conlength, "2");
        Type(w.split[0], "90");
        Type(w.split[1], "10");
        Click(w.Button3);
        Choose(w.posSelector, 1);
        Type(w.weights[0], "7");
        Click(w.Button1);
        w.PageControl1->setCurrentWidget(w.rook_cgs);
        Type(w.rCGS, "900,000");
        Click(w.Button4);
        ASSERT_NE(options.Encode(), before);
        if (escape)
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            Click(w.cxlBtn);
        EXPECT_EQ(w.result(), QDialog::Rejected);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(options.Encode(), before) << escape;
    }
    EXPECT_FALSE(dir.Exists("salreg"));
    EXPECT_TRUE(prompt.History().empty());
}

// League > Options in the running program.
class OptionsCommand : public testing::Test {
  protected:
    void OpenLeague(ProgramUnderTest& p) {
        leaguePath = WriteSampleLeague(p.dir.File("lg"));
        p.dialogs.Answer(QString::fromStdString(leaguePath));
        p.modals.Then("ChooseTeam",
                      [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
        p.Main().Open2->trigger();
        ASSERT_TRUE(p.Main().IsLeagueLoaded());
    }
    QStringList Panels(ProgramUnderTest& p) {
        QStringList texts;
        for (QLabel* panel : p.Main().statusPanels)
            texts << panel->text();
        return texts;
    }
    std::string leaguePath;
};

TEST_F(OptionsCommand, SaveWritesTheLeaguesFileReloadsTheOptionsAndKeepsThePanels) {
    ProgramUnderTest p;
    OpenLeague(p);
    TContractManagerForm& main = p.Main();
    Options* options = main.GetOptions();
    const QStringList panels = Panels(p);
    // Another folder is current: the options still belong to the league's folder.
    TempDir elsewhere;
    QDir::setCurrent(QString::fromStdString(elsewhere.Path()));

    bool hidPoteShown = true;
    p.modals.Then("OptionEditForm", [&hidPoteShown](QWidget& window) {
        auto& w = static_cast<TOptionEditForm&>(window);
        hidPoteShown = w.hid_pote->isVisible();
        for (int length = 2; length <= 4; ++length) {
            Type(w.conlength, QString::number(length));
            for (int y = 0; y < length; ++y)
                Type(w.split[y], y == 0 ? QString::number(100 - 5 * (length - 1)) : "5");
            Click(w.Button3);
        }
        Click(w.saveBtn);
    });
    main.Options1->trigger();
    EXPECT_EQ(p.modals.Pending(), 0);
    EXPECT_FALSE(hidPoteShown);
    ASSERT_EQ(p.prompt.History().size(), 1u);
    EXPECT_EQ(p.prompt.History()[0].kind, Kind::Message);
    EXPECT_EQ(p.prompt.History()[0].text,
              "Reload League file to reflect new Options om Totals and Salary Info");
    EXPECT_EQ(p.prompt.History()[0].caption, "Reload League");

    // The same options object, reloaded from the file in the league's folder.
    EXPECT_EQ(main.GetOptions(), options);
    EXPECT_EQ(options->GetSplits(1), (Options::SplitRow{95, 5, 0, 0, 0, 0, 0}));
    const std::vector<std::uint8_t> bytes = p.dir.Read("lg/salreg");
    ASSERT_EQ(bytes.size(), 2404u);
    EXPECT_EQ(Int32At(bytes, 64 + 28), 95);
    EXPECT_TRUE(elsewhere.List().empty());

    // The payroll panels keep the old figures until the league is opened again.
    EXPECT_EQ(Panels(p), panels);
    p.dialogs.Answer(QString::fromStdString(leaguePath));
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
    main.Open2->trigger();
    ASSERT_TRUE(main.IsLeagueLoaded());
    EXPECT_NE(Panels(p), panels);
}

TEST_F(OptionsCommand, CancelReloadsNothingAndTheFrontOfficeMayHidePotentials) {
    ProgramUnderTest p(BrevaneProgram::kFrontOfficeRole);
    OpenLeague(p);
    const auto before = p.Main().GetOptions()->Encode();
    bool hidPoteShown = false;
    p.modals.Then("OptionEditForm", [&hidPoteShown](QWidget& window) {
        auto& w = static_cast<TOptionEditForm&>(window);
        hidPoteShown = w.hid_pote->isVisible();
        Click(w.hid_pote);
        Type(w.conlength, "2");
        Type(w.split[0], "50");
        Type(w.split[1], "50");
        Click(w.Button3);
        Click(w.cxlBtn);
    });
    p.Main().Options1->trigger();
    EXPECT_EQ(p.modals.Pending(), 0);
    EXPECT_TRUE(hidPoteShown);
    EXPECT_TRUE(p.prompt.History().empty());
    EXPECT_EQ(p.Main().GetOptions()->Encode(), before);
}

} // namespace
