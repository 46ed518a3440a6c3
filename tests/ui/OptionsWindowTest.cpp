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
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompt::Kind;

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

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int32_t>(bytes.at(offset) | bytes.at(offset + 1) << 8 |
                                     bytes.at(offset + 2) << 16 |
                                     static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24);
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                std::size_t size) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + size)};
}

void ExpectShown(const ScriptedPrompt& prompt, std::size_t index, Kind kind, const std::string& text,
                 const std::string& caption) {
    ASSERT_GT(prompt.History().size(), index);
    EXPECT_EQ(prompt.History()[index].kind, kind);
    EXPECT_EQ(prompt.History()[index].text, text);
    EXPECT_EQ(prompt.History()[index].caption, caption);
}

// One window over options of its own, in a folder of its own, opened by the club's window.
class OptionsWindow : public testing::Test {
  protected:
    void SetUp() override {
        BrevaneApplication::Instance()->SetErrorPrompt(&prompt);
        options.SetFolder(dir.Path());
        owner.setObjectName("ContractManagerForm");
    }
    void TearDown() override {
        form.reset();
        BrevaneApplication::Instance()->SetErrorPrompt(nullptr);
    }

    TOptionEditForm& Open() {
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

// The controls whose texts are easy to get wrong (odd spacing, trailing blanks, loaded values
// in their own formats), found by component name.
TEST_F(OptionsWindow, ShowsItsControlsWithTheirCaptionsHintsAndLoadedValues) {
    options.basechance = -3;
    options.holdouts = 1;
    options.ho_base = 35;
    options.tdthrown = 1234567;
    TOptionEditForm& w = Open();
    EXPECT_EQ(w.windowTitle(), "Program Options");
    EXPECT_TRUE(w.isModal());
    QStringList pages;
    for (int i = 0; i < w.PageControl1->count(); ++i)
        pages << w.PageControl1->widget(i)->objectName() + ":" + w.PageControl1->tabText(i);
    EXPECT_EQ(pages, QStringList({"Basics:Basic", "ContractRules:Contract Rules", "CGS:CGS Generation",
                                  "rook_cgs:Rookie CGS", "StatValue:Statistic Values"}));

    struct Row {
        const char* name;
        const char* caption;
        const char* hint;
        const char* text;
    };
    for (const Row& row : std::vector<Row>{
             {"salarycap", "Salary Cap", "Salary Cap for each team", "45000000"},
             {"basechance", "Base Chance of Signing", "Adjustment to Accepting Percentage", "-3"},
             {"tp_adj", "Adjust % for Transition Player",
              "transition players top salary as a percentage of CGS", "120"},
             {"split7", "(none)", "Percentage of Base in Year 7", "0"},
             {"tdthrown", "TD Thrown", "Bonus for each TD pass thrown", "1,234,567"},
             {"catches", "Recptions", "Amount per catch", "2,200"},
             {"puntavg", "Net Punt  Avg", "For each yard over 36 Yard Avg", "20,000"},
             {"ratebonus3", "(none)", "Bonus for a rating over breakpoint 3", "100,000"},
         }) {
        auto* edit = w.findChild<QLineEdit*>(row.name);
        ASSERT_NE(edit, nullptr) << row.name;
        EXPECT_EQ(CaptionOf(edit), row.caption) << row.name;
        EXPECT_EQ(edit->toolTip(), row.hint) << row.name;
        EXPECT_EQ(edit->text(), row.text) << row.name;
    }
    EXPECT_EQ(w.findChild<QCheckBox*>("lim_attempts")->toolTip(),
              "Limit the number a restructure attempts per team ");
    EXPECT_TRUE(w.holdouts->isChecked());
    EXPECT_EQ(CaptionOf(w.declines), "Number of Declines before Holdout");
    EXPECT_EQ(w.declines->text(), "3");
    EXPECT_FALSE(w.declines->isEnabled() || w.declines->isVisible());
    EXPECT_FALSE(w.hid_pote->isVisible()); // the club's window; the front office's is tested below

    // The track bar stops at its steps only; the up-down of the length spans 0-8.
    EXPECT_EQ(w.ho_base->value(), 35);
    EXPECT_EQ(QString("%1-%2/%3")
                  .arg(w.ho_base->minimum())
                  .arg(w.ho_base->maximum())
                  .arg(w.ho_base->tickInterval()),
              "5-50/5");
    w.ho_base->setSliderDown(true);
    w.ho_base->setSliderPosition(42); // dragged between two steps
    w.ho_base->setSliderDown(false);
    EXPECT_EQ(w.ho_base->value(), 40);
    EXPECT_EQ(w.findChild<QSpinBox*>("UpDown1")->maximum(), 8);
    EXPECT_EQ(w.findChild<QLineEdit*>("conlength")->text(), "1");

    // The weight edits stand left to right under their column caption.
    EXPECT_EQ(w.findChild<QWidget*>("RatingColumns")->findChild<QLabel*>()->text(),
              "  AC     AG    DI     EN    HA      IN     SP    ST ");
    int lastX = -1;
    for (const char* name : {"ac", "ag", "di", "en", "ha", "in", "sp", "st"}) {
        auto* edit = w.findChild<QLineEdit*>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_GT(edit->x(), lastX) << name;
        lastX = edit->x();
    }
    EXPECT_TRUE(w.RookieCGSs->isReadOnly());
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
    Type(w.split[0], "45");
    Type(w.split[1], "55");
    Click(w.Button3);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{45, 55, 0, 0, 0, 0, 0}));

