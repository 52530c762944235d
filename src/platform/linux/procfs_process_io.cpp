#include "platform/linux/procfs_process_io.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace oruvel::platform {
namespace {

// Reads a file from its start into `text`: the bytes read, or -1 with errno set.
long readFrom(int fd, std::array<char, 1024>& text) {
    ssize_t n = 0;
    do {
        n = ::pread(fd, text.data(), text.size(), 0);
    } while (n < 0 && errno == EINTR);
    return n;
}

bool number(std::string_view text, std::uint64_t& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

// The value of a "NAME: VALUE" line of `text`.
bool field(std::string_view text, std::string_view name, std::uint64_t& out) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (line.size() > name.size() && line.starts_with(name) && line[name.size()] == ':') {
            line.remove_prefix(name.size() + 1);
            while (!line.empty() && line.front() == ' ') {
                line.remove_prefix(1);
            }
            return number(line, out);
        }
    }
    return false;
}

} // namespace

bool parseProcessStat(std::string_view text, std::string& name, std::uint64_t& started) {
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
        return false;
    }
    name.assign(text.substr(open + 1, close - open - 1));
    // After the name: state (field 3) ... start time (field 22).
    std::string_view rest = text.substr(close + 1);
    constexpr int kStartField = 22 - 3;
    for (int i = 0; i <= kStartField; ++i) {
        while (!rest.empty() && rest.front() == ' ') {
            rest.remove_prefix(1);
        }
        const std::size_t end = std::min(rest.find_first_of(" \n"), rest.size());
        if (end == 0) {
            return false;
        }
        if (i == kStartField) {
            return number(rest.substr(0, end), started);
        }
        rest.remove_prefix(end);
    }
    return false;
}

bool parseProcessIo(std::string_view text, std::uint64_t& readBytes, std::uint64_t& writeBytes) {
    return field(text, "read_bytes", readBytes) && field(text, "write_bytes", writeBytes);
}

ProcfsProcessIo::ProcfsProcessIo(std::string procRoot) : root_(std::move(procRoot)) {}

ProcfsProcessIo::~ProcfsProcessIo() {
    for (const auto& [pid, file] : kept_) {
        ::close(file.fd);
    }
}

long ProcfsProcessIo::readSmall(int dirFd, const char* name) {
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const long n = readFrom(fd, text_);
    const int error = errno;
    ::close(fd);
    errno = error;
    return n;
}

long ProcfsProcessIo::readIo(int dirFd, std::int64_t pid, const char* name) {
    if (const auto it = kept_.find(pid); it != kept_.end()) {
        const long n = readFrom(it->second.fd, text_);
        if (n > 0) {
            it->second.scan = scans_;
            return n;
        }
        // Its process has ended: the pid, listed again, is another process's now.
        ::close(it->second.fd);
        kept_.erase(it);
    }
    const int fd = ::openat(dirFd, name, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const long n = readFrom(fd, text_);
    const int error = errno;
    if (n > 0 && kept_.size() < kKeptFiles) {
        kept_.emplace(pid, KeptFile{fd, scans_});
    } else {
        ::close(fd);
    }
    errno = error;
    return n;
}

void ProcfsProcessIo::scan(ProcessScan& scan) {
    ++scans_;
    scan.processes.clear();
    scan.allProcesses = true;
    const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir(root_.c_str()), &::closedir);
    if (!proc) {
        scan.allProcesses = false;
        return;
    }
    const int procFd = ::dirfd(proc.get());
    std::size_t used = 0;
    while (const dirent* entry = ::readdir(proc.get())) {
        std::uint64_t pid = 0;
        if (!number(entry->d_name, pid) || pid == 0) {
            continue;
        }
        if (used == scan.processes.size()) {
            scan.processes.emplace_back();
        }
        ProcessIoReading& p = scan.processes[used];
        p.pid = static_cast<std::int64_t>(pid);
        // "<pid>/io" and "<pid>/stat" straight from /proc's descriptor: no descriptor of the process's own folder.
        const std::string_view folder(entry->d_name);
        const auto pathOf = [&](std::string_view file) {
            path_.assign(folder).append("/").append(file);
            return path_.c_str();
        };
        long n = readIo(procFd, p.pid, pathOf("io"));
        if (n < 0 && (errno == EACCES || errno == EPERM)) {
            scan.allProcesses = false;
        }
        bool ok = n > 0 && parseProcessIo(std::string_view(text_.data(), static_cast<std::size_t>(n)), p.readBytes,
                                          p.writeBytes);
        if (ok && !knownStill(p)) {
            n = readSmall(procFd, pathOf("stat"));
            ok = n > 0 &&
                 parseProcessStat(std::string_view(text_.data(), static_cast<std::size_t>(n)), p.name, p.started);
        }
        if (ok) {
            ++used;
        }
    }
    scan.processes.resize(used);
    // The files of processes that have ended since.
    std::erase_if(kept_, [this](const auto& entry) {
        if (entry.second.scan == scans_) {
            return false;
        }
        ::close(entry.second.fd);
        return true;
    });
    last_ = scan.processes;
    std::sort(last_.begin(), last_.end(), [](const auto& a, const auto& b) { return a.pid < b.pid; });
}

bool ProcfsProcessIo::knownStill(ProcessIoReading& p) const {
    const auto it = std::lower_bound(last_.begin(), last_.end(), p.pid,
                                     [](const auto& e, std::int64_t pid) { return e.pid < pid; });
    if (it == last_.end() || it->pid != p.pid || it->readBytes != p.readBytes || it->writeBytes != p.writeBytes) {
        return false;
    }
    p.name = it->name;
    p.started = it->started;
    return true;
}

} // namespace oruvel::platform
