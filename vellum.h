#pragma once
// The whole public interface of the Vellum core.

#include <vellum/platform/Array.h>
#include <vellum/platform/CodePage.h>
#include <vellum/platform/DC.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/File.h>
#include <vellum/platform/GdiObject.h>
#include <vellum/platform/LineDDA.h>
#include <vellum/platform/MapWordToOb.h>
#include <vellum/platform/MemFile.h>
#include <vellum/platform/ObList.h>
#include <vellum/platform/Object.h>
#include <vellum/platform/Rect.h>
#include <vellum/platform/Rgn.h>
#include <vellum/platform/String.h>
#include <vellum/platform/Types.h>
#include <vellum/platform/UserSettings.h>

#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>

#include <vellum/geometry/GraphMatrix.h>
#include <vellum/geometry/Vector.h>

#include <vellum/Graphics/GraphicItem.h>
#include <vellum/Graphics/GraphicLine.h>
#include <vellum/Graphics/GrPolyLine.h>

#include <vellum/gamma/GammaLut.h>
