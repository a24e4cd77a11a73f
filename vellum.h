#pragma once
// The whole public interface of the Vellum core.

#include <vellum/platform/Array.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/ColorDialog.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/DataExchange.h>
#include <vellum/platform/Dialog.h>
#include <vellum/platform/DialogItem.h>
#include <vellum/platform/DialogTemplate.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/File.h>
#include <vellum/platform/FontDialog.h>
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/HeadlessUiHost.h>
#include <vellum/platform/LineDDA.h>
#include <vellum/platform/ListBox.h>
#include <vellum/platform/Locale.h>
#include <vellum/platform/MapWordToOb.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/Menu.h>
#include <vellum/platform/ObList.h>
#include <vellum/platform/Object.h>
#include <vellum/platform/PropertyPage.h>
#include <vellum/platform/PropertySheet.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/Rgn.h>
#include <vellum/platform/SpinButtonCtrl.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/UiHost.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/platform/Wnd.h>

#include <vellum/basalt/FontData.h>
#include <vellum/basalt/IntlMeasurement.h>
#include <vellum/basalt/LogError.h>
#include <vellum/basalt/RegionalSettings.h>

#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>

#include <vellum/geometry/GraphMatrix.h>
#include <vellum/geometry/Vector.h>

#include <vellum/Graphics/GrAngle.h>
#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GrPolyDist.h>
#include <vellum/Graphics/GrPolyLine.h>
#include <vellum/Graphics/GraphicArc.h>
#include <vellum/Graphics/GraphicFont.h>
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
#include <vellum/density/Histogram.h>

#include <vellum/gamma/GammaLut.h>

#include <vellum/imaging/Bitmap.h>

#include <vellum/module/VellumModule.h>
#include <vellum/window/GraphicWnd.h>

#include <vellum/ui/AdvancedCalibrationDlg.h>
#include <vellum/ui/CalibrationDlg.h>
#include <vellum/ui/ColorPP.h>
#include <vellum/ui/DensityProfilePP.h>
#include <vellum/ui/FontPP.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/ui/LinePP.h>
#include <vellum/ui/Resource.h>
#include <vellum/ui/SymbolDefDlg.h>
#include <vellum/ui/SymbolOptionsDlg.h>
#include <vellum/ui/SymbolPP.h>
#include <vellum/ui/SymbolSelectionDlg.h>
#include <vellum/ui/TextPP.h>
