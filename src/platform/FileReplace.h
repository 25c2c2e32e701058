// Replacing a file's contents in one step, so that a failed or interrupted write never leaves a
// half-written or empty file behind.
#pragma once

#include <string>
#include <string_view>

// Writes bytes to a new file beside path, flushes it to disk and renames it over path. A missing
// file is created; an existing one keeps its permissions (and, where allowed, its owner); a
// symbolic link is followed and its target replaced. Throws SystemError when any step fails;
// the old file is then untouched and no temporary file is left behind.
void ReplaceFileContents(const std::string& path, std::string_view bytes);
