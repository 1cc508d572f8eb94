// The process-wide store of decoded embedded images: each image is decoded once and shared
// by every bitmap (of every plug-in instance and editor) that shows it, and released when
// the last of them lets go. Any thread.
#pragma once

#include <cstdint>

class IPlatformBitmap;

// One more user of the image stored under id (an unknown id gives a shared, empty 400 x 350
// image). Returns a reference the caller owns, or null when the image cannot be decoded (no
// use is counted then). Each non-null answer must be matched by one releaseZelImage(id).
IPlatformBitmap* acquireZelImage(unsigned int id);
// One user fewer; the decoded image is released with its last user.
void releaseZelImage(unsigned int id);
// Number of users of the decoded image under id (0: not decoded now).
int32_t getZelImageUsers(unsigned int id);
