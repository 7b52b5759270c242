#pragma once
// Storing the addresses of a text file in a blocked-senders branch: a first
// list, or a merge into the branch's list.
//
// Addresses are written batch by batch. After each batch the branch's
// Criteria "Order" is written with every name stored so far (a first load
// writes, after its first batch, the rest of what makes the branch a rule),
// and only then may the user interface run: whenever the window can be
// closed, every stored address is counted by the Order and the branch is a
// complete rule. No stored name is ever written over, and no name outside
// "000" to "FFF" is ever written.

#include <functional>
#include <string>
#include <vector>

namespace velmora {

class modRegistre;

struct ImportRequest {
    enum class Mode {
        FirstLoad, // the branch has no list: its rule is made too
        Merge,     // entries already in listedText are skipped
    };
    Mode mode = Mode::FirstLoad;
    std::string blockSendersKey;
    std::string branchKey;
    // The text the list box shows: each stored address is appended to it,
    // followed by the separator; a merge skips an entry found anywhere in it.
    std::string listedText;
    std::string separator = "\r\n";
    // Addresses stored between two looks at the user interface.
    int batchSize = 100;
    // Called after each committed batch but the last with the list box text
    // so far; answers false to stop there (the window was closed).
    std::function<bool(const std::string& listedText)> betweenBatches;
};

struct ImportOutcome {
    int entries = 0;      // what the file was split into, skipped ones included
    int stored = 0;       // addresses written by this import
    int countBefore = 0;  // entries of the Order before (0 for a first load)
    int unstorable = 0;   // entries with "@" refused: a zero byte, or too long
    int leftOut = 0;      // addresses that found no free name of the scheme
    bool stopped = false; // betweenBatches asked to stop
    std::string listedText;
    // The branch's criteria hold just the stored addresses, in the order of
    // listedText, under the names the registry lists them by: a first load
    // into criteria that had no subkey, every write done, and addresses any
    // code page keeps byte for byte. The page may then show listedText
    // without reading the addresses back.
    bool storedAlone = false;
};

// The entries of the file's text, in file order, stored as the mode says.
ImportOutcome ImportBlockedSenders(const modRegistre& reg, const ImportRequest& request,
                                   const std::vector<std::string>& entries);

} // namespace velmora
