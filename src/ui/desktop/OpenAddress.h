// Opening a web page, or a local file or folder, with the desktop's own program for it.
#pragma once

#include <QString>

namespace vardeno {

// address: a URL ("https://...") or an absolute path in the system's form ("/home/...",
// "C:\..." or "C:/...").
void OpenAddress(const QString& address);

}  // namespace vardeno
