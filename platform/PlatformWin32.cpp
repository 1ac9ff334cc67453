// The platform layer on Windows. Narrow strings are UTF-8; every file-system call takes the
// UTF-16 form of the full path with the \\?\ prefix, so that every name is reachable and paths
// longer than MAX_PATH work.

#include "platform/Platform.h"
#include "platform/EntryKindWin32.h"
#include "platform/WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

std::wstring toWide(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

namespace {

// Converts to a narrow string in `codePage`; false when some character has no form there (for
// UTF-8: an unpaired surrogate).
bool toNarrow(const std::wstring& wide, UINT codePage, DWORD flags, std::string& narrow, bool& lossy) {
    narrow.clear();
    lossy = false;
    if (wide.empty()) return true;
    BOOL usedDefault = FALSE;
    BOOL* defaultUsed = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const char* defaultChar = codePage == CP_UTF8 ? nullptr : "?";
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           defaultChar, defaultUsed);
    if (length <= 0) return false;
    narrow.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), narrow.data(), length,
                        defaultChar, defaultUsed);
    lossy = usedDefault != FALSE;
    return true;
}

bool toUtf8(const std::wstring& wide, std::string& utf8) {
    bool lossy = false;
    return toNarrow(wide, CP_UTF8, WC_ERR_INVALID_CHARS, utf8, lossy);
}

bool startsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// GetFullPathNameW's answer, or empty when it has none.
std::wstring systemFullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return {};
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return {};
    full.resize(length);
    return full;
}

// Where the name starting at `from` ends.
std::size_t nameEnd(const std::wstring& path, std::size_t from) {
    while (from < path.size() && !isSeparator(path[from])) ++from;
    return from;
}

// Length of the part of a path that only the system can resolve: a drive with its separator
// ("C:\"), a drive alone ("D:", that drive's current folder), a leading separator (the current
// drive's root) or a share ("\\server\share"); 0 for a path relative to the current folder.
std::size_t startLength(const std::wstring& path) {
    if (path.size() >= 2 && path[1] == L':') return path.size() > 2 && isSeparator(path[2]) ? 3 : 2;
    if (path.empty() || !isSeparator(path[0])) return 0;
    if (path.size() < 2 || !isSeparator(path[1])) return 1;
    const std::size_t server = nameEnd(path, 2);
    return server < path.size() ? nameEnd(path, server + 1) : server;
}

// Drops the last name of a full path; a drive's root keeps its separator.
void dropLastName(std::wstring& full) {
    full.erase(full.find_last_of(L'\\'));
    if (!full.empty() && full.back() == L':') full += L'\\';
}

// The full path of `path` with every name in it as given: the system resolves only the start
// (GetFullPathNameW would also drop trailing dots and spaces from every name, so that a folder
// "Saves." would be read and written as "Saves"); "." and ".." are then followed here.
std::wstring fullPathAsGiven(const std::wstring& path) {
    const std::size_t start = startLength(path);
    std::wstring full = systemFullPath(start == 0 ? std::wstring(L".") : path.substr(0, start));
    if (full.empty()) return {};
    std::size_t ownNames = 0;  // names appended here, which may be dropped again by ".."
    std::size_t position = start;
    while (position < path.size()) {
        const std::size_t end = nameEnd(path, position);
        const std::wstring name = path.substr(position, end - position);
        position = end + 1;
        if (name.empty() || name == L".") continue;
        if (name == L"..") {
            if (ownNames > 0) {
                dropLastName(full);
                --ownNames;
            } else {
                full = systemFullPath(full + L"\\..");
                if (full.empty()) return {};
            }
            continue;
        }
        if (full.back() != L'\\') full += L'\\';
        full += name;
        ++ownNames;
    }
    return full;
}

