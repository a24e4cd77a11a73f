#pragma once
// A plain object that counts its destruction, for tests of containers that must not own
// their elements.

#include <vellum/platform/Object.h>

namespace vellum::test {

class CountedObject : public CObject {
public:
    explicit CountedObject(int* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~CountedObject() override {
        if (m_destroyed != nullptr)
            ++*m_destroyed;
    }

private:
    int* m_destroyed;
};

} // namespace vellum::test
