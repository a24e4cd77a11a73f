#include <vellum/platform/Object.h>

#include <ostream>

namespace vellum {

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)),
                                              0xFFFFu, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass)
        if (cls == base)
            return true;
    return false;
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

// Plain objects have nothing to store.
void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(std::ostream& out) const {
    out << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this);
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls) ? TRUE : FALSE;
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->IsSerializable() ? TRUE : FALSE; }

} // namespace vellum
