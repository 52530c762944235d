#include "platform/linux/disk_volumes.h"

#include "platform/linux/sysfs_disks.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <set>
#include <unistd.h>

namespace oruvel::platform {
namespace {

// `folder`/`name`, built in one string.
std::string joined(const std::string& folder, std::string_view name) {
    std::string path = folder;
    path += '/';
    path += name;
    return path;
}

using Dir = std::unique_ptr<DIR, int (*)(DIR*)>;
Dir openDir(const std::string& path) {
    return {::opendir(path.c_str()), &::closedir};
}

// The entries of a folder other than "." and "..".
std::vector<std::string> entries(const std::string& path) {
    std::vector<std::string> names;
    const Dir dir = openDir(path);
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The first line of a small file, without its line end; empty when it cannot be read.
std::string firstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    if (line.size() > 256) {
        line.clear();
    }
    return line;
}

bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

// The block devices below a sysfs block root: for each device a file system may live on (a whole disk, its
// partitions, a device-mapper or md device), the whole disks it lies on.
class DeviceMap {
public:
    explicit DeviceMap(const std::string& root) {
        std::map<std::string, std::vector<std::string>> slaves; // devices that are not whole disks
        for (const std::string& sysName : entries(root)) {
            const std::string name = kernelName(sysName);
            const std::string base = joined(root, sysName);
            if (isWholeDisk(root, name)) {
                add(name, firstLine(joined(base, "dev")), {name});
                for (const std::string& part : entries(base)) {
                    const std::string partBase = joined(base, part);
                    if (exists(joined(partBase, "partition"))) {
                        add(kernelName(part), firstLine(joined(partBase, "dev")), {name});
                    }
                }
            } else {
                slaves[name] = entries(joined(base, "slaves"));
                mapperNames_[firstLine(joined(base, "dm/name"))] = name;
                numbers_[firstLine(joined(base, "dev"))] = name;
            }
        }
        // Devices made of others: the disks below them, followed down a few levels at most.
        for (int level = 0; level < 8; ++level) {
            for (const auto& [name, below] : slaves) {
                std::set<std::string> found;
                for (const std::string& slave : below) {
                    const auto it = disks_.find(kernelName(slave));
                    if (it != disks_.end()) {
                        found.insert(it->second.begin(), it->second.end());
                    }
                }
                if (!found.empty()) {
                    disks_[name] = std::vector<std::string>(found.begin(), found.end());
                }
            }
        }
        mapperNames_.erase("");
        numbers_.erase("");
    }

    // The device a mount's device number or source names; empty when none.
    std::string deviceOf(const std::string& number, std::string_view source) const {
        if (const auto it = numbers_.find(number); it != numbers_.end() && disks_.contains(it->second)) {
            return it->second;
        }
        constexpr std::string_view kMapper = "/dev/mapper/";
        constexpr std::string_view kDev = "/dev/";
        if (source.starts_with(kMapper)) {
            const auto it = mapperNames_.find(std::string(source.substr(kMapper.size())));
            return it != mapperNames_.end() ? it->second : std::string();
        }
        if (source.starts_with(kDev) && disks_.contains(std::string(source.substr(kDev.size())))) {
            return std::string(source.substr(kDev.size()));
        }
        return {};
    }
    const std::vector<std::string>* disksOf(const std::string& device) const {
        const auto it = disks_.find(device);
        return it != disks_.end() ? &it->second : nullptr;
    }

private:
    static std::string kernelName(std::string sysName) {
        std::replace(sysName.begin(), sysName.end(), '!', '/');
        return sysName;
    }
    void add(const std::string& device, const std::string& number, std::vector<std::string> disks) {
        numbers_[number] = device;
        disks_[device] = std::move(disks);
    }

    std::map<std::string, std::vector<std::string>> disks_; // device -> the whole disks it lies on
    std::map<std::string, std::string> numbers_;            // "major:minor" -> device
    std::map<std::string, std::string> mapperNames_;        // device-mapper name -> device
};

// The fields of a line split at spaces.
std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') {
            ++i;
        }
        if (i > start) {
            out.push_back(line.substr(start, i - start));
        }
    }
    return out;
}

// The labels of the devices: device -> label.
std::map<std::string, std::string> readLabels(const std::string& byLabelFolder) {
    std::map<std::string, std::string> labels;
    for (const std::string& link : entries(byLabelFolder)) {
        std::array<char, PATH_MAX> target{};
        const ssize_t n = ::readlink(joined(byLabelFolder, link).c_str(), target.data(), target.size() - 1);
        if (n <= 0) {
            continue;
        }
        const std::string_view path(target.data(), static_cast<std::size_t>(n));
        labels[std::string(path.substr(path.find_last_of('/') + 1))] = unescapeUdevName(link);
    }
    return labels;
}

} // namespace

std::string unescapeMountField(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            out += static_cast<char>(value & 0xFF);
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string unescapeUdevName(std::string_view name) {
    std::string out;
    const auto hex = [](char c) {
        return (c >= '0' && c <= '9')   ? c - '0'
               : (c >= 'a' && c <= 'f') ? c - 'a' + 10
               : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                        : -1;
    };
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name.substr(i, 2) == "\\x" && i + 3 < name.size() && hex(name[i + 2]) >= 0 && hex(name[i + 3]) >= 0) {
            out += static_cast<char>(hex(name[i + 2]) * 16 + hex(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::map<std::string, std::vector<Volume>>
readDiskVolumes(const std::string& sysBlockRoot, const std::string& mountInfoPath, const std::string& byLabelFolder) {
    const DeviceMap devices(sysBlockRoot);
    std::map<std::string, std::string> labels = readLabels(byLabelFolder);
    std::map<std::string, std::vector<Volume>> volumes;
    std::set<std::string> mounted;
    const auto addTo = [&](const std::string& device, const Volume& volume) {
        if (const std::vector<std::string>* disks = devices.disksOf(device)) {
            for (const std::string& disk : *disks) {
                std::vector<Volume>& list = volumes[disk];
                if (std::find(list.begin(), list.end(), volume) == list.end()) {
                    list.push_back(volume);
                }
            }
        }
    };
    std::ifstream mounts(mountInfoPath);
    std::string line;
    while (std::getline(mounts, line)) {
        // ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [OPTIONAL...] - TYPE SOURCE SUPER-OPTIONS
        const std::vector<std::string_view> f = fields(line);
        const auto dash = std::find(f.begin(), f.end(), "-");
        if (f.size() < 6 || dash == f.end() || f.end() - dash < 3) {
            continue;
        }
        const std::string device = devices.deviceOf(std::string(f[2]), unescapeMountField(*(dash + 2)));
        if (device.empty()) {
            continue;
        }
        const auto label = labels.find(device);
        addTo(device, Volume{unescapeMountField(f[4]), label != labels.end() ? label->second : std::string()});
        mounted.insert(device);
    }
    std::vector<std::pair<std::string, std::string>> unmounted; // label, device
    for (const auto& [device, label] : labels) {
        if (!mounted.contains(device)) {
            unmounted.emplace_back(label, device);
        }
    }
    std::sort(unmounted.begin(), unmounted.end());
    for (const auto& [label, device] : unmounted) {
        addTo(device, Volume{std::string(), label});
    }
    return volumes;
}

} // namespace oruvel::platform
