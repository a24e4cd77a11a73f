#pragma once
// CIndexMap: the archive's table from a class or object address to its index. Keys are
// only ever added, so a flat table with linear probing serves: one multiplication and,
// mostly, one cache line per look-up, and no allocation per entry.

#include <vellum/platform/Types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vellum {

class CIndexMap {
public:
    // The value stored for key, or null. key must not be null.
    const DWORD* Find(const void* key) const {
        if (m_slots.empty())
            return nullptr;
        for (std::size_t i = Home(key);; i = (i + 1) & m_mask) {
            const Slot& slot = m_slots[i];
            if (slot.key == key)
                return &slot.value;
            if (!slot.key)
                return nullptr;
        }
    }

    // Stores value for key, replacing the value it had.
    void Set(const void* key, DWORD value);

    bool IsEmpty() const { return m_count == 0; }

private:
    struct Slot {
        const void* key = nullptr;
        DWORD value = 0;
    };

    // Fibonacci hashing of the address; its low bits are alignment and carry nothing.
    std::size_t Home(const void* key) const {
        const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
        return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void Grow();

    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    int m_shift = 64;
    std::size_t m_count = 0;
};

} // namespace vellum
