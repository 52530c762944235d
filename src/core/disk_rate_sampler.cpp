#include "core/disk_rate_sampler.h"

namespace oruvel::core {

std::string readCounterPath(std::string_view instance) {
    return "\\PhysicalDisk(" + std::string(instance) + ")\\Disk Read Bytes/sec";
}

std::string writeCounterPath(std::string_view instance) {
    return "\\PhysicalDisk(" + std::string(instance) + ")\\Disk Write Bytes/sec";
}

void DiskRateSampler::open(std::string_view instance) {
    query_.reset();
    query_ = openQuery_ ? openQuery_() : nullptr;
    addCounters(instance);
}

void DiskRateSampler::switchInstance(std::string_view instance) {
    if (!query_) {
        open(instance);
        return;
    }
    addCounters(instance);
}

void DiskRateSampler::addCounters(std::string_view instance) {
    readPath_ = readCounterPath(instance);
    writePath_ = writeCounterPath(instance);
    readCounter_ = query_ ? query_->addCounter(readPath_) : 0;
    writeCounter_ = query_ ? query_->addCounter(writePath_) : 0;
}

void DiskRateSampler::sample() {
    if (query_) {
        query_->collect();
    }
}

double DiskRateSampler::rate(platform::CounterHandle counter) const {
    return query_ ? query_->counterValue(counter) : 0.0;
}

void DiskRateSampler::close() {
    query_.reset();
    readCounter_ = 0;
    writeCounter_ = 0;
}

} // namespace oruvel::core
