// The criteria editor's word files and stored lists: a plain-text file's
// bytes read as words, and the same bytes read as a stored "Value".

#include "FuzzCheck.h"
#include "rules/RuleStorage.h"
#include "rules/WordList.h"

#include <fuzzer/FuzzedDataProvider.h>

using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto type = input.ConsumeIntegralInRange<std::uint32_t>(0, 7);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    const velmora::WordFile file = velmora::ReadWordFile(bytes);
    if (file.problem == velmora::WordFile::Problem::None) {
        std::vector<std::string> words;
        for (const std::string& word : file.words) {
            Require(word.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                    "a word holds no line break and no zero byte");
            Require(word.size() <= velmora::kLongestWord, "a word fits a stored list");
            if (!word.empty())
                words.push_back(word);
        }
        // What the editor writes as text imports back as the same words,
        // unless its first bytes read as a Unicode byte order mark.
        const std::string saved = velmora::WordListText(words);
        if (saved.compare(0, 3, "\xEF\xBB\xBF") != 0 && saved.compare(0, 2, "\xFF\xFE") != 0) {
            std::vector<std::string> back = velmora::ReadWordFile(saved).words;
            Require(!back.empty() && back.back().empty(), "a saved text ends with a line break");
            back.pop_back();
            Require(back == words, "a saved text imports back word for word");
        }
        // What the editor stores, when it fits, the page reads back whole.
        const std::string stored = velmora::EncodeWordList(words) + '\0';
        Require(stored.size() == velmora::StoredListSize(words), "the stored size is counted");
        const auto read = velmora::ReadStoredWords(velmora::platform::RegData{3, stored});
        Require(read.words == words, "a stored list reads back");
        Require(read.whole == (stored.size() <= velmora::kLongestStoredList),
                "a list that fits reads whole");
    } else {
        Require(file.words.empty(), "a refused file gives no word");
    }

    const auto value = velmora::ReadStoredWords(velmora::platform::RegData{type, bytes});
    if (value.whole)
        Require(velmora::DecodeWordList(bytes) == value.words,
                "a whole list reads as the registry layer reads it");
    Require(value.words.empty() || !value.words.back().empty(), "no empty word at the end");
    return 0;
}
