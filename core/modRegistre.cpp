#include "core/modRegistre.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <optional>

namespace velmora {

namespace {

using platform::RegBinary;
using platform::RegData;
using platform::RegDword;
using platform::RegExpandSz;
using platform::RegMultiSz;
using platform::RegOk;
using platform::RegSz;

// Status of a write whose value cannot be turned into what the type needs.
constexpr long kInvalidParameter = platform::RegInvalidParameter;

// The data a query reads into the program's buffer, if it fits there.
template <class Query> std::optional<RegData> query(Query&& queryValue) {
    RegData data;
    if (queryValue(kRegBufferSize, data) != RegOk || data.bytes.size() > kRegBufferSize) {
        return std::nullopt;
    }
    return data;
}

std::optional<RegData> query(platform::Registry& store, std::uint32_t root,
                             const std::string& keyPath, const std::string& valueName) {
    return query([&](std::size_t size, RegData& data) {
        return store.queryValue(root, keyPath, valueName, size, data);
    });
}

// A subkey name as enumerated: up to its first zero; "Not Found" on failure.
template <class Enum> std::string subKeyName(Enum&& enumSubKey) {
    std::string name;
    if (enumSubKey(kRegBufferSize, name) != RegOk) {
        return kNotFound;
    }
    return name.substr(0, name.find('\0'));
}

std::string renderDword(const std::string& bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    std::string text = std::to_string(number);
    if (text.size() < 3) {
        text.insert(0, 3 - text.size(), '0');
    }
    return text;
}

std::string renderHex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::string render(const RegData& data) {
    switch (data.type) {
    case RegDword:
        return renderDword(data.bytes);
    case RegBinary:
        return renderHex(data.bytes);
    default:
        return TextOfData(data.bytes);
    }
}

std::optional<std::int32_t> inLongRange(long double number) {
    if (!(number >= INT32_MIN && number <= INT32_MAX)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(number);
}

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double number) {
    const double below = std::floor(number);
    const double fraction = number - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

// A decimal text: optional spaces, an optional sign, digits with an optional
// fractional part, optional spaces. The fraction rounds half to even,
// decided on the digits themselves so no binary rounding creeps in.
std::optional<std::int32_t> parseNumber(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (at == std::string::npos) {
        return std::nullopt;
    }
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') {
        negative = text[at] == '-';
        ++at;
    }
    long long whole = 0;
    bool anyDigit = false;
    for (; at <= last && text[at] >= '0' && text[at] <= '9'; ++at) {
        whole = std::min(whole * 10 + (text[at] - '0'), 10'000'000'000LL);
        anyDigit = true;
    }
    int firstFraction = 0;
    bool restNonZero = false;
    if (at <= last && text[at] == '.') {
        const std::size_t first = ++at;
        for (; at <= last && text[at] >= '0' && text[at] <= '9'; ++at) {
            anyDigit = true;
            if (at == first) {
                firstFraction = text[at] - '0';
            } else if (text[at] != '0') {
                restNonZero = true;
            }
        }
    }
    if (!anyDigit || at <= last) {
        return std::nullopt;
    }
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 != 0))) {
        ++whole;
    }
    return inLongRange(static_cast<long double>(negative ? -whole : whole));
}

// What a REG_DWORD write stores, or nothing when the value has no such
// reading (a text that is not a number, a number outside signed 32 bits):
// then nothing is written and the write answers status 87.
std::optional<std::int32_t> toLong(const RegInput& value) {
    if (const auto* whole = std::get_if<long long>(&value)) {
        return inLongRange(static_cast<long double>(*whole));
    }
    if (const auto* fractional = std::get_if<double>(&value)) {
        if (!std::isfinite(*fractional)) {
            return std::nullopt;
        }
        return inLongRange(roundHalfEven(*fractional));
    }
    return parseNumber(std::get<std::string>(value));
}

// A number written as text: whole numbers plainly, fractional ones with up
// to fifteen significant digits ("1.5", "1E+20").
std::string toText(const RegInput& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* whole = std::get_if<long long>(&value)) {
        return std::to_string(*whole);
    }
    const double number = std::get<double>(value);
    if (number == 0.0) {
        return "0";
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    return buffer;
}

} // namespace

std::string TextOfData(const std::string& bytes) {
    return bytes.empty() || bytes.back() != '\0' ? bytes : bytes.substr(0, bytes.size() - 1);
}

