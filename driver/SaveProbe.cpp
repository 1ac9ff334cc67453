#include "driver/SaveProbe.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ReadOnlyFile {
public:
    // Opens only regular files (after following links): opening a FIFO or a device could block
    // the run or act on the device.
    explicit ReadOnlyFile(const std::string& path) {
        struct stat status {};
        if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
        // Non-blocking, so that a file swapped for a FIFO after the check cannot hang the open.
        fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0 && (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode))) {
            close(fd_);
            fd_ = -1;
        }
    }
    ~ReadOnlyFile() {
        if (fd_ >= 0) close(fd_);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

// Reads until `n` bytes, the end of the file or an error; returns how many bytes were read.
std::size_t readUpTo(int fd, unsigned char* destination, std::size_t n, bool& error) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd, destination + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = true;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool hasSaveSignature(const unsigned char* first) {
    return std::memcmp(first, "Q7SVG", 5) == 0 || std::memcmp(first, "Q7SVC", 5) == 0;
}

bool hasGzipMagic(const unsigned char* first) { return first[0] == 0x1F && first[1] == 0x8B; }

}  // namespace

bool probeGzipContent(int fd, ByteOutput& out, std::size_t wanted) {
    z_stream stream{};
    if (inflateInit2(&stream, 31) != Z_OK) return false;
    const auto input = std::make_unique<unsigned char[]>(ProbeReadChunk);
    const auto output = std::make_unique<unsigned char[]>(wanted);

    std::size_t produced = 0;
    bool readError = false;
    while (produced < wanted) {
        const std::size_t got = readUpTo(fd, input.get(), ProbeReadChunk, readError);
        if (got == 0) break;
        stream.next_in = input.get();
        stream.avail_in = static_cast<uInt>(got);
        stream.next_out = output.get();
        stream.avail_out = static_cast<uInt>(wanted - produced);
        const int result = inflate(&stream, Z_NO_FLUSH);
        // Bytes produced by the call that reached the end of the member count too, so that
        // content of exactly `wanted` bytes is probed like longer content.
        const std::size_t made = (wanted - produced) - stream.avail_out;
        out.write(output.get(), made);
        produced += made;
        if (result != Z_OK) break;
    }
    inflateEnd(&stream);
    return produced == wanted;
}

SaveProbe probeSaveFile(const std::string& path) {
    SaveProbe probe;
    ReadOnlyFile file(path);
    if (!file.isOpen()) return probe;

    unsigned char first[8];
    if (readUpTo(file.fd(), first, sizeof first, probe.readError) != sizeof first) {
        probe.status = SaveProbeStatus::CannotReadFirstBytes;
        return probe;
    }
    if (lseek(file.fd(), 0, SEEK_SET) != 0) {
        probe.status = SaveProbeStatus::CannotReadFirstBytes;
        return probe;
    }

    if (hasSaveSignature(first)) {
        probe.content.resize(HeaderProbeLength);
        probe.content.resize(readUpTo(file.fd(), probe.content.data(), HeaderProbeLength, probe.readError));
        probe.status = SaveProbeStatus::ContentRead;
    } else if (hasGzipMagic(first)) {
        ByteOutput content;
        if (!probeGzipContent(file.fd(), content)) {
            probe.status = SaveProbeStatus::CannotUnzip;
            return probe;
        }
        probe.content = content.bytes();
        probe.status = SaveProbeStatus::ContentRead;
    } else {
        probe.status = SaveProbeStatus::NoSignature;
    }
    return probe;
}
