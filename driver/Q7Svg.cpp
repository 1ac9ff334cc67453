#include "driver/Q7Svg.h"

#include <string>

#include "engine/Q7Svg_impl.h"
#include "engine/VersionPolicy.h"

Q7Svg::Q7Svg() : impl(std::make_unique<Q7Svg_impl>()) {}

Q7Svg::~Q7Svg() = default;

const char* Q7Svg::libraryVersion() { return "1.00"; }

void Q7Svg::load(const char* fileName) { impl->load(std::string(fileName)); }

SvgVersion Q7Svg::targetFor(const SvgVersion& source) { return conversionTargetFor(source); }

// The converted file keeps its source's container form.
void Q7Svg::convertAndSave(const char* fileName) {
    SvgVersion target = targetFor(impl->sourceVersion);
    impl->convertAndSave(target, impl->sourceKind == source_kind::Gzip, std::string(fileName));
}

void Q7Svg::keepExistingFileWhen(ExistingFileRule& rule) { impl->existingFileRule = &rule; }

bool Q7Svg::keptExistingFile() const { return impl->outputKept; }

bool Q7Svg::hasError() const { return impl->errorCode != engine_error::None; }

const std::string& Q7Svg::errorMessage() const { return impl->errorMessage; }

SavefileClass classifySavefile(ByteInput& in) {
    SvgVersion version;
    readVersionHeader(in, version);
    if (!isAcceptedSourceVersion(version)) return SavefileClass::Unrecognised;
    if (version.isOstrel()) return SavefileClass::OstrelSave;
    return version.hasCurrentBrevinSubversion() ? SavefileClass::CurrentBrevinSave : SavefileClass::OlderBrevinSave;
}
