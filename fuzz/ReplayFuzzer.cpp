// Reads arbitrary bytes as a script of vellum replay, through the parser the tool uses, and
// runs every script that parses in a session as the tool runs it: over the Cairo view, with
// the tool's sample symbol library and its UI host. A script must end in a finished session
// or in the one-line CommandError or CException the tool reports; nothing may crash, leak or
// be undefined, and the session's list must store and load back.
//
// A fuzzed session is kept small: views of at most 256 pixels a side and images of at most
// 64 K pixels, so that each input runs in milliseconds.

#include "../apps/vellum/Commands.h"
#include "../apps/vellum/ReplayScript.h"
#include "../apps/vellum/ReplaySession.h"
#include "ScratchSettings.h"

#include <vellum/archive/Archive.h>
#include <vellum/platform/Exceptions.h>
#include <vellum/platform/GlobalMemory.h>
#include <vellum/platform/MemFile.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace vellum;
using namespace vellum::tool;

constexpr int kMaxSide = 256;
constexpr double kMaxImagePixels = 65536;

[[noreturn]] void Violated(const char* invariant) {
    std::fprintf(stderr, "replay fuzzer: %s\n", invariant);
    std::abort();
}

// The list as stored, read back once and stored again must give the same bytes.
void CheckStoresAndLoads(CGraphicItemList& list) {
    const auto store = [](CGraphicItemList& from) {
        HGLOBAL block = from.GetGlobalHandle();
        if (!block)
            Violated("the session's list could not be stored");
        const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
        std::string stored(reinterpret_cast<const char*>(bytes), GlobalSize(block));
        GlobalUnlock(block);
        GlobalFree(block);
        return stored;
    };
    std::string first = store(list);
    CMemFile file(reinterpret_cast<BYTE*>(first.data()), static_cast<UINT>(first.size()));
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> again(ar.ReadObject(RUNTIME_CLASS(CGraphicItemList)));
    if (!again)
        Violated("the session's list does not load back");
}

} // namespace

// fontconfig keeps a few bytes of its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vellum::fuzz::UseScratchSettings("replay");
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<ReplayStep> steps;
    try {
        steps = ParseReplayScript(script, "script", false);
    } catch (const CommandError&) {
        return 0;
    }
    for (const ReplayStep& step : steps)
        if (std::string(step.verb->name) == "image" && step.a * step.b > kMaxImagePixels)
            return 0;

    ReplayOptions options;
    options.scriptName = "script";
    options.library = SampleSymbolLibrary();
    options.maxViewSide = kMaxSide;
    options.log = nullptr;
    try {
        ReplaySession session(std::move(options));
        session.Run(steps);
        CheckStoresAndLoads(*session.List());
    } catch (const CommandError&) {
    } catch (const CException&) {
    }
    return 0;
}
