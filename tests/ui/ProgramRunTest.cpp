// The real programs, started as a user starts them, with a league on the command line.
#include "UiSupport.h"

#include "league/League.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include <csignal>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/types.h>
#endif

namespace {

#ifdef Q_OS_WIN
// Tells every top-level window of the process that the session ends, as Windows does when the
// user logs off: first the question, then the end itself.
void EndSession(qint64 processId) {
    struct Found {
        DWORD process;
        std::vector<HWND> windows;
    } found{static_cast<DWORD>(processId), {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Found*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == f->process)
                f->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    DWORD_PTR answer = 0;
    for (HWND window : found.windows)
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                            &answer);
    for (HWND window : found.windows)
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
}
#endif

// A program named without a folder lies beside the test program (the build for Windows).
QString Program(const QString& name) {
    return QFileInfo(name).isAbsolute() ? name : QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

struct ProgramOutcome {
    int exitCode = -1;
    QString output;
};

ProgramOutcome Start(const QString& program, const QStringList& arguments, const QString& platform) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", platform);
    // The windows' places go to settings of the test's own, not the user's.
    static const QTemporaryDir settings;
    environment.insert("XDG_CONFIG_HOME", settings.path());
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
    }
    ProgramOutcome run;
    run.output = QString::fromLocal8Bit(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

// A picture with a real window in it: many colours, and no colour covering nearly all of it.
void ExpectNotBlank(const QImage& picture) {
    ASSERT_FALSE(picture.isNull());
    std::map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    int largest = 0;
    for (const auto& [colour, count] : counts)
        largest = std::max(largest, count);
    const int pixels = picture.width() * picture.height();
    EXPECT_GE(counts.size(), 16u);
    EXPECT_LT(largest, pixels * 9 / 10);
}

// On Windows the program draws through the system's own windows (under Wine: on the X server
// the test program runs on); elsewhere it starts on a virtual X server of its own.
TEST(ProgramRun, BrevaneShowsTheSampleLeagueOnAVirtualXServer) {
    TempDir dir;
    const QString league = QString::fromStdString(WriteSampleLeague(dir.File("lg")));
    const QString picture = QString::fromStdString(dir.File("brevane.png"));
    const QStringList arguments = {"--team", "0", "--player", "first", "--screenshot", picture, league};
#ifdef Q_OS_WIN
    const ProgramOutcome run = Start(Program(BREVANE_PROGRAM), arguments, "windows");
#else
    const ProgramOutcome run = Start(
        "xvfb-run", QStringList{"-a", "-s", "-screen 0 1024x768x24", BREVANE_PROGRAM} + arguments, "xcb");
#endif
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("(ContractManagerForm) saved to " + picture)) << run.output.toStdString();
    // The editor shows the first player listed of club 0, the managed club.
    League lg;
    ASSERT_TRUE(lg.OpenLeague(league.toStdString()) && lg.ReadLeagueData());
    const short first = lg.GetSortedRoster(0)[0];
    const Player player = lg.players.GetPlayer(first);
    EXPECT_TRUE(run.output.contains(QString::fromStdString(
        "the contract editor shows player " + std::to_string(first) + ", " + player.GetFirstName() + " " +
        player.GetLastName() + " (" + lg.GetTeamName(0) + ")")))
        << run.output.toStdString();
    // The designed size, widened when the sample club's status texts need more room.
    const QImage image(picture);
    EXPECT_EQ(image.height(), 569);
    EXPECT_GE(image.width(), 624);
    ExpectNotBlank(image);
}

TEST(ProgramRun, TheFrontOfficeProgramIsTheSameWindowsUnderItsOwnName) {
    TempDir dir;
    const QString league = QString::fromStdString(WriteSampleLeague(dir.File("lg")));
    const QString picture = QString::fromStdString(dir.File("front.png"));
    const ProgramOutcome run = Start(Program(BREVANE_FRONT_OFFICE_PROGRAM),
                                     {"--team", "2", "--screenshot", picture, league}, "offscreen");
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("(FrontOffice) saved to " + picture)) << run.output.toStdString();
    ExpectNotBlank(QImage(picture));

