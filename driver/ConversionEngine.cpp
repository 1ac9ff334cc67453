#include "driver/ConversionEngine.h"

#include <exception>

std::string FacadeEngine::libraryVersion() const { return Q7Svg::libraryVersion(); }

SavefileClass FacadeEngine::classify(ByteInput& content) const { return classifySavefile(content); }

// The engine reports failures through hasError; anything it throws all the same (memory
// exhausted by a hostile file) is counted as a failure of the step that threw, so one file can
// never end the run.
ConversionOutcome FacadeEngine::convert(const std::string& source, const std::string& output) {
    Q7Svg save;  // one engine per file, gone when the file is done
    try {
        save.load(source.c_str());
    } catch (const std::exception&) {
        return ConversionOutcome::LoadFailed;
    }
    if (save.hasError()) return ConversionOutcome::LoadFailed;
    try {
        save.convertAndSave(output.c_str());
    } catch (const std::exception&) {
        return ConversionOutcome::WriteFailed;
    }
    return save.hasError() ? ConversionOutcome::WriteFailed : ConversionOutcome::Converted;
}
