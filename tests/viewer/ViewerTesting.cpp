#include "ViewerTesting.h"

#include <vellum/imaging/io/ImageFile.h>

namespace vellum::test {

ViewerFixture::ViewerFixture() : m_window(std::make_unique<viewer::ViewerWindow>()) {
    struct_LEAD_Bitmap image;
    image.Width = 100;
    image.Height = 80;
    image.Data.assign(100 * 80, kGrey);
    const QString path = Path(QStringLiteral("grey.pgm"));
    SaveImageFile(path.toLocal8Bit().constData(), image, ImageFileFormat::Pgm);
    m_window->show();
    EXPECT_TRUE(m_window->OpenImage(path));
    m_window->SetZoom(2.0);
}

} // namespace vellum::test
