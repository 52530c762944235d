#include "platform/line_scanner.h"

#include <cstring>

namespace oruvel::platform {

LineScanner::LineScanner(std::FILE* file, std::size_t headLimit) : file_(file), headLimit_(headLimit) {}

bool LineScanner::fill() {
    if (eof_ || failed_ || file_ == nullptr) {
        return false;
    }
    len_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
    if (len_ == 0) {
        failed_ = std::ferror(file_) != 0;
        eof_ = true;
        return false;
    }
    return true;
}

bool LineScanner::next(ScannedLine& line) {
    if (pos_ == len_ && !fill()) {
        return false;
    }
    line.head.clear();
    line.truncated = false;
    line.start = offset_;
    char previous = 0;
    for (;;) {
        if (pos_ == len_ && !fill()) {
            // Last line without a line end.
            line.contentEnd = line.end = offset_;
            return !failed_;
        }
        const char* begin = buffer_.data() + pos_;
        const std::size_t avail = len_ - pos_;
        const void* nl = std::memchr(begin, '\n', avail);
        const std::size_t take = nl != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nl) - begin) : avail;
        if (take > 0) {
            const std::size_t room = headLimit_ > line.head.size() ? headLimit_ - line.head.size() : 0;
            line.head.append(begin, take < room ? take : room);
            line.truncated = line.truncated || take > room;
            previous = begin[take - 1];
            lastByte_ = previous;
        }
        pos_ += take;
        offset_ += take;
        if (nl != nullptr) {
            const bool crlf = previous == '\r';
            if (crlf && !line.truncated && !line.head.empty()) {
                line.head.pop_back();
            }
            line.contentEnd = offset_ - (crlf ? 1 : 0);
            ++pos_;
            ++offset_;
            lastByte_ = '\n';
            line.end = offset_;
            if (lineEnding_.empty()) {
                lineEnding_ = crlf ? "\r\n" : "\n";
            }
            return true;
        }
    }
}

} // namespace oruvel::platform
