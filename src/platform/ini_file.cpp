#include "platform/ini_file.h"

#include "platform/file_ops.h"
#include "platform/line_scanner.h"
#include "platform/text_util.h"
#include "platform/utf16_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace oruvel::platform::ini {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool hasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

// A stored value as a read hands it back: up to a NUL byte, cut to the longest value read.
std::string endedAndCut(std::string_view v) {
    v = v.substr(0, v.find('\0'));
    return std::string(cutUtf8(v, kMaxValueLength));
}

constexpr std::string_view kLineBreakers{"\r\n\0", 3};

// Settings files are small; a UTF-16 one is decoded in memory up to this size, and larger ones are not read.
constexpr std::size_t kMaxDecodedFile = std::size_t{4} << 20U;

// A settings file opened for reading, in the form the scanner reads: UTF-8 straight from the disk, UTF-16 (known by
// its byte order mark) decoded to UTF-8 in memory without its mark.
class SourceFile {
public:
    // False, with lastFileFailure() saying why, when the file cannot be opened, or is UTF-16 and too large.
    bool open(const std::string& path) {
        file_.reset(openForReading(path));
        if (!file_) {
            return false;
        }
        std::array<unsigned char, 2> mark{};
        const bool marked = std::fread(mark.data(), 1, 2, file_.get()) == 2 &&
                            ((mark[0] == 0xFF && mark[1] == 0xFE) || (mark[0] == 0xFE && mark[1] == 0xFF));
        if (!marked) {
            std::rewind(file_.get());
            return true;
        }
        utf16_ = mark[0] == 0xFF ? ByteOrder::Little : ByteOrder::Big;
        std::string raw;
        std::array<char, 65536> chunk{};
        std::size_t got = 0;
        while ((got = std::fread(chunk.data(), 1, chunk.size(), file_.get())) > 0) {
            if (raw.size() + got > kMaxDecodedFile) {
                setFileFailure("the file is too large");
                return false;
            }
            raw.append(chunk.data(), got);
        }
        if (std::ferror(file_.get()) != 0) {
            setFileFailure("the file cannot be read");
            return false;
        }
        decoded_ = utf8FromUtf16(raw, *utf16_);
        return true;
    }

    LineScanner scanner() { return utf16_ ? LineScanner(std::string_view(decoded_)) : LineScanner(file_.get()); }

    bool copy(std::uint64_t from, std::uint64_t to, OutputSink& out) {
        const auto write = [&](std::string_view b) { return out.write(b); };
        return utf16_ ? copyRange(std::string_view(decoded_), from, to, write)
                      : copyRange(file_.get(), from, to, write);
    }

    std::optional<ByteOrder> utf16() const { return utf16_; }
    // Closed before the new file takes its place (Windows cannot replace an open file).
    void close() { file_.reset(); }

private:
    FilePtr file_;
    std::optional<ByteOrder> utf16_;
    std::string decoded_;
};

// Collects what a write produces, for files that are encoded as a whole afterwards.
class StringSink final : public OutputSink {
public:
    bool write(std::string_view bytes) override {
        text.append(bytes);
        return true;
    }
    std::string text;
};

// Where one key of a write goes, found in the pass over the old file.
struct KeyPlan {
    bool found = false;
    std::string existingKey;       // the key as the file spells it
    std::uint64_t replaceFrom = 0; // the key line's content, replaced
    std::uint64_t replaceTo = 0;
};

// Where a write has to put its lines, found in one pass over the old file.
struct WritePlan {
    bool sectionFound = false;
    std::vector<KeyPlan> keys;     // one for each entry written
    std::uint64_t insertAt = 0;    // after the section's last non-blank line
    bool insertNeedsBreak = false; // that line is the file's last and has no line end
    std::uint64_t size = 0;
    bool endsWithNewline = false;
    std::string lineEnding;
};

