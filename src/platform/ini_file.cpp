#include "platform/ini_file.h"

#include "platform/file_ops.h"
#include "platform/line_scanner.h"
#include "platform/text_util.h"

#include <cstdint>
#include <cstdio>
#include <memory>

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

// Where a write has to put its line, found in one pass over the old file.
struct WritePlan {
    bool sectionFound = false;
    bool keyFound = false;
    std::string existingKey;       // the key as the file spells it
    std::uint64_t replaceFrom = 0; // key line content to replace
    std::uint64_t replaceTo = 0;
    std::uint64_t insertAt = 0;    // after the section's last non-blank line
    bool insertNeedsBreak = false; // that line is the file's last and has no line end
    std::uint64_t size = 0;
    bool endsWithNewline = false;
    std::string lineEnding;
};

bool planWrite(std::FILE* file, std::string_view section, std::string_view key, WritePlan& plan) {
    LineScanner scanner(file);
    ScannedLine line;
    bool inTarget = false;
    bool sectionDone = false;
    while (scanner.next(line)) {
        const IniLine parsed = classifyLine(line.head);
        if (parsed.kind == IniLine::Kind::Section) {
            if (inTarget) {
                sectionDone = true;
            }
            inTarget = !sectionDone && !plan.sectionFound && namesEqual(parsed.name, section);
            if (inTarget) {
                plan.sectionFound = true;
                plan.insertAt = line.end;
                plan.insertNeedsBreak = line.end == line.contentEnd;
            }
            continue;
        }
        if (!inTarget || plan.keyFound) {
            continue;
        }
        if (parsed.kind == IniLine::Kind::Entry && namesEqual(parsed.name, key)) {
            plan.keyFound = true;
            plan.existingKey = std::string(parsed.name);
            plan.replaceFrom = line.start;
            plan.replaceTo = line.contentEnd;
        } else if (!trimmed(line.head).empty()) {
            plan.insertAt = line.end;
            plan.insertNeedsBreak = line.end == line.contentEnd;
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
    const FilePtr file(openForReading(path));
    if (!file) {
        return {};
    }
    LineScanner scanner(file.get());
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

bool writeValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    if (!isWritableEntry(section, key, value)) {
        setFileFailure("the value cannot be written to a settings file");
        return false;
    }
    const std::string_view sec = trimmed(section);
    const std::string_view k = trimmed(key);

    // Through a symbolic link (a dotfile manager's) to its file, which is replaced beside itself.
    const std::string file = resolveLinks(path);
    const FolderLock lock(folderOf(file));
    FilePtr old(openForReading(file));
    WritePlan plan;
    if (old && !planWrite(old.get(), sec, k, plan)) {
        setFileFailure("the file cannot be read");
        return false;
    }
    if (!old) {
        plan.lineEnding = std::string(kNativeLineEnding);
    }
    const std::string& eol = plan.lineEnding;

    const auto produce = [&](OutputSink& out) {
        auto copy = [&](std::uint64_t from, std::uint64_t to) {
            return !old || copyRange(old.get(), from, to, [&](std::string_view b) { return out.write(b); });
        };
        if (plan.keyFound) {
            return copy(0, plan.replaceFrom) && out.write(plan.existingKey) && out.write("=") && out.write(value) &&
                   copy(plan.replaceTo, plan.size);
        }
        if (plan.sectionFound) {
            return copy(0, plan.insertAt) && (!plan.insertNeedsBreak || out.write(eol)) && out.write(k) &&
                   out.write("=") && out.write(value) && out.write(eol) && copy(plan.insertAt, plan.size);
        }
        const bool needsBreak = plan.size > 0 && !plan.endsWithNewline;
        return copy(0, plan.size) && (!needsBreak || out.write(eol)) && out.write("[") && out.write(sec) &&
               out.write("]") && out.write(eol) && out.write(k) && out.write("=") && out.write(value) && out.write(eol);
    };
    return replaceFile(file, [&](OutputSink& out) {
        const bool ok = produce(out);
        old.reset(); // closed before the new file takes its place (Windows cannot replace an open file)
        return ok;
    });
}

} // namespace oruvel::platform::ini
