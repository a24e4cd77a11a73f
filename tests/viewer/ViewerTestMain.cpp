// The viewer's tests run inside one QApplication on the offscreen platform, with the
// settings of a temporary profile, after the library's start-up as the viewer does it.

#include <vellum/module/VellumModule.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    if (qEnvironmentVariableIsEmpty("VELLUM_SETTINGS"))
        qputenv("VELLUM_SETTINGS", settings.filePath(QStringLiteral("settings.ini")).toUtf8());
    vellum::CVellumModule module;
    vellum::VellumDLLInit();
    QApplication::setOrganizationName(QStringLiteral("VellumTests"));
    QApplication::setApplicationName(QStringLiteral("viewer_tests"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
