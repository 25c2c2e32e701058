#include "app/IniFile.h"

#include <filesystem>
#include <utility>

#include "base/FsPath.h"
#include "app/IniValue.h"
#include "base/StringUtil.h"
#include "platform/FileIo.h"
#include "platform/StoredText.h"
#include "platform/SystemError.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::string_view SkipLeadingBlanks(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return text.substr(pos);
}

void CheckName(std::string_view name, char forbidden) {
  if (name.find_first_of("\r\n") != std::string_view::npos ||
      name.find(forbidden) != std::string_view::npos) {
    throw std::invalid_argument("INI section or key name with a forbidden character");
  }
}

}  // namespace

IniWriteError::IniWriteError(const std::string& fileName, std::string reason)
    : std::runtime_error("Unable to write to " + fileName),
      fileName_(fileName),
      reason_(std::move(reason)) {}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  sections_.emplace_back();
  std::error_code ec;
  const fs::file_status status = fs::status(FsPath(path_), ec);
  if (status.type() == fs::file_type::not_found) return;
  if (ec || !fs::is_regular_file(status)) {
    unreadable_ = true;
    return;
  }
  const auto size = fs::file_size(FsPath(path_), ec);
  if (ec || size > kIniMaxFileBytes) {
    unreadable_ = true;
    return;
  }
  std::string content;
  try {
    content = StoredTextToUtf8(ReadFileBytes(path_));
  } catch (const SystemError&) {
    unreadable_ = true;
    return;
  }
  existed_ = true;
  Parse(content);
}

void IniFile::Parse(std::string_view text) {
  std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view content = lines[i];
    if (i == 0 && StartsWith(content, kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
    content = SkipLeadingBlanks(content);

    if (!content.empty() && content.front() == '[') {
      const size_t close = content.find(']');
      if (close != std::string_view::npos) {
        Section section;
        section.name = std::string(content.substr(1, close - 1));
        section.header = std::move(lines[i]);
        section.hasHeader = true;
        sections_.push_back(std::move(section));
        continue;
      }
    }
    Line line;
    const size_t equals = content.find('=');
    if (!content.empty() && content.front() != ';' && equals != std::string_view::npos) {
      line.isEntry = true;
      line.key = Trim(content.substr(0, equals));
      line.valueStart = static_cast<size_t>(content.data() - lines[i].data()) + equals + 1;
    }
    line.raw = std::move(lines[i]);
    sections_.back().lines.push_back(std::move(line));
  }
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  for (const Section& section : sections_) {
    if (section.hasHeader && EqualsIgnoreCase(section.name, name)) return &section;
  }
  return nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return nullptr;
  for (const Line& line : found->lines) {
    if (line.isEntry && EqualsIgnoreCase(line.key, key)) return &line;
  }
  return nullptr;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& defaultValue) const {
  const Line* entry = FindEntry(section, key);
  if (!entry) return defaultValue;
  return CleanIniValue(std::string_view(entry->raw).substr(entry->valueStart));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const Line* entry = FindEntry(section, key);
  if (!entry) return defaultValue;
  const std::string value = CleanIniValue(std::string_view(entry->raw).substr(entry->valueStart));
  return ParseIniInteger(value).value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckName(section, ']');
  CheckName(key, '=');
  std::string cleanValue(value);
  for (char& c : cleanValue) {
    if (c == '\r' || c == '\n') c = ' ';
  }

  Section* target = FindSection(section);
  if (!target) {
    Section added;
    added.name = std::string(section);
    added.header = "[" + added.name + "]";
    added.hasHeader = true;
    sections_.push_back(std::move(added));
    target = &sections_.back();
  }
  for (Line& line : target->lines) {
    if (!line.isEntry || !EqualsIgnoreCase(line.key, key)) continue;
    if (std::string_view(line.raw).substr(line.valueStart) == cleanValue) return;
    line.raw = line.key + "=" + cleanValue;
    line.valueStart = line.key.size() + 1;
    modified_ = true;
    return;
  }
  size_t insertAt = target->lines.size();
  while (insertAt > 0 && Trim(target->lines[insertAt - 1].raw).empty()) --insertAt;
  Line line;
  line.key = Trim(key);
  line.raw = line.key + "=" + cleanValue;
  line.valueStart = line.key.size() + 1;
  line.isEntry = true;
  target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
  modified_ = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize() const {
  size_t total = 0;
  for (const Section& section : sections_) {
    total += section.header.size() + 2;
    for (const Line& line : section.lines) total += line.raw.size() + 2;
  }
  std::string out;
  out.reserve(total);
  for (const Section& section : sections_) {
    if (section.hasHeader) out.append(section.header).append("\r\n");
    for (const Line& line : section.lines) out.append(line.raw).append("\r\n");
  }
  return out;
}

void IniFile::Save() {
  if (!modified_) return;
  if (unreadable_) throw IniWriteError(path_, "the existing file could not be read");
  try {
    WriteFileAtomically(path_, Serialize());
  } catch (const SystemError& error) {
    throw IniWriteError(path_, error.what());
  }
  modified_ = false;
  existed_ = true;
}

}  // namespace vardeno
