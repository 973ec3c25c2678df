#pragma once
// Makes a chosen allocation of the process fail, as when memory runs out. The test binary replaces
// the global operator new, which KVX4.dll's allocations bind to as well.
namespace shelltest {

// The allocation after `allocationsToPass` more succeed throws std::bad_alloc, once.
void FailAllocationAfter(int allocationsToPass);
void StopFailingAllocations();
bool AllocationFailurePending();

}  // namespace shelltest
