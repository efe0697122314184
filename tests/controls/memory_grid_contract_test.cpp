#include "grid_contract.h"
#include "controls/memory_grid.h"

namespace grid_contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, GridContract, controls::MemoryGrid);
}  // namespace grid_contract
