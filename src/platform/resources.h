// Resources embedded into the program at build time: the string and label tables of
// src/lang/data and the GIF images of resources/images, looked up by their file name.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kinloom::platform {

// Returns the bytes of the embedded file with this base name ("ui_en.txt", "q0.gif"),
// or nothing when no such file was embedded. The bytes live as long as the program.
std::optional<std::string_view> FindResource(std::string_view name);

// The names of every embedded file.
std::vector<std::string_view> ResourceNames();

}  // namespace kinloom::platform
