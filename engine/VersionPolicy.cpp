#include "engine/VersionPolicy.h"

bool isAcceptedSourceVersion(const SvgVersion& version) {
    if (version.isOstrel()) return true;
    return version.isBrevin() && version.hasKnownBrevinSubversion();
}

bool isOlderThan(const SvgVersion& target, const SvgVersion& source) {
    if (target.isOstrel()) return source.isNewerThanOstrel();
    return target.hasOlderSubversionThan(source);
}

SvgVersion conversionTargetFor(const SvgVersion& source) {
    SvgVersion target = source;
    target.svg_version = source.isBrevinHw() ? SvgVersion::brevinHwRelease : SvgVersion::brevinRelease;
    target.svg_subversion = currentBrevinSubversion().number;
    target.updateFormatLevel();
    return target;
}

namespace {
std::string askedForLines(const SvgVersion& target) {
    return "svg_version asked for is " + std::to_string(target.svg_version) + "\n" +
           "svg_subversion asked for is " + std::to_string(target.svg_subversion) + "\n" +
           "svg_hw_subversion asked for is " + std::to_string(target.svg_hw_subversion) + "\n";
}
}  // namespace

std::string unknownTargetMessage(const SvgVersion& target) {
    return "Error : asked for conversion to unknown savefile version\n" + askedForLines(target);
}

std::string olderTargetMessage(const SvgVersion& target, const SvgVersion& source) {
    return "Error : asked for conversion to a version older than source version\n"
           "source svg_version is " + std::to_string(source.svg_version) + "\n" +
           "source svg_subversion is " + std::to_string(source.svg_subversion) + "\n" +
           "source svg_hw_subversion is " + std::to_string(source.svg_hw_subversion) + "\n" +
           askedForLines(target);
}
