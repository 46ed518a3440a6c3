#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class Prompt;
class QFrame;
class QListWidget;
class QPushButton;

// "Signing Team...": the club chooser. A click on a club name chooses it and closes the
// dialog; OK without a choice says so and leaves the caller's result at -1.
//
// The dialog has no close box, and Escape or a close request of the window system is
// refused: closing it that way would leave the result at 0 and silently choose the first
// club, which the user did not pick.
class TChooseTeam : public QDialog {
    Q_OBJECT

  public:
    TChooseTeam(const std::vector<std::string>& teamNames, std::int32_t& result, Prompt& prompt);

    QFrame* Bevel1;
    QListWidget* teamList;
    QPushButton* OKBtn;

    void OKBtnClick();
    void teamListClick();

  public slots:
    void reject() override;

  private:
    std::int32_t& result;
    Prompt& prompt;
};
