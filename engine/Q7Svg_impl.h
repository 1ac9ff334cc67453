#pragma once
// The conversion engine. It is at the same time the root of the game-state schema: its
// children are the top-level records in file order. One engine serves one file: load, then
// convertAndSave. Failures are recorded in errorCode and errorMessage, never raised.

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

#include "engine/ExistingFileRule.h"
#include "engine/MemoryBudget.h"
#include "engine/TreeArena.h"
#include "schema_core/BinarySequence.h"

namespace platform {
class InputFile;
}

// The engine's failure numbers, shared by load, parse and convertAndSave. Code 5 is not assigned.
namespace engine_error {
enum Code : std::uint32_t {
    None = 0,
    CannotOpenFile = 1,  // the input cannot be read, or the output cannot be written
    TooShort = 2,
    UnknownSignature = 3,
    UnsupportedVersion = 4,  // of the source, or of the requested target
    Compression = 6,         // a zlib call failed, or the inflated size disagrees with the trailer
    CorruptedFile = 7,
    NothingLoaded = 8,
    OlderTarget = 9,
};
}  // namespace engine_error

namespace source_kind {
enum Kind : std::uint32_t { NothingLoaded = 0, Gzip = 1, Raw = 2 };
}  // namespace source_kind

// Why the game-state read failed: both are reported as a corrupted file, but only the first says
// anything about the file.
enum class ReadFailure { None, Corrupted, OutOfMemory };

// The memory of one engine's tree: an arena that hands out nodes and buffers at memory speed and
// returns them all at once when the engine goes. The arena takes its blocks from `upstream`
// through a budget, so that a hostile save cannot build a tree the machine cannot hold. A base of
// the engine, so that it exists before the root node and outlives it.
class EngineMemory {
public:
    EngineMemory(std::pmr::memory_resource* upstream, std::size_t firstBlock);
    EngineMemory(const EngineMemory&) = delete;
    EngineMemory& operator=(const EngineMemory&) = delete;

    std::pmr::memory_resource* upstream() const { return budget.upstream(); }

protected:
    MemoryBudget budget;
    TreeArena arena;
};

class Q7Svg_impl : private EngineMemory, public BinarySequence {
public:
    explicit Q7Svg_impl(std::pmr::memory_resource* upstream = std::pmr::new_delete_resource());
    // An engine whose tree holds the basic parameters and, of the root's records counted from 0
    // as in the whole tree, only the one at `index`: for taking one record through a read and a
    // write, as the record fuzz target does, without building the rest.
    struct OneRecord {
        std::size_t index;
    };
    explicit Q7Svg_impl(OneRecord only, std::pmr::memory_resource* upstream = std::pmr::new_delete_resource());
    static constexpr std::size_t allRecords = static_cast<std::size_t>(-1);
    ~Q7Svg_impl() override;

    // Reads a save file, raw or gzip, into the tree.
    void load(const std::string& fileName);
    // Writes the loaded game state as version `target` to fileName, gzip-compressed or raw.
    void convertAndSave(const SvgVersion& target, bool compress, const std::string& fileName);

    // Game-state content above this size is refused (real saves are a few megabytes).
    static constexpr std::size_t maxContentBytes = std::size_t{128} << 20;
    // A sound member of content within that bound is never larger than this.
    static constexpr std::size_t maxMemberBytes = maxContentBytes + maxContentBytes / 64 + 1024;

    // Asked with the finished copy's bytes just before they replace what stands at its name; when
    // it keeps that file, nothing is written and `outputKept` is set.
    ExistingFileRule* existingFileRule = nullptr;
    bool outputKept = false;

    SvgVersion sourceVersion;
    std::string outputBaseName;   // output file name without its directory
    source_kind::Kind sourceKind = source_kind::NothingLoaded;
    engine_error::Code errorCode = engine_error::None;
    std::string errorMessage;
    ReadFailure readFailure = ReadFailure::None;

    // Where the tree's arena takes its memory from: counting this resource counts the tree.
    using EngineMemory::upstream;

private:
    void loadOpened(platform::InputFile& file, const std::string& fileName);
    void loadRaw(platform::InputFile& file, const std::string& fileName);
    void loadGzip(platform::InputFile& file, const std::string& fileName);
    bool loadSoundGzip(platform::InputFile& file, std::uint64_t fileSize, std::uint32_t expected, const std::string& fileName);
    void parse(ByteInput& in, const std::string& fileName);
    void writeConverted(const SvgVersion& target, bool compress, const std::string& fileName);
    void fail(engine_error::Code code, std::string message);
    void failCorrupted(ReadFailure reason, const std::string& fileName);

    void buildTree();
    void rebuildTree();
    bool readsBack(const std::vector<unsigned char>& body, const std::vector<std::size_t>& recordEnds,
                   const SvgVersion& target, const std::string& fileName);
    bool writesBackTheSame(const std::vector<unsigned char>& body, const std::vector<std::size_t>& recordEnds,
                           const SvgVersion& target, const std::string& fileName);
    static bool inflatesBack(const std::vector<unsigned char>& member, const std::vector<unsigned char>& body);

    // Size of the loaded game state: the converted body is about as large.
    std::size_t loadedContentBytes = 0;
    std::size_t builtRecord = allRecords;
};

// The part of a path after its last '/' or '\', or the whole path when it has neither.
std::string baseNameOf(const std::string& path);
