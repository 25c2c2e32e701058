#include "app/SettingsFile.h"

#include <algorithm>
#include <filesystem>

#include "base/FsPath.h"
#include "app/IniFile.h"
#include "encoder/OutputFormat.h"

namespace vardeno {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMain = "MAIN";
// The column widths and grid lines are read under this spelling; names match without case.
constexpr const char* kMainMixedCase = "Main";
constexpr const char* kColumnKeys[5] = {"lvColumn1", "lvColumn2", "lvColumn3", "lvColumn4", "lvColumn5"};

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(FsPath(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(FsPath(path), ec);
}

int IndexWithin(int value, int count) { return value >= 0 && value < count ? value : -1; }

}  // namespace

bool LoadSettingsFromIni(AppParams& params, MainWindowSettings& window, EncoderSettings& encoder,
                         ScreenSize screen) {
  if (!FileExists(params.SettingsFile)) return false;
  const IniFile ini(params.SettingsFile);

  params.Language = ini.ReadString(kMain, "Language", "EN") == "PL" ? UiLanguage::Polish
                                                                     : UiLanguage::English;
  // A stored encoder is kept while it can still be found: a path that exists, or a bare name
  // that the encoder lookup finds beside the program or on PATH.
  const std::string encoderExe = ini.ReadString(kMain, "ffmpeg", params.EncoderExe);
  AppParams stored = params;
  stored.EncoderExe = encoderExe;
  const bool found = FileExists(encoderExe) || !GetEncoderPath(stored, GetProgramDir()).empty();
  params.EncoderExe = found ? encoderExe : AppParams{}.EncoderExe;

  const int stallMinutes = ini.ReadInteger(kMain, "StallMinutes", params.StallMinutes);
  if (stallMinutes >= 0) params.StallMinutes = stallMinutes;

  params.Player = PlayerFromKeyOrDefault(ini.ReadString(kMain, "Player", PlayerKey(params.Player)));

  encoder.OutputFormat = std::clamp(ini.ReadInteger(kMain, "OutputFormat", encoder.OutputFormat), 0,
                                    kOutputFormatCount - 1);

  window.Left = ini.ReadInteger(kMain, "Left", window.Left);
  if (window.Left > screen.Width || window.Left < -screen.Width) window.Left = 0;
  window.Top = ini.ReadInteger(kMain, "Top", window.Top);
  if (window.Top < 0 || window.Top > screen.Height) window.Top = 0;
  window.Width = std::max(ini.ReadInteger(kMain, "Width", window.Width), kMinMainWindowWidth);
  window.Height = std::max(ini.ReadInteger(kMain, "Height", window.Height), kMinMainWindowHeight);
  window.Maximized = ini.ReadBool(kMain, "Maximized", window.Maximized);

  window.OutputExists =
      IndexWithin(ini.ReadInteger(kMain, "cbOutputExists", window.OutputExists), kOutputExistsEntries);
  window.AfterConversion = IndexWithin(ini.ReadInteger(kMain, "cbAfterConversion", window.AfterConversion),
                                       kAfterConversionEntriesAtLoad);
  // Below 0 or not a number: one at a time.
  const int filesAtOnce = ini.ReadInteger(kMain, "FilesAtOnce", 1);
  window.FilesAtOnce = filesAtOnce < 0 ? 1 : filesAtOnce;
  window.OutDirIsInDir = ini.ReadBool(kMain, "OutIn", window.OutDirIsInDir);
  window.OutDir = ini.ReadString(kMain, "OutDir", window.OutDir);

  for (size_t i = 0; i < window.ColumnWidths.size(); ++i) {
    window.ColumnWidths[i] = ini.ReadInteger(kMainMixedCase, kColumnKeys[i], window.ColumnWidths[i]);
  }
  window.GridLines = ini.ReadBool(kMainMixedCase, "GridLines", window.GridLines);

  const std::string lastDir = ini.ReadString(kMain, "LastDir", window.LastDir);
  if (DirectoryExists(lastDir)) window.LastDir = lastDir;
  window.BottomPanelVisible = ini.ReadBool(kMain, "BottomPanelVisible", true);
  return true;
}

void SaveSettingsToIni(const AppParams& params, const MainWindowSettings& window,
                       const EncoderSettings& encoder) {
  IniFile ini(params.SettingsFile);
  ini.WriteString(kMain, "Language", params.Language == UiLanguage::Polish ? "PL" : "EN");
  ini.WriteString(kMain, "ffmpeg", params.EncoderExe);
  ini.WriteBool(kMain, "Maximized", window.Maximized);
  if (!window.Maximized) {
    ini.WriteInteger(kMain, "Left", window.Left);
    ini.WriteInteger(kMain, "Top", window.Top);
    ini.WriteInteger(kMain, "Width", window.Width);
    ini.WriteInteger(kMain, "Height", window.Height);
  }
  ini.WriteInteger(kMain, "OutputFormat", encoder.OutputFormat);
  ini.WriteString(kMain, "Player", PlayerKey(params.Player));
  ini.WriteBool(kMain, "BottomPanelVisible", window.BottomPanelVisible);
  ini.WriteInteger(kMain, "cbOutputExists", window.OutputExists);
  ini.WriteInteger(kMain, "cbAfterConversion", window.AfterConversion);
  ini.WriteInteger(kMain, "FilesAtOnce", window.FilesAtOnce);
  ini.WriteBool(kMain, "OutIn", window.OutDirIsInDir);
  ini.WriteString(kMain, "OutDir", window.OutDir);
  for (size_t i = 0; i < window.ColumnWidths.size(); ++i) {
    ini.WriteInteger(kMain, kColumnKeys[i], window.ColumnWidths[i]);
  }
  ini.WriteBool(kMain, "GridLines", window.GridLines);
  ini.WriteString(kMain, "LastDir", window.LastDir);
  ini.Save();
}

}  // namespace vardeno
