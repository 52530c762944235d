#include "platform/windows/pdh_disk_activity_source.h"

#include "platform/windows/pdh_disk_rate_source.h"
#include "platform/windows/win_text.h"

#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace oruvel::platform {
namespace {

constexpr std::array<const char*, kActivityCounterCount> kCounterNames{
    "Disk Read Bytes/sec", "Disk Write Bytes/sec", "% Idle Time",     "Avg. Disk sec/Read",
    "Avg. Disk sec/Write", "Disk Reads/sec",       "Disk Writes/sec", "Current Disk Queue Length"};

double sound(double v) {
    return std::isfinite(v) && v > 0 ? v : 0.0;
}

} // namespace

std::string activityCounterPath(ActivityCounter counter) {
    return std::string("\\PhysicalDisk(*)\\") + kCounterNames[static_cast<std::size_t>(counter)];
}

std::vector<DiskActivityReading> activityFromCounters(const std::array<InstanceValues, kActivityCounterCount>& values) {
    std::map<std::string, DiskActivityReading> disks;
    for (std::size_t c = 0; c < kActivityCounterCount; ++c) {
        for (const auto& [instance, value] : values[c]) {
            if (instance == "_Total") {
                continue;
            }
            DiskActivityReading& r = disks[instance];
            r.name = instance;
            DiskActivity& a = r.activity;
            switch (static_cast<ActivityCounter>(c)) {
            case ActivityCounter::ReadBytes:
                a.readRate = sound(value);
                r.measured = true;
                break;
            case ActivityCounter::WriteBytes:
                a.writeRate = sound(value);
                r.measured = true;
                break;
            case ActivityCounter::IdleTime:
                a.busyPercent = std::isfinite(value) ? std::clamp(100.0 - value, 0.0, 100.0) : 0.0;
                break;
            case ActivityCounter::ReadTime:
                a.readAwaitMilliseconds = sound(value) * 1000.0;
                break;
            case ActivityCounter::WriteTime:
                a.writeAwaitMilliseconds = sound(value) * 1000.0;
                break;
            case ActivityCounter::Reads:
                a.readsPerSecond = sound(value);
                break;
            case ActivityCounter::Writes:
                a.writesPerSecond = sound(value);
                break;
            case ActivityCounter::QueueLength:
            case ActivityCounter::Count:
                a.inFlight = sound(value);
                break;
            }
        }
    }
    std::vector<DiskActivityReading> out;
    out.reserve(disks.size());
    for (auto& [name, reading] : disks) {
        out.push_back(std::move(reading));
    }
    return out;
}

std::vector<std::string> driveLettersOf(const std::string& instance) {
    std::vector<std::string> letters;
    std::size_t at = 0;
    while (at < instance.size()) {
        const std::size_t end = std::min(instance.find(' ', at), instance.size());
        const std::string_view word(instance.data() + at, end - at);
        if (word.size() == 2 && word[1] == ':' &&
            ((word[0] >= 'A' && word[0] <= 'Z') || (word[0] >= 'a' && word[0] <= 'z'))) {
            letters.emplace_back(word);
        }
        at = end + 1;
    }
    return letters;
}

PdhDiskActivitySource::PdhDiskActivitySource() {
    PDH_HQUERY query = nullptr;
    if (PdhOpenQueryW(nullptr, 1, &query) != ERROR_SUCCESS) {
        return;
    }
    query_ = query;
    for (std::size_t c = 0; c < kActivityCounterCount; ++c) {
        PDH_HCOUNTER counter = nullptr;
        if (PdhAddEnglishCounterW(query, toWide(activityCounterPath(static_cast<ActivityCounter>(c))).c_str(), 0,
                                  &counter) == ERROR_SUCCESS) {
            counters_[c] = counter;
        }
    }
}

PdhDiskActivitySource::~PdhDiskActivitySource() {
    if (query_ != nullptr) {
        PdhCloseQuery(static_cast<PDH_HQUERY>(query_));
    }
}

void PdhDiskActivitySource::collect() {
    readings_.clear();
    if (query_ == nullptr || PdhCollectQueryData(static_cast<PDH_HQUERY>(query_)) != ERROR_SUCCESS) {
        return;
    }
    std::array<InstanceValues, kActivityCounterCount> values;
    for (std::size_t c = 0; c < kActivityCounterCount; ++c) {
        if (counters_[c] == nullptr) {
            continue;
        }
        const auto counter = static_cast<PDH_HCOUNTER>(counters_[c]);
        DWORD bytes = 0;
        DWORD count = 0;
        PDH_STATUS status =
            PdhGetFormattedCounterArrayW(counter, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, &bytes, &count, nullptr);
        if (status != static_cast<PDH_STATUS>(PDH_MORE_DATA) || bytes == 0) {
            continue; // the first collection of a rate has no value yet
        }
        buffer_.assign(bytes, 0);
        auto* items = reinterpret_cast<PDH_FMT_COUNTERVALUE_ITEM_W*>(buffer_.data());
        status = PdhGetFormattedCounterArrayW(counter, PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, &bytes, &count, items);
        if (status != ERROR_SUCCESS) {
            continue;
        }
        for (DWORD i = 0; i < count; ++i) {
            const DWORD valid = items[i].FmtValue.CStatus;
            if (valid == PDH_CSTATUS_VALID_DATA || valid == PDH_CSTATUS_NEW_DATA) {
                values[c].emplace_back(toUtf8(items[i].szName), items[i].FmtValue.doubleValue);
            }
        }
    }
    readings_ = activityFromCounters(values);
}

std::vector<DiskInfo> listPdhDisksWithVolumes() {
    std::vector<DiskInfo> disks = listPdhDisks();
    for (DiskInfo& disk : disks) {
        for (const std::string& letter : driveLettersOf(disk.name)) {
            std::array<wchar_t, MAX_PATH + 1> label{};
            const std::wstring root = toWide(letter + "\\");
            // A drive without a medium answers nothing; its letter stands alone.
            const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
            const bool named = GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                                     nullptr, nullptr, nullptr, nullptr, 0) != 0;
            SetErrorMode(oldMode);
            disk.volumes.push_back({letter, named ? toUtf8(label.data()) : std::string()});
        }
    }
    return disks;
}

} // namespace oruvel::platform
