#pragma once

#include "runtime/Clock.h"

namespace vortana {

// One thing the character was asked to do, performed by the RequestQueue.
class Request
{
public:
    Request() = default;
    virtual ~Request() = default;
    Request(const Request &) = delete;
    Request &operator=(const Request &) = delete;

    // Whose request it is, so that a character going away can withdraw its own.
    virtual const void *owner() const = 0;
    virtual void start(Clock::Duration now) = 0;
    // Moves on to `now`; true once the request has finished.
    virtual bool advance(Clock::Duration now) = 0;
    // Ends it before its time: it overran its limit, or the queue is closing.
    virtual void cancel() {}
    // How long after its start the queue lets it run; asked again on every
    // step, since some only know their length once under way.
    virtual Clock::Duration limit() const = 0;
};

} // namespace vortana
