#pragma once
// What decides, with the finished copy's bytes in hand, whether a file already standing at the
// copy's name is kept instead of replaced. Set by the caller for one conversion.

#include <string>
#include <vector>

class ExistingFileRule {
public:
    // True keeps the file at `fileName` as it is: nothing is written and the conversion still
    // succeeds.
    virtual bool keeps(const std::string& fileName, const std::vector<unsigned char>& copy) = 0;

protected:
    ~ExistingFileRule() = default;
};
