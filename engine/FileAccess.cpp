#include "engine/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "engine/RecordedTemporary.h"

InputFile::InputFile(const std::string& path) : fd_(-1) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
    // Non-blocking, so that a file swapped for a FIFO after the check cannot hang the open.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

long long InputFile::read(void* destination, std::size_t n) {
    auto* bytes = static_cast<unsigned char*>(destination);
    std::size_t done = 0;
    while (done < n) {
        ssize_t got = ::read(fd_, bytes + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

bool InputFile::readAt(std::uint64_t offset, void* destination, std::size_t n) {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
    return read(destination, n) == static_cast<long long>(n);
}

bool InputFile::rewind() { return ::lseek(fd_, 0, SEEK_SET) == 0; }

long long InputFile::size() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return -1;
    return static_cast<long long>(info.st_size);
}

namespace {

// The mode a newly created file gets: 0666 less the process's umask (which can only be read by
// setting it, so it is put straight back).
mode_t newFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const std::vector<unsigned char>& bytes) {
    errno = 0;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Directory part of a path including its final '/', or empty for a bare name.
std::string directoryPrefix(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Makes the rename durable. Not every file system can sync a directory; the data itself is
// already synced, so a failure here is not a failure of the write.
void syncDirectory(const std::string& prefix) {
    int dir = ::open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    (void)::fsync(dir);
    ::close(dir);
}

}  // namespace

FileWriteResult writeFileReplacing(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string prefix = directoryPrefix(path);
    // A short fixed-length name that is never taken for a save file by name.
    std::string name = prefix + ".conv-XXXXXX";
    int fd = createRecordedTemporary(name);
    if (fd < 0) return {FileWriteResult::CannotCreate, errno};

    auto abandon = [&](int error) {
        if (fd >= 0) ::close(fd);
        removeRecordedTemporary();
        return FileWriteResult{FileWriteResult::WriteFailed, error};
    };
    if (::fchmod(fd, newFileMode()) != 0) return abandon(errno);
    if (!writeAll(fd, bytes)) return abandon(errno != 0 ? errno : EIO);
    if (::fsync(fd) != 0) return abandon(errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);
    if (int renameError = renameRecordedTemporary(path); renameError != 0) return abandon(renameError);
    syncDirectory(prefix);
    return {FileWriteResult::Written, 0};
}
