#include <vellum/platform/LineDDA.h>

#include <cstdint>
#include <cstdlib>

namespace vellum {

void LineDDA(int x1, int y1, int x2, int y2, LINEDDAPROC proc, void* data) {
    if (!proc)
        return;
    LineDDA(x1, y1, x2, y2, [proc, data](int x, int y) { proc(x, y, data); });
}

void LineDDA(int x1, int y1, int x2, int y2, const std::function<void(int, int)>& visit) {
    if (!visit)
        return;
    // 64-bit distances: the span between two 32-bit coordinates needs 33 bits.
    const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
    const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = std::llabs(xMajor ? dx : dy);
    const std::int64_t minorDistance = std::llabs(xMajor ? dy : dx);
    const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t majorStart = xMajor ? x1 : y1;
    const std::int64_t minorStart = xMajor ? y1 : x1;

    // After i steps the minor offset is i·minorDistance / steps rounded half up, that is
    // floor((2·i·minorDistance + steps) / (2·steps)); error keeps that numerator's remainder.
    std::int64_t error = steps;
    std::int64_t offset = 0;
    for (std::int64_t i = 0; i < steps; ++i) {
        const auto major = static_cast<int>(majorStart + i * majorStep);
        const auto minor = static_cast<int>(minorStart + offset * minorStep);
        if (xMajor)
            visit(major, minor);
        else
            visit(minor, major);
        error += 2 * minorDistance;
        if (error >= 2 * steps) {
            error -= 2 * steps;
            ++offset;
        }
    }
}

} // namespace vellum
