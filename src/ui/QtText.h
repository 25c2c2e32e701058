// The boundary between the core's UTF-8 std::string and Qt's QString.
#pragma once

#include <QDir>
#include <QString>
#include <string>

namespace vardeno {

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToStd(const QString& text) { return text.toStdString(); }

// A path from Qt (its file dialogs, drops and QFileInfo write "/" everywhere) in the system's own
// form, as the core keeps, stores and shows paths: "C:\Videos\clip.avi" on Windows.
inline std::string ToStdPath(const QString& path) { return ToStd(QDir::toNativeSeparators(path)); }

}  // namespace vardeno
