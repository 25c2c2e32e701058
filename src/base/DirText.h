// The program's rule for directory texts, shared by every layer that joins a folder and a name.
#pragma once

#include <string>

// Removes one trailing "/", then a trailing "/." if the result ends with it.
std::string NormalizeDir(const std::string& dir);
