#include "core/disk_rate_sampler.h"

namespace oruvel::core {

void DiskRateSampler::open(std::string_view instance) {
    source_.reset();
    source_ = openSource_ ? openSource_() : nullptr;
    if (source_) {
        source_->select(instance);
    }
}

void DiskRateSampler::switchInstance(std::string_view instance) {
    if (source_) {
        source_->select(instance);
    } else {
        open(instance);
    }
}

void DiskRateSampler::sample() {
    if (source_) {
        source_->collect();
    }
}

} // namespace oruvel::core
