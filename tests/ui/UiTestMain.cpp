#include "ui/BrevaneApplication.h"

#include <QFont>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The window tests share one application object, on the offscreen platform unless the
// environment names another.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BrevaneApplication app(argc, argv);
#ifdef Q_OS_WIN
    // The layout tests expect the metrics of the offscreen platform on Linux: its style, and
    // the sans-serif face fontconfig picks there, at its size and with its light hinting (full
    // hinting makes texts a pixel wider here and there). Offscreen on Windows would draw with
    // another style and face.
    if (QGuiApplication::platformName() == "offscreen") {
        QApplication::setStyle("Fusion");
        QFont font("DejaVu Sans", 9);
        font.setHintingPreference(QFont::PreferVerticalHinting);
        QApplication::setFont(font);
    }
#endif
    // Windows keep their places in settings: never in the user's own (files, as the registry of
    // Windows cannot be moved to a folder).
    QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    return RUN_ALL_TESTS();
}