    Type(w.split[1], "50");
    Click(w.Button3);
    ExpectShown(prompt, 0, Kind::Message, "Contract Percentages must total 100%", "Split Error");
    EXPECT_EQ(w.split[1]->text(), "50"); // left for the user to mend

    // A conversion error of a button reaches the standard error box and changes nothing.
    Type(w.split[1], "5x");
    Click(w.Button3);
    ExpectShown(prompt, 1, Kind::Stop, "'5x' is not a valid integer value", "Marrel:Contract Manager");
    EXPECT_EQ(options.GetSplits(1), (Options::SplitRow{45, 55, 0, 0, 0, 0, 0}));
}

TEST_F(OptionsWindow, CgsPageShowsAndUpdatesTheChosenGroup) {
    TOptionEditForm& w = Open();
    Click(w.Button2); // Reset with no position chosen
    EXPECT_EQ(w.maxsal->text(), "");
    EXPECT_EQ(w.weights[0]->text(), "");

    Choose(w.posSelector, 8); // P
    QStringList shown = {w.maxsal->text(), w.minsal->text(), w.starters->text()};
    for (QLineEdit* edit : w.weights)
        shown << edit->text();
    EXPECT_EQ(shown.join(' '), "400000 220000 1 1 1 4 1 4 1 1 12");

    Type(w.maxsal, "600000");
    Type(w.weights[7], "9");
    Click(w.Button1);
    EXPECT_EQ(options.GetCurve(8)[1], 600000 * 0.000001 * 0.5);
    EXPECT_EQ(options.GetWeights(8)[7], 9);
    Type(w.maxsal, "1");
    Click(w.Button2); // Reset shows what is stored
    EXPECT_EQ(w.maxsal->text(), "600000");
}

