// SPDX-License-Identifier: MIT
// The program's own global operator new, for the programs that link it: it
// counts every allocation, and can make one of them fail with
// std::bad_alloc, as a host out of memory would. The allocation-failure
// tests and the request benchmark use it.
#ifndef ROLLWRIGHT_TESTS_COUNTING_NEW_H_
#define ROLLWRIGHT_TESTS_COUNTING_NEW_H_

namespace rollwright {

// Allocations made since the program started or since FailAllocation.
long AllocationsMade();

// Starts counting again from 0; the allocation numbered k then fails (none
// when k is 0), until StopFailing.
void FailAllocation(long k);
void StopFailing();

}  // namespace rollwright

#endif  // ROLLWRIGHT_TESTS_COUNTING_NEW_H_
