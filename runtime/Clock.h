#pragma once

#include <chrono>

namespace vortana {

// A monotonic time source; tests substitute one they can move by hand.
class Clock
{
public:
    using Duration = std::chrono::nanoseconds;

    virtual ~Clock() = default;
    virtual Duration now() const = 0;
};

class SteadyClock final : public Clock
{
public:
    Duration now() const override;
};

class ManualClock final : public Clock
{
public:
    Duration now() const override { return m_now; }
    void advance(Duration by) { m_now += by; }

private:
    Duration m_now{};
};

} // namespace vortana
