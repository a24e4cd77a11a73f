#pragma once
// The registry of serializable classes: the archive creates stored objects by class name
// through it. On first use it registers every serializable class of the library, so that
// the registry is complete before the first archive is read, whether the library is linked
// statically or dynamically; hosts and tests may register classes of their own.

#include <vellum/platform/Object.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vellum {

class CClassRegistry {
public:
    static CClassRegistry& Instance();

    // Registers a class under its name. Registering the same record again does nothing; a
    // different record under a name already taken is refused with CInvalidArgException.
    void Register(const CRuntimeClass* cls);
    // The class registered under exactly this name, or null.
    const CRuntimeClass* Find(std::string_view name) const;
    std::vector<const CRuntimeClass*> Classes() const;
    // True when the object's class is the registered class of that name or derives from it;
    // false while no such class is registered. Lets generic code treat kinds it does not
    // depend on.
    bool IsKindOf(const CObject* object, std::string_view name) const;

private:
    CClassRegistry() = default;

    std::map<std::string, const CRuntimeClass*, std::less<>> m_classes;
};

// Registers the library's own serializable classes; the registry calls it once.
void RegisterLibraryClasses(CClassRegistry& registry);

} // namespace vellum
