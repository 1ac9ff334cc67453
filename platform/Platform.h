#pragma once
// What the engine and the driver need from the operating system, and nothing more. One
// implementation per system, which the build picks: PlatformWin32.cpp; PlatformPosix.cpp with
// PlatformPosixTerminal.cpp (standard streams of a terminal or a pipe); PlatformPosix.cpp with
// PlatformBrowser.cpp (the WebAssembly build, whose standard streams are a web page's).
// Narrow strings are the program's own text: bytes on POSIX, UTF-8 on Windows, where every
// file-system call converts them to UTF-16.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// ---- Process -------------------------------------------------------------------------------

// Set-up before the run: output into a closed pipe fails quietly instead of ending the process,
// freed memory is kept for the next file, and the console shows UTF-8.
void prepareProcess();

// The program's arguments after its name, as the program's own text (UTF-8 on Windows, whatever
// code page the process was started with).
std::vector<std::string> commandLineArguments(int argc, char** argv);

// ---- Folders -------------------------------------------------------------------------------

enum class EntryKind { Folder, RegularFile, Other };

struct FolderEntry {
    std::string name;
    EntryKind kind;  // a link (or a junction or mount point) is never a Folder: a walk never enters it
};

// How far a folder could be listed.
enum class FolderListing {
    Listed,        // every entry
    PartlyListed,  // the entries up to an error in the middle of the listing
    CannotList,    // a folder, or something that may be one, that cannot be opened for listing
    NotAFolder     // nothing there, or something that is no folder
};

// Appends the entries of `path` to `entries` in the file system's order, without "." and "..".
// Nothing is appended unless the result is Listed or PartlyListed.
FolderListing listFolder(const std::string& path, std::vector<FolderEntry>& entries);

// False only when nothing at all stands at `path` (a dangling link or an unreadable folder is
// something).
bool pathExists(const std::string& path);

// What tells one file from every other whatever path reaches it (a link, another spelling of
// the path); empty when nothing can be found at `path`.
std::string fileIdentity(const std::string& path);

// ---- Files ---------------------------------------------------------------------------------

// A regular file opened for reading as raw bytes; closed when the object goes. Anything else
// (a FIFO, a device, a folder, a dangling link) is never opened: opening a FIFO would block and
// reading a device could act on it.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return handle_ != Closed; }
    // Reads up to n bytes at the current position, retrying until n bytes, the end of the file
    // or an error. Returns the number of bytes read, or -1 on an error.
    long long read(void* destination, std::size_t n);
    // Reads n bytes at an absolute offset; false unless all n bytes were read.
    bool readAt(std::uint64_t offset, void* destination, std::size_t n);
    bool rewind();
    // Size of the file, or -1 when it cannot be found.
    long long size() const;

    // What tells one state of the file's content from another: a writer changes at least one.
    struct Stamp {
        long long size = -1;
        std::uint64_t lastWrite = 0;  // in the system's own units
        bool operator==(const Stamp&) const = default;
    };
    // False when the system cannot tell.
    bool stamp(Stamp& stamp) const;

    // For tests: called after every read, so that a test can change the file in the middle of
    // a load.
    static inline void (*afterRead)() = nullptr;

private:
    static constexpr std::intptr_t Closed = -1;
    std::intptr_t handle_ = Closed;  // a descriptor or a HANDLE
};

struct FileWriteResult {
    enum Status { Written, CannotCreate, WriteFailed };
    Status status;
    std::string errorText;  // the system's description of the failure when status is not Written
};

// Writes bytes to a fresh temporary file beside `path`, makes it durable and renames it over
// `path`. On any failure the temporary is removed and whatever stood at `path` is left as it
// was. A process ended at any moment leaves `path` either as it was or wholly replaced, and of
// the temporary:
// - POSIX: nothing when ended by an interrupt signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT), the
//   temporary when killed outright (SIGKILL);
// - Windows, however the process ends: nothing, but for an empty temporary when it ends in the
//   instant between the temporary's creation and its mark for deletion, and the written
//   temporary when it ends in the instant between taking the mark back and the rename that
//   follows (a rename that fails marks it again before anything else).
// On Windows an output held open by another program (a virus scanner, a sync client) is waited
// for, about 3 s in all; a read-only output or a folder at `path` fails at once; and a folder
// that refuses leave to delete takes no temporary (CannotCreate). `errorText` is the system's
// reason. A symbolic link at `path` is replaced, not followed. The new file gets the
// permissions a newly created file gets (on POSIX: created with 0666 under the umask; its
// permissions are never changed afterwards, which some file systems refuse).
FileWriteResult writeFileReplacing(const std::string& path, const std::vector<unsigned char>& bytes);

// The output name as the game reads it from a save's own file-name field: the game writes that
// field in the system's ANSI code page on Windows ('?' for what the code page lacks), and as the
// name's own bytes elsewhere.
std::string saveFieldName(const std::string& name);

// ---- Console -------------------------------------------------------------------------------

enum class ColourRendering {
    None,             // standard output is no console: text only
    EscapeSequences,  // a terminal that takes ANSI sequences in the text
    ConsoleAttributes // a console that takes attributes through a call of its own
};

// Puts a terminal's colours back to its defaults.
inline constexpr std::string_view EscapeReset = "\x1b[0m";

// How standard output shows colours.
ColourRendering standardColourRendering();

enum class StandardStream { Output, Error };

// Writes the whole text to standard output or standard error in one piece: to a console as the
// UTF-16 form of the whole UTF-8 text (so no character reaches it split in two), anywhere else
// as its bytes. False when it cannot be written (a closed pipe, a full disk).
bool writeStandard(StandardStream stream, std::string_view text);

// Whether standard output is a terminal or console (whatever its colours), so that names shown
// on it cannot send it commands.
bool standardOutputIsTerminal();

// ConsoleAttributes: sets the attribute of text written from now on.
void setConsoleAttribute(std::uint16_t attribute);
// ConsoleAttributes: puts back the attributes found at start.
void restoreConsoleAttributes();

// EscapeSequences: whether colours written to the terminal are in force, so that an
// interruption resets them.
void noteEscapeColoursInForce(bool inForce);

// Makes an interruption (a signal; Ctrl-C, Ctrl-Break or closing the window) put the console
// back as it was found before the process goes. A signal ignored at start stays ignored.
void installInterruptRestore();

// Whether standard input is a keyboard the pause can take one key press from.
bool standardInputIsKeyboard();
// Waits for one key press straight from the keyboard: no echo, no Enter needed. False when the
// keyboard cannot be switched to single keys; the caller then reads a byte of input instead.
bool waitForKeyPress();

}  // namespace platform
