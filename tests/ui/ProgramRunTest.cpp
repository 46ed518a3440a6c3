// The real programs, started as a user starts them, with a league on the command line.
#include "UiSupport.h"

#include "league/League.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

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

TEST(ProgramRun, BrevaneShowsTheSampleLeagueOnAVirtualXServer) {
    TempDir dir;
    const QString league = QString::fromStdString(WriteSampleLeague(dir.File("lg")));
    const QString picture = QString::fromStdString(dir.File("brevane.png"));
    const ProgramOutcome run = Start("xvfb-run",
                                     {"-a", "-s", "-screen 0 1024x768x24", BREVANE_PROGRAM, "--team", "0",
                                      "--player", "first", "--screenshot", picture, league},
                                     "xcb");
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
    const QImage image(picture);
    EXPECT_EQ(image.size(), QSize(624, 569));
    ExpectNotBlank(image);
}

TEST(ProgramRun, TheFrontOfficeProgramIsTheSameWindowsUnderItsOwnName) {
    TempDir dir;
    const QString league = QString::fromStdString(WriteSampleLeague(dir.File("lg")));
    const QString picture = QString::fromStdString(dir.File("front.png"));
    const ProgramOutcome run =
        Start(BREVANE_FRONT_OFFICE_PROGRAM, {"--team", "2", "--screenshot", picture, league}, "offscreen");
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("(FrontOffice) saved to " + picture)) << run.output.toStdString();
    ExpectNotBlank(QImage(picture));

    // A league that cannot be opened is reported by the exit status of a picture run.
    const ProgramOutcome failed =
        Start(BREVANE_PROGRAM, {"--team", "0", "--screenshot", picture, league + ".none"}, "offscreen");
    EXPECT_EQ(failed.exitCode, 1) << failed.output.toStdString();
}

} // namespace