bool planWrite(LineScanner scanner, std::string_view section, std::span<const KeyValue> entries, WritePlan& plan) {
    plan.keys.assign(entries.size(), KeyPlan{});
    ScannedLine line;
    bool inTarget = false;
    bool sectionDone = false;
    const auto noteInsertPoint = [&] {
        plan.insertAt = line.end;
        plan.insertNeedsBreak = line.end == line.contentEnd;
    };
    while (scanner.next(line)) {
        const IniLine parsed = classifyLine(line.head);
        if (parsed.kind == IniLine::Kind::Section) {
            if (inTarget) {
                sectionDone = true;
            }
            inTarget = !sectionDone && !plan.sectionFound && namesEqual(parsed.name, section);
            if (inTarget) {
                plan.sectionFound = true;
                noteInsertPoint();
            }
            continue;
        }
        if (!inTarget) {
            continue;
        }
        if (!trimmed(line.head).empty()) {
            noteInsertPoint();
        }
        if (parsed.kind != IniLine::Kind::Entry) {
            continue;
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            KeyPlan& key = plan.keys[i];
            if (!key.found && namesEqual(parsed.name, entries[i].key)) {
                key = {true, std::string(parsed.name), line.start, line.contentEnd};
                break; // a later line of the same key stays as it is, as a read never sees it
            }
        }
    }
    if (scanner.failed()) {
        return false;
    }
    plan.size = scanner.bytesRead();
    plan.endsWithNewline = scanner.endedWithNewline();
    plan.lineEnding = scanner.lineEnding().empty() ? std::string(kNativeLineEnding) : std::string(scanner.lineEnding());
    return true;
}

// Each key once, at its first place in line, with its last value.
std::vector<KeyValue> lastValues(std::span<const KeyValue> entries) {
    std::vector<KeyValue> out;
    for (const KeyValue& e : entries) {
        const auto same =
            std::find_if(out.begin(), out.end(), [&](const KeyValue& o) { return namesEqual(o.key, e.key); });
        if (same != out.end()) {
            same->value = e.value;
        } else {
            out.push_back({std::string(trimmed(e.key)), e.value});
        }
    }
    return out;
}

// Writes the new file: the old one's bytes with the planned lines changed and added.
bool produceFile(SourceFile* old, const WritePlan& plan, std::string_view section, std::span<const KeyValue> entries,
                 OutputSink& out) {
    const std::string& eol = plan.lineEnding;
    const auto copy = [&](std::uint64_t from, std::uint64_t to) { return old == nullptr || old->copy(from, to, out); };
    std::vector<std::size_t> replaced;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (plan.keys[i].found) {
            replaced.push_back(i);
        }
    }
    std::sort(replaced.begin(), replaced.end(),
              [&](std::size_t a, std::size_t b) { return plan.keys[a].replaceFrom < plan.keys[b].replaceFrom; });
    std::uint64_t at = 0;
    for (const std::size_t i : replaced) {
        const KeyPlan& key = plan.keys[i];
        if (!copy(at, key.replaceFrom) || !out.write(key.existingKey) || !out.write("=") ||
            !out.write(entries[i].value)) {
            return false;
        }
        at = key.replaceTo;
    }
    const bool anyNew = replaced.size() < entries.size();
    const auto writeNew = [&] {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!plan.keys[i].found &&
                !(out.write(entries[i].key) && out.write("=") && out.write(entries[i].value) && out.write(eol))) {
                return false;
            }
        }
        return true;
    };
    if (!anyNew) {
        return copy(at, plan.size);
    }
    if (plan.sectionFound) {
        return copy(at, plan.insertAt) && (!plan.insertNeedsBreak || out.write(eol)) && writeNew() &&
               copy(plan.insertAt, plan.size);
    }
    const bool needsBreak = plan.size > 0 && !plan.endsWithNewline;
    return copy(at, plan.size) && (!needsBreak || out.write(eol)) && out.write("[") && out.write(section) &&
           out.write("]") && out.write(eol) && writeNew();
}

} // namespace

bool namesEqual(std::string_view a, std::string_view b) {
    return equalsIgnoreCase(trimmed(a), trimmed(b));
}

