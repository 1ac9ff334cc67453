#include "engine/Q7Svg_impl.h"

#include <exception>
#include <new>
#include <utility>

#include "engine/EngineMessages.h"
#include "engine/VersionPolicy.h"
#include "schema/AdventureObjects.h"
#include "schema/Campaign.h"
#include "schema/Heroes.h"
#include "schema/MapWorld.h"
#include "schema/PlayerTownMisc.h"
#include "schema/ScenarioHeader.h"
#include "schema_core/ArrayOfBinarySequencesWithVariableIntType.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"

namespace {
// The first block of the arena; later blocks grow geometrically. A tree of one record starts small.
constexpr std::size_t firstArenaBlock = std::size_t{256} << 10;
constexpr std::size_t firstOneRecordBlock = std::size_t{4} << 10;
}  // namespace

// The engine is a node too, allocated as nodes are.
static_assert(alignof(Q7Svg_impl) <= BinarySequence::nodeAlignment);

EngineMemory::EngineMemory(std::pmr::memory_resource* upstream, std::size_t firstBlock)
    : budget(UnlimitedMemory, upstream), arena(firstBlock, &budget) {}

Q7Svg_impl::Q7Svg_impl(std::pmr::memory_resource* upstream)
    : EngineMemory(upstream, firstArenaBlock), BinarySequence(AlwaysPresent, &arena) {
    buildTree();
}

Q7Svg_impl::Q7Svg_impl(OneRecord only, std::pmr::memory_resource* upstream)
    : EngineMemory(upstream, firstOneRecordBlock), BinarySequence(AlwaysPresent, &arena), builtRecord(only.index) {
    buildTree();
}

namespace {

// Adds the root's records in file order, counting them: all of them, or only the one asked for.
class TreeBuild {
public:
    TreeBuild(BinarySequence& root, std::size_t only) : root(root), only(only) {}

    template <class Node, class... Args>
    void add(Args&&... args) {
        if (only == Q7Svg_impl::allRecords || index == only) root.addNew<Node>(std::forward<Args>(args)...);
        ++index;
    }

private:
    BinarySequence& root;
    const std::size_t only;
    std::size_t index = 1;  // after the basic parameters
};

}  // namespace

