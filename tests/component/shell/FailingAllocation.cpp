#include "tests/component/shell/FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {

int countdown = -1;  // allocations left to pass before one fails; negative: none fails

}  // namespace

namespace shelltest {

void FailAllocationAfter(int allocationsToPass) { countdown = allocationsToPass; }
void StopFailingAllocations() { countdown = -1; }
bool AllocationFailurePending() { return countdown >= 0; }

}  // namespace shelltest

void* operator new(std::size_t size) {
    if (countdown == 0) {
        countdown = -1;
        throw std::bad_alloc();
    }
    if (countdown > 0) --countdown;
    if (void* memory = std::malloc(size ? size : 1)) return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
