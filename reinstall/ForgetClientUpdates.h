#pragma once
// Removing the records of the mail client's updates once its files have
// been restored: Active Setup components, the browser's hotfix list and the
// Advanced INF Setup records.

#include "core/modRegistre.h"

#include <cstdint>
#include <string>

namespace velmora {

// Deletes a key and everything below it, one leaf at a time, with single-key
// operations only. A leaf that cannot be deleted ends the deletion: it stays,
// and so do the keys above it.
void DeleteKeyTree(const modRegistre& reg, std::uint32_t root, const std::string& path);

void ForgetClientUpdates(const modRegistre& reg);

} // namespace velmora
