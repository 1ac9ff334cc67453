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
// The first block of the arena; later blocks grow geometrically.
constexpr std::size_t firstArenaBlock = std::size_t{256} << 10;
}  // namespace

// The engine is a node too, allocated as nodes are.
static_assert(alignof(Q7Svg_impl) <= BinarySequence::nodeAlignment);

EngineMemory::EngineMemory(std::pmr::memory_resource* upstream)
    : budget(UnlimitedMemory, upstream), arena(firstArenaBlock, &budget) {}

Q7Svg_impl::Q7Svg_impl(std::pmr::memory_resource* upstream)
    : EngineMemory(upstream), BinarySequence(AlwaysPresent, &arena) {
    buildTree();
}

// The top-level nodes in file order, one line per node.
void Q7Svg_impl::buildTree() {
    // Node 1; the map records take references to its map size and level flag.
    SVG_BASIC_PARAMETERS& basicParameters = addNew<SVG_BASIC_PARAMETERS>();
    for (int player = 0; player < 8; ++player) addNew<SVG_PLAYER_ATTRIBUTES>();
    addNew<SvgSpecialVictoryConditions>();
    addNew<SvgSpecialLossConditions>();
    addNew<Teams>();
    addNew<ArrayOfBinarySequences<unsigned char, tuned_tag>>();
    addNew<SvgMapPreSmth>();
    addNew<SvgCampaing>();
    addNew<SvgMapPreSmth2>(outputBaseName);
    addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44);
    addNew<ElemBinarySequence<signed char>>();
    addNew<SvgArtifacts>();
    addNew<SvgArtifacts>();
    addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(70, 0, FromVersion44);
    addNew<ElemBinarySequence<unsigned char[28]>>();
    addNew<SvgRumors>();
    addNew<ArrayOfElemBinarySequences<signed char, int[7]>>();
    addNew<SvgCells>(basicParameters.mapSize(), basicParameters.twoLevels());
    addNew<ArrayOfBinarySequences<unsigned int, SvgTemplate>>();
    addNew<ArrayOfElemBinarySequences<unsigned int, char[5]>>();
    addNew<ArrayOfBinarySequences<unsigned short, SvgObjectPandoraEvent>>();
    addNew<ArrayOfBinarySequences<unsigned short, SvgGuardedObjectSetup>>();
    addNew<ArrayOfBinarySequences<unsigned short, SvgObjectMonster>>();
    addNew<ArrayOfBinarySequencesWithVariableIntType<short, unsigned short, SvgSeerHut>>(FromVersion44);
    addNew<ArrayOfBinarySequences<unsigned short, SvgQuestGuard>>();
    addNew<ArrayOfBinarySequences<unsigned int, SvgGlobalEvent>>();
    addNew<ArrayOfBinarySequences<unsigned int, SvgTownEvent>>();
    addNew<ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, SvgSign>>(FromVersion44);
    addNew<ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, SvgMine>>(FromVersion44Sub3);
    addNew<ArrayOfBinarySequences<unsigned short, SvgDwelling>>();
    addNew<ArrayOfBinarySequences<unsigned char, SvgGarnisson>>();
    addNew<ArrayOfBinarySequences<unsigned char, SvgBoat>>();
    addNew<Obelisks>();
    for (int player = 0; player < 8; ++player) addNew<SvgPlayer>();
    addNew<ArrayOfBinarySequences<unsigned char, SvgTown>>();
    addNew<SvgHeroFixedSizeArray>();
    addNew<SvgHeroAvailabilityFixedSizeArray>();
    addNew<SvgHeroPlayerAvailabilityFixedSizeArray>();
    addNew<SvgMisk>();
    addNew<SvgCellsParams>(basicParameters.mapSize(), basicParameters.twoLevels());
    addNew<SvgTeleportes_Whirlpools_Gates>();
    addNew<ArrayOfElemBinarySequences<unsigned short, int[4]>>();
    addNew<ArrayOfBinarySequences<short, SvgCrbank>>();
    addNew<ArrayOfBinarySequences<int, SvgReplayAct>>();
    addNew<AddInfo>(FromVersion44);
    addNew<HW>(FromVersion45);
    addNew<HDModeData>();
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
