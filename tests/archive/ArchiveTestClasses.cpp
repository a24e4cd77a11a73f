#include "ArchiveTestClasses.h"

#include <vellum/archive/ClassRegistry.h>

namespace vellum::test {

IMPLEMENT_SERIAL(CTestValue, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestHolder, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestLeaf, CTestValue, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestFixed, CObject, 2)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 1)

void CTestValue::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

void CTestHolder::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_value << m_child.get();
    } else {
        ar >> m_value;
        m_child.reset(ar.ReadObject(nullptr));
    }
}

void CTestVersioned::Serialize(CArchive& ar) {
    if (ar.IsLoading()) {
        m_schemaSeen = ar.GetObjectSchema();
        m_schemaSeenTwice = ar.GetObjectSchema();
    }
}

void RegisterTestClasses() {
    static const bool registered = [] {
        auto& registry = CClassRegistry::Instance();
        for (const CRuntimeClass* cls : {RUNTIME_CLASS(CTestValue), RUNTIME_CLASS(CTestHolder),
                                         RUNTIME_CLASS(CTestLeaf), RUNTIME_CLASS(CTestFixed),
                                         RUNTIME_CLASS(CTestVersioned)})
            registry.Register(cls);
        return true;
    }();
    (void)registered;
}

} // namespace vellum::test
