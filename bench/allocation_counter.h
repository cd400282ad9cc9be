// Counts heap allocations made through operator new in this program.
#pragma once

#include <cstddef>

namespace brumelis::bench {

std::size_t AllocationCount();

}  // namespace brumelis::bench
