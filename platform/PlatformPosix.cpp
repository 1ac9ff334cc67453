// The platform layer on POSIX systems.

#include "platform/Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <malloc.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <random>

namespace platform {

// ---- Process -------------------------------------------------------------------------------

void prepareProcess() {
    // Output into a closed pipe must not end the run with a signal: writes fail quietly instead.
    std::signal(SIGPIPE, SIG_IGN);
    // Nor may a file-size limit: a write past it fails with EFBIG, and that file's write fails.
    std::signal(SIGXFSZ, SIG_IGN);
    // Each file builds and frees a tree of many small records plus a few large buffers. Keeping
    // that memory in the process for the next file, instead of handing it back to the system
    // after every file, spares the page faults of faulting it in again.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>{};
}

// ---- Folders -------------------------------------------------------------------------------

namespace {

// Entries whose type the file system does not report are asked for without following a link,
// so a link is never taken for a folder and cannot make a walk loop; and relative to the open
// folder, so that a path too long for the system still gets its entry's type.
EntryKind kindOf(DIR* directory, const dirent& entry) {
    if (entry.d_type == DT_DIR) return EntryKind::Folder;
    if (entry.d_type == DT_REG) return EntryKind::RegularFile;
    if (entry.d_type != DT_UNKNOWN) return EntryKind::Other;
    struct stat status {};
    if (::fstatat(dirfd(directory), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::Other;
    if (S_ISDIR(status.st_mode)) return EntryKind::Folder;
    return S_ISREG(status.st_mode) ? EntryKind::RegularFile : EntryKind::Other;
}

}  // namespace

bool pathExists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

std::string fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {};
    return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

namespace {

// Why a folder did not open: nothing there or no folder, or a folder (or what may be one behind
// a refusal) that cannot be read.
FolderListing unopened(const std::string& path, int error) {
    if (error == ENOENT || error == ENOTDIR || error == ELOOP) return FolderListing::NotAFolder;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) return FolderListing::NotAFolder;
    return FolderListing::CannotList;
}

}  // namespace

FolderListing listFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    DIR* directory = opendir(path.c_str());
    if (directory == nullptr) return unopened(path, errno);
    // readdir tells its end from an error only through errno.
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(directory);
        if (entry == nullptr) break;
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const EntryKind kind = kindOf(directory, *entry);
        entries.push_back({std::move(name), kind});
    }
    const bool complete = errno == 0;
    closedir(directory);
    return complete ? FolderListing::Listed : FolderListing::PartlyListed;
}

// ---- Files ---------------------------------------------------------------------------------

namespace {
int descriptor(std::intptr_t handle) { return static_cast<int>(handle); }
}  // namespace

InputFile::InputFile(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return;
    // Non-blocking, so that a file swapped for a FIFO after the check cannot hang the open.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd >= 0) handle_ = fd;
}

InputFile::~InputFile() {
    if (isOpen()) ::close(descriptor(handle_));
}

