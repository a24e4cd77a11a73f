#pragma once
// The framework's exception family. Every exception the library throws derives from
// CException, which is a std::exception so hosts can catch everything in one place.

#include <vellum/platform/String.h>

#include <exception>
#include <string>

namespace vellum {

class CException : public std::exception {
public:
    const char* what() const noexcept override { return m_message.c_str(); }

protected:
    explicit CException(std::string message) : m_message(std::move(message)) {}

private:
    std::string m_message;
};

// Memory could not be had, or a fixed buffer could not grow.
class CMemoryException : public CException {
public:
    CMemoryException() : CException("out of memory") {}
};

// An argument outside its valid range, such as an array index beyond the array's size.
class CInvalidArgException : public CException {
public:
    CInvalidArgException() : CException("invalid argument") {}
};

class CNotSupportedException : public CException {
public:
    CNotSupportedException() : CException("operation not supported") {}
};

class CArchiveException : public CException {
public:
    enum Cause {
        none = 0,
        generic = 1,   // malformed data that fits no other cause (such as nesting too deep)
        readOnly = 2,  // a loading archive was written to
        endOfFile = 3, // the data ended before the value being read
        writeOnly = 4, // a storing archive was read from
        badIndex = 5,  // a class or object index that was never read
        badClass = 6,  // an unknown class, or not the class that was asked for
        badSchema = 7, // a stored schema that a non-versionable class does not accept
    };

    explicit CArchiveException(Cause cause, CString fileName = CString());

    Cause m_cause;
    CString m_strFileName;

    static const char* CauseName(Cause cause);
};

class CFileException : public CException {
public:
    enum Cause {
        none = 0,
        generic = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(Cause cause, int osError, CString fileName);

    Cause m_cause;
    int m_lOsError;
    CString m_strFileName;

    // The cause that an errno value stands for.
    static Cause CauseFromErrno(int error);
};

} // namespace vellum
