#include <vellum/archive/IndexMap.h>

#include <utility>

namespace vellum {

namespace {
constexpr std::size_t kFirstSlots = 64;
} // namespace

void CIndexMap::Set(const void* key, DWORD value) {
    // At most half full, so probes stay short.
    if (2 * (m_count + 1) > m_slots.size())
        Grow();
    for (std::size_t i = Home(key);; i = (i + 1) & m_mask) {
        Slot& slot = m_slots[i];
        if (slot.key == key) {
            slot.value = value;
            return;
        }
        if (!slot.key) {
            slot = Slot{key, value};
            ++m_count;
            return;
        }
    }
}

void CIndexMap::Grow() {
    std::vector<Slot> old = std::move(m_slots);
    const std::size_t size = old.empty() ? kFirstSlots : 2 * old.size();
    m_slots.assign(size, Slot{});
    m_mask = size - 1;
    m_shift = 64;
    for (std::size_t s = size; s > 1; s >>= 1)
        --m_shift;
    m_count = 0;
    for (const Slot& slot : old)
        if (slot.key)
            Set(slot.key, slot.value);
}

} // namespace vellum
