// The bytes a step asks of operator new. The test binary replaces the
// global operator new and delete (AllocationCount.cpp) to count them.
#pragma once

#include <cstddef>
#include <functional>

std::size_t BytesAllocatedBy(const std::function<void()>& Action);
