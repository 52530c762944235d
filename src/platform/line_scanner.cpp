#include "platform/line_scanner.h"

#include <algorithm>
#include <cstring>

namespace oruvel::platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

} // namespace

LineScanner::LineScanner(std::FILE* file, std::size_t headLimit) : file_(file), headLimit_(headLimit) {}

LineScanner::LineScanner(std::string_view bytes, std::size_t headLimit) : memory_(bytes), headLimit_(headLimit) {}

bool LineScanner::fill() {
    if (eof_ || failed_) {
        return false;
    }
    if (file_ != nullptr) {
        len_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        failed_ = len_ == 0 && std::ferror(file_) != 0;
    } else {
        len_ = std::min(memory_.size(), buffer_.size());
        std::memcpy(buffer_.data(), memory_.data(), len_);
        memory_.remove_prefix(len_);
    }
    pos_ = 0;
    eof_ = len_ == 0;
    return !eof_;
}

bool LineScanner::takeNewlineAfterReturn() {
    if (pos_ == len_ && !fill()) {
        return false;
    }
    if (buffer_[pos_] != '\n') {
        return false;
    }
    ++pos_;
    ++offset_;
    return true;
}

bool LineScanner::next(ScannedLine& line) {
    if (pos_ == len_ && !fill()) {
        return false;
    }
    line.head.clear();
    line.truncated = false;
    line.start = offset_;
    std::size_t skip = 0;
    if (offset_ == 0 && std::string_view(buffer_.data(), len_).substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        skip = kUtf8Mark.size(); // a mark cut by the first read is too short a file to matter
    }
    for (;;) {
        if (pos_ == len_ && !fill()) {
            // Last line without a line end.
            line.contentEnd = line.end = offset_;
            return !failed_;
        }
        const char* begin = buffer_.data() + pos_;
        const std::size_t avail = len_ - pos_;
        const char* stop = std::find_if(begin, begin + avail, [](char c) { return c == '\n' || c == '\r'; });
        const auto take = static_cast<std::size_t>(stop - begin);
        if (take > skip) {
            const std::size_t room = headLimit_ > line.head.size() ? headLimit_ - line.head.size() : 0;
            const std::size_t content = take - skip;
            line.head.append(begin + skip, content < room ? content : room);
            line.truncated = line.truncated || content > room;
        }
        skip = 0;
        if (take > 0) {
            lastByte_ = begin[take - 1];
        }
        pos_ += take;
        offset_ += take;
        if (take == avail) {
            continue;
        }
        const char ending = *stop;
        line.contentEnd = offset_;
        ++pos_;
        ++offset_;
        lastByte_ = ending;
        const bool crlf = ending == '\r' && takeNewlineAfterReturn();
        if (crlf) {
            lastByte_ = '\n';
        }
        line.end = offset_;
        if (lineEnding_.empty()) {
            lineEnding_ = crlf ? "\r\n" : ending == '\r' ? "\r" : "\n";
        }
        return true;
    }
}

} // namespace oruvel::platform
