#include <vellum/module/VellumModule.h>

#include <vellum/Graphics/GrItmlst.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/basalt/FontData.h>
#include <vellum/platform/ResourceTable.h>
#include <vellum/platform/UserSettings.h>
#include <vellum/ui/LibraryResources.h>

#include <memory>

namespace vellum {

namespace {

constexpr const char* kFontSetting = "UserGraphicsFont";
constexpr int kDefaultFontSize = 10;

AFX_EXTENSION_MODULE g_module;

// The resource-chain entry: while it exists the library's resources are found by identifier
// and its classes by name.
class CDynLinkLibrary {
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& module) : m_module(module) {
        AfxAddResourceTable(module.pResources);
        CClassRegistry::Instance();
    }
    ~CDynLinkLibrary() { AfxRemoveResourceTable(m_module.pResources); }
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

private:
    AFX_EXTENSION_MODULE& m_module;
};

std::unique_ptr<CDynLinkLibrary> g_pChainEntry;

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& module, void* instance) {
    module.hModule = instance;
    module.pResources = &LibraryResources();
    module.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& module) {
    g_pChainEntry.reset();
    module = AFX_EXTENSION_MODULE{};
}

} // namespace

BOOL VellumDllMain(void* instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH)
        return AfxInitExtensionModule(g_module, instance);
    if (reason == DLL_PROCESS_DETACH) {
        delete SetModuleSymbolLibrary(nullptr);
        AfxTermExtensionModule(g_module);
    }
    return TRUE;
}

void VellumDLLInit() {
    if (!g_module.bInitialized)
        AfxInitExtensionModule(g_module, nullptr);
    if (!g_pChainEntry)
        g_pChainEntry = std::make_unique<CDynLinkLibrary>(g_module);
    CFontData font(kFontSetting);
    if (font.Restore())
        return;
    if (!font.GetDefault(kDefaultFontSize))
        return;
    font.Save();
}

int SymbolLibraryInit() {
    if (GetModuleSymbolLibrary())
        return 1;
    const CString path = CUserSettings::GetProfileString("UserGraphics", "SymbolLibrary", "");
    if (path.IsEmpty())
        return 0;
    if (CGraphicItemList* library = CGraphicItemList::FromFile(path)) {
        library->GetRegionalSettings().ReleaseWnd();
        SetModuleSymbolLibrary(library);
    }
    return 1;
}

const AFX_EXTENSION_MODULE& VellumExtensionModule() {
    return g_module;
}

int IsVellumResourceChainLinked() {
    return g_pChainEntry ? 1 : 0;
}

CVellumModule::CVellumModule(void* instance)
    : m_instance(instance), m_bAttached(VellumDllMain(instance, DLL_PROCESS_ATTACH, nullptr)) {}

CVellumModule::~CVellumModule() {
    if (m_bAttached)
        VellumDllMain(m_instance, DLL_PROCESS_DETACH, nullptr);
}

} // namespace vellum