// The \\?\ form of the full path, which passes every name to the file system as it is and lifts
// the MAX_PATH limit. A path already in that form (or a device path, \\.\) is used as given.
std::wstring extendedPath(const std::string& path) {
    std::wstring wide = toWide(path);
    if (wide.empty()) return wide;
    if (startsWith(wide, L"\\\\?\\") || startsWith(wide, L"\\\\.\\")) {
        // The walk joins names with '/', which no Windows name can hold.
        std::replace(wide.begin(), wide.end(), L'/', L'\\');
        return wide;
    }
    const std::wstring full = fullPathAsGiven(wide);
    if (full.empty()) return wide;
    if (startsWith(full, L"\\\\?\\") || startsWith(full, L"\\\\.\\")) return full;
    if (startsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The system's own text for an error code, without its line end.
std::string systemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length > 0 && toUtf8(std::wstring(buffer, length), text)) {
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    }
    if (buffer != nullptr) LocalFree(buffer);
    return text.empty() ? "system error " + std::to_string(code) : text;
}

}  // namespace

// ---- Process -------------------------------------------------------------------------------

namespace {

UINT previousOutputCodePage = 0;

void restoreOutputCodePage() {
    if (previousOutputCodePage != 0) SetConsoleOutputCP(previousOutputCodePage);
}

}  // namespace

void prepareProcess() {
    // The program's text is UTF-8; the console's own code page comes back at exit.
    previousOutputCodePage = GetConsoleOutputCP();
    if (previousOutputCodePage != 0 && SetConsoleOutputCP(CP_UTF8)) std::atexit(restoreOutputCodePage);
    else previousOutputCodePage = 0;
    // Output is written byte for byte, line ends included, as on every other system. Input stays
    // in text mode, so a typed answer ends in "\n" as the questions expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// The narrow argv holds the ANSI code page's approximation of the names; the wide command line
// holds them all, so every dropped save is reachable.
std::vector<std::string> commandLineArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 1; i < count; ++i) {
        std::string argument;
        // An unpaired surrogate has no UTF-8 form: the path cannot be named, and is shown as "?".
        arguments.push_back(toUtf8(wide[i], argument) ? argument : std::string(1, '?'));
    }
    LocalFree(wide);
    return arguments;
}

// ---- Folders -------------------------------------------------------------------------------

namespace {

// A name that cannot be given in UTF-8 (an unpaired surrogate) is given by its short alternative
// name where it has one, else as "?".
std::string entryName(const WIN32_FIND_DATAW& data) {
    std::string name;
    if (toUtf8(data.cFileName, name)) return name;
    if (data.cAlternateFileName[0] != L'\0' && toUtf8(data.cAlternateFileName, name)) return name;
    return "?";
}

EntryKind kindOf(const WIN32_FIND_DATAW& data) {
    // The find data holds the reparse tag of a reparse point.
    return entryKindOf(data.dwFileAttributes, data.dwReserved0);
}

// Errors that say nothing stands at a path. A name Windows cannot hold (with '"', '*', '?', '<',
// '|' ...) names nothing either.
bool namesNothing(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_BAD_NETPATH: return true;
        default: return false;
    }
}

// Why a folder did not open for listing with `error`: nothing there or no folder, or a folder
// (or what may be one behind a refusal, an empty drive, a lost network) that cannot be read.
FolderListing unopened(const std::wstring& folder, DWORD error) {
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return namesNothing(GetLastError()) ? FolderListing::NotAFolder : FolderListing::CannotList;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FolderListing::NotAFolder;
    // A drive's root has no "." and "..": an empty one gives no entry at all.
    if (error == ERROR_FILE_NOT_FOUND) return FolderListing::Listed;
    // A link to a folder that is gone names nothing.
    return namesNothing(error) ? FolderListing::NotAFolder : FolderListing::CannotList;
}

}  // namespace

