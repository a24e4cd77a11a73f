#pragma once
// Movable global memory blocks, the framework's way of handing a block of bytes to the host
// and back: GlobalAlloc gives a handle, GlobalLock the bytes behind it. Handles are checked:
// a handle that was never allocated, or was freed, is refused instead of being followed.

#include <vellum/platform/Types.h>

#include <cstddef>

namespace vellum {

using HGLOBAL = void*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;

// A new block of bytes (zero-filled when asked); null when memory runs out.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// The block's bytes, counting the lock; null for a bad handle. A block of 0 bytes still
// locks to a valid pointer.
void* GlobalLock(HGLOBAL block);
// Releases one lock; TRUE while the block is still locked.
BOOL GlobalUnlock(HGLOBAL block);
// The block's size in bytes; 0 for a bad handle.
std::size_t GlobalSize(HGLOBAL block);
// Frees the block; null on success, the handle itself when it was bad.
HGLOBAL GlobalFree(HGLOBAL block);

} // namespace vellum
