#include "engine/Q7Svg_impl.h"

#include <exception>
#include <utility>

#include "engine/EngineMessages.h"
#include "engine/VersionPolicy.h"
#include "schema/PlayerTownMisc.h"
#include "schema/ScenarioHeader.h"
#include "schema_core/ArrayOfElemBinarySequences.h"
#include "schema_core/FixedLengthArrayOfElemBinarySequences.h"

// The top-level nodes in file order, one line per node. Rows whose records belong to other
// record groups are slotted in where their comment stands.
Q7Svg_impl::Q7Svg_impl() : BinarySequence(AlwaysPresent), basicParameters(addNew<SVG_BASIC_PARAMETERS>()) {  // 1
    for (int player = 0; player < 8; ++player) addNew<SVG_PLAYER_ATTRIBUTES>();                  // 2 to 9
    addNew<SvgSpecialVictoryConditions>();                                                       // 10
    addNew<SvgSpecialLossConditions>();                                                          // 11
    addNew<Teams>();                                                                             // 12
    addNew<ArrayOfBinarySequences<unsigned char, tuned_tag>>();                                  // 13
    addNew<SvgMapPreSmth>();                                                                     // 14
    // 15 SvgCampaing
    // 16 SvgMapPreSmth2(outputBaseName)
    addNew<ElemBinarySequence<unsigned int>>(0u, FromVersion44);                                 // 17 item17
    addNew<ElemBinarySequence<signed char>>(AlwaysPresent);                                      // 18 item18
    // 19 SvgArtifacts
    // 20 SvgArtifacts
    addNew<FixedLengthArrayOfElemBinarySequences<unsigned char>>(70, 0, FromVersion44);          // 21 item21
    addNew<ElemBinarySequence<unsigned char[28]>>(AlwaysPresent);                                // 22 item22
    // 23 SvgRumors
    addNew<ArrayOfElemBinarySequences<signed char, int[7]>>(AlwaysPresent);                      // 24 item24
    // 25 SvgCells(basicParameters.mapSize(), basicParameters.twoLevels())
    // 26 ArrayOfBinarySequences<unsigned int, SvgTemplate>
    addNew<ArrayOfElemBinarySequences<unsigned int, char[5]>>(AlwaysPresent);                    // 27 item27
    // 28 ArrayOfBinarySequences<unsigned short, SvgObjectPandoraEvent>
    // 29 ArrayOfBinarySequences<unsigned short, SvgGuardedObjectSetup>
    // 30 ArrayOfBinarySequences<unsigned short, SvgObjectMonster>
    // 31 ArrayOfBinarySequencesWithVariableIntType<short, unsigned short, SvgSeerHut>(FromVersion44)
    // 32 ArrayOfBinarySequences<unsigned short, SvgQuestGuard>
    // 33 ArrayOfBinarySequences<unsigned int, SvgGlobalEvent>
    // 34 ArrayOfBinarySequences<unsigned int, SvgTownEvent>
    // 35 ArrayOfBinarySequencesWithVariableIntType<char, unsigned char, SvgSign>(FromVersion44)
    // 36 ArrayOfBinarySequencesWithVariableIntType<unsigned char, unsigned int, SvgMine>(FromVersion44Sub3)
    // 37 ArrayOfBinarySequences<unsigned short, SvgDwelling>
    // 38 ArrayOfBinarySequences<unsigned char, SvgGarnisson>
    // 39 ArrayOfBinarySequences<unsigned char, SvgBoat>
    // 40 Obelisks
    // 41 to 48 SvgPlayer, eight records
    // 49 ArrayOfBinarySequences<unsigned char, SvgTown>
    // 50 SvgHeroFixedSizeArray
    // 51 SvgHeroAvailabilityFixedSizeArray
    // 52 SvgHeroPlayerAvailabilityFixedSizeArray
    // 53 SvgMisk
    // 54 SvgCellsParams(basicParameters.mapSize(), basicParameters.twoLevels())
    // 55 SvgTeleportes_Whirlpools_Gates
    addNew<ArrayOfElemBinarySequences<unsigned short, int[4]>>(AlwaysPresent);                   // 56 item56
    // 57 ArrayOfBinarySequences<short, SvgCrbank>
    // 58 ArrayOfBinarySequences<int, SvgReplayAct>
    // 59 AddInfo(FromVersion44)
    // 60 HW(FromVersion45)
    addNew<HDModeData>();                                                                        // 61
}

Q7Svg_impl::~Q7Svg_impl() = default;

void Q7Svg_impl::fail(std::uint32_t code, std::string message) {
    errorCode = code;
    errorMessage = std::move(message);
}

void Q7Svg_impl::parse(ByteInput& in, const std::string& fileName) {
    readVersionHeader(in, sourceVersion);
    if (!isAcceptedSourceVersion(sourceVersion)) return fail(4, engine_messages::unsupportedVersion(fileName, sourceVersion));
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
}

std::string baseNameOf(const std::string& path) {
    std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
