#include <vellum/platform/GlobalMemory.h>

#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

namespace vellum {

namespace {
struct Block {
    std::vector<BYTE> bytes;
    int locks = 0;
};

// The live blocks by handle; blocks are used on the user-interface thread only.
std::unordered_map<HGLOBAL, std::unique_ptr<Block>>& Blocks() {
    static std::unordered_map<HGLOBAL, std::unique_ptr<Block>> blocks;
    return blocks;
}

Block* Find(HGLOBAL handle) {
    const auto it = Blocks().find(handle);
    return it == Blocks().end() ? nullptr : it->second.get();
}
} // namespace

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
    try {
        auto block = std::make_unique<Block>();
        block->bytes.resize(bytes); // always zero-filled
        HGLOBAL handle = block.get();
        Blocks().emplace(handle, std::move(block));
        return handle;
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (const std::length_error&) {
        return nullptr;
    }
}

void* GlobalLock(HGLOBAL handle) {
    Block* block = Find(handle);
    if (!block)
        return nullptr;
    ++block->locks;
    static BYTE empty = 0;
    return block->bytes.empty() ? &empty : block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL handle) {
    Block* block = Find(handle);
    if (!block || block->locks == 0)
        return FALSE;
    --block->locks;
    return block->locks > 0 ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL handle) {
    const Block* block = Find(handle);
    return block ? block->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL handle) {
    return Blocks().erase(handle) ? nullptr : handle;
}

} // namespace vellum
