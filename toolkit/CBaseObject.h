// Reference-counted base of every toolkit object.
#pragma once

#include <atomic>
#include <cstdint>

class CBaseObject {
public:
  CBaseObject() = default;
  CBaseObject(const CBaseObject&) = delete;
  CBaseObject& operator=(const CBaseObject&) = delete;
  virtual ~CBaseObject() = default;

  // Takes one more reference.
  void remember() { references.fetch_add(1, std::memory_order_relaxed); }
  // Drops one reference; the object deletes itself when none is left.
  void forget() {
    if (references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
  // Number of references held now (a new object starts with one).
  int32_t getNbReference() const { return references.load(std::memory_order_relaxed); }

private:
  std::atomic<int32_t> references{1};
};
