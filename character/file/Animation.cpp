#include "character/file/Animation.h"

namespace vortana {

std::chrono::milliseconds Animation::length() const
{
    std::chrono::milliseconds total{0};
    for (const AnimationFrame &frame : frames)
        total += frame.duration;
    return total;
}

namespace {

std::chrono::nanoseconds wrapped(const Animation &animation, std::chrono::nanoseconds elapsed, bool loop)
{
    const std::chrono::nanoseconds total = animation.length();
    if (elapsed < std::chrono::nanoseconds{0})
        return {};
    if (loop && total.count() > 0)
        return elapsed % total;
    return elapsed;
}

} // namespace

const AnimationFrame &Animation::frameAt(std::chrono::nanoseconds elapsed, bool loop) const
{
    std::chrono::nanoseconds t = wrapped(*this, elapsed, loop);
    for (const AnimationFrame &frame : frames) {
        if (t < frame.duration)
            return frame;
        t -= frame.duration;
    }
    return frames.constLast();
}

std::chrono::nanoseconds Animation::remainingAt(std::chrono::nanoseconds elapsed, bool loop) const
{
    std::chrono::nanoseconds t = wrapped(*this, elapsed, loop);
    for (const AnimationFrame &frame : frames) {
        if (t < frame.duration)
            return frame.duration - t;
        t -= frame.duration;
    }
    return std::chrono::nanoseconds::max();
}

} // namespace vortana
