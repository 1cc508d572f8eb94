#include "ZelImageCache.h"

#include <map>
#include <mutex>

#include "CPoint.h"
#include "IPlatformBitmap.h"
#include "ZelBinaryData.h"

namespace {

struct Entry {
  IPlatformBitmap* image = nullptr;  // the store's own reference
  int32_t users = 0;
};

struct Store {
  std::mutex lock;
  std::map<unsigned int, Entry> entries;
};

// Never destroyed: bitmaps may still let go of images while the process exits.
Store& store() {
  static Store* instance = new Store;
  return *instance;
}

IPlatformBitmap* decode(unsigned int id) {
  unsigned int size = 0;
  const unsigned char* data = getZelBinaryData(id, size);
  return data ? IPlatformBitmap::createFromMemory(data, size)
              : IPlatformBitmap::create(CPoint(400, 350));
}

}  // namespace

IPlatformBitmap* acquireZelImage(unsigned int id) {
  Store& s = store();
  std::lock_guard<std::mutex> guard(s.lock);
  Entry& entry = s.entries[id];
  if (!entry.image) {
    entry.image = decode(id);
    if (!entry.image) {
      s.entries.erase(id);
      return nullptr;
    }
  }
  ++entry.users;
  entry.image->remember();
  return entry.image;
}

void releaseZelImage(unsigned int id) {
  IPlatformBitmap* last = nullptr;
  {
    Store& s = store();
    std::lock_guard<std::mutex> guard(s.lock);
    auto it = s.entries.find(id);
    if (it == s.entries.end()) return;
    if (--it->second.users > 0) return;
    last = it->second.image;
    s.entries.erase(it);
  }
  last->forget();
}

int32_t getZelImageUsers(unsigned int id) {
  Store& s = store();
  std::lock_guard<std::mutex> guard(s.lock);
  auto it = s.entries.find(id);
  return it == s.entries.end() ? 0 : it->second.users;
}
