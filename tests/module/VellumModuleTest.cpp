#include "support/ArchiveBytes.h"
#include "support/TempSettings.h"

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/Graphics/GraphicSymbol.h>
#include <vellum/module/VellumModule.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/LibraryResources.h>
#include <vellum/window/GraphicWnd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace vellum::test {
namespace {

std::string WriteLibrary(const std::string& name) {
    CGraphicItemList library;
    library.AddSymbolGroup("Frecce");
    library.AddSymbolToGroup("Frecce", new CGraphicSymbol);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &library; });
    const std::string path = ::testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    return path;
}

// Every test leaves the module detached, as it found it.
class VellumModule : public ::testing::Test {
protected:
    ~VellumModule() override {
        VellumDllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
        AddLibraryResources(); // the other suites expect the resources in the chain
    }
    TempSettings settings;
};

TEST_F(VellumModule, StartUpLinksResourcesStoresTheFontAndLoadsTheLibraryOnceUntilUnload) {
    const std::string path = WriteLibrary("module-library.vla");
    EXPECT_EQ(VellumDllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), TRUE);
    EXPECT_EQ(IsVellumResourceChainLinked(), 0);
    VellumDLLInit();
    EXPECT_EQ(IsVellumResourceChainLinked(), 1);
    EXPECT_STREQ(AfxFindString(24016), "Simbolo errato file libreria!");
    EXPECT_EQ(CUserSettings::GetProfileString("UserGraphicsFont", "FaceName", ""), "Arial");
    EXPECT_EQ(CUserSettings::GetProfileInt("UserGraphicsFont", "Size", 0), 10);

    EXPECT_EQ(SymbolLibraryInit(), 0); // no library named yet
    EXPECT_EQ(GetModuleSymbolLibrary(), nullptr);
    CUserSettings::WriteProfileString("UserGraphics", "SymbolLibrary", path.c_str());
    EXPECT_EQ(SymbolLibraryInit(), 1);
    CGraphicItemList* library = GetModuleSymbolLibrary();
    ASSERT_NE(library, nullptr);
    CUserSettings::WriteProfileString("UserGraphics", "SymbolLibrary", "elsewhere.vla");
    EXPECT_EQ(SymbolLibraryInit(), 1);
    EXPECT_EQ(GetModuleSymbolLibrary(), library); // kept, not read again
    {
        CWnd view;
        CGraphicWnd window(&view);
        EXPECT_EQ(window.GetSymbolLibrary(), library); // and not deleted with the window
    }
    EXPECT_EQ(library->GetCount(), 1);
    EXPECT_EQ(VellumDllMain(nullptr, DLL_THREAD_ATTACH, nullptr), TRUE);
    EXPECT_EQ(GetModuleSymbolLibrary(), library);

    EXPECT_EQ(VellumDllMain(nullptr, DLL_PROCESS_DETACH, nullptr), TRUE);
    EXPECT_EQ(GetModuleSymbolLibrary(), nullptr);
    EXPECT_EQ(IsVellumResourceChainLinked(), 0);
    EXPECT_EQ(AfxFindString(24016), nullptr);
    // Unloading again, without a library, deletes nothing.
    EXPECT_EQ(VellumDllMain(nullptr, DLL_PROCESS_DETACH, nullptr), TRUE);
}

TEST_F(VellumModule, AnUnreadableLibraryLeavesNoneAndAStoredFontIsKept) {
    settings.Write("[UserGraphics]\nSymbolLibrary=/nonexistent/library.vla\n\n"
                   "[UserGraphicsFont]\nFaceName=Courier\nStyleName=Regular\nEffects=0\n"
                   "Weight=400\nItalic=0\nPitchAndFamily=0\nCharSet=0\nSize=12\nColor=0,0,0\n");
    const std::string before = settings.Contents();
    CVellumModule module;
    ASSERT_TRUE(module.IsAttached());
    VellumDLLInit();
    EXPECT_EQ(settings.Contents(), before); // the stored font is there: nothing written
    EXPECT_EQ(SymbolLibraryInit(), 1);
    EXPECT_EQ(GetModuleSymbolLibrary(), nullptr);
}

} // namespace
} // namespace vellum::test
