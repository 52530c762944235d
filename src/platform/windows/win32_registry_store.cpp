#include "platform/windows/win32_registry_store.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#include <cstring>

namespace oruvel::platform {
namespace {

HKEY rootKey(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegRoot::Users:
        return HKEY_USERS;
    case RegRoot::CurrentConfig:
        return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

bool isText(std::uint32_t type) { return type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz; }

// Registry data in the store's form: text as UTF-8 with its NULs, other data as is.
std::vector<std::uint8_t> fromRegistry(DWORD type, const std::vector<std::uint8_t>& raw) {
    if (!isText(type)) {
        return raw;
    }
    std::wstring wide(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), raw.data(), wide.size() * sizeof(wchar_t));
    const std::string utf8 = toUtf8(wide);
    return {utf8.begin(), utf8.end()};
}

std::vector<std::uint8_t> toRegistry(std::uint32_t type, const std::vector<std::uint8_t>& data) {
    if (!isText(type)) {
        return data;
    }
    const std::wstring wide = toWide(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
    std::vector<std::uint8_t> raw(wide.size() * sizeof(wchar_t));
    std::memcpy(raw.data(), wide.data(), raw.size());
    return raw;
}

class OpenKey {
public:
    OpenKey(RegRoot root, const std::string& path, REGSAM access)
        : status_(RegOpenKeyExW(rootKey(root), toWide(path).c_str(), 0, access, &key_)) {}
    ~OpenKey() {
        if (status_ == ERROR_SUCCESS) {
            RegCloseKey(key_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    long status() const { return status_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
    long status_;
};

} // namespace

long Win32RegistryStore::createKey(RegRoot root, const std::string& path) {
    HKEY key = nullptr;
    const long status = RegCreateKeyExW(rootKey(root), toWide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        RegCloseKey(key);
    }
    return status;
}

long Win32RegistryStore::openKey(RegRoot root, const std::string& path) {
    return OpenKey(root, path, KEY_READ).status();
}

long Win32RegistryStore::deleteKey(RegRoot root, const std::string& path) {
    {
        const OpenKey key(root, path, KEY_READ);
        if (key.status() == ERROR_SUCCESS) {
            DWORD subkeys = 0;
            RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
            if (subkeys > 0) {
                return ERROR_ACCESS_DENIED; // a key with subkeys stays
            }
        }
    }
    return RegDeleteKeyW(rootKey(root), toWide(path).c_str());
}

long Win32RegistryStore::queryValue(RegRoot root, const std::string& path, const std::string& name, RegValue& out) {
    const OpenKey key(root, path, KEY_READ);
    if (key.status() != ERROR_SUCCESS) {
        return key.status();
    }
    const std::wstring wname = toWide(name);
    DWORD type = 0;
    DWORD size = 0;
    long status = RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    std::vector<std::uint8_t> raw(size);
    status = RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type, raw.data(), &size);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    raw.resize(size);
    out.type = type;
    out.data = fromRegistry(type, raw);
    return ERROR_SUCCESS;
}

long Win32RegistryStore::setValue(RegRoot root, const std::string& path, const std::string& name,
                                  const RegValue& value) {
    const OpenKey key(root, path, KEY_WRITE);
    if (key.status() != ERROR_SUCCESS) {
        return key.status();
    }
    const std::vector<std::uint8_t> raw = toRegistry(value.type, value.data);
    return RegSetValueExW(key.get(), toWide(name).c_str(), 0, value.type, raw.data(), static_cast<DWORD>(raw.size()));
}

long Win32RegistryStore::deleteValue(RegRoot root, const std::string& path, const std::string& name) {
    const OpenKey key(root, path, KEY_SET_VALUE);
    if (key.status() != ERROR_SUCCESS) {
        return key.status();
    }
    return RegDeleteValueW(key.get(), toWide(name).c_str());
}

long Win32RegistryStore::subkeys(RegRoot root, const std::string& path, std::vector<std::string>& out) {
    const OpenKey key(root, path, KEY_READ);
    if (key.status() != ERROR_SUCCESS) {
        return key.status();
    }
    out.clear();
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        out.push_back(toUtf8(std::wstring_view(name, length)));
    }
    return ERROR_SUCCESS;
}

long Win32RegistryStore::values(RegRoot root, const std::string& path,
                                std::vector<std::pair<std::string, RegValue>>& out) {
    std::vector<std::string> names;
    {
        const OpenKey key(root, path, KEY_READ);
        if (key.status() != ERROR_SUCCESS) {
            return key.status();
        }
        wchar_t name[16384];
        for (DWORD i = 0;; ++i) {
            DWORD length = 16384;
            if (RegEnumValueW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            names.push_back(toUtf8(std::wstring_view(name, length)));
        }
    }
    out.clear();
    for (const auto& n : names) {
        RegValue v;
        if (queryValue(root, path, n, v) == ERROR_SUCCESS) {
            out.emplace_back(n, std::move(v));
        }
    }
    return ERROR_SUCCESS;
}

} // namespace oruvel::platform
