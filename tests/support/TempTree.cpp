#include "tests/support/TempTree.h"

std::filesystem::path TempTree::write(const std::string& relative, const std::vector<unsigned char>& bytes) const {
    const std::filesystem::path path = root() / relative;
    std::filesystem::create_directories(path.parent_path());
    writeFileBytes(path, bytes);
    return path;
}

std::filesystem::path TempTree::write(const std::string& relative, const std::string& text) const {
    return write(relative, std::vector<unsigned char>(text.begin(), text.end()));
}

std::filesystem::path TempTree::makeDirectory(const std::string& relative) const {
    const std::filesystem::path path = root() / relative;
    std::filesystem::create_directories(path);
    return path;
}

std::vector<std::string> walkOrderOf(const std::filesystem::path& onDisk, const std::string& listedAs) {
    std::vector<std::string> listed;
    std::vector<std::pair<std::filesystem::path, std::string>> subdirectories;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(onDisk)) {
        const std::string name = listedAs + "/" + entry.path().filename().string();
        if (entry.is_directory() && !entry.is_symlink())
            subdirectories.emplace_back(entry.path(), name);
        else
            listed.push_back(name);
    }
    for (const auto& [path, name] : subdirectories) {
        const std::vector<std::string> nested = walkOrderOf(path, name);
        listed.insert(listed.end(), nested.begin(), nested.end());
    }
    return listed;
}
