#pragma once
// CCairoDC: a drawing context that draws through Cairo into an image in memory (which may
// start from the host's own pixels and can be saved as PNG), or into a PDF or SVG file.
//
// On image surfaces the drawing follows the framework's raster rules: integer device
// coordinates are pixel centres, lines are aliased, one-pixel lines leave out their last
// point, styled one-pixel pens count their pattern in pixels, and the mix modes combine bit
// by bit with the pixels beneath, each covered pixel once per primitive. On ARGB32 images
// the mix modes act on the colour and keep the pixel's alpha; they are exactly self-inverse
// on opaque pixels.
//
// PDF and SVG surfaces receive the same shapes as vectors, one device unit to the point.
// They have no pixels to combine with: R2_XORPEN, R2_NOTXORPEN and R2_NOT draw as
// R2_COPYPEN there, R2_BLACK and R2_WHITE paint black and white, R2_NOP draws nothing.
//
// Text, as in the framework, ignores the mix mode. It is drawn with FreeType through
// fontconfig, in grey antialiasing, turned by the font's escapement, with the font's underline
// and strike-out; an empty face name picks DejaVu Sans.
//
// Files are written through CFile's error conventions: failures throw CFileException with
// the errno value and the path.

#include <vellum/platform/DC.h>

#include <memory>

namespace vellum {

class CCairoDC : public CDC {
public:
    enum class PixelFormat { rgb24, argb32 };

    // What GetPixel answers outside the image, or on a surface that has no pixels.
    static constexpr COLORREF noPixel = 0xFFFFFFFF;

    // An image filled with an opaque background colour. Sides must be 1 to 32767 pixels,
    // otherwise CInvalidArgException; CMemoryException when Cairo cannot have the memory.
    static std::unique_ptr<CCairoDC> CreateImage(int width, int height, COLORREF background,
                                                 PixelFormat format = PixelFormat::rgb24);
    // An image holding the host's 8-bit grey pixels (one byte each) or RGB pixels (three
    // bytes each, red first), rows `stride` bytes apart, top row first.
    static std::unique_ptr<CCairoDC> CreateImageFromGrey(const BYTE* pixels, int width, int height,
                                                         int stride,
                                                         PixelFormat format = PixelFormat::rgb24);
    static std::unique_ptr<CCairoDC> CreateImageFromRgb(const BYTE* pixels, int width, int height,
                                                        int stride,
                                                        PixelFormat format = PixelFormat::rgb24);
    // An image over the host's own 32-bit pixels (one native-endian word 0xAARRGGBB each, as
    // Cairo's and Qt's RGB32 and ARGB32 lay them out), rows `stride` bytes apart, drawn in
    // place: a toolkit's backing store. The pixels must outlive the context; stride is at
    // least 4 * width.
    static std::unique_ptr<CCairoDC> CreateImageOver(BYTE* pixels, int width, int height,
                                                     int stride,
                                                     PixelFormat format = PixelFormat::rgb24);
    // A PDF or SVG file of the given page size in points; throws CFileException when the
    // file cannot be created. The file is complete after Finish or destruction.
    static std::unique_ptr<CCairoDC> CreatePdf(const char* path, double widthPoints,
                                               double heightPoints);
    static std::unique_ptr<CCairoDC> CreateSvg(const char* path, double widthPoints,
                                               double heightPoints);

    // Finishes a file quietly; call Finish first to learn about write errors.
    ~CCairoDC() override;

    bool IsImage() const;
    // The surface size in device units (pixels, or points rounded up).
    int GetWidth() const;
    int GetHeight() const;
    // The colour of an image pixel (0x00BBGGRR), or noPixel.
    COLORREF GetPixel(int x, int y) const;
    // Saves an image surface as PNG. Throws CNotSupportedException on a PDF or SVG surface
    // and CFileException when the file cannot be written.
    void WritePng(const char* path) const;
    // Completes a PDF or SVG file and closes it; drawing afterwards has no effect. Throws
    // CFileException when the file could not be written. Does nothing for an image.
    void Finish();

    // Paints 8-bit grey pixels (rows `stride` bytes apart, top row first) with their top-left
    // corner at device point (x, y), each pixel a square of `scale` device units: the host's
    // image beneath the overlay on any surface. Ignores the mix mode.
    void DrawGreyImage(const BYTE* pixels, int width, int height, int stride, int x, int y,
                       double scale);

    // TECHNOLOGY is DT_RASPRINTER for PDF and DT_RASDISPLAY otherwise; HORZRES and VERTRES
    // give the surface size.
    int GetDeviceCaps(int index) const override;

protected:
    void OnMoveTo(POINT to) override;
    void OnLineTo(POINT from, POINT to) override;
    void OnPolyline(const POINT* points, int count) override;
    void OnPolygon(const POINT* points, int count) override;
    void OnPolyBezier(const POINT* points, int count) override;
    void OnRectangle(const RECT& rect) override;
    void OnFillSolidRect(const RECT& rect, COLORREF colour) override;
    void OnTextOut(POINT at, const CString& text) override;
    SIZE OnGetTextExtent(const CString& text) const override;
    void OnGetTextMetrics(TEXTMETRIC& metrics) const override;
    void OnAttributeChanged(Attribute attribute) override;

private:
    class Surface;
    struct Paint;

    explicit CCairoDC(std::unique_ptr<Surface> surface);
    Paint CurrentPaint() const;

    std::unique_ptr<Surface> m_surface;
};

} // namespace vellum
