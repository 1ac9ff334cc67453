#include "driver/ConversionEngine.h"

#include <exception>

std::string FacadeEngine::libraryVersion() const { return Q7Svg::libraryVersion(); }

SavefileClass FacadeEngine::classify(ByteInput& content) const { return classifySavefile(content); }

// The engine reports failures through hasError; anything it throws all the same (memory
// exhausted by a hostile file) is counted as a failure of the step that threw, so one file can
// never end the run.
bool FacadeEngine::load(Q7Svg& save, const std::string& source) {
    failureDetail_.clear();
    try {
        save.load(source.c_str());
    } catch (const std::exception& error) {
        failureDetail_ = error.what();
        return false;
    }
    if (save.hasError()) failureDetail_ = save.errorMessage();
    return !save.hasError();
}

ConversionOutcome FacadeEngine::convert(const std::string& source, const std::string& output) {
    Q7Svg save;  // one engine per file, gone when the file is done
    if (!load(save, source)) return ConversionOutcome::LoadFailed;
    try {
        save.convertAndSave(output.c_str());
    } catch (const std::exception& error) {
        failureDetail_ = error.what();
        return ConversionOutcome::WriteFailed;
    }
    if (!save.hasError()) return ConversionOutcome::Converted;
    failureDetail_ = save.errorMessage();
    return ConversionOutcome::WriteFailed;
}

bool FacadeEngine::loads(const std::string& source) {
    Q7Svg save;
    return load(save, source);
}