IniLine classifyLine(std::string_view line) {
    IniLine out;
    const std::string_view t = trimmed(line);
    if (t.empty() || t.front() == ';') {
        return out;
    }
    if (t.front() == '[') {
        const auto close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            out.kind = IniLine::Kind::Section;
            out.name = trimmed(t.substr(1, close - 1));
        }
        return out;
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) {
        return out;
    }
    out.kind = IniLine::Kind::Entry;
    out.name = trimmed(t.substr(0, eq));
    std::string_view v = trimmed(t.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    out.value = v;
    return out;
}

std::string readValue(const std::string& path, std::string_view section, std::string_view key) {
    SourceFile file;
    if (!file.open(path)) {
        return {};
    }
    LineScanner scanner = file.scanner();
    ScannedLine line;
    bool inTarget = false;
    bool seenTarget = false;
    while (scanner.next(line)) {
        const IniLine parsed = classifyLine(line.head);
        if (parsed.kind == IniLine::Kind::Section) {
            if (seenTarget) {
                return {}; // only the first section of that name counts
            }
            inTarget = namesEqual(parsed.name, section);
            seenTarget = inTarget;
        } else if (inTarget && parsed.kind == IniLine::Kind::Entry && namesEqual(parsed.name, key)) {
            return endedAndCut(parsed.value);
        }
    }
    return {};
}

std::string valueAsRead(std::string_view written) {
    const std::string line = "k=" + std::string(written);
    return endedAndCut(classifyLine(line).value);
}

bool isWritableEntry(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view sec = trimmed(section);
    const std::string_view k = trimmed(key);
    return !sec.empty() && !k.empty() && !hasAny(section, kLineBreakers) && !hasAny(section, "[]") &&
           !hasAny(key, kLineBreakers) && !hasAny(key, "=") && k.front() != '[' && k.front() != ';' &&
           !hasAny(value, kLineBreakers);
}

bool holdsExactly(std::string_view value) {
    return isWritableEntry("s", "k", value) && valueAsRead(value) == value;
}

bool writeValues(const std::string& path, std::string_view section, std::span<const KeyValue> entries) {
    for (const KeyValue& e : entries) {
        if (!isWritableEntry(section, e.key, e.value)) {
            setFileFailure("the value cannot be written to a settings file");
            return false;
        }
    }
    const std::string_view sec = trimmed(section);
    const std::vector<KeyValue> changes = lastValues(entries);

    // Through a symbolic link (a dotfile manager's) to its file, which is replaced beside itself.
    const std::string file = resolveLinks(path);
    const FolderLock lock(folderOf(file));
    SourceFile old;
    const bool hasOld = old.open(file);
    if (!hasOld && pathExists(file)) {
        // A file there that this user cannot read is never written over with what little is known of it.
        if (isRegularFile(file)) {
            setFileFailure("the file cannot be read: " + lastFileFailure());
        }
        return false;
    }
    WritePlan plan;
    if (hasOld && !planWrite(old.scanner(), sec, changes, plan)) {
        setFileFailure("the file cannot be read");
        return false;
    }
    if (!hasOld) {
        plan.keys.assign(changes.size(), KeyPlan{});
        plan.lineEnding = std::string(kNativeLineEnding);
    }
    return replaceFile(file, [&](OutputSink& out) {
        bool ok = false;
        if (const std::optional<ByteOrder> order = old.utf16()) {
            StringSink text;
            ok = produceFile(&old, plan, sec, changes, text) &&
                 out.write(order == ByteOrder::Little ? "\xFF\xFE" : "\xFE\xFF") &&
                 out.write(utf16FromUtf8(text.text, *order));
        } else {
            ok = produceFile(hasOld ? &old : nullptr, plan, sec, changes, out);
        }
        old.close();
        return ok;
    });
}

void removeInterruptedWrites(const std::string& path) {
    const FolderLock lock(folderOf(resolveLinks(path)));
    removeLeftoverTemporaries(path);
}

bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    const KeyValue entry{std::string(key), std::string(value)};
    return writeValues(path, section, std::span(&entry, 1));
}

} // namespace oruvel::platform::ini
