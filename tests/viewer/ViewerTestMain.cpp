// The viewer's tests run inside one QApplication on the offscreen platform, with the
// settings of a temporary profile.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("VellumTests"));
    QApplication::setApplicationName(QStringLiteral("viewer_tests"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
