#pragma once
// Plain file access for the engine: a read-only file handle and a checked, atomic replacement
// of a file's content.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A regular file opened for reading as raw bytes; closed when the object goes. Anything else
// (a FIFO, a device, a folder, a dangling link) is never opened: opening a FIFO would block and
// reading a device could act on it.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Reads up to n bytes at the current position, retrying until n bytes, the end of the file
    // or an error. Returns the number of bytes read, or -1 on an error.
    long long read(void* destination, std::size_t n);
    // Reads n bytes at an absolute offset; false unless all n bytes were read.
    bool readAt(std::uint64_t offset, void* destination, std::size_t n);
    bool rewind();
    // Size of the file, or -1 when it cannot be found.
    long long size() const;

private:
    int fd_;
};

struct FileWriteResult {
    enum Status { Written, CannotCreate, WriteFailed };
    Status status;
    int errorNumber;  // errno of the failing call when status is not Written
};

// Writes bytes to a fresh temporary file beside `path`, syncs it and renames it over `path`.
// On any failure the temporary file is removed and whatever stood at `path` is left as it was.
// A symbolic link at `path` is replaced, not followed. The new file gets 0666 less the umask.
FileWriteResult writeFileReplacing(const std::string& path, const std::vector<unsigned char>& bytes);