bool pathExists(const std::string& path) {
    if (GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    return !namesNothing(GetLastError());
}

std::string fileIdentity(const std::string& path) {
    // Opened for no access at all, so that a file another program holds is still found.
    HANDLE file = CreateFileW(extendedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool found = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!found) return {};
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
           std::to_string(info.nFileIndexLow);
}

FolderListing listFolder(const std::string& path, std::vector<FolderEntry>& entries) {
    const std::wstring folder = extendedPath(path);
    // A drive's root already ends in its separator.
    const bool separated = !folder.empty() && folder.back() == L'\\';
    const std::wstring pattern = folder + (separated ? L"*" : L"\\*");
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return unopened(folder, GetLastError());
    std::vector<FolderEntry> found;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        found.push_back({entryName(data), kindOf(data)});
    } while (FindNextFileW(find, &data));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    entries.insert(entries.end(), found.begin(), found.end());
    return complete ? FolderListing::Listed : FolderListing::PartlyListed;
}

// ---- Files ---------------------------------------------------------------------------------

namespace {

HANDLE fileHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Largest piece handed to one ReadFile or WriteFile call, whose counts are 32-bit.
constexpr std::size_t IoPiece = std::size_t{1} << 30;

bool isRegularDiskFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

InputFile::InputFile(const std::string& path) {
    // Others may go on reading, writing, renaming or deleting the file meanwhile.
    HANDLE file = CreateFileW(extendedPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    if (!isRegularDiskFile(file)) {
        CloseHandle(file);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

InputFile::~InputFile() {
    if (isOpen()) CloseHandle(fileHandle(handle_));
}

long long InputFile::read(void* destination, std::size_t n) {
    auto* bytes = static_cast<unsigned char*>(destination);
    std::size_t done = 0;
    while (done < n) {
        DWORD got = 0;
        const DWORD piece = static_cast<DWORD>(std::min(IoPiece, n - done));
        if (!ReadFile(fileHandle(handle_), bytes + done, piece, &got, nullptr)) return -1;
        if (got == 0) break;
        done += got;
    }
    if (afterRead != nullptr) afterRead();
    return static_cast<long long>(done);
}

bool InputFile::readAt(std::uint64_t offset, void* destination, std::size_t n) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(fileHandle(handle_), position, nullptr, FILE_BEGIN)) return false;
    return read(destination, n) == static_cast<long long>(n);
}

bool InputFile::rewind() { return readAt(0, nullptr, 0); }

long long InputFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(fileHandle(handle_), &size)) return -1;
    return static_cast<long long>(size.QuadPart);
}

bool InputFile::stamp(Stamp& stamp) const {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(fileHandle(handle_), &info)) return false;
    stamp.size = static_cast<long long>(static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow);
    stamp.lastWrite = static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                      info.ftLastWriteTime.dwLowDateTime;
    return true;
}

namespace {

// The folder part of a full path, with its final separator.
std::wstring folderOf(const std::wstring& fullPath) { return fullPath.substr(0, fullPath.find_last_of(L'\\') + 1); }

// A short fixed-length name that is never taken for a save file by name.
std::wstring temporaryName(const std::wstring& folder) {
    static std::atomic<unsigned> counter{0};
    unsigned long long seed = GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 20) ^
                              (static_cast<unsigned long long>(counter++) << 40);
    std::wstring name = folder + L".conv-";
    for (int i = 0; i < 6; ++i, seed /= 36) name += L"0123456789abcdefghijklmnopqrstuvwxyz"[seed % 36];
    return name;
}

