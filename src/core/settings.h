#pragma once

#include "core/appearance.h"
#include "core/settings_keys.h"
#include "platform/ini_write_queue.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace oruvel::core {

// The program's settings: every key of section "main" of the settings file, read once when the program starts and
// served from memory afterwards. A change is kept at once, queued for the file (it lands on a worker thread, in the
// order given) and announced to the listeners with the key that changed. Values keep their stored forms: boxes
// "0"/"1" (2 is a greyed box), options "True"/"False", colours signed decimal, rates and paths as typed.
class Settings {
public:
    using Listener = std::function<void(const SettingKey& key)>;

    // Reads every key of the file at `path`. A key that is missing, empty or does not convert keeps its default;
    // option buttons of a group are read in order, each True one clearing the others.
    explicit Settings(std::string path, platform::ini::WriteQueue::Writer writer = platform::ini::writeValue,
                      std::chrono::milliseconds retryInterval = std::chrono::seconds(5));
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    const std::string& path() const { return path_; }

    // A colour, box (0, 1 or 2) or level; options give 1 for True.
    std::int32_t number(const SettingKey& key) const { return entry(key).number; }
    bool option(const SettingKey& key) const { return entry(key).number != 0; }
    // The value as it is stored: the text of an instance, rate or path, the written form of the others.
    const std::string& text(const SettingKey& key) const { return entry(key).text; }
    // What the file held for the key when the program started (empty when nothing).
    const std::string& textAtStart(const SettingKey& key) const { return entry(key).atStart; }

    // Each change keeps the value, stores it and, when it differs from the last, tells the listeners.
    void setNumber(const SettingKey& key, std::int32_t value);
    void setOption(const SettingKey& key, bool value);
    void setText(const SettingKey& key, std::string value);
    // Stores the key's value as it is (the keys a start writes).
    void store(const SettingKey& key);

    // The option groups, read and written as one: nullopt / Neither when no button of the group is selected.
    std::optional<WindowMode> windowMode() const;
    void setWindowMode(WindowMode mode);
    FillMode fillMode(Bar bar) const;
    void setFillMode(Bar bar, FillMode mode);

    // Listeners are told of each change until removed by the number they were given.
    int addListener(Listener listener);
    void removeListener(int id);

    // Returns once every change made so far has been tried: it landed in the file or is kept for another try.
    void flush() { writes_.flush(); }
    // Whether changes are waiting because they could not be written, and why. The listener is told on a worker
    // thread each time that changes; a change that cannot be written is kept, and tried again (see WriteQueue).
    platform::ini::SaveState saveState() const { return writes_.state(); }
    void setSaveListener(platform::ini::WriteQueue::StateListener listener) {
        writes_.setStateListener(std::move(listener));
    }

private:
    struct Entry {
        std::string text;
        std::int32_t number = 0;
        std::string atStart;
    };
    static std::size_t indexOf(const SettingKey& key);
    const Entry& entry(const SettingKey& key) const { return entries_[indexOf(key)]; }
    void load();
    // Sets the value of one option without storing it; true when it changed.
    bool assignOption(const SettingKey& key, bool value);
    // Selects `chosen` of a group (none when null): every button's value, then stores and announces.
    template <std::size_t N>
    void selectInGroup(const std::array<const SettingKey*, N>& group, const SettingKey* chosen);
    void changed(const SettingKey& key, bool differs);
    void announce(const SettingKey& key);

    std::string path_;
    platform::ini::WriteQueue writes_;
    std::array<Entry, kAllSettingKeys.size()> entries_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
};

} // namespace oruvel::core
