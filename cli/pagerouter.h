#pragma once

// Sends http and https addresses to the page fetcher and everything else to the local files.

#include <string>

#include "engine/pagefetcher.h"

class PageRouter : public PageFetcher {
public:
    PageRouter(PageFetcher& web, PageFetcher& local) : web_(web), local_(local) {}

    // True for an address beginning with http:// or https:// (in any letter case).
    static bool IsWebAddress(const std::string& address);

    void Charge(const std::string& url) override {
        last_ = IsWebAddress(url) ? &web_ : &local_;
        last_->Charge(url);
    }
    int32_t StatusCode() const override { return last_ == nullptr ? 0 : last_->StatusCode(); }

private:
    PageFetcher& web_;
    PageFetcher& local_;
    PageFetcher* last_ = nullptr;
};
