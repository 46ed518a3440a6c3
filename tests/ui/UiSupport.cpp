#include "UiSupport.h"

#include "support/TestLeague.h"
#include "tools/Commands.h"
#include "tools/SampleLeague.h"
#include "ui/BrevaneApplication.h"
#include "ui/TContractManagerForm.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <stdexcept>

int ScriptedFileDialogs::Count(Kind kind) const {
    int count = 0;
    for (const Request& request : requests_)
        count += request.kind == kind;
    return count;
}

QString ScriptedFileDialogs::Choose(const Request& request) {
    requests_.push_back(request);
    if (answers_.empty())
        return {};
    QString path = answers_.front();
    answers_.pop_front();
    return path;
}

ModalScript::ModalScript() {
    QApplication::instance()->installEventFilter(this);
}

ModalScript::~ModalScript() {
    QApplication::instance()->removeEventFilter(this);
}

void ModalScript::Then(const QString& objectName, Action action) {
    actions_.emplace_back(objectName, std::move(action));
}

bool ModalScript::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || actions_.empty())
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isWindow() || window->objectName() != actions_.front().first)
        return false;
    Action action = std::move(actions_.front().second);
    actions_.pop_front();
    QTimer::singleShot(0, window, [window, action]() { action(*window); });
    return false;
}

void ClickRow(QListWidget& list, int row) {
    const QRect place = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
}

std::string WriteSampleLeague(const std::string& folder, bool withSalaryInfo, std::uint32_t seed) {
    SampleLeagueOptions options;
    options.folder = folder;
    options.teams = 8;
    options.seed = seed;
    options.salary = withSalaryInfo;
    sample::Result result;
    std::string error;
    if (!sample::WriteSampleLeague(options, result, error))
        throw std::runtime_error("sample league: " + error);
    return result.leaguePath;
}

namespace {

// Settings are read when a window is first shown: the folder is set before the program exists.
// Files rather than the system's own format, which is the registry on Windows.
QString UseSettingsFolder(const QString& folder) {
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    return folder;
}

} // namespace

ProgramUnderTest::ProgramUnderTest(const QString& mainWindowName, const QString& settings)
    : startFolder(QDir::currentPath()),
      settingsFolder(
          UseSettingsFolder(settings.isEmpty() ? QString::fromStdString(dir.File("settings")) : settings)),
      program(std::make_unique<BrevaneProgram>(mainWindowName, prompt, dialogs)) {
    BrevaneApplication::Instance()->SetErrorPrompt(&prompt);
    // The sample clubs are over the cap: saving offers asks first. Tests of that question
    // answer it themselves.
    prompt.AnswerCaption("Rule Check", true);
    QObject::connect(Main().StatusBar, &QStatusBar::messageChanged, [this](const QString& text) {
        if (!text.isEmpty())
            statusTexts.push_back(text);
    });
}

ProgramUnderTest::~ProgramUnderTest() {
    program.reset();
    BrevaneApplication::Instance()->SetErrorPrompt(nullptr);
    QDir::setCurrent(startFolder);
}

std::vector<std::string> ProgramUnderTest::Shown(ScriptedPrompt::Kind kind) const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt.History())
        if (shown.kind == kind)
            texts.push_back(shown.text);
    return texts;
}

void OpenPlannedLeague(ProgramUnderTest& p, const TestLeague& plan, int club) {
    std::filesystem::create_directory(p.dir.File("league"));
    TempDir scratch;
    plan.Write(scratch);
    for (const char* ext : {".lge", ".pyr", ".pyf", ".dat"})
        std::filesystem::copy_file(scratch.File(std::string("test") + ext),
                                   p.dir.File(std::string("league/test") + ext));
    p.Main().SetStartTeam(club);
    p.Main().OpenLeagueFile(QString::fromStdString(p.dir.File("league/test.lge")));
}

void OpenThroughMenu(ProgramUnderTest& p, const std::string& path, int club) {
    p.dialogs.Answer(QString::fromStdString(path));
    p.modals.Then("ChooseTeam",
                  [club](QWidget& chooser) { ClickRow(*chooser.findChild<QListWidget*>("teamList"), club); });
    p.Main().Open2->trigger();
}
