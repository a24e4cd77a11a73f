#include <vellum/archive/ClassRegistry.h>

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicTextLine.h>

namespace vellum {

// Every serializable class of the library, by name. Naming each record here also keeps its
// object file in a static link, so no class can go missing from the registry.
void RegisterLibraryClasses(CClassRegistry& registry) {
    for (const CRuntimeClass* cls : {
             RUNTIME_CLASS(CGraphicItem),
             RUNTIME_CLASS(CGraphicLine),
             RUNTIME_CLASS(CGrPolyLine),
             RUNTIME_CLASS(CGraphicRect),
             RUNTIME_CLASS(CGraphicSymbol),
             RUNTIME_CLASS(CGraphicTextLine),
             RUNTIME_CLASS(CGraphicFreeDraw),
             RUNTIME_CLASS(CGrItemList),
             RUNTIME_CLASS(CGraphicItemList),
         })
        registry.Register(cls);
}

} // namespace vellum