// The top-level nodes in file order, one line per node.
void Q7Svg_impl::buildTree() {
    // Node 1, always built; the map records take references to its map size and level flag.
    SVG_BASIC_PARAMETERS& basicParameters = addNew<SVG_BASIC_PARAMETERS>();
    TreeBuild build(*this, builtRecord);
    for (int player = 0; player < 8; ++player) build.add<SVG_PLAYER_ATTRIBUTES>();
    build.add<SvgSpecialVictoryConditions>();
    build.add<SvgSpecialLossConditions>();
    build.add<Teams>();
    build.add<ArrayOfBinarySequences<unsigned char, tuned_tag>>();
    build.add<SvgMapPreSmth>();
    build.add<SvgCampaing>();
    build.add<SvgMapPreSmth2>(outputBaseName);
    build.add<ElemBinarySequence<unsigned int>>(0u, FromVersion44);
    build.add<ElemBinarySequence<signed char>>();
    build.add<SvgArtifacts>();
    build.add<SvgArtifacts>();
    build.add<FixedLengthArrayOfElemBinarySequences<unsigned char>>(70, 0, FromVersion44);
    build.add<ElemBinarySequence<unsigned char[28]>>();
    build.add<SvgRumors>();
    build.add<ArrayOfElemBinarySequences<signed char, int[7]>>();
    build.add<SvgCells>(basicParameters.mapSize(), basicParameters.twoLevels());
    build.add<ArrayOfBinarySequences<unsigned int, SvgTemplate>>();
    build.add<ArrayOfElemBinarySequences<unsigned int, char[5]>>();
    build.add<ArrayOfBinarySequences<unsigned short, SvgObjectPandoraEvent>>();
    build.add<ArrayOfBinarySequences<unsigned short, SvgGuardedObjectSetup>>();
    build.add<ArrayOfBinarySequences<unsigned short, SvgObjectMonster>>();
    build.add<ArrayOfBinarySequencesWithVariableIntType<short, unsigned short, SvgSeerHut>>(FromVersion44);
    build.add<ArrayOfBinarySequences<unsigned short, SvgQuestGuard>>();
    build.add<ArrayOfBinarySequences<unsigned int, SvgGlobalEvent>>();
    build.add<ArrayOfBinarySequences<unsigned int, SvgTownEvent>>();
    build.add<ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, SvgSign>>(FromVersion44);
    build.add<ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, SvgMine>>(FromVersion44Sub3);
    build.add<ArrayOfBinarySequences<unsigned short, SvgDwelling>>();
    build.add<ArrayOfBinarySequences<unsigned char, SvgGarnisson>>();
    build.add<ArrayOfBinarySequences<unsigned char, SvgBoat>>();
    build.add<Obelisks>();
    for (int player = 0; player < 8; ++player) build.add<SvgPlayer>();
    build.add<ArrayOfBinarySequences<unsigned char, SvgTown>>();
    build.add<SvgHeroFixedSizeArray>();
    build.add<SvgHeroAvailabilityFixedSizeArray>();
    build.add<SvgHeroPlayerAvailabilityFixedSizeArray>();
    build.add<SvgMisk>();
    build.add<SvgCellsParams>(basicParameters.mapSize(), basicParameters.twoLevels());
    build.add<SvgTeleportes_Whirlpools_Gates>();
    build.add<ArrayOfElemBinarySequences<unsigned short, int[4]>>();
    build.add<ArrayOfBinarySequences<short, SvgCrbank>>();
    build.add<ArrayOfBinarySequences<int, SvgReplayAct>>();
    build.add<AddInfo>(FromVersion44);
    build.add<HW>(FromVersion45);
    build.add<HDModeData>();
}

// Every node and buffer of the tree lives in the arena, which goes right after this: walking the
// tree to destroy it node by node would only touch all of it once more.
Q7Svg_impl::~Q7Svg_impl() { abandonTreeToArena(); }

// A fresh tree in place of the one held, whose memory goes back at once: the list of the root's
// children goes first, since it lives in the arena too.
void Q7Svg_impl::rebuildTree() {
    abandonTreeToArena();
    decltype(children)(children.get_allocator()).swap(children);
    arena.release();
    buildTree();
}

void Q7Svg_impl::fail(engine_error::Code code, std::string message) {
    errorCode = code;
    errorMessage = std::move(message);
}

void Q7Svg_impl::parse(ByteInput& in, const std::string& fileName) {
    readVersionHeader(in, sourceVersion);
    if (!isAcceptedSourceVersion(sourceVersion))
        return fail(engine_error::UnsupportedVersion, engine_messages::unsupportedVersion(fileName, sourceVersion));
    // Past its budget the tree is refused like any other impossible content: a real save never
    // comes near it. The write that follows builds little and is not limited.
    budget.setLimit(treeMemoryBudget(loadedContentBytes));
    try {
        // From here on a short read, including one left over from the version pre-read, raises.
        in.seek(0);
        in.raiseOnFailure();
        read(in, sourceVersion);
        errorCode = engine_error::None;
        readFailure = ReadFailure::None;
    } catch (const std::bad_alloc&) {
        failCorrupted(ReadFailure::OutOfMemory, fileName);
    } catch (const std::exception&) {
        failCorrupted(ReadFailure::Corrupted, fileName);
    }
    budget.setLimit(UnlimitedMemory);
}

// Running out of memory is told apart here, though the outcome is the same: the file itself may
// be sound.
void Q7Svg_impl::failCorrupted(ReadFailure reason, const std::string& fileName) {
    sourceKind = source_kind::NothingLoaded;
    readFailure = reason;
    fail(engine_error::CorruptedFile, engine_messages::corrupted(fileName));
}

std::string baseNameOf(const std::string& path) {
    std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
