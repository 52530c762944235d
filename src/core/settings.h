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
    using Listener = std::function<void(Key key)>;

    // Reads every key of the file at `path`. A key that is missing, empty or does not convert keeps its default;
    // option buttons of a group are read in order, each True one clearing the others.
    explicit Settings(std::string path, platform::ini::WriteQueue::Writer writer = platform::ini::writeValues,
                      std::chrono::milliseconds retryInterval = std::chrono::seconds(5));
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    const std::string& path() const { return path_; }

    // A colour, box (0, 1 or 2) or level; options give 1 for True.
    std::int32_t number(Key key) const { return entries_[indexOf(key)].number; }
    BoxState box(Key key) const { return static_cast<BoxState>(number(key)); }
    bool option(Key key) const { return number(key) != 0; }
    // The value as it is stored: the text of an instance, rate or path, the written form of the others.
    const std::string& text(Key key) const { return entries_[indexOf(key)].text; }
    // What the file held for the key when the program started (empty when nothing).
    const std::string& textAtStart(Key key) const { return entries_[indexOf(key)].atStart; }

    // Each change keeps the value, stores it and, when it differs from the last, tells the listeners. Hiding the
    // monitor (show 0) also puts it back in the normal mode and off the top, as one change.
    void setNumber(Key key, std::int32_t value);
    void setOption(Key key, bool value);
    // A text the settings file cannot give back exactly as it is (see canHold) is refused: false, nothing changes.
    bool setText(Key key, std::string value);
    // Whether the settings file gives `value` back exactly as stored: no line breaks or NUL bytes, no blanks or quotes
    // around it, and not longer than a read gives back.
    static bool canHold(std::string_view value);
    // Stores the key's value as it is (the keys a start writes).
    void store(Key key);

    // The option groups, read and written as one: nullopt / Neither when no button of the group is selected.
    std::optional<WindowMode> windowMode() const;
    // Stores the level of a see-through mode, then the four mode keys (translucent, ghost, blend, normal).
    void setWindowMode(WindowMode mode);
    FillMode fillMode(Bar bar) const;
    void setFillMode(Bar bar, FillMode mode);
    // A hidden monitor is in the normal mode and not on top: makes it so, where the monitor is hidden.
    void settleHiddenMonitor();
    // What the start writes back as the form takes the stored values: each control whose value differs from the
    // form's own stores its key in its written form (stay-on-top, the two levels, then a chosen mode other than the
    // normal one with its level and the four mode keys, then round corners). The values stay as they are.
    void writeBackRestored();

    // The writes of the changes made while a Batch lives land together, in one replace of the file (a colour scheme,
    // a mode with its level). Batches nest.
    class Batch {
    public:
        explicit Batch(Settings& settings) : settings_(settings) { settings_.writes_.beginBatch(); }
        ~Batch() { settings_.writes_.endBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Settings& settings_;
    };

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
    // Ends the writes, trying once more what failed; returns what still could not be written and differs from what the
    // file holds (in stored form, in order). Changes made afterwards are kept in memory only.
    std::vector<platform::ini::KeyValue> finishWrites();
    // Applies values that an earlier run could not save (by stored key name; unknown names are ignored) as changes:
    // kept, stored and announced.
    void applyUnsaved(const std::vector<platform::ini::KeyValue>& values);

private:
    struct Entry {
        std::string text;
        std::int32_t number = 0;
        std::string atStart;
    };
    // The keys one change made differ, in the order they changed: told to the listeners once the change is whole.
    using News = std::vector<Key>;
    void load();
    // Each sets a value and stores it, noting the key in `news` when its value differs.
    void assignNumber(Key key, std::int32_t value, News& news);
    void assignText(Key key, std::string value, News& news);
    // Sets the value of one option without storing it; true when it changed.
    bool assignOption(Key key, bool value);
    // Selects `chosen` of a group (none when nullopt): every button's value, then stores them.
    template <std::size_t N> void selectInGroup(const std::array<Key, N>& group, std::optional<Key> chosen, News& news);
    void settleHiddenMonitor(News& news);
    void announce(const News& news);

    std::string path_;
    platform::ini::WriteQueue writes_;
    std::array<Entry, kKeyCount> entries_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
    bool announcing_ = false;
};

} // namespace oruvel::core
