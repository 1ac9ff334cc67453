#include "engine/Q7Svg_impl.h"

#include <exception>
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

// The top-level nodes in file order, one line per node.
Q7Svg_impl::Q7Svg_impl(std::pmr::memory_resource* upstream)
    : EngineMemory(upstream), BinarySequence(AlwaysPresent, &arena), basicParameters(addNew<SVG_BASIC_PARAMETERS>()) {  // 1
    for (int player = 0; player < 8; ++player) addNew<SVG_PLAYER_ATTRIBUTES>();                  // 2 to 9
    addNew<SvgSpecialVictoryConditions>();                                                       // 10
    addNew<SvgSpecialLossConditions>();                                                          // 11
    addNew<Teams>();                                                                             // 12
    addNew<ArrayOfBinarySequences<unsigned char, tuned_tag>>();                                  // 13
    addNew<SvgMapPreSmth>();                                                                     // 14
    addNew<SvgCampaing>();                                                                       // 15
    addNew<SvgMapPreSmth2>(outputBaseName);                                                      // 16
    addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44);                                 // 17 item17
    addNew<ElemBinarySequence<signed char>>(AlwaysPresent);                                      // 18 item18
    addNew<SvgArtifacts>();                                                                      // 19
    addNew<SvgArtifacts>();                                                                      // 20
    addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(70, 0, FromVersion44);          // 21 item21
    addNew<ElemBinarySequence<unsigned char[28]>>(AlwaysPresent);                                // 22 item22
    addNew<SvgRumors>();                                                                         // 23
    addNew<ArrayOfElemBinarySequences<signed char, int[7]>>(AlwaysPresent);                      // 24 item24
    addNew<SvgCells>(basicParameters.mapSize(), basicParameters.twoLevels());                    // 25
    addNew<ArrayOfBinarySequences<unsigned int, SvgTemplate>>();                                 // 26
    addNew<ArrayOfElemBinarySequences<unsigned int, char[5]>>(AlwaysPresent);                    // 27 item27
    addNew<ArrayOfBinarySequences<unsigned short, SvgObjectPandoraEvent>>();                     // 28
    addNew<ArrayOfBinarySequences<unsigned short, SvgGuardedObjectSetup>>();                     // 29
    addNew<ArrayOfBinarySequences<unsigned short, SvgObjectMonster>>();                          // 30
    addNew<ArrayOfBinarySequencesWithVariableIntType<short, unsigned short, SvgSeerHut>>(FromVersion44);        // 31
    addNew<ArrayOfBinarySequences<unsigned short, SvgQuestGuard>>();                             // 32
    addNew<ArrayOfBinarySequences<unsigned int, SvgGlobalEvent>>();                              // 33
    addNew<ArrayOfBinarySequences<unsigned int, SvgTownEvent>>();                                // 34
    addNew<ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, SvgSign>>(FromVersion44);             // 35
    addNew<ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, SvgMine>>(FromVersion44Sub3); // 36
    addNew<ArrayOfBinarySequences<unsigned short, SvgDwelling>>();                               // 37
    addNew<ArrayOfBinarySequences<unsigned char, SvgGarnisson>>();                               // 38
    addNew<ArrayOfBinarySequences<unsigned char, SvgBoat>>();                                    // 39
    addNew<Obelisks>();                                                                          // 40
    for (int player = 0; player < 8; ++player) addNew<SvgPlayer>();                              // 41 to 48
    addNew<ArrayOfBinarySequences<unsigned char, SvgTown>>();                                    // 49
    addNew<SvgHeroFixedSizeArray>();                                                             // 50
    addNew<SvgHeroAvailabilityFixedSizeArray>();                                                 // 51
    addNew<SvgHeroPlayerAvailabilityFixedSizeArray>();                                           // 52
    addNew<SvgMisk>();                                                                           // 53
    addNew<SvgCellsParams>(basicParameters.mapSize(), basicParameters.twoLevels());              // 54
    addNew<SvgTeleportes_Whirlpools_Gates>();                                                    // 55
    addNew<ArrayOfElemBinarySequences<unsigned short, int[4]>>(AlwaysPresent);                   // 56 item56
    addNew<ArrayOfBinarySequences<short, SvgCrbank>>();                                          // 57
    addNew<ArrayOfBinarySequences<int, SvgReplayAct>>();                                         // 58
    addNew<AddInfo>(FromVersion44);                                                              // 59
    addNew<HW>(FromVersion45);                                                                   // 60
    addNew<HDModeData>();                                                                        // 61
}

// Every node and buffer of the tree lives in the arena, which goes right after this: walking the
// tree to destroy it node by node would only touch all of it once more.
Q7Svg_impl::~Q7Svg_impl() { abandonTreeToArena(); }

void Q7Svg_impl::fail(std::uint32_t code, std::string message) {
    errorCode = code;
    errorMessage = std::move(message);
}

void Q7Svg_impl::parse(ByteInput& in, const std::string& fileName) {
    readVersionHeader(in, sourceVersion);
    if (!isAcceptedSourceVersion(sourceVersion)) return fail(4, engine_messages::unsupportedVersion(fileName, sourceVersion));
    // Past its budget the tree is refused like any other impossible content: a real save never
    // comes near it. The write that follows builds little and is not limited.
    budget.setLimit(treeMemoryBudget(loadedContentBytes));
    try {
        // From here on a short read, including one left over from the version pre-read, raises.
        in.seek(0);
        in.raiseOnFailure();
        read(in, sourceVersion);
        errorCode = 0;
    } catch (const std::exception&) {
        sourceKind = 0;
        fail(7, engine_messages::corrupted(fileName));
    }
    budget.setLimit(UnlimitedMemory);
}

std::string baseNameOf(const std::string& path) {
    std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
