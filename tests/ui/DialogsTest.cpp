// The club chooser, the new-CGS dialog and the standard error box.
#include "UiSupport.h"

#include "league/MoneyText.h"
#include "ui/BrevaneApplication.h"
#include "ui/MessageBoxPrompt.h"
#include "ui/TChooseTeam.h"
#include "ui/TContractEdit.h"
#include "ui/TContractManagerForm.h"
#include "ui/TGetCGSDialog.h"
#include "ui/TGetPlayerIDDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = ScriptedPrompt::Kind;

// Shows the dialog modally; the script acts on it while it runs.
int RunModal(QDialog& dialog, ModalScript& script, const QString& name, ModalScript::Action action) {
    script.Then(name, std::move(action));
    return dialog.exec();
}

class ErrorBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { BrevaneApplication::Instance()->SetErrorPrompt(&errors); }
    void TearDown() override { BrevaneApplication::Instance()->SetErrorPrompt(nullptr); }
    ScriptedPrompt errors;
    ModalScript modals;
};

// A question that can be backed out of: Escape answers Cancel, not No, so that pressing it
// never drops what the question was about.
TEST(MessageBoxes, EscapeBacksOutOfAYesNoCancelQuestion) {
    MessageBoxPrompt prompt;
    ModalScript modals;
    modals.Then("MessageBox", [](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(prompt.AskYesNoCancel("Current Offers not Saved.  Save Now?", "Save Offers"),
              Prompt::Choice::Cancel);
    modals.Then("MessageBox", [](QWidget& box) {
        auto& buttons = static_cast<QMessageBox&>(box);
        EXPECT_EQ(buttons.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QTest::mouseClick(buttons.button(QMessageBox::No), Qt::LeftButton);
    });
    EXPECT_EQ(prompt.AskYesNoCancel("Current Offers not Saved.  Save Now?", "Save Offers"),
              Prompt::Choice::No);
}

TEST(ChooseTeam, Layout) {
    ScriptedPrompt prompt;
    std::int32_t result = 7;
    TChooseTeam chooser({"Alpha", "Beta", "Gamma"}, result, prompt);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(chooser.windowTitle(), "Signing Team...");
    EXPECT_EQ(chooser.size(), QSize(187, 361));
    EXPECT_FALSE(chooser.windowFlags() & Qt::WindowCloseButtonHint);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    EXPECT_EQ(chooser.teamList->size(), QSize(153, 297));
    EXPECT_EQ(chooser.teamList->count(), 3);
    EXPECT_EQ(chooser.teamList->item(2)->text(), "Gamma");
    EXPECT_EQ(chooser.OKBtn->text(), "OK");
    EXPECT_TRUE(chooser.OKBtn->isDefault());
}

TEST(ChooseTeam, ALongClubNameWidensTheChooserInsteadOfBeingCut) {
    ScriptedPrompt prompt;
    std::int32_t result = 0;
    std::vector<std::string> names(30, "Bay");
    names[12] = "Redwood Lumberjacks";
    names[29] = "Northern Territory Thunderbirds"; // 31 characters
    TChooseTeam chooser(names, result, prompt);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    EXPECT_GT(chooser.width(), 187);
    EXPECT_EQ(chooser.height(), 361);
    QListWidget& list = *chooser.teamList;
    ASSERT_TRUE(list.verticalScrollBar()->isVisible()); // 30 clubs do not fit
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
    for (int row : {12, 29})
        EXPECT_LE(list.visualItemRect(list.item(row)).left() +
                      list.fontMetrics().horizontalAdvance(list.item(row)->text()),
                  list.viewport()->width())
            << row;
}

TEST(ChooseTeam, OkWithoutAChoiceSaysSoAndTheCallerAsksAgain) {
    ProgramUnderTest p;
    p.modals.Then("ChooseTeam", [](QWidget& chooser) { chooser.findChild<QPushButton*>("OKBtn")->click(); });
    p.modals.Then("ChooseTeam", [](QWidget& chooser) {
        // Neither Escape nor a close request ends the chooser without a club.
        QTest::keyClick(&chooser, Qt::Key_Escape);
        chooser.close();
        EXPECT_TRUE(chooser.isVisible());
        ClickRow(*chooser.findChild<QListWidget*>("teamList"), 3);
    });
    p.dialogs.Answer(QString::fromStdString(WriteSampleLeague(p.dir.File("a"))));
    p.Main().Open2->trigger();
    EXPECT_EQ(p.modals.Pending(), 0);
    ASSERT_EQ(p.prompt.History().size(), 1u);
    EXPECT_EQ(p.prompt.History()[0].kind, Kind::Stop);
    EXPECT_EQ(p.prompt.History()[0].text, "Select your Team First");
    EXPECT_EQ(p.prompt.History()[0].caption, "Can't Continue");
    EXPECT_EQ(p.Main().GetUserTeam(), 3);
}

TEST(ChooseTeam, OkAfterSelectingTakesTheSelection) {
    ScriptedPrompt prompt;
    ModalScript modals;
    std::int32_t result = -1;
    TChooseTeam chooser({"Alpha", "Beta", "Gamma"}, result, prompt);
    const int code = RunModal(chooser, modals, "ChooseTeam", [](QWidget& dialog) {
        auto* list = dialog.findChild<QListWidget*>("teamList");
        list->setCurrentRow(1); // by keyboard: selected, not yet chosen
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(list, Qt::Key_Return);
    });
    EXPECT_EQ(code, QDialog::Accepted);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(prompt.History().empty());
}

TEST(GetPlayerIDDialog, Layout) {
    TGetPlayerIDDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Find Player ");
    EXPECT_EQ(dialog.size(), QSize(239, 77));
    EXPECT_EQ(dialog.Label1->text(), "Player ID:");
    EXPECT_EQ(dialog.id->width(), 57);
    EXPECT_TRUE(dialog.okButton->isDefault());
    EXPECT_EQ(dialog.cxlButton->text(), "Cancel");
}

TEST_F(ErrorBoxTest, NewCGSTextsAreConvertedAndBadOnesGoToTheErrorBox) {
    std::int32_t result = 5;
    TGetCGSDialog dialog(result);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dialog.windowTitle(), "Enter New CGS");
    EXPECT_EQ(dialog.width(), 153);
    EXPECT_EQ(dialog.Label1->text(), "New CGS:");
    EXPECT_EQ(dialog.id->width(), 77);
    EXPECT_LT(dialog.Label1->geometry().right(), dialog.id->x());
    EXPECT_LE(dialog.cxlButton->geometry().right(), dialog.width());

    auto typeAndOk = [](const QString& text) {
        return [text](QWidget& shown) {
            auto* box = shown.findChild<QLineEdit*>("id");
            box->clear();
            QTest::keyClicks(box, text);
            QTest::mouseClick(shown.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        };
    };
    // No amount: the error box once, the dialog stays open with the result at -1 for another
    // try, which is then taken with its commas.
    EXPECT_EQ(RunModal(dialog, modals, "GetCGSDialog",
                       [&](QWidget& shown) {
                           typeAndOk("12x")(shown);
                           EXPECT_TRUE(shown.isVisible());
                           EXPECT_EQ(result, -1);
                           typeAndOk("2,000,000")(shown);
                       }),
              QDialog::Accepted);
    EXPECT_EQ(result, 2000000);
    ASSERT_EQ(errors.History().size(), 1u);
    EXPECT_EQ(errors.History()[0].kind, Kind::Stop);
    EXPECT_EQ(errors.History()[0].text, "'12x' is not a valid amount");
    EXPECT_EQ(errors.History()[0].caption, "Marrel:Contract Manager");

    EXPECT_EQ(RunModal(dialog, modals, "GetCGSDialog", typeAndOk(" $1,500,000 ")), QDialog::Accepted);
    EXPECT_EQ(result, 1500000);
    EXPECT_EQ(RunModal(dialog, modals, "GetCGSDialog", typeAndOk("0")), QDialog::Accepted);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(RunModal(dialog, modals, "GetCGSDialog", typeAndOk("-20")), QDialog::Accepted);
    EXPECT_EQ(result, -20); // the caller ignores a negative value as a cancel
    EXPECT_EQ(RunModal(dialog, modals, "GetCGSDialog",
                       [](QWidget& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }),
              QDialog::Rejected);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(errors.History().size(), 1u);
}

// An object whose event handler fails as a handler of ours could.
class FailingReceiver : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw ConversionError("'abc' is not a valid integer value");
        return QObject::event(event);
    }
};

TEST_F(ErrorBoxTest, AnErrorReachingTheEventDeliveryIsShownAndTheProgramGoesOn) {
    FailingReceiver receiver;
    QEvent failing(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &failing);
    ASSERT_EQ(errors.History().size(), 1u);
    EXPECT_EQ(errors.History()[0].text, "'abc' is not a valid integer value");
    EXPECT_EQ(errors.History()[0].caption, "Marrel:Contract Manager");

    RunHandler([]() { throw std::runtime_error("any other failure"); });
    ASSERT_EQ(errors.History().size(), 2u);
    EXPECT_EQ(errors.History()[1].kind, Kind::Stop);
    EXPECT_EQ(errors.History()[1].text, "any other failure");
}

} // namespace
