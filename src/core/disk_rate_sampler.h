#pragma once

#include "platform/disk_rate_source.h"

#include <functional>
#include <memory>
#include <string_view>

namespace oruvel::core {

// The program's disk rates: one open source, of one disk instance ("_Total" for all). While no source is open, or
// none could be opened, the rates are 0.
class DiskRateSampler {
public:
    using SourceOpener = std::function<std::unique_ptr<platform::DiskRateSource>()>;

    explicit DiskRateSampler(SourceOpener openSource) : openSource_(std::move(openSource)) {}

    // Opens a source on `instance` (replacing any open one).
    void open(std::string_view instance);
    // Reads another instance from the next sample on; the open source is kept (it opens one when none is).
    void switchInstance(std::string_view instance);
    // One collection; nothing while closed.
    void sample();
    // Bytes per second over the last interval.
    double readRate() const { return source_ ? source_->readRate() : 0.0; }
    double writeRate() const { return source_ ? source_->writeRate() : 0.0; }
    void close() { source_.reset(); }

    bool isOpen() const { return source_ != nullptr; }

private:
    SourceOpener openSource_;
    std::unique_ptr<platform::DiskRateSource> source_;
};

} // namespace oruvel::core
