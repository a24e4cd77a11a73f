#pragma once
// Small serializable classes for the archive tests, registered on first use.

#include <vellum/archive/Archive.h>

#include <memory>

namespace vellum::test {

// A 32-bit value; counts its live instances so tests can prove nothing leaks.
class CTestValue : public CObject {
    DECLARE_SERIAL(CTestValue)
public:
    CTestValue() { ++s_live; }
    explicit CTestValue(int value) : m_value(value) { ++s_live; }
    ~CTestValue() override { --s_live; }
    void Serialize(CArchive& ar) override;

    std::int32_t m_value = 0;
    static inline int s_live = 0;
};

// A value and an owned child object, read without a requested class.
class CTestHolder : public CObject {
    DECLARE_SERIAL(CTestHolder)
public:
    CTestHolder() { ++s_live; }
    ~CTestHolder() override { --s_live; }
    void Serialize(CArchive& ar) override;

    std::int32_t m_value = 0;
    std::unique_ptr<CObject> m_child;
    static inline int s_live = 0;
};

// Registered with CTestValue as its base, though its C++ base is CObject.
class CTestLeaf : public CObject {
    DECLARE_SERIAL(CTestLeaf)
};

// Schema 2 without the versionable flag: other schemas are refused.
class CTestFixed : public CObject {
    DECLARE_SERIAL(CTestFixed)
};

// Remembers the schema the archive reports while its body is read.
class CTestVersioned : public CObject {
    DECLARE_SERIAL(CTestVersioned)
public:
    void Serialize(CArchive& ar) override;
    UINT m_schemaSeen = 0;
    UINT m_schemaSeenTwice = 0;
};

void RegisterTestClasses();

} // namespace vellum::test