bool writeAll(HANDLE file, const std::vector<unsigned char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        const DWORD piece = static_cast<DWORD>(std::min(IoPiece, bytes.size() - done));
        if (!WriteFile(file, bytes.data() + done, piece, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

// The entry itself, not what a link at `path` leads to; its reparse tag tells a cloud-synced
// folder from a link.
[[maybe_unused]]
bool isFolder(const std::wstring& path) {
    HANDLE entry = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (entry == INVALID_HANDLE_VALUE) return false;
    FILE_ATTRIBUTE_TAG_INFO info{};
    const bool known = GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &info, sizeof info) != 0;
    CloseHandle(entry);
    return known && entryKindOf(info.FileAttributes, info.ReparseTag) == EntryKind::Folder;
}

// While marked, the file system removes the temporary when its last handle closes, whoever else
// holds it then, and also when the process is ended or killed. Unlike FILE_FLAG_DELETE_ON_CLOSE,
// the mark can be taken back.
bool markForDeletion(HANDLE file, bool deleteOnClose) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = deleteOnClose ? TRUE : FALSE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

constexpr int TemporaryNameAttempts = 100;

// A fresh temporary under a new name in `folder`, opened to write and to be renamed or deleted,
// and marked for deletion. INVALID_HANDLE_VALUE with `error` set when none can be made: a folder
// that refuses leave to delete cannot take a temporary that is sure to go.
HANDLE createMarkedTemporary(const std::wstring& folder, std::wstring& temporary, DWORD& error) {
    for (int attempt = 1;; ++attempt) {
        temporary = temporaryName(folder);
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            error = GetLastError();
            if (error != ERROR_FILE_EXISTS || attempt >= TemporaryNameAttempts) return INVALID_HANDLE_VALUE;
            continue;
        }
        if (markForDeletion(file, true)) return file;
        // Still empty: gone by name, as nothing else can have opened it.
        error = GetLastError();
        CloseHandle(file);
        DeleteFileW(temporary.c_str());
        return INVALID_HANDLE_VALUE;
    }
}

// Renames the open file over `target` (a full \\?\ path), replacing what stands there.
DWORD renameOver(HANDLE file, const std::wstring& target) {
    const std::size_t nameBytes = target.size() * sizeof(wchar_t);
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    // The name follows the structure's fixed part; the buffer's zeros end it.
    std::memcpy(buffer.data() + offsetof(FILE_RENAME_INFO, FileName), target.data(), nameBytes);
    if (SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) return ERROR_SUCCESS;
    return GetLastError();
}

// A virus scanner or a sync client may hold the old output open for a few seconds, most often
// right after it was written: the rename is retried with growing waits while the output is held.
constexpr DWORD FirstRenameWaitMs = 20;
constexpr DWORD LongestRenameWaitMs = 500;
constexpr DWORD RenameWaitBudgetMs = 3000;

// A file held open without leave to delete refuses the rename as "access denied" rather than as
// a sharing violation; so do a read-only output and a folder at the output's name, which no wait
// mends.
bool outputIsHeld(DWORD error, const std::wstring& target) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return true;
    if (error != ERROR_ACCESS_DENIED) return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ||
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Renames the marked temporary over `target`. The mark is taken back only for each attempt, and
// set again before every wait, so that the temporary goes with its handle whenever the process
// ends. Returns ERROR_SUCCESS, or the error of the last attempt with the temporary still marked.
DWORD renameMarkedOver(HANDLE file, const std::wstring& target) {
    DWORD waited = 0;
    for (DWORD wait = FirstRenameWaitMs;; wait = std::min(2 * wait, LongestRenameWaitMs)) {
        if (!markForDeletion(file, false)) return GetLastError();
        const DWORD error = renameOver(file, target);
        if (error == ERROR_SUCCESS) return error;
        if (!markForDeletion(file, true)) return GetLastError();
        if (waited >= RenameWaitBudgetMs || !outputIsHeld(error, target)) return error;
        const DWORD pause = std::min(wait, RenameWaitBudgetMs - waited);
        Sleep(pause);
        waited += pause;
    }
}

}  // namespace

FileWriteResult writeFileReplacing(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::wstring target = extendedPath(path);
    std::wstring temporary;
    DWORD createError = ERROR_SUCCESS;
    HANDLE file = createMarkedTemporary(folderOf(target), temporary, createError);
    if (file == INVALID_HANDLE_VALUE) return {FileWriteResult::CannotCreate, systemErrorText(createError)};

    DWORD error = ERROR_SUCCESS;
    if (!writeAll(file, bytes) || !FlushFileBuffers(file)) error = GetLastError();
    else error = renameMarkedOver(file, target);
    // Renamed, the file is the output and no longer marked; otherwise it goes with this handle.
    CloseHandle(file);
    if (error != ERROR_SUCCESS) {
        // Already gone, unless its mark could not be set again after a refused rename.
        DeleteFileW(temporary.c_str());
        return {FileWriteResult::WriteFailed, systemErrorText(error)};
    }
    return {FileWriteResult::Written, {}};
}