long long InputFile::read(void* destination, std::size_t n) {
    auto* bytes = static_cast<unsigned char*>(destination);
    std::size_t done = 0;
    while (done < n) {
        ssize_t got = ::read(descriptor(handle_), bytes + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    if (afterRead != nullptr) afterRead();
    return static_cast<long long>(done);
}

bool InputFile::readAt(std::uint64_t offset, void* destination, std::size_t n) {
    if (::lseek(descriptor(handle_), static_cast<off_t>(offset), SEEK_SET) < 0) return false;
    return read(destination, n) == static_cast<long long>(n);
}

bool InputFile::rewind() { return ::lseek(descriptor(handle_), 0, SEEK_SET) == 0; }

long long InputFile::size() const {
    struct stat info {};
    if (::fstat(descriptor(handle_), &info) != 0) return -1;
    return static_cast<long long>(info.st_size);
}

bool InputFile::stamp(Stamp& stamp) const {
    struct stat info {};
    if (::fstat(descriptor(handle_), &info) != 0) return false;
    stamp.size = static_cast<long long>(info.st_size);
    stamp.lastWrite = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                      static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
    return true;
}

namespace {

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

// ---- The temporary file of a write in progress ----------------------------------------------
// Recorded where a signal handler can reach it: a run ended by a signal must not leave the
// hidden temporary behind. The name is recorded before the file exists and forgotten only once
// the file has been renamed or removed; the interrupt signals are held back meanwhile, so a
// handler never sees a half-written name or a name that is no longer ours. One temporary at a
// time: the run is single-threaded.

namespace {

// Signals that end the run and that the console catches to clean up before it goes.
constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Fixed storage: a handler can neither allocate nor follow a std::string that may be moving.
char recordedName[PATH_MAX];
volatile std::sig_atomic_t nameRecorded = 0;

// Holds the interrupt signals back for its lifetime; they are handled when it ends.
class InterruptSignalsHeld {
public:
    InterruptSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signalNumber : InterruptSignals) sigaddset(&held, signalNumber);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptSignalsHeld(const InterruptSignalsHeld&) = delete;
    InterruptSignalsHeld& operator=(const InterruptSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// Six characters for a temporary's name, different on every call.
void fillUniqueCharacters(char* six) {
    static constexpr char Alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(
        std::random_device{}() ^ static_cast<unsigned>(::getpid())));
    for (int i = 0; i < 6; ++i) six[i] = Alphabet[generator() % (sizeof Alphabet - 1)];
}

// Creates a fresh file from `pattern`, whose last six characters "XXXXXX" are replaced as
// mkstemp does, and records it. The file is created with 0666 under the umask, as any new file:
// mkstemp's 0600 would need a chmod afterwards, which file systems mounted with fixed
// permissions refuse. Returns the open descriptor, or -1 with errno set.
int createRecordedTemporary(std::string& pattern) {
    if (pattern.size() >= sizeof recordedName || pattern.size() < 6) {
        errno = ENAMETOOLONG;
        return -1;
    }
    InterruptSignalsHeld held;
    std::memcpy(recordedName, pattern.c_str(), pattern.size() + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        fillUniqueCharacters(recordedName + pattern.size() - 6);
        const int fd = ::open(recordedName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return -1;
        nameRecorded = 1;
        pattern = recordedName;
        return fd;
    }
    errno = EEXIST;
    return -1;
}

// Renames the recorded temporary to `target` and forgets it. Returns 0, or the errno of the
// failed rename; the temporary then stays recorded.
int renameRecordedTemporary(const std::string& target) {
    InterruptSignalsHeld held;
    if (::rename(recordedName, target.c_str()) != 0) return errno;
    nameRecorded = 0;
    return 0;
}

// Removes the recorded temporary, if any, and forgets it.
void removeRecordedTemporary() {
    InterruptSignalsHeld held;
    if (nameRecorded) ::unlink(recordedName);
    nameRecorded = 0;
}

// For signal handlers: unlinks the recorded temporary, if any. Async-signal-safe.
void unlinkRecordedTemporaryInHandler() {
    if (!nameRecorded) return;
    ::unlink(recordedName);
    nameRecorded = 0;
}

}  // namespace

FileWriteResult writeFileReplacing(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::string prefix = directoryPrefix(path);
    // A short fixed-length name that is never taken for a save file by name.
    std::string name = prefix + ".conv-XXXXXX";
    int fd = createRecordedTemporary(name);
    if (fd < 0) return {FileWriteResult::CannotCreate, std::strerror(errno)};

    auto abandon = [&](int error) {
        if (fd >= 0) ::close(fd);
        removeRecordedTemporary();
        return FileWriteResult{FileWriteResult::WriteFailed, std::strerror(error)};
    };
    if (!writeAll(fd, bytes)) return abandon(errno != 0 ? errno : EIO);
    if (::fsync(fd) != 0) return abandon(errno);
    int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return abandon(errno);
    if (int renameError = renameRecordedTemporary(path); renameError != 0) return abandon(renameError);
    syncDirectory(prefix);
    return {FileWriteResult::Written, {}};
}

// ---- Console -------------------------------------------------------------------------------

namespace {

// What a fatal signal must undo before the program goes: the temporary file of a write in
// progress, the colours written so far and the terminal mode of a pause in progress. Only
// async-signal-safe calls touch it.
volatile std::sig_atomic_t signalResetColours = 0;
volatile std::sig_atomic_t signalRestoreTerminal = 0;
int signalTerminalFd = -1;
termios signalSavedTerminal{};

extern "C" void cleanUpAndReraise(int signalNumber) {
    unlinkRecordedTemporaryInHandler();
    if (signalRestoreTerminal) tcsetattr(signalTerminalFd, TCSANOW, &signalSavedTerminal);
    if (signalResetColours) {
        ssize_t ignored = ::write(STDOUT_FILENO, EscapeReset.data(), EscapeReset.size());
        (void)ignored;
    }
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

void noteEscapeColoursInForce(bool inForce) { signalResetColours = inForce ? 1 : 0; }

// A signal ignored at start stays ignored: a run started under nohup, or in the background by a
// script, must not be ended by the hang-up or interrupt its starter meant it to survive.
void installInterruptRestore() {
    for (int signalNumber : InterruptSignals) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        std::signal(signalNumber, cleanUpAndReraise);
    }
}

// The key is taken straight from the terminal (input already buffered for earlier answers is
// left alone): no line editing, no echo, and signal keys count as keys so that the saved mode is
// always restored.
bool waitForKeyPress() {
    const int keyboard = STDIN_FILENO;
    termios saved{};
    if (tcgetattr(keyboard, &saved) != 0) return false;
    termios keyMode = saved;
    keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    keyMode.c_cc[VMIN] = 1;
    keyMode.c_cc[VTIME] = 0;

    signalTerminalFd = keyboard;
    signalSavedTerminal = saved;
    signalRestoreTerminal = 1;
    if (tcsetattr(keyboard, TCSANOW, &keyMode) == 0) {
        char key = 0;
        ssize_t got = 0;
        do {
            got = ::read(keyboard, &key, 1);
        } while (got < 0 && errno == EINTR);
    }
    tcsetattr(keyboard, TCSANOW, &saved);
    signalRestoreTerminal = 0;
    return true;
}

}  // namespace platform
