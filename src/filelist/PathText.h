// Path texts of the file list: making a path absolute and cutting it into folder and name.
#pragma once

#include <string>

// The process's current folder, or "" when it cannot be told (it was removed).
std::string CurrentDirectory();

// path made absolute against baseDir (unless it starts with "/"), with empty and "." segments
// and a trailing "/" removed. ".." segments stay: the system resolves them through links, which
// text cannot. With an empty baseDir a relative path stays relative.
std::string MakeAbsolutePath(const std::string& path, const std::string& baseDir);

// Splits a path at its last "/": the folder before it ("/" for the root, "" when there is no
// "/") and the name after it.
void SplitDirectoryAndName(const std::string& path, std::string& directory, std::string& name);
