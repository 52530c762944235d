#include "core/settings.h"

#include "core/value_conversion.h"
#include "platform/ini_file.h"

#include <algorithm>
#include <cassert>
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
std::span<const Key> groupOf(Key key) {
    static constexpr std::array kReadFill = fillKeysOf(Bar::Read);
    static constexpr std::array kWriteFill = fillKeysOf(Bar::Write);
    for (const std::span<const Key> group :
         {std::span<const Key>(kWindowModeKeys), std::span<const Key>(kReadFill), std::span<const Key>(kWriteFill)}) {
        if (std::find(group.begin(), group.end(), key) != group.end()) {
            return group;
        }
    }
    return {};
}

// The row of the key stored under `name` (matched as the file matches names), or null.
const KeyRow* findRow(std::string_view name) {
    const auto* const row = std::find_if(kKeyTable.begin(), kKeyTable.end(),
                                  [&](const KeyRow& r) { return platform::ini::namesEqual(r.name, name); });
    return row != kKeyTable.end() ? &*row : nullptr;
}

// Each key is told once for one change, however often the change touched it.
void note(std::vector<Key>& news, Key key) {
    if (std::find(news.begin(), news.end(), key) == news.end()) {
        news.push_back(key);
    }
}

} // namespace

Settings::Settings(std::string path, platform::ini::WriteQueue::Writer writer, std::chrono::milliseconds retryInterval)
    : path_(std::move(path)), writes_(path_, std::string(kSettingsSection), std::move(writer), retryInterval) {
    platform::ini::removeInterruptedWrites(path_);
    load();
}

void Settings::load() {
    for (const KeyRow& row : kKeyTable) {
        Entry& e = entries_[indexOf(row.key)];
        e.text = std::string(row.defaultText);
        e.number = numberFrom(row.form, row.defaultText).value_or(0);
    }
    for (const KeyRow& row : kKeyTable) {
        Entry& e = entries_[indexOf(row.key)];
        e.atStart = platform::ini::readValue(path_, kSettingsSection, row.name);
        if (isTextForm(row.form)) {
            // An empty rate or "0" shows the default; an empty instance is the default one.
            const bool useDefault = e.atStart.empty() || (row.form == ValueForm::Rate && e.atStart == "0");
            e.text = useDefault ? std::string(row.defaultText) : e.atStart;
            continue;
        }
        const auto value = numberFrom(row.form, e.atStart);
        if (!value) {
            continue;
        }
        if (row.form == ValueForm::Option) {
            // As option buttons load: a True one is selected and clears the others of its group.
            if (*value != 0) {
                for (const Key other : groupOf(row.key)) {
                    assignOption(other, false);
                }
            }
            assignOption(row.key, *value != 0);
            continue;
        }
        e.number = *value;
        e.text = writtenForm(row.form, *value);
    }
}

bool Settings::assignOption(Key key, bool value) {
    Entry& e = entries_[indexOf(key)];
    const std::int32_t number = value ? 1 : 0;
    const bool differs = e.number != number;
    e.number = number;
    e.text = booleanText(value);
    return differs;
}

void Settings::assignNumber(Key key, std::int32_t value, News& news) {
    Entry& e = entries_[indexOf(key)];
    const bool differs = e.number != value;
    e.number = value;
    e.text = writtenForm(rowOf(key).form, value);
    store(key);
    if (differs) {
        note(news, key);
    }
}

void Settings::assignText(Key key, std::string value, News& news) {
    Entry& e = entries_[indexOf(key)];
    const bool differs = e.text != value;
    e.text = std::move(value);
    store(key);
    if (differs) {
        note(news, key);
    }
}

void Settings::setNumber(Key key, std::int32_t value) {
    const Batch batch(*this);
    News news;
    assignNumber(key, value, news);
    if (key == Key::ShowMonitor) {
        settleHiddenMonitor(news);
    }
    announce(news);
}

void Settings::setOption(Key key, bool value) {
    News news;
    if (assignOption(key, value)) {
        note(news, key);
    }
    store(key);
    announce(news);
}

bool Settings::canHold(std::string_view value) {
    return platform::ini::holdsExactly(value);
}

bool Settings::setText(Key key, std::string value) {
    if (!canHold(value)) {
        return false;
    }
    News news;
    assignText(key, std::move(value), news);
    announce(news);
    return true;
}

std::vector<platform::ini::KeyValue> Settings::finishWrites() {
    std::vector<platform::ini::KeyValue> left = writes_.finish();
    std::erase_if(left, [this](const platform::ini::KeyValue& e) {
        return platform::ini::readValue(path_, kSettingsSection, e.key) == platform::ini::valueAsRead(e.value);
    });
    return left;
}

