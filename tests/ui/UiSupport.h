#pragma once

#include "contracts/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/BrevaneProgram.h"
#include "ui/FileDialogs.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QListWidget;
struct TestLeague;

// Answers the file dialogs from a queue of paths (an empty path cancels; an empty queue
// cancels too) and records every dialog asked for.
class ScriptedFileDialogs : public FileDialogs {
  public:
    void Answer(const QString& path) { answers_.push_back(path); }
    const std::vector<Request>& Requests() const { return requests_; }
    int Count(Kind kind) const;

  protected:
    QString Choose(const Request& request) override;

  private:
    std::deque<QString> answers_;
    std::vector<Request> requests_;
};

// Acts on dialogs as they come up: each action runs once, in order, on the next window
// shown with that object name, from inside the dialog's own event loop. Used to click
// through the dialogs the program shows while a call of the test is still running.
class ModalScript : public QObject {
  public:
    using Action = std::function<void(QWidget&)>;
    ModalScript();
    ~ModalScript() override;

    void Then(const QString& objectName, Action action);
    // Actions not run yet (a dialog that never came up).
    int Pending() const { return static_cast<int>(actions_.size()); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::deque<std::pair<QString, Action>> actions_;
};

// Clicks the item `row` of a list, as the mouse does.
void ClickRow(QListWidget& list, int row);

// A sample league of 8 clubs written into folder (with its salary information when asked);
// returns the league file's path.
std::string WriteSampleLeague(const std::string& folder, bool withSalaryInfo = true, std::uint32_t seed = 1);

// One program with its windows, a scripted prompt and scripted file dialogs, in a fresh folder.
// The windows keep their places in settings (QSettings) in `settingsFolder`: by default a
// folder of the program's own, so that no test sees another's places or the user's.
struct ProgramUnderTest {
    explicit ProgramUnderTest(const QString& mainWindowName = BrevaneProgram::kClubRole,
                              const QString& settingsFolder = {});
    ~ProgramUnderTest();

    TContractManagerForm& Main() { return program->MainWindow(); }
    TOfferListForm& Offers() { return program->OfferList(); }

    // Texts shown through the prompt with this kind, in order.
    std::vector<std::string> Shown(ScriptedPrompt::Kind kind) const;
    // Every status text written since the program was made, in order.
    QStringList statusTexts;

    // The file dialogs change the current folder; it is put back when the test ends.
    QString startFolder;
    TempDir dir;
    QString settingsFolder;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    std::unique_ptr<BrevaneProgram> program;
    ModalScript modals;
};

// Writes a planned league into the program's folder (league/test.lge and its files) and opens
// it for `club` as the program opens the league named on its command line.
void OpenPlannedLeague(ProgramUnderTest& p, const TestLeague& plan, int club);

// Opens a league through League > Open, choosing the club of row `club` with one click.
void OpenThroughMenu(ProgramUnderTest& p, const std::string& path, int club);