std::string modRegistre::ReadRegValue(std::uint32_t root, const std::string& keyPath,
                                      const std::string& valueName) const {
    const auto data = query(store_, root, keyPath, valueName);
    return data ? render(*data) : kNotFound;
}

std::string modRegistre::ReadRegValueRaw(std::uint32_t root, const std::string& keyPath,
                                         const std::string& valueName) const {
    const auto data = query(store_, root, keyPath, valueName);
    if (!data) {
        return kNotFound;
    }
    if (data->type != RegBinary) { // strings (and numbers) as ReadRegValue gives them
        return render(*data);
    }
    // The whole read buffer: the bytes, then the blanks it was filled with.
    std::string buffer = data->bytes;
    buffer.resize(kRegBufferSize, ' ');
    return buffer;
}

namespace {

// What WriteRegValue stores for a value of valueType: the type and bytes
// the store is given, or nothing when the value cannot be turned into them.
std::optional<RegData> encode(std::int32_t valueType, const RegInput& value) {
    switch (valueType) {
    case RegDword: {
        const auto number = toLong(value);
        if (!number) {
            return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(*number);
        std::string bytes(4, '\0');
        for (int i = 0; i < 4; ++i) {
            bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
        }
        return RegData{RegDword, bytes};
    }
    case RegSz:
    case RegExpandSz:
    case RegBinary:
    case RegMultiSz:
        return RegData{static_cast<std::uint32_t>(valueType), toText(value) + '\0'};
    default: // stored as plain text, without a terminating zero
        return RegData{RegSz, toText(value)};
    }
}

} // namespace

long modRegistre::WriteRegValue(std::uint32_t root, const std::string& keyPath,
                                const std::string& valueName, std::int32_t valueType,
                                const RegInput& value) const {
    const auto data = encode(valueType, value);
    return data ? store_.setValue(root, keyPath, valueName, data->type, data->bytes)
                : kInvalidParameter;
}

RegWriteBatch::RegWriteBatch(const modRegistre& reg, std::uint32_t root, const std::string& keyPath)
    : batch_(reg.store().beginWrites(root, keyPath)) {}

RegWriteBatch::~RegWriteBatch() = default;

long RegWriteBatch::WriteRegValue(const std::string& subKey, const std::string& valueName,
                                  std::int32_t valueType, const RegInput& value) const {
    const auto data = encode(valueType, value);
    return data ? batch_->set(subKey, valueName, data->type, data->bytes) : kInvalidParameter;
}

std::string modRegistre::EnumRegSubKey(std::uint32_t root, const std::string& keyPath,
                                       std::int32_t index) const {
    return subKeyName([&](std::size_t size, std::string& name) {
        return store_.enumSubKey(root, keyPath, static_cast<std::uint32_t>(index), size, name);
    });
}

RegReadBatch::RegReadBatch(const modRegistre& reg, std::uint32_t root, const std::string& keyPath)
    : batch_(reg.store().beginReads(root, keyPath)) {}

RegReadBatch::~RegReadBatch() = default;

std::string RegReadBatch::EnumRegSubKey(std::int32_t index) const {
    return subKeyName([&](std::size_t size, std::string& name) {
        return batch_->enumSubKey(static_cast<std::uint32_t>(index), size, name);
    });
}

std::string RegReadBatch::ReadRegValue(const std::string& subKey,
                                       const std::string& valueName) const {
    const auto data = query([&](std::size_t size, RegData& out) {
        return batch_->queryValue(subKey, valueName, size, out);
    });
    return data ? render(*data) : kNotFound;
}

void modRegistre::DeleteRegValue(std::uint32_t root, const std::string& keyPath,
                                 const std::string& valueName) const {
    store_.deleteValue(root, keyPath, valueName);
}

std::string modRegistre::DeleteRegTree(std::uint32_t root, const std::string& parentKeyPath,
                                       const std::string& subKeyName) const {
    return std::to_string(store_.deleteTree(root, parentKeyPath, subKeyName));
}

long long LeadingNumber(const std::string& text) {
    long long number = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            break;
        }
        if (number > (LLONG_MAX - 9) / 10) {
            return LLONG_MAX;
        }
        number = number * 10 + (ch - '0');
    }
    return number;
}

} // namespace velmora
