#include "driver/ConversionEngine.h"

#include <exception>

#include "driver/ChangedCopy.h"

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

namespace {

// A copy the player may have played on since is kept (driver/ChangedCopy.h); a dry run keeps
// every file, noting whether the real run would have kept it.
class KeepChangedCopies final : public ExistingFileRule {
public:
    explicit KeepChangedCopies(bool write) : write_(write) {}
    bool keeps(const std::string& fileName, const std::vector<unsigned char>& copy) override {
        changedCopy = isChangedCurrentSave(fileName, copy);
        return changedCopy || !write_;
    }
    bool changedCopy = false;

private:
    bool write_;
};

}  // namespace

ConversionOutcome FacadeEngine::convert(const std::string& source, const std::string& output) {
    Q7Svg save;  // one engine per file, gone when the file is done
    if (!load(save, source)) return ConversionOutcome::LoadFailed;
    KeepChangedCopies rule(true);
    save.keepExistingFileWhen(rule);
    return convertLoaded(save, output);
}

// A save that loads would be converted, unless a current save stands at its output name: then
// the copy is made in memory to compare, and never written.
ConversionOutcome FacadeEngine::tryConvert(const std::string& source, const std::string& output) {
    Q7Svg save;
    if (!load(save, source)) return ConversionOutcome::LoadFailed;
    if (!holdsCurrentSave(output)) return ConversionOutcome::Converted;
    KeepChangedCopies rule(false);
    save.keepExistingFileWhen(rule);
    const ConversionOutcome outcome = convertLoaded(save, output);
    return outcome == ConversionOutcome::ChangedCopyKept && !rule.changedCopy ? ConversionOutcome::Converted : outcome;
}

ConversionOutcome FacadeEngine::convertLoaded(Q7Svg& save, const std::string& output) {
    try {
        save.convertAndSave(output.c_str());
    } catch (const std::exception& error) {
        failureDetail_ = error.what();
        return ConversionOutcome::WriteFailed;
    }
    if (save.hasError()) {
        failureDetail_ = save.errorMessage();
        return ConversionOutcome::WriteFailed;
    }
    return save.keptExistingFile() ? ConversionOutcome::ChangedCopyKept : ConversionOutcome::Converted;
}
