#include "platform/file_registry_store.h"

#include "platform/file_ops.h"
#include "platform/registry_hive.h"

#include <array>
#include <cstdio>
#include <memory>

namespace oruvel::platform {
namespace {

const char* rootName(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    case RegRoot::Users:
        return "HKEY_USERS";
    case RegRoot::CurrentConfig:
        return "HKEY_CURRENT_CONFIG";
    }
    return "HKEY_UNKNOWN";
}

enum class ReadResult { Missing, Ok, Damaged };

ReadResult readSmallFile(const std::string& path, std::size_t limit, std::string& out) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(openForReading(path), &std::fclose);
    if (!f) {
        return ReadResult::Missing;
    }
    std::array<char, 16384> chunk{};
    std::size_t got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), f.get())) > 0) {
        if (out.size() + got > limit) {
            return ReadResult::Damaged;
        }
        out.append(chunk.data(), got);
    }
    return std::ferror(f.get()) != 0 ? ReadResult::Damaged : ReadResult::Ok;
}

} // namespace

FileRegistryStore::FileRegistryStore(std::string folder) : folder_(std::move(folder)) {}

std::string FileRegistryStore::hivePath(RegRoot root) const {
    return folder_ + "/" + rootName(root) + ".hive";
}

RegistryHive FileRegistryStore::load(RegRoot root) const {
    std::string text;
    if (folder_.empty() || readSmallFile(hivePath(root), kMaxHiveBytes, text) != ReadResult::Ok) {
        return {};
    }
    auto hive = RegistryHive::parse(text);
    return hive ? std::move(*hive) : RegistryHive{};
}

long FileRegistryStore::modify(RegRoot root, const std::function<long(RegistryHive&)>& change) {
    const std::string path = hivePath(root);
    if (folder_.empty() || !makeFolders(folder_)) {
        return reg::kCantWrite;
    }
    const FolderLock lock(folder_);
    std::string text;
    const ReadResult read = readSmallFile(path, kMaxHiveBytes, text);
    std::optional<RegistryHive> hive = read == ReadResult::Ok ? RegistryHive::parse(text) : RegistryHive{};
    if (read == ReadResult::Damaged || !hive) {
        // Keep what cannot be read instead of overwriting it, and start afresh.
        std::rename(path.c_str(), (path + ".damaged").c_str());
        hive = RegistryHive{};
    }
    const long status = change(*hive);
    if (status != reg::kSuccess) {
        return status;
    }
    const std::string out = hive->serialize();
    return replaceFile(path, [&](OutputSink& sink) { return sink.write(out); }) ? reg::kSuccess : reg::kCantWrite;
}

long FileRegistryStore::createKey(RegRoot root, const std::string& path) {
    if (RegistryHive::normalize(path).empty()) {
        return reg::kInvalidParameter;
    }
    if (load(root).hasKey(path)) {
        return reg::kSuccess;
    }
    return modify(root, [&](RegistryHive& hive) {
        hive.createKey(path);
        return reg::kSuccess;
    });
}

long FileRegistryStore::openKey(RegRoot root, const std::string& path) {
    return load(root).hasKey(path) ? reg::kSuccess : reg::kFileNotFound;
}

long FileRegistryStore::deleteKey(RegRoot root, const std::string& path) {
    return modify(root, [&](RegistryHive& hive) { return hive.deleteKey(path); });
}

long FileRegistryStore::queryValue(RegRoot root, const std::string& path, const std::string& name, RegValue& out) {
    RegistryHive hive = load(root);
    RegistryHive::Key* key = hive.findKey(path);
    if (key == nullptr) {
        return reg::kFileNotFound;
    }
    const RegValue* value = findValue(*key, name);
    if (value == nullptr) {
        return reg::kFileNotFound;
    }
    out = *value;
    return reg::kSuccess;
}

long FileRegistryStore::setValue(RegRoot root, const std::string& path, const std::string& name,
                                 const RegValue& value) {
    return modify(root, [&](RegistryHive& hive) {
        RegistryHive::Key* key = hive.findKey(path);
        if (key == nullptr) {
            return reg::kFileNotFound;
        }
        if (RegValue* existing = findValue(*key, name)) {
            *existing = value;
        } else {
            key->values.emplace_back(name, value);
        }
        return reg::kSuccess;
    });
}

long FileRegistryStore::deleteValue(RegRoot root, const std::string& path, const std::string& name) {
    return modify(root, [&](RegistryHive& hive) {
        RegistryHive::Key* key = hive.findKey(path);
        if (key == nullptr) {
            return reg::kFileNotFound;
        }
        auto& values = key->values;
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (findValue(*key, name) == &it->second) {
                values.erase(it);
                return reg::kSuccess;
            }
        }
        return reg::kFileNotFound;
    });
}

long FileRegistryStore::subkeys(RegRoot root, const std::string& path, std::vector<std::string>& out) {
    const RegistryHive hive = load(root);
    if (!hive.hasKey(path)) {
        return reg::kFileNotFound;
    }
    out = hive.subkeysOf(path);
    return reg::kSuccess;
}

long FileRegistryStore::values(RegRoot root, const std::string& path,
                               std::vector<std::pair<std::string, RegValue>>& out) {
    const RegistryHive hive = load(root);
    const RegistryHive::Key* key = hive.findKey(path);
    if (key == nullptr) {
        return reg::kFileNotFound;
    }
    out = key->values;
    return reg::kSuccess;
}

} // namespace oruvel::platform
