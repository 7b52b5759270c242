#include "settings/CompactionCounter.h"

#include "core/Language.h"
#include "core/Program.h"
#include "settings/SettingsCatalogue.h"

#include <cctype>
#include <limits>

namespace velmora::settings {

namespace {

// The client offers to compact after this many closings.
constexpr long long kClosingsBeforeOffer = 100;

std::string Onglet0(Program& program, const char* key) {
    return GetLngText(program.services.profile, "Onglet0", key, program.LanguageFile);
}

} // namespace

std::optional<std::int32_t> CounterNumber(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    // Saturates far beyond 32 bits, so that a long run of digits is refused too.
    constexpr long long kCap = 1LL << 40;
    long long number = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        if (number < kCap)
            number = number * 10 + (text[at] - '0');
    if (negative)
        number = -number;
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

void CounterChanged(Program& program) {
    ui::Control& box = program.principal().control("txt800");
    const std::optional<std::int32_t> number = CounterNumber(box.text());
    if (!number) {
        const RegLocation where = Locate(program, kCounterPlace);
        box.setText(std::to_string(
            LeadingNumber(program.reg.ReadRegValue(where.root, where.key, kCounterValue))));
        return;
    }
    const std::string normalised = std::to_string(*number);
    if (box.text() != normalised)
        box.setText(normalised);
    if (*number < 0)
        return;
    WriteNumber(program, kCounterPlace, kCounterValue, *number);
    ShowClosingsLeft(program);
}

void ShowClosingsLeft(Program& program) {
    const std::string& text = program.principal().control("txt800").text();
    const std::optional<std::int32_t> parsed = CounterNumber(text);
    // A number too large for the counter has reached the threshold anyway.
    const long long number = parsed ? *parsed : kClosingsBeforeOffer;
    std::string caption;
    if (number >= kClosingsBeforeOffer)
        caption = Onglet0(program, "lbl800.2");
    else
        caption = Onglet0(program, "lbl800") + " " + std::to_string(kClosingsBeforeOffer - number) +
                  " " + Onglet0(program, "lbl800.1");
    program.principal().control("lbl800").setCaption(caption);
}

} // namespace velmora::settings
