#include "platform/linux/sysfs_disks.h"

#include "platform/text_util.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace oruvel::platform {
namespace {

// The first line of a small sysfs attribute, trimmed; empty when it cannot be read.
std::string attribute(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rbe"), &std::fclose);
    if (!f) {
        return {};
    }
    std::array<char, 256> text{};
    const std::size_t got = std::fread(text.data(), 1, text.size(), f.get());
    std::string_view line(text.data(), got);
    line = line.substr(0, line.find('\n'));
    std::string out(trimmed(line));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return out;
}

} // namespace

std::string sysfsName(std::string_view kernelName) {
    std::string name(kernelName);
    std::replace(name.begin(), name.end(), '/', '!');
    return name;
}

bool isWholeDisk(const std::string& sysBlockRoot, const std::string& name) {
    const std::string sysName = sysfsName(name);
    if (sysName.empty() || sysName == "." || sysName == "..") {
        return false;
    }
    struct stat st {};
    return ::stat((sysBlockRoot + "/" + sysName + "/device").c_str(), &st) == 0;
}

void listWholeDisks(const std::string& sysBlockRoot, std::vector<std::string>& names) {
    names.clear();
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(sysBlockRoot.c_str()), &::closedir);
    if (!dir) {
        return;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view sysName = entry->d_name;
        if (!sysName.empty() && sysName.front() != '.' && isWholeDisk(sysBlockRoot, std::string(sysName))) {
            names.emplace_back(sysName);
            std::replace(names.back().begin(), names.back().end(), '!', '/');
        }
    }
}

std::vector<DiskInfo> readSysfsDisks(const std::string& sysBlockRoot) {
    std::vector<std::string> names;
    listWholeDisks(sysBlockRoot, names);
    std::vector<DiskInfo> disks;
    for (const std::string& name : names) {
        DiskInfo disk;
        disk.name = name;
        const std::string base = sysBlockRoot + "/" + sysfsName(name);
        disk.model = attribute(base + "/device/model");
        const std::string sectors = attribute(base + "/size");
        std::uint64_t count = 0;
        const auto [end, ec] = std::from_chars(sectors.data(), sectors.data() + sectors.size(), count);
        if (ec == std::errc() && end == sectors.data() + sectors.size() && count <= UINT64_MAX / 512) {
            disk.sizeBytes = count * 512;
        }
        disks.push_back(std::move(disk));
    }
    std::sort(disks.begin(), disks.end(), [](const DiskInfo& a, const DiskInfo& b) { return a.name < b.name; });
    return disks;
}

} // namespace oruvel::platform
