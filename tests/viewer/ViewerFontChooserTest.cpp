// The viewer's font chooser: a LOGFONT opens Qt's font dialog at its face, size and style, and
// the dialog's choice comes back as a LOGFONT the library stores.

#include "ViewerTesting.h"

#include <QtUiHost.h>

#include <vellum/platform/FontDialog.h>

#include <QFontDialog>

#include <gtest/gtest.h>

#include <cstring>

namespace vellum::test {
namespace {

// A 96 dpi height of -(points * 96 + 36) / 72, as the library stores sizes.
struct Size {
    LONG height;
    int points;
};

TEST(ViewerFontChooser, SizesComeBackUnchangedWhenTheUserOnlyConfirms) {
    for (const Size size : {Size{-11, 8}, Size{-12, 9}, Size{-13, 10}, Size{-15, 11}, Size{-16, 12},
                            Size{-19, 14}, Size{-96, 72}}) {
        SCOPED_TRACE(size.points);
        LOGFONT font{};
        std::strcpy(font.lfFaceName, "DejaVu Sans");
        font.lfHeight = size.height;
        font.lfWeight = FW_NORMAL;
        CHOOSEFONT choice{};
        choice.lpLogFont = &font;
        int shownPoints = 0;
        WhenShown<QFontDialog>([&](QFontDialog* chooser) {
            shownPoints = chooser->currentFont().pointSize();
            chooser->accept();
        });
        viewer::QtUiHost host;
        ASSERT_EQ(host.ChooseFont(choice), TRUE);
        EXPECT_EQ(shownPoints, size.points);
        EXPECT_EQ(font.lfHeight, size.height);
        EXPECT_EQ(choice.iPointSize, size.points * 10);
    }
}

TEST(ViewerFontChooser, TheChoiceOrACancelReachesTheLogFont) {
    LOGFONT font{};
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    font.lfHeight = -13;
    font.lfWeight = FW_NORMAL;
    CHOOSEFONT choice{};
    choice.lpLogFont = &font;
    viewer::QtUiHost host;
    WhenShown<QFontDialog>([](QFontDialog* chooser) {
        QFont chosen(QStringLiteral("DejaVu Serif"), 14, QFont::Bold, true);
        chosen.setUnderline(true);
        chooser->setCurrentFont(chosen);
        chooser->accept();
    });
    ASSERT_EQ(host.ChooseFont(choice), TRUE);
    EXPECT_STREQ(font.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(font.lfHeight, -19);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 0);

    const LOGFONT before = font;
    WhenShown<QFontDialog>([](QFontDialog* chooser) { chooser->reject(); });
    EXPECT_EQ(host.ChooseFont(choice), FALSE);
    EXPECT_EQ(std::memcmp(&font, &before, sizeof font), 0);
}

} // namespace
} // namespace vellum::test
