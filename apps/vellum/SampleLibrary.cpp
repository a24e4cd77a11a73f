// The sample symbol library: a few anatomical markers drawn from lines, polylines and
// rectangles, in two groups. `vellum symbols --make-sample` stores it and the demo places one
// of its symbols.

#include "Commands.h"

#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GraphicRect.h>
#include <vellum/Graphics/GraphicSymbol.h>

namespace vellum::tool {

namespace {

void AddLine(CGraphicSymbol& symbol, CVector a, CVector b) {
    auto* line = new CGraphicLine;
    line->SetStart(&a);
    line->SetEnd(&b, 0);
    symbol.AddItem(line);
}

void AddPolyline(CGraphicSymbol& symbol, std::vector<CVector> nodes) {
    auto* poly = new CGrPolyLine;
    poly->SetStart(&nodes[0]);
    for (std::size_t i = 1; i < nodes.size(); ++i)
        poly->SetEnd(&nodes[i], 1);
    symbol.AddItem(poly);
}

void AddRect(CGraphicSymbol& symbol, CVector a, CVector b) {
    auto* rect = new CGraphicRect;
    rect->SetStart(&a);
    rect->SetEnd(&b, 0);
    symbol.AddItem(rect);
}

// Items drawn on a 100-unit grid, then named and sized in millimetres.
CGraphicSymbol* Finish(CGraphicSymbol* symbol, const char* name, const char* info, double width,
                       double height) {
    symbol->Normalize();
    symbol->SetName(name);
    symbol->SetInfo(info);
    symbol->SetSize(width, height);
    return symbol;
}

CGraphicSymbol* Arrow() {
    auto* symbol = new CGraphicSymbol;
    AddLine(*symbol, CVector(0, 50), CVector(100, 50));
    AddPolyline(*symbol, {CVector(70, 25), CVector(100, 50), CVector(70, 75)});
    return Finish(symbol, "Freccia", "Freccia orizzontale", 15.0, 7.5);
}

CGraphicSymbol* DoubleArrow() {
    auto* symbol = new CGraphicSymbol;
    AddLine(*symbol, CVector(0, 50), CVector(100, 50));
    AddPolyline(*symbol, {CVector(25, 25), CVector(0, 50), CVector(25, 75)});
    AddPolyline(*symbol, {CVector(75, 25), CVector(100, 50), CVector(75, 75)});
    return Finish(symbol, "Doppia freccia", "Distanza tra due punti", 20.0, 10.0);
}

CGraphicSymbol* Cross() {
    auto* symbol = new CGraphicSymbol;
    AddLine(*symbol, CVector(0, 50), CVector(100, 50));
    AddLine(*symbol, CVector(50, 0), CVector(50, 100));
    return Finish(symbol, "Croce", "Punto di repere", 8.0, 8.0);
}

CGraphicSymbol* HipCentre() {
    auto* symbol = new CGraphicSymbol;
    AddRect(*symbol, CVector(10, 10), CVector(90, 90));
    AddLine(*symbol, CVector(0, 50), CVector(100, 50));
    AddLine(*symbol, CVector(50, 0), CVector(50, 100));
    return Finish(symbol, "Centro anca", "Centro della testa femorale", 12.0, 12.0);
}

// The side markers of a radiograph: a letter in a box.
CGraphicSymbol* SideMarker(bool left) {
    auto* symbol = new CGraphicSymbol;
    AddRect(*symbol, CVector(0, 0), CVector(80, 100));
    if (left)
        AddPolyline(*symbol, {CVector(25, 20), CVector(25, 80), CVector(60, 80)});
    else
        AddPolyline(*symbol, {CVector(25, 80), CVector(25, 20), CVector(55, 20), CVector(60, 35),
                              CVector(55, 50), CVector(25, 50), CVector(58, 80)});
    return Finish(symbol, left ? "Lato L" : "Lato R", left ? "Lato sinistro" : "Lato destro", 8.0,
                  10.0);
}

} // namespace

std::unique_ptr<CGraphicItemList> SampleSymbolLibrary() {
    auto library = std::make_unique<CGraphicItemList>();
    library->AddSymbolGroup("Frecce");
    library->AddSymbolGroup("Marcatori");
    library->AddSymbolToGroup("Frecce", Arrow());
    library->AddSymbolToGroup("Frecce", DoubleArrow());
    library->AddSymbolToGroup("Marcatori", Cross());
    library->AddSymbolToGroup("Marcatori", HipCentre());
    library->AddSymbolToGroup("Marcatori", SideMarker(true));
    library->AddSymbolToGroup("Marcatori", SideMarker(false));
    return library;
}

} // namespace vellum::tool
