// Every file the program writes, written onto a full disk and onto a read-only file system: the
// failure is reported with the system's code and message (or, for the launcher, as false), the
// old file stays whole, and nothing else is left in its folder.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "app/AppParams.h"
#include "app/IniFile.h"
#include "app/MainWindowSettings.h"
#include "app/Profiles.h"
#include "app/SettingsFile.h"
#include "conversion/ConversionScript.h"
#include "conversion/ErrorLog.h"
#include "filelist/FileList.h"
#include "filelist/ListFile.h"
#include "platform/FileIo.h"
#include "platform/Shortcuts.h"
#include "platform/SystemError.h"
#include "probe/FileInfo.h"
#include "support/SmallDisk.h"
#include "support/TempDir.h"

namespace vardeno {

namespace {
// What a write reported: the system's text ("" when it reported success), or "false".
using Writer = std::function<std::string(const std::string& folder)>;

struct WrittenFile {
  const char* name;
  const char* relativePath;  // below the folder
  Writer write;
};

template <typename Write>
std::string Reported(Write write) {
  try {
    write();
  } catch (const IniWriteError& error) {
    return error.Reason();
  } catch (const SystemError& error) {
    return error.what();
  }
  return "";
}

const WrittenFile kFiles[] = {
    {"SettingsFile", "Vardeno.ini",
     [](const std::string& folder) {
       AppParams params;
       params.SettingsFile = folder + "/Vardeno.ini";
       return Reported([&] { SaveSettingsToIni(params, MainWindowSettings{}, EncoderSettings{}); });
     }},
    {"LastSessionProfile", "profiles/__Last.ini",
     [](const std::string& folder) {
       return Reported([&] { SaveProfile(folder + "/profiles/__Last.ini", EncoderSettings{}); });
     }},
    {"NamedProfile", "profiles/Zune AVC.ini",
     [](const std::string& folder) {
       return Reported([&] { SaveProfile(folder + "/profiles/Zune AVC.ini", EncoderSettings{}); });
     }},
    {"ListFile", "files.lst",
     [](const std::string& folder) {
       FileList list;
       list.AppendRows({FileListRow{true, "", "clip.avi", "/media", "1 KB", "Ready"}});
       return Reported([&] { SaveFileList(list, folder + "/files.lst"); });
     }},
    {"ErrorLog", "errors.log",
     [](const std::string& folder) {
       return Reported([&] { SaveErrorLog({"Error # 1", "ExitCode: 1"}, folder + "/errors.log"); });
     }},
    {"InfoText", "clip.avi_info.txt",
     [](const std::string& folder) {
       FileInfoView view;
       view.fileName = "clip.avi";
       return Reported([&] { WriteFileAtomically(folder + "/clip.avi_info.txt", FileInfoText(view)); });
     }},
    {"Script", "convert.sh",
     [](const std::string& folder) {
       ConversionScript script(ScriptFormat::PosixShell, "ffmpeg", ArgumentPieces{}, {});
       script.AddConversion("/media/clip.avi", "/media/clip.mp4");
       return Reported([&] { script.Save(folder + "/convert.sh"); });
     }},
    {"Launcher", "applications/Vardeno.desktop",
     [](const std::string& folder) {
       setenv("HOME", folder.c_str(), 1);
       setenv("XDG_DATA_HOME", folder.c_str(), 1);
       return std::string(CreateShortcut("Vardeno", "/usr/bin/vardeno", ShortcutPlace::ApplicationsMenu,
                                         ShortcutFileName)
                              ? ""
                              : "false");
     }},
};

enum class Failure { FullDisk, ReadOnly };

class WriteFailure : public ::testing::TestWithParam<std::tuple<WrittenFile, Failure>> {};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
}  // namespace

TEST_P(WriteFailure, IsReportedAndLeavesTheOldFileWhole) {
  const auto& [file, failure] = GetParam();
  TempDir dir;
  const std::string folder = dir / "disk";
  SmallDisk disk(folder);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
  std::filesystem::create_directories(folder + "/profiles");
  std::filesystem::create_directories(folder + "/applications");
  const std::string path = folder + "/" + file.relativePath;
  const std::string old = "[Old]\r\nkept=1\r\n";
  std::ofstream(path, std::ios::binary) << old;

  if (failure == Failure::FullDisk) disk.Fill();
  else ASSERT_TRUE(disk.MakeReadOnly());
  const auto before = disk.Entries();

  const std::string reported = file.write(folder);
  if (std::string(file.name) == "Launcher") {
    EXPECT_EQ(reported, "false");
  } else {
    EXPECT_EQ(reported, failure == Failure::FullDisk ? "System Error.  Code: 28.\r\nNo space left on device"
                                                     : "System Error.  Code: 30.\r\nRead-only file system");
  }
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(disk.Entries(), before);  // no half-written temporary file left beside it
}

INSTANTIATE_TEST_SUITE_P(EveryWrittenFile, WriteFailure,
                         ::testing::Combine(::testing::ValuesIn(kFiles),
                                            ::testing::Values(Failure::FullDisk, Failure::ReadOnly)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) == Failure::FullDisk ? "OnAFullDisk" : "OnAReadOnlyDisk");
                         });

}  // namespace vardeno
