#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace oruvel::platform {

// One line of a text file as LineScanner hands it out. Offsets are byte offsets in the file.
struct ScannedLine {
    std::string head;        // the line's first bytes (at most the scanner's head limit), without its line end
    bool truncated = false;  // the line holds more bytes than `head`
    std::uint64_t start = 0; // first byte of the line
    std::uint64_t contentEnd = 0; // just past the content, before "\r\n" or "\n"
    std::uint64_t end = 0;        // just past the line end (equals contentEnd on a last line without one)
};

// Streams a file line by line in bounded memory: a line of any length costs at most `headLimit` bytes, so a huge
// file or a megabyte-long line is read without holding it. Lines end at "\r\n", "\n" or a "\r" alone. A UTF-8 byte
// order mark at the start of the file is not part of the first line's head (its offsets count it).
class LineScanner {
public:
    explicit LineScanner(std::FILE* file, std::size_t headLimit = 8192);
    // Scans bytes held in memory (which must outlive the scanner) in the same way.
    explicit LineScanner(std::string_view bytes, std::size_t headLimit = 8192);

    // Fills `line` with the next line; false at the end of the file or after a read error.
    bool next(ScannedLine& line);

    bool failed() const { return failed_; }
    // The first line end met so far ("\r\n", "\n" or "\r"), empty while none was seen.
    std::string_view lineEnding() const { return lineEnding_; }
    std::uint64_t bytesRead() const { return offset_; }
    bool endedWithNewline() const { return lastByte_ == '\n' || lastByte_ == '\r'; }

private:
    bool fill();
    // After a "\r" just taken: takes a "\n" right behind it; true when there was one.
    bool takeNewlineAfterReturn();

    std::FILE* file_ = nullptr;
    std::string_view memory_;
    std::size_t headLimit_;
    std::array<char, 65536> buffer_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::uint64_t offset_ = 0; // file offset of buffer_[pos_]
    bool eof_ = false;
    bool failed_ = false;
    char lastByte_ = 0;
    std::string_view lineEnding_;
};

// Copies bytes [from, to) of `file` to `write`, in chunks. False on a read or write failure.
// The same for bytes held in memory.
template <typename Write> bool copyRange(std::string_view bytes, std::uint64_t from, std::uint64_t to, Write&& write) {
    if (to <= from) {
        return true;
    }
    if (to > bytes.size()) {
        return false;
    }
    return write(bytes.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
}

template <typename Write> bool copyRange(std::FILE* file, std::uint64_t from, std::uint64_t to, Write&& write) {
    if (to <= from) {
        return true;
    }
    if (std::fseek(file, static_cast<long>(from), SEEK_SET) != 0) {
        return false;
    }
    std::array<char, 65536> chunk{};
    std::uint64_t left = to - from;
    while (left > 0) {
        const std::size_t want = left < chunk.size() ? static_cast<std::size_t>(left) : chunk.size();
        const std::size_t got = std::fread(chunk.data(), 1, want, file);
        if (got != want || !write(std::string_view(chunk.data(), got))) {
            return false;
        }
        left -= got;
    }
    return true;
}

} // namespace oruvel::platform
