// The size of a file in bytes, as the file list shows it and the job loop tests outputs with.
#pragma once

#include <cstdint>
#include <string>

// The size of the regular file at path (a link is followed); 0 when there is no such file, it
// cannot be looked at, or it is not a regular file (a folder, a device, a pipe). Sizes above
// 4 GiB are returned in full.
std::uint64_t GetFileSizeBytes(const std::string& path);