std::string saveFieldName(const std::string& name) {
    // A drive-relative output ("D:save(converted).GM1") has no separator before its name.
    const bool drivePrefix = name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]));
    const std::string fileName = drivePrefix ? name.substr(2) : name;
    std::string ansi;
    bool lossy = false;
    if (!toNarrow(toWide(fileName), CP_ACP, WC_NO_BEST_FIT_CHARS, ansi, lossy)) return fileName;
    return ansi;
}

// ---- Console -------------------------------------------------------------------------------

namespace {

// The attributes standard output's console had at start, once asked for.
std::atomic<bool> consoleAttributesSaved{false};
WORD savedConsoleAttributes = 0;

HANDLE standardOutput() { return GetStdHandle(STD_OUTPUT_HANDLE); }

BOOL WINAPI restoreOnInterrupt(DWORD) {
    restoreConsoleAttributes();
    restoreOutputCodePage();
    return FALSE;  // the system's own handling then ends the process
}

}  // namespace

ColourRendering standardColourRendering() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!GetConsoleScreenBufferInfo(standardOutput(), &info)) return ColourRendering::None;
    savedConsoleAttributes = info.wAttributes;
    consoleAttributesSaved = true;
    return ColourRendering::ConsoleAttributes;
}

namespace {

// Older consoles refuse a single write much beyond 64 KiB; the text goes in pieces below that,
// never between the two halves of a surrogate pair.
constexpr std::size_t ConsolePieceUnits = 16384;

bool writeConsoleText(HANDLE console, const std::wstring& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t units = std::min(ConsolePieceUnits, text.size() - at);
        if (at + units < text.size() && IS_HIGH_SURROGATE(text[at + units - 1])) --units;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + at, static_cast<DWORD>(units), &written, nullptr) || written == 0)
            return false;
        at += written;
    }
    return true;
}

bool writeBytes(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(IoPiece, bytes.size()));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

bool writeStandard(StandardStream stream, std::string_view text) {
    HANDLE handle = GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) return writeConsoleText(handle, toWide(std::string(text)));
    return writeBytes(handle, text);
}

void setConsoleAttribute(std::uint16_t attribute) { SetConsoleTextAttribute(standardOutput(), attribute); }

void restoreConsoleAttributes() {
    if (consoleAttributesSaved) SetConsoleTextAttribute(standardOutput(), savedConsoleAttributes);
}

// Colours are never written into the text here.
void noteEscapeColoursInForce(bool) {}

void installInterruptRestore() { SetConsoleCtrlHandler(restoreOnInterrupt, TRUE); }

bool standardOutputIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

bool standardInputIsKeyboard() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

namespace {

bool isModifierKey(WORD key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_CAPITAL || key == VK_NUMLOCK ||
           key == VK_SCROLL || key == VK_LWIN || key == VK_RWIN;
}

}  // namespace

// As the command processor's pause: keys typed before the prompt do not count, and the key
// pressed is neither echoed nor needs Enter.
bool waitForKeyPress() {
    HANDLE keyboard = GetStdHandle(STD_INPUT_HANDLE);
    DWORD saved = 0;
    if (!GetConsoleMode(keyboard, &saved)) return false;
    FlushConsoleInputBuffer(keyboard);
    SetConsoleMode(keyboard, saved & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
    INPUT_RECORD record{};
    DWORD got = 0;
    while (ReadConsoleInputW(keyboard, &record, 1, &got) && got == 1) {
        if (record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
            !isModifierKey(record.Event.KeyEvent.wVirtualKeyCode))
            break;
    }
    SetConsoleMode(keyboard, saved);
    return true;
}

}  // namespace platform