TEST_F(OptionsWindow, RookiePageShowsValuesByRoundAndPickAndSetsThem) {
    TOptionEditForm& w = Open();
    w.PageControl1->setCurrentWidget(w.rook_cgs);
    EXPECT_EQ(w.rndBox->currentText() + "/" + w.pckBox->currentText(), "1/1");
    EXPECT_EQ(w.rCGS->text(), "");
    QStringList lines;
    for (int r = 1; r <= 10; ++r)
        lines << QString("Round %1: $0").arg(r);
    EXPECT_EQ(w.RookieCGSs->toPlainText(), lines.join('\n')); // the empty table

    Choose(w.rndBox, 3);
    Choose(w.pckBox, 0); // the empty item: the rookie minimum
    EXPECT_EQ(w.rCGS->text(), "$220,000");

    Choose(w.rndBox, 1);
    Choose(w.pckBox, 10);
    Type(w.rCGS, "$800,000");
    QTest::keyClick(w.rCGS, Qt::Key_Return); // Enter does not close the window
    ASSERT_TRUE(w.isVisible());
    Click(w.Button4);
    EXPECT_EQ(options.rookieCGS[1][10], 800000);
    lines = QStringList{"Round 1 Pick 1-9: $0", "Round 1 Picks 10-30: $800,000"};
    for (int r = 2; r <= 10; ++r)
        lines << QString("Round %1: $800,000").arg(r);
    EXPECT_EQ(w.RookieCGSs->toPlainText(), lines.join('\n'));
    EXPECT_TRUE(prompt.History().empty());
}

TEST_F(OptionsWindow, SaveWritesEveryFieldAtItsPlaceInTheFile) {
    TOptionEditForm& w = Open();
    Type(w.salarycap, "52000000");
    Type(w.bonuslimit, "21000000");
    Click(w.add_retired); // off
    Type(w.basechance, "-4");
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
    QTest::keyClick(w.ho_base, Qt::Key_Right); // one step up from 25
    Click(w.saveBtn);
    EXPECT_TRUE(prompt.History().empty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());

    // The file read by hand: 52,000,000 is 0x03197500 and 21,000,000 is 0x01406F40.
    const std::vector<std::uint8_t> bytes = dir.Read("salreg");
    ASSERT_EQ(bytes.size(), 2404u);
    EXPECT_EQ(Int32At(bytes, 0), 5);
    EXPECT_EQ(Int32At(bytes, 4), 6);
    EXPECT_EQ(Slice(bytes, 8, 10),
              (std::vector<std::uint8_t>{0x00, 0x75, 0x19, 0x03, 0x40, 0x6F, 0x40, 0x01, 0, 1}));
    const std::vector<std::int32_t> rules = {3, 4, 20, 120, 120, 120,
                                             4, 3, -4, 5,   25}; // agerfa .. restructDecline
    for (std::size_t i = 0; i < rules.size(); ++i)
        EXPECT_EQ(Int32At(bytes, 20 + 4 * i), rules[i]) << i;
    EXPECT_EQ(Int32At(bytes, 64), 100);                  // 1-year row
    EXPECT_EQ(Int32At(bytes, 64 + 28), 40);              // 2-year row
    EXPECT_EQ(Int32At(bytes, 64 + 32), 60);              //
    EXPECT_EQ(Int32At(bytes, 260 + (8 * 8 + 7) * 4), 9); // P, ST
    EXPECT_EQ(Slice(bytes, 580 + 8 * 8, 8), (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xF8, 0x3F})); // 1.5
    EXPECT_EQ(Int32At(bytes, 900), 40);
    EXPECT_EQ(Slice(bytes, 904, 2), (std::vector<std::uint8_t>{0, 1}));
    EXPECT_EQ(Int32At(bytes, 908), 7);
    EXPECT_EQ(Int32At(bytes, 912 + (31 + 10) * 4), 800000); // round 1, pick 10
    EXPECT_EQ(Int32At(bytes, 912 + (31 + 9) * 4), 0);
    EXPECT_EQ(Slice(bytes, 2276, 2), (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(Int32At(bytes, 2280), 80000);
    EXPECT_EQ(Int32At(bytes, 2284), 350);
    EXPECT_EQ(Int32At(bytes, 2280 + 28 * 4), 110000);
    EXPECT_EQ(bytes[2396], 1);
    EXPECT_EQ(Int32At(bytes, 2400), 30);

    Options reread;
    reread.Load(dir.Path(), prompt);
    EXPECT_EQ(reread.Encode(), options.Encode());
}

TEST_F(OptionsWindow, AFieldThatIsNoNumberKeepsTheWindowOpenAndWritesNothing) {
    TOptionEditForm& w = Open();
    Type(w.bonuslimit, "21000000");
    for (QLineEdit* wrong : {w.salarycap, w.statValues[3]}) {
        const QString typed = wrong->text();
        Type(wrong, "x");
        Click(w.saveBtn);
        ExpectShown(prompt, prompt.History().size() - 1, Kind::Stop, "'x' is not a valid integer value",
                    "Marrel:Contract Manager");
        EXPECT_FALSE(dir.Exists("salreg"));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.bonuslimit->text(), "21000000"); // the user's entries stay
        EXPECT_EQ(options.bonuslimit, 20000000);
        // The user is taken to the field to mend it.
        EXPECT_TRUE(w.PageControl1->currentWidget()->isAncestorOf(wrong));
        EXPECT_EQ(w.focusWidget(), wrong);
        EXPECT_EQ(wrong->selectedText(), "x");
        Type(wrong, typed);
    }
    Click(w.saveBtn);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(Int32At(dir.Read("salreg"), 12), 21000000);
}

