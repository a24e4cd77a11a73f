#include <vellum/archive/ClassRegistry.h>

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicArc.h>
#include <vellum/Graphics/GraphicFreeDraw.h>
#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSelectionRect.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/Graphics/GraphicText.h>
#include <vellum/Graphics/GraphicTextLine.h>
#include <vellum/density/DensityProfile.h>
#include <vellum/density/GrDensityArea.h>
#include <vellum/density/GrDensityLine.h>

namespace vellum {

// Every serializable class of the library, by name. Naming each record here also keeps its
// object file in a static link, so no class can go missing from the registry.
void RegisterLibraryClasses(CClassRegistry& registry) {
    for (const CRuntimeClass* cls : {
             RUNTIME_CLASS(CGraphicItem),
             RUNTIME_CLASS(CGraphicLine),
             RUNTIME_CLASS(CGrPolyLine),
             RUNTIME_CLASS(CGraphicRect),
             RUNTIME_CLASS(CGraphicSelectionRect),
             RUNTIME_CLASS(CGraphicText),
             RUNTIME_CLASS(CGraphicTextLine),
             RUNTIME_CLASS(CGraphicArc),
             RUNTIME_CLASS(CGrPolyDist),
             RUNTIME_CLASS(CGrAngle),
             RUNTIME_CLASS(CGrDensityLine),
             RUNTIME_CLASS(CDensityProfile),
             RUNTIME_CLASS(CGrDensityArea),
             RUNTIME_CLASS(CGraphicSymbol),
             RUNTIME_CLASS(CGraphicFreeDraw),
             RUNTIME_CLASS(CGrItemList),
             RUNTIME_CLASS(CGraphicItemList),
         })
        registry.Register(cls);
}

} // namespace vellum
