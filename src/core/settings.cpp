#include "core/settings.h"

#include "core/value_conversion.h"
#include "platform/ini_file.h"

#include <algorithm>
#include <span>

namespace oruvel::core {
namespace {

// The value a stored text gives a key of a number form; nullopt when it does not convert (the default stays).
std::optional<std::int32_t> numberFrom(ValueForm form, std::string_view text) {
    switch (form) {
    case ValueForm::Colour:
        return toInt32(text);
    case ValueForm::Box:
        return toBoxValue(text);
    case ValueForm::Level:
        return toLevel(text);
    case ValueForm::Option:
        if (const auto b = toBoolean(text)) {
            return *b ? 1 : 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool isTextForm(ValueForm form) {
    return form == ValueForm::Instance || form == ValueForm::Rate || form == ValueForm::Path;
}

std::string writtenForm(ValueForm form, std::int32_t number) {
    return form == ValueForm::Option ? booleanText(number != 0) : std::to_string(number);
}

// The option group a key belongs to (empty for keys of no group).
std::span<const SettingKey* const> groupOf(const SettingKey& key) {
    for (const std::span<const SettingKey* const> group :
         {std::span<const SettingKey* const>(kWindowModeKeys), std::span<const SettingKey* const>(kReadFillKeys),
          std::span<const SettingKey* const>(kWriteFillKeys)}) {
        if (std::find(group.begin(), group.end(), &key) != group.end()) {
            return group;
        }
    }
    return {};
}

} // namespace

Settings::Settings(std::string path, platform::ini::WriteQueue::Writer writer, std::chrono::milliseconds retryInterval)
    : path_(std::move(path)), writes_(path_, std::string(kSettingsSection), std::move(writer), retryInterval) {
    load();
}

std::size_t Settings::indexOf(const SettingKey& key) {
    for (std::size_t i = 0; i < kAllSettingKeys.size(); ++i) {
        if (kAllSettingKeys[i] == &key) {
            return i;
        }
    }
    // A key outside the table is a programming error; name lookup keeps it harmless.
    for (std::size_t i = 0; i < kAllSettingKeys.size(); ++i) {
        if (kAllSettingKeys[i]->name == key.name) {
            return i;
        }
    }
    return 0;
}

void Settings::load() {
    for (std::size_t i = 0; i < kAllSettingKeys.size(); ++i) {
        const SettingKey& key = *kAllSettingKeys[i];
        Entry& e = entries_[i];
        e.text = std::string(key.defaultText);
        e.number = numberFrom(key.form, key.defaultText).value_or(0);
    }
    for (std::size_t i = 0; i < kAllSettingKeys.size(); ++i) {
        const SettingKey& key = *kAllSettingKeys[i];
        Entry& e = entries_[i];
        e.atStart = platform::ini::readValue(path_, kSettingsSection, key.name);
        if (isTextForm(key.form)) {
            // An empty rate or "0" shows the default; an empty instance is the default one.
            const bool useDefault = e.atStart.empty() || (key.form == ValueForm::Rate && e.atStart == "0");
            e.text = useDefault ? std::string(key.defaultText) : e.atStart;
            continue;
        }
        const auto value = numberFrom(key.form, e.atStart);
        if (!value) {
            continue;
        }
        if (key.form == ValueForm::Option) {
            // As option buttons load: a True one is selected and clears the others of its group.
            if (*value != 0) {
                for (const SettingKey* other : groupOf(key)) {
                    assignOption(*other, false);
                }
            }
            assignOption(key, *value != 0);
            continue;
        }
        e.number = *value;
        e.text = writtenForm(key.form, *value);
    }
}

bool Settings::assignOption(const SettingKey& key, bool value) {
    Entry& e = entries_[indexOf(key)];
    const std::int32_t number = value ? 1 : 0;
    const bool differs = e.number != number;
    e.number = number;
    e.text = booleanText(value);
    return differs;
}

void Settings::setNumber(const SettingKey& key, std::int32_t value) {
    Entry& e = entries_[indexOf(key)];
    const bool differs = e.number != value;
    e.number = value;
    e.text = writtenForm(key.form, value);
    changed(key, differs);
}

void Settings::setOption(const SettingKey& key, bool value) {
    changed(key, assignOption(key, value));
}

void Settings::setText(const SettingKey& key, std::string value) {
    Entry& e = entries_[indexOf(key)];
    const bool differs = e.text != value;
    e.text = std::move(value);
    changed(key, differs);
}

void Settings::store(const SettingKey& key) {
    writes_.write(std::string(key.name), entry(key).text);
}

void Settings::changed(const SettingKey& key, bool differs) {
    store(key);
    if (differs) {
        announce(key);
    }
}

int Settings::addListener(Listener listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void Settings::removeListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Settings::announce(const SettingKey& key) {
    // A listener may make changes of its own while it is told, but adds or removes no listener then.
    for (const auto& [id, listener] : listeners_) {
        listener(key);
    }
}

template <std::size_t N>
void Settings::selectInGroup(const std::array<const SettingKey*, N>& group, const SettingKey* chosen) {
    std::array<bool, N> differs{};
    for (std::size_t i = 0; i < N; ++i) {
        differs[i] = assignOption(*group[i], group[i] == chosen);
    }
    for (const SettingKey* key : group) {
        store(*key);
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (differs[i]) {
            announce(*group[i]);
        }
    }
}

std::optional<WindowMode> Settings::windowMode() const {
    for (const WindowMode mode : kWindowModes) {
        if (option(*kWindowModeKeys[core::indexOf(mode)])) {
            return mode;
        }
    }
    return std::nullopt;
}

void Settings::setWindowMode(WindowMode mode) {
    selectInGroup(kWindowModeKeys, kWindowModeKeys[core::indexOf(mode)]);
}

FillMode Settings::fillMode(Bar bar) const {
    const auto& group = fillKeysOf(bar);
    if (option(*group[0])) {
        return FillMode::Colour;
    }
    return option(*group[1]) ? FillMode::Picture : FillMode::Neither;
}

void Settings::setFillMode(Bar bar, FillMode mode) {
    const auto& group = fillKeysOf(bar);
    selectInGroup(group, mode == FillMode::Colour ? group[0] : mode == FillMode::Picture ? group[1] : nullptr);
}

} // namespace oruvel::core