TEST_F(OptionsWindow, AFileThatCannotBeWrittenIsReportedAndKeepsTheWindowOpen) {
    options.SetFolder(dir.File("missing-folder"));
    TOptionEditForm& w = Open();
    Type(w.salarycap, "52000000");
    Click(w.saveBtn);
    ASSERT_EQ(prompt.History().size(), 1u);
    EXPECT_EQ(prompt.History()[0].caption, "Program Options");
    EXPECT_EQ(prompt.History()[0].text.rfind("Could not write ", 0), 0u);
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
        EXPECT_EQ(options.Encode(), before) << escape;
    }
    EXPECT_FALSE(dir.Exists("salreg"));
}

// League > Options in the running program, with club 0 chosen.
void OpenLeague(ProgramUnderTest& p, const std::string& path) {
    p.dialogs.Answer(QString::fromStdString(path));
    p.modals.Then("ChooseTeam",
                  [](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), 0); });
    p.Main().Open2->trigger();
    ASSERT_TRUE(p.Main().IsLeagueLoaded());
}

QStringList Panels(TContractManagerForm& main) {
    QStringList texts;
    for (QLabel* panel : main.statusPanels)
        texts << panel->text();
    return texts;
}

TEST(OptionsCommand, SaveWritesTheLeaguesFileReloadsTheOptionsAndKeepsThePanels) {
    ProgramUnderTest p;
    const std::string path = WriteSampleLeague(p.dir.File("lg"));
    OpenLeague(p, path);
    TContractManagerForm& main = p.Main();
    Options* options = main.GetOptions();
    const QStringList panels = Panels(main);
    TempDir elsewhere; // the current folder: the options still belong to the league's folder
    QDir::setCurrent(QString::fromStdString(elsewhere.Path()));

    // New splits for 2- to 4-year contracts: every club's payroll changes on the next open.
    p.modals.Then("OptionEditForm", [](QWidget& window) {
        auto& w = static_cast<TOptionEditForm&>(window);
        EXPECT_FALSE(w.hid_pote->isVisible());
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
    ASSERT_EQ(p.prompt.History().size(), 1u);
    ExpectShown(p.prompt, 0, Kind::Message,
                "Reload League file to reflect new Options om Totals and Salary Info", "Reload League");
    EXPECT_EQ(main.GetOptions(), options); // the same object, reloaded
    EXPECT_EQ(options->GetSplits(1), (Options::SplitRow{95, 5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Int32At(p.dir.Read("lg/salreg"), 64 + 28), 95);
    EXPECT_TRUE(elsewhere.List().empty());

    // The payroll panels keep the old figures until the league is opened again.
    EXPECT_EQ(Panels(main), panels);
    OpenLeague(p, path);
    EXPECT_NE(Panels(main), panels);
}

TEST(OptionsCommand, CancelReloadsNothingAndTheFrontOfficeMayHidePotentials) {
    ProgramUnderTest p(BrevaneProgram::kFrontOfficeRole);
    OpenLeague(p, WriteSampleLeague(p.dir.File("lg")));
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
