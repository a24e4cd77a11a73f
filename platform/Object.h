#pragma once
// CObject and CRuntimeClass: run-time class records that name a class, give its size and
// schema, create it by name and say what it derives from.
//
// The base recorded in a class's record is the *registered* base: a class may register a
// base other than its C++ base, and IsKindOf follows the registered chain, as the
// archive's class checks do.

#include <vellum/platform/Types.h>

#include <iosfwd>

namespace vellum {

class CArchive;
class CObject;

// Marks a schema whose objects may be read from archives written with another schema.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                      // 0xFFFF: not serializable
    CObject* (*m_pfnCreateObject)();     // null: cannot be created by name
    const CRuntimeClass* m_pBaseClass;   // the registered base; null for CObject

    // A new object of this class, or null when the class cannot be created by name.
    CObject* CreateObject() const;
    // True when this class is base or reaches it through its registered bases.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSerializable() const { return m_wSchema != 0xFFFF && m_pfnCreateObject != nullptr; }
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(std::ostream& out) const;

    BOOL IsKindOf(const CRuntimeClass* cls) const;
    BOOL IsSerializable() const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

} // namespace vellum

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In a class body: the class's run-time record and its GetRuntimeClass.
#define DECLARE_DYNAMIC(class_name)                                                            \
public:                                                                                        \
    static const ::vellum::CRuntimeClass class##class_name;                                    \
    const ::vellum::CRuntimeClass* GetRuntimeClass() const override;

// In a class body: as DECLARE_DYNAMIC, and the class can be created by name by the archive.
#define DECLARE_SERIAL(class_name)                                                             \
    DECLARE_DYNAMIC(class_name)                                                                \
    static ::vellum::CObject* CreateObject();

#define VELLUM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, create)             \
    const ::vellum::CRuntimeClass class_name::class##class_name = {                            \
        #class_name, static_cast<int>(sizeof(class_name)), schema, create,                     \
        RUNTIME_CLASS(base_class_name)};                                                       \
    const ::vellum::CRuntimeClass* class_name::GetRuntimeClass() const {                       \
        return RUNTIME_CLASS(class_name);                                                      \
    }

// In a source file: the record of a class that is not created by name.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                         \
    VELLUM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFFu, nullptr)

// In a source file: the record of a serializable class. The record is constant-initialised;
// the archive finds the class through the class registry, which lists every class of the
// library, so nothing depends on static initialisers that a static link could drop.
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                  \
    ::vellum::CObject* class_name::CreateObject() { return new class_name; }                   \
    VELLUM_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)
