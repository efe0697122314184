#pragma once
// The synthetic settings as grid rows: four cells each, decoded to UTF-8 for display.
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

std::vector<std::vector<std::string>> DecodedRows(std::size_t values);

}  // namespace bench
