// Small POSIX file helpers of the registry file: whole reads and writes and folder creation.
// Each returns 0 or the system's error code (errno).
#pragma once

#include <sys/stat.h>

#include <string>

namespace kinloom::platform::registry_detail {

// errno when it is set, else `fallback`.
int ErrnoOr(int fallback);
// Writes all of `data` to `fd`, retrying after interruptions.
int WriteAll(int fd, const std::string& data);
// The folder part of a path: "." without a slash, "/" for a file in the root.
std::string Folder(const std::string& path);
// Creates the folder and its missing parents; ENOTDIR when a part of it is a file.
int MakeFolders(const std::string& folder);
// Reads the whole file into `out` and its status into `st`.
int ReadWholeFile(const std::string& path, std::string* out, struct stat* st);

}  // namespace kinloom::platform::registry_detail
