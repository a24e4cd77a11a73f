#include <vellum/archive/ClassRegistry.h>

#include <vellum/platform/Exceptions.h>

namespace vellum {

CClassRegistry& CClassRegistry::Instance() {
    static CClassRegistry& registry = []() -> CClassRegistry& {
        static CClassRegistry instance;
        RegisterLibraryClasses(instance);
        return instance;
    }();
    return registry;
}

void CClassRegistry::Register(const CRuntimeClass* cls) {
    const auto [it, inserted] = m_classes.emplace(cls->m_lpszClassName, cls);
    if (!inserted && it->second != cls)
        throw CInvalidArgException();
}

const CRuntimeClass* CClassRegistry::Find(std::string_view name) const {
    const auto it = m_classes.find(name);
    return it == m_classes.end() ? nullptr : it->second;
}

bool CClassRegistry::IsKindOf(const CObject* object, std::string_view name) const {
    const CRuntimeClass* cls = Find(name);
    return object && cls && object->IsKindOf(cls);
}

std::vector<const CRuntimeClass*> CClassRegistry::Classes() const {
    std::vector<const CRuntimeClass*> classes;
    for (const auto& [name, cls] : m_classes)
        classes.push_back(cls);
    return classes;
}

} // namespace vellum
