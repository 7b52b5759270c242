#pragma once
// A back-end a contract suite runs against: its name and how to make one.
// Under Wine the real API and the stand-in run side by side, on the same
// registry and files, so that the two cannot drift apart.

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace velmora::testing {

template <typename T> struct Backend {
    std::string name;
    std::function<std::unique_ptr<T>()> make;
};
template <typename T> void PrintTo(const Backend<T>& backend, std::ostream* out) {
    *out << backend.name;
}
inline constexpr auto BackendName = [](const auto& info) { return info.param.name; };

} // namespace velmora::testing
