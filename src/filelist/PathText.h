// Path texts of the file list: making a path absolute and cutting it into folder and name.
#pragma once

#include <string>

#include "platform/FileSystem.h"  // CurrentDirectory, the usual base folder

namespace vardeno {

// path made absolute against baseDir (unless it starts with a root: "/", or on Windows "C:\" or
// "\\"), with empty and "." segments and a trailing separator removed. ".." segments stay: the system resolves them through links, which
// text cannot. With an empty baseDir a relative path stays relative.
std::string MakeAbsolutePath(const std::string& path, const std::string& baseDir);

// Splits a path at its last separator: the folder before it (the root with its separator for a
// file in the root, "" when there is none) and the name after it.
void SplitDirectoryAndName(const std::string& path, std::string& directory, std::string& name);

}  // namespace vardeno
