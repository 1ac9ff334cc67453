#include "driver/Q7Svg.h"

#include <string>

#include "engine/Q7Svg_impl.h"

Q7Svg::Q7Svg() : impl(std::make_unique<Q7Svg_impl>()) {}

Q7Svg::~Q7Svg() = default;

const char* Q7Svg::libraryVersion() { return "1.00"; }

void Q7Svg::load(const char* fileName) { impl->load(std::string(fileName)); }

SvgVersion Q7Svg::targetFor(const SvgVersion& source) {
    SvgVersion target = source;
    target.svg_version = source.svg_version == 45 ? 45 : 44;
    target.svg_subversion = 3;
    target.formatLevel = 12;
    return target;
}

// The converted file keeps its source's container form.
void Q7Svg::convertAndSave(const char* fileName) {
    SvgVersion target = targetFor(impl->sourceVersion);
    impl->convertAndSave(target, impl->sourceKind == 1, std::string(fileName));
}

bool Q7Svg::hasError() const { return impl->errorCode != 0; }

const std::string& Q7Svg::errorMessage() const { return impl->errorMessage; }

SavefileClass classifySavefile(ByteInput& in) {
    SvgVersion version;
    if (!readVersionHeader(in, version)) return SavefileClass::Unrecognised;
    if (version.svg_version == 42) return SavefileClass::OstrelSave;
    if (version.svg_version != 44 && version.svg_version != 45) return SavefileClass::Unrecognised;
    if (version.svg_subversion == 2) return SavefileClass::OlderBrevinSave;
    if (version.svg_subversion == 3) return SavefileClass::CurrentBrevinSave;
    return SavefileClass::Unrecognised;
}