    // A league that cannot be opened is reported by the exit status of a picture run, and its
    // reason printed: nobody is there to close the box.
    const ProgramOutcome failed = Start(
        Program(BREVANE_PROGRAM), {"--team", "0", "--screenshot", picture, league + ".none"}, "offscreen");
    EXPECT_EQ(failed.exitCode, 1) << failed.output.toStdString();
    EXPECT_TRUE(failed.output.contains("Brevane: Invalid League File: Cannot open the league "))
        << failed.output.toStdString();
    EXPECT_TRUE(failed.output.contains(": league file missing")) << failed.output.toStdString();
}

// The working copies of the league live as long as the program has it open. However the program
// is asked to stop -- a user closing the window on Windows (QProcess::terminate asks the windows to
// close, as the title bar's button does) or logging off (the session's end, taken as a logout's
// SIGTERM), a logout's SIGTERM, Ctrl+C's SIGINT or a closed terminal's SIGHUP elsewhere -- it
// leaves the league's files as they were and no working copy or lock beside them.
TEST(ProgramRun, BrevaneHoldsTheWorkingCopiesWhileOpenAndRemovesThemWhenStopped) {
#ifdef Q_OS_WIN
    // terminate(): the window closed; SIGTERM: the session ended.
    const std::vector<std::pair<int, int>> stops = {{0, 0}, {SIGTERM, 128 + SIGTERM}};
    const QString platform = "windows";
#else
    const std::vector<std::pair<int, int>> stops = {
        {SIGTERM, 128 + SIGTERM}, {SIGINT, 128 + SIGINT}, {SIGHUP, 128 + SIGHUP}};
    const QString platform = "offscreen";
#endif
    TempDir dir;
    const QString league = QString::fromStdString(WriteSampleLeague(dir.File("lg")));
    const QDir folder = QFileInfo(league).dir();
    const auto leftovers = [&folder]() { return folder.entryList({"~sal*"}, QDir::Files); };
    const QStringList files = folder.entryList(QDir::Files);
    std::map<QString, QByteArray> before;
    for (const QString& name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        before[name] = file.readAll();
    }
    ASSERT_TRUE(leftovers().isEmpty());

    const QTemporaryDir settings;
    for (const auto& [stop, exitCode] : stops) {
        SCOPED_TRACE(stop);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", platform);
        environment.insert("XDG_CONFIG_HOME", settings.path());
        process.setProcessEnvironment(environment);
        process.start(Program(BREVANE_PROGRAM), {"--team", "0", league});
        ASSERT_TRUE(process.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!leftovers().contains("~saltmp.lge") && waited.elapsed() < 120000 &&
               process.state() == QProcess::Running)
            QThread::msleep(100);
        const QStringList open = leftovers();
        EXPECT_TRUE(open.contains("~saltmp.lge")) << open.join(' ').toStdString();
        EXPECT_TRUE(open.contains("~saltmp.lck")) << open.join(' ').toStdString();
        ASSERT_EQ(process.state(), QProcess::Running) << process.readAll().toStdString();

#ifdef Q_OS_WIN
        // A close that comes while the league is still being opened is not taken; as a user
        // would, the test asks again until the program ends. The session's end is taken at once.
        QElapsedTimer asking;
        asking.start();
        bool ended = false;
        if (stop == SIGTERM) {
            EndSession(process.processId());
            ended = process.waitForFinished(60000);
        }
        while (!ended && asking.elapsed() < 60000) {
            process.terminate();
            ended = process.waitForFinished(2000);
        }
#else
        ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), stop), 0);
        const bool ended = process.waitForFinished(60000);
#endif
        if (!ended) {
            process.kill();
            process.waitForFinished();
            FAIL() << "the program did not end when asked to stop";
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), exitCode);
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(' ').toStdString();
        // Only the options file is new: the default options written once the league opened.
        QStringList after = folder.entryList(QDir::Files);
        after.removeOne("salreg");
        EXPECT_EQ(after.join(' ').toStdString(), files.join(' ').toStdString());
        for (const auto& [name, bytes] : before) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), bytes) << name.toStdString();
        }
    }
}

} // namespace
