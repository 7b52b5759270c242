#pragma once
// Signature verdicts the test sets per file; other files are unsigned.

#include "platform/Trust.h"

#include <map>
#include <string>
#include <vector>

namespace velmora::platform::portable {

class ScriptedTrust : public Trust {
public:
    TrustVerdict verifyFile(const std::string& path) override {
        asked.push_back(path);
        const auto it = verdicts.find(path);
        return it == verdicts.end() ? TrustVerdict::Unsigned : it->second;
    }
    std::map<std::string, TrustVerdict> verdicts;
    std::vector<std::string> asked;
};

} // namespace velmora::platform::portable