void Settings::applyUnsaved(const std::vector<platform::ini::KeyValue>& values) {
    const Batch batch(*this);
    for (const platform::ini::KeyValue& value : values) {
        const KeyRow* row = findRow(value.key);
        if (row == nullptr) {
            continue;
        }
        if (isTextForm(row->form)) {
            setText(row->key, value.value);
        } else if (const auto number = numberFrom(row->form, value.value)) {
            if (row->form == ValueForm::Option) {
                setOption(row->key, *number != 0);
            } else {
                setNumber(row->key, *number);
            }
        }
    }
}

void Settings::store(Key key) {
    writes_.write(std::string(rowOf(key).name), text(key));
}

void Settings::writeBackRestored() {
    const Batch batch(*this);
    const auto restoredDiffers = [this](Key key) {
        return number(key) != numberFrom(rowOf(key).form, rowOf(key).defaultText).value_or(0);
    };
    if (restoredDiffers(Key::AlwaysOnTop)) {
        store(Key::AlwaysOnTop);
    }
    for (const Key level : {Key::TranslucentOpacity, Key::GhostOpacity}) {
        if (restoredDiffers(level)) {
            store(level);
        }
    }
    if (const std::optional<WindowMode> mode = windowMode(); mode && *mode != WindowMode::Normal) {
        if (*mode != WindowMode::BlendIntoDesktop) {
            store(*mode == WindowMode::Translucent ? Key::TranslucentOpacity : Key::GhostOpacity);
        }
        for (const Key key : kWindowModeWriteOrder) {
            store(key);
        }
    }
    if (restoredDiffers(Key::RoundCorners)) {
        store(Key::RoundCorners);
    }
}

void Settings::settleHiddenMonitor() {
    const Batch batch(*this);
    News news;
    settleHiddenMonitor(news);
    announce(news);
}

void Settings::settleHiddenMonitor(News& news) {
    if (box(Key::ShowMonitor) != BoxState::Clear) {
        return;
    }
    if (windowMode() != WindowMode::Normal) {
        selectInGroup(kWindowModeWriteOrder, windowModeKey(WindowMode::Normal), news);
    }
    if (number(Key::AlwaysOnTop) != 0) {
        assignNumber(Key::AlwaysOnTop, 0, news);
    }
}

int Settings::addListener(Listener listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void Settings::removeListener(int id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Settings::announce(const News& news) {
    // Listeners only look: a change made while they are told would reach some of them before the news of the first.
    assert(!announcing_ && "a settings listener changed the settings");
    announcing_ = true;
    for (const Key key : news) {
        for (const auto& [id, listener] : listeners_) {
            listener(key);
        }
    }
    announcing_ = false;
}

template <std::size_t N>
void Settings::selectInGroup(const std::array<Key, N>& group, std::optional<Key> chosen, News& news) {
    for (const Key key : group) {
        if (assignOption(key, key == chosen)) {
            note(news, key);
        }
    }
    for (const Key key : group) {
        store(key);
    }
}

std::optional<WindowMode> Settings::windowMode() const {
    for (const WindowMode mode : kWindowModes) {
        if (option(windowModeKey(mode))) {
            return mode;
        }
    }
    return std::nullopt;
}

void Settings::setWindowMode(WindowMode mode) {
    const Batch batch(*this);
    News news;
    // The level of the mode chosen is stored with it; a hidden monitor stays in the normal mode.
    if (mode == WindowMode::Translucent || mode == WindowMode::Ghost) {
        store(mode == WindowMode::Translucent ? Key::TranslucentOpacity : Key::GhostOpacity);
    }
    const bool hidden = box(Key::ShowMonitor) == BoxState::Clear;
    selectInGroup(kWindowModeWriteOrder, windowModeKey(hidden ? WindowMode::Normal : mode), news);
    settleHiddenMonitor(news);
    announce(news);
}

FillMode Settings::fillMode(Bar bar) const {
    const auto group = fillKeysOf(bar);
    if (option(group[0])) {
        return FillMode::Colour;
    }
    return option(group[1]) ? FillMode::Picture : FillMode::Neither;
}

void Settings::setFillMode(Bar bar, FillMode mode) {
    const auto group = fillKeysOf(bar);
    const Batch batch(*this);
    News news;
    selectInGroup(group,
                  mode == FillMode::Colour    ? std::optional(group[0])
                  : mode == FillMode::Picture ? std::optional(group[1])
                                              : std::nullopt,
                  news);
    announce(news);
}

} // namespace oruvel::core
