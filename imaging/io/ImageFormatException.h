#pragma once
// The exception the image file loaders and savers throw for anything but an I/O failure
// (which is a CFileException): an unknown or damaged file, or an image they do not handle.

#include <vellum/platform/Exceptions.h>
#include <vellum/platform/String.h>

#include <string>

namespace vellum {

class CImageFormatException : public CException {
public:
    // what() is one line, "<file>: <problem>", such as
    // "scan.pgm: pixel data needs 5000 bytes but only 12 remain in the file".
    CImageFormatException(CString fileName, std::string problem);

    CString m_strFileName;
    std::string m_strProblem;
};

} // namespace vellum
