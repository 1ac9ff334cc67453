#include "schema/Heroes.h"

SvgHeroFixedSizeArray::SvgHeroFixedSizeArray(VersionPredicate presence) : BinarySequence(presence) {
    addHeroes(baseHeroCount);
}

// The table size follows the source version. The heroes are built afresh for every read, so
// reading the table again cannot leave it with extra heroes or stale hero content.
void SvgHeroFixedSizeArray::read(ByteInput& in, const SvgVersion& version) {
    addDefaultHeroes = version.isOstrel();
    clearChildren();
    addHeroes(addDefaultHeroes ? baseHeroCount : baseHeroCount + addedHeroCount);
    readChildren(in, version);
}

// A version-42 source holds only 156 heroes; a newer target expects 178, so the missing ones
// are written as freshly built heroes in the target's layout.
void SvgHeroFixedSizeArray::write(ByteOutput& out, const SvgVersion& version) const {
    writeChildren(out, version);
    if (!addDefaultHeroes || !hasAddedHeroes(version)) return;
    ByteOutput defaultHero;
    NodeBuildScope scope(memory());
    SvgHero().write(defaultHero, version);
    for (std::size_t i = 0; i < addedHeroCount; ++i) out.write(defaultHero.data(), defaultHero.size());
}

void SvgHeroFixedSizeArray::addHeroes(std::size_t count) {
    children.reserve(children.size() + count);
    for (std::size_t i = 0; i < count; ++i) addNew<SvgHero>();
}
