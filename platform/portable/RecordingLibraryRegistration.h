#pragma once
// Library registration that loads nothing: it records the libraries asked
// for and answers true.

#include "platform/LibraryRegistration.h"

#include <vector>

namespace velmora::platform::portable {

class RecordingLibraryRegistration : public LibraryRegistration {
public:
    bool registerServer(const std::string& library) override {
        registered.push_back(library);
        return true;
    }

    std::vector<std::string> registered;
};

} // namespace velmora::platform::portable
