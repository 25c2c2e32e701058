// The boundary between the core's UTF-8 std::string and Qt's QString.
#pragma once

#include <QString>
#include <string>

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }
inline std::string ToStd(const QString& text) { return text.toStdString(); }
