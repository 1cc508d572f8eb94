// The image store: the PNG bytes are linked in by the generated assembler file, one
// begin/end symbol pair per image, and never copied.
#include "ZelBinaryData.h"

#define ZEL_IMAGE_SYMBOLS(id)                                                                    \
  extern "C" __attribute__((visibility("hidden"))) const unsigned char zel_image_##id##_begin[]; \
  extern "C" __attribute__((visibility("hidden"))) const unsigned char zel_image_##id##_end[];

ZEL_IMAGE_SYMBOLS(989)
ZEL_IMAGE_SYMBOLS(12102)
ZEL_IMAGE_SYMBOLS(12200)
ZEL_IMAGE_SYMBOLS(15000)
ZEL_IMAGE_SYMBOLS(15002)
ZEL_IMAGE_SYMBOLS(15004)
ZEL_IMAGE_SYMBOLS(15006)
ZEL_IMAGE_SYMBOLS(15008)
ZEL_IMAGE_SYMBOLS(15010)
ZEL_IMAGE_SYMBOLS(15012)
ZEL_IMAGE_SYMBOLS(15014)
ZEL_IMAGE_SYMBOLS(15016)
ZEL_IMAGE_SYMBOLS(15018)
ZEL_IMAGE_SYMBOLS(15020)
ZEL_IMAGE_SYMBOLS(15022)
ZEL_IMAGE_SYMBOLS(15024)
ZEL_IMAGE_SYMBOLS(15030)
ZEL_IMAGE_SYMBOLS(15032)
ZEL_IMAGE_SYMBOLS(19989)
ZEL_IMAGE_SYMBOLS(19990)
ZEL_IMAGE_SYMBOLS(19991)
ZEL_IMAGE_SYMBOLS(19992)
ZEL_IMAGE_SYMBOLS(19993)
ZEL_IMAGE_SYMBOLS(19994)
ZEL_IMAGE_SYMBOLS(19995)
ZEL_IMAGE_SYMBOLS(19996)
ZEL_IMAGE_SYMBOLS(19997)
ZEL_IMAGE_SYMBOLS(19998)
ZEL_IMAGE_SYMBOLS(19999)

#define ZEL_IMAGE_CASE(id)                                                           \
  case id:                                                                           \
    size = static_cast<unsigned int>(zel_image_##id##_end - zel_image_##id##_begin); \
    return zel_image_##id##_begin;

const unsigned char* getZelBinaryData(unsigned int id, unsigned int& size) {
  switch (id) {
    ZEL_IMAGE_CASE(989)
    ZEL_IMAGE_CASE(12102)
    ZEL_IMAGE_CASE(12200)
    ZEL_IMAGE_CASE(15000)
    ZEL_IMAGE_CASE(15002)
    ZEL_IMAGE_CASE(15004)
    ZEL_IMAGE_CASE(15006)
    ZEL_IMAGE_CASE(15008)
    ZEL_IMAGE_CASE(15010)
    ZEL_IMAGE_CASE(15012)
    ZEL_IMAGE_CASE(15014)
    ZEL_IMAGE_CASE(15016)
    ZEL_IMAGE_CASE(15018)
    ZEL_IMAGE_CASE(15020)
    ZEL_IMAGE_CASE(15022)
    ZEL_IMAGE_CASE(15024)
    ZEL_IMAGE_CASE(15030)
    ZEL_IMAGE_CASE(15032)
    ZEL_IMAGE_CASE(19989)
    ZEL_IMAGE_CASE(19990)
    ZEL_IMAGE_CASE(19991)
    ZEL_IMAGE_CASE(19992)
    ZEL_IMAGE_CASE(19993)
    ZEL_IMAGE_CASE(19994)
    ZEL_IMAGE_CASE(19995)
    ZEL_IMAGE_CASE(19996)
    ZEL_IMAGE_CASE(19997)
    ZEL_IMAGE_CASE(19998)
    ZEL_IMAGE_CASE(19999)
    default:
      size = 0;
      return nullptr;
  }
}
