// The reading of a criterion's stored word list for the anti-spam page, on
// bytes another program (or a damaged store) may have left.

#include "FuzzCheck.h"
#include "core/modRegistre.h"
#include "rules/RuleDescription.h"
#include "rules/RuleStorage.h"

#include <cstdint>
#include <string>

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const velmora::StoredWordList list = velmora::ReadStoredWordList(bytes);

    std::size_t read = 0;
    for (const std::string& word : list.words) {
        Require(!word.empty() && word.find('\0') == std::string::npos,
                "a word is a non-empty piece between zeros");
        read += word.size() + 1;
    }
    Require(read <= bytes.size() &&
                bytes.compare(0, read, velmora::EncodeWordList(list.words), 0, read) == 0,
            "the words are the value's first pieces, in order");

    if (list.wellFormed) {
        // Only the list's end follows: what the program itself stores, and
        // what the registry layer's decoding of a raw read gives.
        Require(bytes.size() >= read + 2, "a well-formed list ends with two zeros at least");
        Require(bytes.find_first_not_of('\0', read) == std::string::npos,
                "nothing but zeros after a well-formed list");
        if (bytes.size() == read + 2 && bytes.size() <= velmora::kRegBufferSize) {
            std::string padded = bytes;
            padded.resize(velmora::kRegBufferSize, ' ');
            Require(velmora::DecodeWordList(padded) == list.words,
                    "a list as stored reads as the raw read decodes it");
        }
    }

    // What the program stores reads back as it was, well formed.
    const std::string stored = velmora::EncodeWordList(list.words) + '\0';
    const velmora::StoredWordList again = velmora::ReadStoredWordList(stored);
    Require(again.wellFormed && again.words == list.words, "a stored list reads back");
    return 0;
}
