// The main of every widget test: a QApplication on the offscreen platform, with
// the profile in a temporary configuration folder.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    // Recovery copies of the programs the tests start.
    qputenv("XDG_DATA_HOME", config.path().toUtf8());
    // The interpreter library's run lock lives here: test programs running at
    // the same time must not see each other's runs.
    qputenv("XDG_RUNTIME_DIR", config.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
