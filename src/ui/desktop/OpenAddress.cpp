#include "ui/desktop/OpenAddress.h"

#include <QDesktopServices>
#include <QUrl>

#include "base/PathSyntax.h"
#include "ui/QtText.h"

namespace vardeno {

void OpenAddress(const QString& address) {
  // A drive letter is not a URL scheme: "C:\Videos" is a folder.
  QDesktopServices::openUrl(IsAbsolutePath(ToStd(address)) ? QUrl::fromLocalFile(address) : QUrl(address));
}

}  // namespace vardeno
