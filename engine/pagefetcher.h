#pragma once

// What the run loop needs of a page fetcher.

#include <cstdint>
#include <string>

class PageFetcher {
public:
    virtual ~PageFetcher() = default;

    // Fills the engine's DocumentLines and PageTruncated for the page at url. May throw; the
    // run goes on whatever it throws.
    virtual void Charge(const std::string& url) = 0;

    // Status code of the last fetch, also after a failure.
    virtual int32_t StatusCode() const = 0;

    // Ends a fetch in progress; nothing when idle.
    virtual void Abort() {}
};
