#include "grid_contract.h"
#include "support/memory_grid.h"

namespace grid_contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, GridContract, testing_support::MemoryGrid);
}  // namespace grid_contract
