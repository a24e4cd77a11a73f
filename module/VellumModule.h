#pragma once
// Start-up and unload of the library, in the order a host follows:
//
//   1. The library is loaded: VellumDllMain(instance, DLL_PROCESS_ATTACH, nullptr).
//   2. VellumDLLInit(), once, before any dialog or archive of the library: the library's
//      resources (dialogs, menus, strings) join the resource chain, its serializable classes
//      are registered, and a default overlay font is stored if the settings have none.
//   3. SymbolLibraryInit(), before the windows that should offer symbols are made: the
//      module-wide symbol library is loaded from the file that the settings name
//      ("UserGraphics" / "SymbolLibrary").
//   4. Windows and item lists are made and used, and destroyed.
//   5. The library is unloaded: VellumDllMain(instance, DLL_PROCESS_DETACH, nullptr) deletes
//      the module-wide symbol library and takes the resources out of the chain.
//
// A platform loader calls the handler itself; elsewhere a host calls it, or lets a
// CVellumModule object do steps 1 and 5 for the life of its scope.

#include <vellum/platform/Types.h>

namespace vellum {

constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;

// The framework's record of this library: its resources and whether it is attached.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized = FALSE;
    void* hModule = nullptr;
    const struct CResourceTable* pResources = nullptr;
};

// The load and unload handler: 1 accepts, 0 refuses loading (a failed attach).
BOOL VellumDllMain(void* instance, DWORD reason, void* reserved);
void VellumDLLInit();
// 0 when the settings name no library file; 1 otherwise, also when the file cannot be read
// (there is then no library). A library already loaded is kept: 1 at once.
int SymbolLibraryInit();

// The library's extension-module record.
const AFX_EXTENSION_MODULE& VellumExtensionModule();
// 1 while VellumDLLInit's resource-chain entry exists.
int IsVellumResourceChainLinked();

// Attaches the library for the life of the scope and detaches it at the end.
class CVellumModule {
public:
    explicit CVellumModule(void* instance = nullptr);
    ~CVellumModule();
    CVellumModule(const CVellumModule&) = delete;
    CVellumModule& operator=(const CVellumModule&) = delete;

    // FALSE when the attach was refused.
    BOOL IsAttached() const { return m_bAttached; }

private:
    void* m_instance;
    BOOL m_bAttached;
};

} // namespace vellum
