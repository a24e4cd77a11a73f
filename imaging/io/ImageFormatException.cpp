#include <vellum/imaging/io/ImageFormatException.h>

#include <utility>

namespace vellum {

CImageFormatException::CImageFormatException(CString fileName, std::string problem)
    : CException(std::string(fileName.GetString()) + ": " + problem),
      m_strFileName(std::move(fileName)), m_strProblem(std::move(problem)) {}

} // namespace vellum
