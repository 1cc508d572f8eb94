// Counts heap allocations made through operator new while an instance lives.
#pragma once

class AllocationCounter {
public:
  AllocationCounter();
  ~AllocationCounter();
  long count() const;
};
