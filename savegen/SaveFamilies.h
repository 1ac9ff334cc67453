#pragma once
// The one list of the save families the generator builds: its name, svg_version and
// svg_subversion. The enum, the family list, versionOf, nameOf and the sample tool's cycle all
// come from it; a new release adds its rows here.

#include <array>
#include <cstddef>
#include <cstdint>

#define CONVERTER_SAVE_FAMILIES(X) \
    X(Ostrel42, 42, 0)             \
    X(Brevin44Sub2, 44, 2)         \
    X(Brevin44Sub3, 44, 3)         \
    X(Brevin45Sub2, 45, 2)         \
    X(Brevin45Sub3, 45, 3)

#define CONVERTER_SAVE_FAMILY_ENUMERATOR(name, version, subversion) name,
enum class SaveFamily { CONVERTER_SAVE_FAMILIES(CONVERTER_SAVE_FAMILY_ENUMERATOR) };
#undef CONVERTER_SAVE_FAMILY_ENUMERATOR

struct SaveFamilyRow {
    SaveFamily family;
    const char* name;
    std::uint32_t svgVersion;
    std::uint32_t svgSubversion;
};

#define CONVERTER_SAVE_FAMILY_ROW(name, version, subversion) {SaveFamily::name, #name, version, subversion},
inline constexpr SaveFamilyRow kSaveFamilyRows[] = {CONVERTER_SAVE_FAMILIES(CONVERTER_SAVE_FAMILY_ROW)};
#undef CONVERTER_SAVE_FAMILY_ROW

inline constexpr std::size_t kSaveFamilyCount = sizeof kSaveFamilyRows / sizeof kSaveFamilyRows[0];

#define CONVERTER_SAVE_FAMILY_VALUE(name, version, subversion) SaveFamily::name,
inline constexpr std::array<SaveFamily, kSaveFamilyCount> kAllSaveFamilies{
    CONVERTER_SAVE_FAMILIES(CONVERTER_SAVE_FAMILY_VALUE)};
#undef CONVERTER_SAVE_FAMILY_VALUE

inline constexpr const SaveFamilyRow& rowOf(SaveFamily family) {
    return kSaveFamilyRows[static_cast<std::size_t>(family)];
}
