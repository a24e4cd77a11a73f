#include <vellum/platform/Exceptions.h>

#include <cerrno>
#include <cstring>

namespace vellum {

namespace {
std::string Describe(const char* what, const CString& fileName) {
    std::string message = what;
    if (!fileName.IsEmpty())
        message += std::string(" (") + fileName.GetString() + ")";
    return message;
}
} // namespace

const char* CArchiveException::CauseName(Cause cause) {
    switch (cause) {
    case none:
        return "no error";
    case generic:
        return "malformed archive";
    case readOnly:
        return "archive opened for loading was written to";
    case endOfFile:
        return "unexpected end of archive";
    case writeOnly:
        return "archive opened for storing was read from";
    case badIndex:
        return "bad class or object index in archive";
    case badClass:
        return "unknown or unexpected class in archive";
    case badSchema:
        return "unsupported class schema in archive";
    }
    return "archive error";
}

CArchiveException::CArchiveException(Cause cause, CString fileName)
    : CException(Describe(CauseName(cause), fileName)), m_cause(cause),
      m_strFileName(std::move(fileName)) {}

CFileException::CFileException(Cause cause, int osError, CString fileName)
    : CException(Describe(osError != 0 ? std::strerror(osError) : "file error", fileName)),
      m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

CFileException::Cause CFileException::CauseFromErrno(int error) {
    switch (error) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ESPIPE:
    case EINVAL:
        return badSeek;
    case EIO:
        return hardIO;
    case ENOSPC:
        return diskFull;
    default:
        return generic;
    }
}

} // namespace vellum
