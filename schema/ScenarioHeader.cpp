#include "schema/ScenarioHeader.h"

#include "schema_core/TagPredicates.h"

SVG_BASIC_PARAMETERS::SVG_BASIC_PARAMETERS(VersionPredicate presence)
    : BinarySequence(presence),
      signature(addNew<ElemBinarySequence<char[8]>>()),
      version(addNew<SvgVersionInfo>()),
      item03(addNew<ElemBinarySequence<unsigned int>>()),
      item04(addNew<ElemBinarySequence<unsigned char[32]>>()),
      item05(addNew<ElemBinarySequence<unsigned int>>()),
      item06(addNew<ElemBinarySequence<unsigned char>>()),
      mapSizeNode(addNew<ElemBinarySequence<unsigned int>>()),
      twoLevelsNode(addNew<ElemBinarySequence<unsigned char>>()) {
    addNew<Text16>();                           // item09
    addNew<Text16>();                           // item10
    addNew<ElemBinarySequence<char>>();         // item11
    addNew<ElemBinarySequence<char>>();         // item12
}

generateHeroInfo::generateHeroInfo(VersionPredicate presence) : ConditionnalBinarySequence(presence) {
    if (shareVariantsOf<generateHeroInfo>()) return;
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<unsigned char, 1>, AlwaysPresent);
}

playerHerotypeInfo::playerHerotypeInfo(VersionPredicate presence) : ConditionnalBinarySequence(presence) {
    if (shareVariantsOf<playerHerotypeInfo>()) return;
    addVariant<ElemBinarySequence<unsigned char>>(&TagIsNot<unsigned char, 255>, AlwaysPresent);
    addVariant<Text16>(&TagIsNot<unsigned char, 255>, AlwaysPresent);
}

SVG_PLAYER_ATTRIBUTES::SVG_PLAYER_ATTRIBUTES(VersionPredicate presence) : BinarySequence(presence) {
    addNew<ElemBinarySequence<unsigned char>>();                 // item01
    addNew<ElemBinarySequence<unsigned char>>();                 // item02
    addNew<ElemBinarySequence<char>>();                          // item03
    addNew<ElemBinarySequence<short>>();                         // item04
    addNew<ElemBinarySequence<unsigned char>>();                 // item05
    addNew<generateHeroInfo>();                                  // item06
    addNew<ElemBinarySequence<unsigned char>>(static_cast<unsigned char>(0), FromVersion44);  // item07
    addNew<playerHerotypeInfo>();                                // item08
}

SvgSpecialVictoryConditions::SvgSpecialVictoryConditions(VersionPredicate presence)
    : ConditionnalBinarySequence(presence) {
    if (shareVariantsOf<SvgSpecialVictoryConditions>()) return;
    using S = signed char;
    addVariant<ElemBinarySequence<unsigned char>>(&TagIsNot<S, -1>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(&TagIsNot<S, -1>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(&TagIs<S, 0>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(&TagIs<S, 1>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int>>(&TagIs<S, 1>, AlwaysPresent);
    addVariant<ElemBinarySequence<signed char>>(&TagIs<S, 2>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int>>(&TagIs<S, 2>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 3>, AlwaysPresent);
    addVariant<ElemBinarySequence<signed char>>(&TagIs<S, 3>, AlwaysPresent);
    addVariant<ElemBinarySequence<signed char>>(&TagIs<S, 3>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 4>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(&TagIs<S, 5>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 6>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 7>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char>>(&TagIs<S, 10>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 10>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned int>>(&TagIs<S, 12>, AlwaysPresent);
}

SvgSpecialLossConditions::SvgSpecialLossConditions(VersionPredicate presence) : ConditionnalBinarySequence(presence) {
    if (shareVariantsOf<SvgSpecialLossConditions>()) return;
    using S = signed char;
    addVariant<ElemBinarySequence<unsigned char[3]>>(&TagIs<S, 0>, AlwaysPresent);
    addVariant<ElemBinarySequence<short>>(&TagIs<S, 1>, AlwaysPresent);
    addVariant<ElemBinarySequence<unsigned short>>(&TagIs<S, 2>, AlwaysPresent);
}

Teams::Teams(VersionPredicate presence) : ConditionnalBinarySequence(presence) {
    if (shareVariantsOf<Teams>()) return;
    addVariant<ElemBinarySequence<unsigned char[8]>>(&TagIsNot<unsigned char, 0>, AlwaysPresent);
}

tuned_tag::tuned_tag(VersionPredicate presence) : BinarySequence(presence) {
    addNew<ElemBinarySequence<unsigned char>>();  // item01
    addNew<ElemBinarySequence<unsigned char>>();  // item02
    addNew<Text32>();                             // item03
    addNew<ElemBinarySequence<unsigned char>>();  // item04
}

SvgMapPreSmth::SvgMapPreSmth(VersionPredicate presence) : BinarySequence(presence) {
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item01
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item02
    addNew<ElemBinarySequence<unsigned char[32]>>();   // item03
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item04
    addNew<ElemBinarySequence<unsigned char>>();       // item05
    addNew<ElemBinarySequence<unsigned char[251]>>();  // item06
    addNew<ElemBinarySequence<unsigned char[100]>>();  // item07
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item08
    addNew<ElemBinarySequence<unsigned char>>();       // item09
    addNew<ElemBinarySequence<unsigned char>>();       // item10
    addNew<ElemBinarySequence<unsigned char>>();       // item11
    addNew<ElemBinarySequence<unsigned char>>();       // item12
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item13
    addNew<ElemBinarySequence<unsigned char[8]>>();    // item14
}
