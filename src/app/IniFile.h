// The INI store shared by the settings file and the profiles. It follows the conventions of the
// Windows private-profile service (so files move freely between the two programs) but loads the
// file once, applies any number of writes in memory and saves once, replacing the file in one step.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vardeno {

// A write that failed: "Unable to write to <file name>". Reason() holds the system's explanation.
class IniWriteError : public std::runtime_error {
 public:
  IniWriteError(const std::string& fileName, std::string reason);
  const std::string& FileName() const { return fileName_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string fileName_;
  std::string reason_;
};

// Files larger than this are not read (no settings or profile file comes near it); such a file
// counts as unreadable, and so is never overwritten.
inline constexpr std::size_t kIniMaxFileBytes = 64u * 1024u * 1024u;

// One INI file in memory.
//
// Reading: a line whose first non-blank character is "[" and that holds a "]" opens the section
// named by the text between them; a line holding "=" is an entry, its key the text before the
// first "=" without blanks at either end. Lines starting with ";" and all other lines are kept but
// never match. Section and key names are matched without regard to ASCII letter case; the first
// section of a name and the first key of a name in it count. Lines may end in CR LF, LF or CR;
// bytes are taken as they are (UTF-8 or any single-byte code page).
//
// Writing replaces the value of the entry where it stands, or adds the key after the last
// non-blank line of its section, or adds the section (header and key) at the end of the file.
// Every other line keeps its bytes. Saving writes all lines with CR LF line ends.
class IniFile {
 public:
  // Reads the file at path. Never fails: a missing file gives an empty store, and so does a file
  // that cannot be read (which is then never overwritten, see Save).
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }
  // True when a regular file was read at construction (or has been saved since).
  bool Existed() const { return existed_; }
  // True when something lies at the path that could not be read as a file (a folder, a file
  // without read permission, a device, a file above kIniMaxFileBytes).
  bool Unreadable() const { return unreadable_; }

  bool HasKey(std::string_view section, std::string_view key) const;
  // The cleaned value (CleanIniValue) of the key, or defaultValue, unchanged, when the key is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const;
  // The value read as an integer (ParseIniInteger); defaultValue when missing or not a number.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // The value read as an integer, true when it is not 0; defaultValue when missing or not a number.
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  // Sets the key's value in memory. CR and LF in the value become blanks, so a value can never
  // make lines of its own. Section and key names must not contain CR or LF, a section name no "]"
  // and a key no "=" (std::invalid_argument otherwise).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);  // decimal
  void WriteBool(std::string_view section, std::string_view key, bool value);    // "1" or "0"

  // True when writes have changed the file's contents since it was read or last saved.
  bool Modified() const { return modified_; }
  // The bytes Save would write.
  std::string Serialize() const;
  // Writes the changes to disk, replacing the old file in one step (a missing file is created);
  // does nothing when nothing changed. Throws IniWriteError when the file cannot be written, and
  // also when the old file could not be read, rather than overwrite what it could not keep. After
  // a failure the file on disk is exactly as it was.
  void Save();

 private:
  struct Line {
    std::string raw;
    std::string key;      // the entry's key; empty for other lines
    size_t valueStart{};  // where the value begins in raw
    bool isEntry = false;
  };
  struct Section {
    std::string name;
    std::string header;  // the header line as it stands; empty for the lines before any header
    bool hasHeader = false;
    std::vector<Line> lines;
  };

  void Parse(std::string_view text);
  const Section* FindSection(std::string_view name) const;
  Section* FindSection(std::string_view name);
  const Line* FindEntry(std::string_view section, std::string_view key) const;

  std::string path_;
  bool existed_ = false;
  bool unreadable_ = false;
  bool modified_ = false;
  std::vector<Section> sections_;  // sections_[0]: the lines before the first header
};

}  // namespace vardeno
