#include "cli/CliApp.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <locale>

#include "base/FsPath.h"
#include "app/EncoderMissing.h"
#include "app/ProgramState.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "platform/Processors.h"
#include "conversion/ParallelRows.h"
#include "cli/TerminalView.h"
#include "conversion/SystemEncoder.h"
#include "encoder/PreviewLine.h"
#include "filelist/ListFile.h"
#include "filelist/SupportedExtensions.h"
#include "platform/FileSystem.h"
#include "platform/SleepLock.h"
#include "platform/SystemError.h"
#include "player/PlayerReport.h"
#include "probe/FileInfo.h"
#include "probe/Probe.h"

namespace vardeno {

namespace {
class StderrWarnings : public WarningSink {
 public:
  void ShowWarning(const std::string& text) override { PrintToStderr(text); }
};

class NoPower : public PowerControl {
 public:
  bool ShutDownComputer() override { return false; }
};

class NoWindow : public AfterRunHost {
 public:
  void CloseMainWindow() override {}
};

std::string Shortest(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

char LocaleDecimalMark() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::exception&) {
    return '.';
  }
}

// What in the settings the chosen player does not take, one line each on stderr.
void PrintPreRunLines(const Session& session) {
  const PlayerVerdict verdict = CheckSettingsForPlayer(session.settings, session.resolutions, session.player);
  for (const std::string& line : PreRunLines(verdict, session.lang)) PrintToStderr(line);
}

int Preview(Session& session) {
  StderrWarnings warnings;
  PrintPreRunLines(session);
  const std::string encoderPath = session.EncoderPath();
  const PreviewLine preview = BuildPreviewLine(session.settings, session.resolutions,
                                               session.Generation(encoderPath), session.lang, warnings);
  std::printf("%s\n", preview.line.c_str());
  return preview.anyRefused ? kExitRefused : kExitOk;
}

void RequireExistingFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(FsPath(path), error)) throw UsageError{"no such file: \"" + path + "\""};
  if (std::filesystem::is_directory(FsPath(path), error)) throw UsageError{"not a file but a folder: \"" + path + "\""};
}

// Probes FILE; nullopt (after the missing-encoder message) when there is no encoder.
std::optional<MediaProbe> ProbeFile(Session& session, const std::string& file) {
  RequireExistingFile(file);
  const std::string encoderPath = session.EncoderPath();
  if (encoderPath.empty()) {
    StderrWarnings warnings;
    ShowEncoderMissing(warnings, session.lang);
    return std::nullopt;
  }
  const std::string absolute = Utf8Path(std::filesystem::absolute(FsPath(file)).lexically_normal());
  return ProbeMediaFile(absolute, encoderPath, session.Generation(encoderPath));
}

int Probe(Session& session, const std::string& file) {
  const auto probe = ProbeFile(session, file);
  if (!probe) return kExitNoEncoder;
  const MediaProbe& p = *probe;
  std::printf("Width: %d\nHeight: %d\nFileName: %s\nFileSize: %llu\nDuration: %d\nDurationExact: %s\n"
              "DurationText: %s\nStartTime: %d\nFrameRate: %s\nAudioCodec: %s\nVideoCodec: %s\nFrameCount: %d\n",
              p.Width, p.Height, p.FileName.c_str(), static_cast<unsigned long long>(p.FileSize), p.Duration,
              Shortest(p.DurationExact).c_str(), p.DurationText.c_str(), p.StartTime, Shortest(p.FrameRate).c_str(),
              p.AudioCodec.c_str(), p.VideoCodec.c_str(), p.FrameCount);
  for (size_t i = 0; i < p.Streams.size() && p.Streams[i].Present; ++i)
    std::printf("Stream %zu: %s\n", i + 1, p.Streams[i].Text.c_str());
  return kExitOk;
}

int Info(Session& session, const std::string& file) {
  const auto probe = ProbeFile(session, file);
  if (!probe) return kExitNoEncoder;
  std::fputs(FileInfoText(MakeFileInfoView(*probe, LocaleDecimalMark()), "\n").c_str(), stdout);
  return kExitOk;
}

// One line per file: the file, ": " and whether the player plays it as it is. A file that is
// missing or that the encoder cannot read is "cannot tell", which counts as not playing.
int Check(Session& session, const std::vector<std::string>& files) {
  const std::string encoderPath = session.EncoderPath();
  if (encoderPath.empty()) {
    StderrWarnings warnings;
    ShowEncoderMissing(warnings, session.lang);
    return kExitNoEncoder;
  }
  const EncoderGeneration generation = session.Generation(encoderPath);
  int status = kExitOk;
  for (const std::string& file : files) {
    std::error_code error;
    const std::string path = Utf8Path(std::filesystem::absolute(FsPath(file), error).lexically_normal());
    const MediaProbe probe =
        session.player == PlayerId::None ? MediaProbe{} : ProbeMediaFile(error ? file : path, encoderPath, generation);
    const PlayerVerdict verdict = CheckProbeForPlayer(probe, session.player, session.lang);
    if (verdict.verdict == Verdict::DoesNotPlay || verdict.verdict == Verdict::CannotTell) status = kExitFailed;
    std::printf("%s: %s\n", file.c_str(), VerdictLine(verdict, session.lang).c_str());
  }
  std::fflush(stdout);
  return status;
}

// A file the command writes at its end (the script, the error log) must be writable before any
// work starts: its folder exists and takes files, and the name is not a folder.
void RequireWritableFile(const std::string& path, const std::string& what) {
  std::error_code error;
  const std::filesystem::path parent = FsPath(path).parent_path();
  const std::string folder = parent.empty() ? "." : Utf8Path(parent);
  if (!std::filesystem::is_directory(FsPath(folder), error) || !IsWritableFolder(folder) ||
      std::filesystem::is_directory(FsPath(path), error))
    throw UsageError{"cannot write the " + what + " \"" + path + "\""};
}

// The file list of a convert or script command; every file must exist and be convertible.
void FillFileList(const CliOptions& options, UiLanguage lang, FileList& files) {
  if (options.listFile) {
    try {
      LoadFileList(files, *options.listFile, lang);
    } catch (const SystemError&) {
      throw UsageError{"cannot read the list file \"" + *options.listFile + "\""};
    }
  }
  for (const std::string& file : options.files) {
    RequireExistingFile(file);
    if (!IsSupportedExtension(file)) throw UsageError{"not a file type Vardeno converts: \"" + file + "\""};
    files.AddToList(file, lang);
  }
  for (const FileListRow& row : files.Rows()) RequireExistingFile(RowFullPath(row));
  // Only a list file can leave nothing to do (the parser wants files otherwise); a run over
  // nothing would end with success and no output at all.
  if (files.Count() == 0)
    throw UsageError{"no files to convert in the list file \"" + options.listFile.value_or("") + "\""};
}

int Convert(Session& session, const CliOptions& options) {
  ProgramState state;
  state.Params = session.params;
  state.ProgramDir = session.programDir;
  state.CurrentLanguage = session.lang;
  FillFileList(options, session.lang, state.Files);
  if (options.command == CliCommand::Script) RequireWritableFile(options.scriptFile, "script file");
  if (options.logFile) RequireWritableFile(*options.logFile, "log file");

  SystemEncoder encoder(session.forcedGeneration);
  NoPower power;
  NoWindow window;
  TerminalView view(state.Run, session.lang);
  ConversionRun conversion(state.ForConversion(), encoder, view, power, window);
  // One file after another is the job loop's own way; more at once is the CLI's scheduler.
  const unsigned jobs = options.jobs == kJobsAuto ? UsableCores() : options.jobs;
  ParallelRows parallel(jobs, view);
  if (jobs > 1) conversion.SetRowScheduler(&parallel);
  conversion.SetSleepLock(KeepComputerAwake);

  ConversionRequest request;
  request.settings = session.settings;
  request.resolutions = session.resolutions;
  request.outputToInputDir = !options.outDir;
  request.outputDir = options.outDir.value_or("");
  request.outputExistsPolicy = options.outputExistsPolicy;
  request.batchMode = options.command == CliCommand::Script;
  request.batchFileName = options.scriptFile;
  request.scriptFormat = options.batchScript ? ScriptFormat::WindowsBatch : ScriptFormat::PosixShell;
  request.stallLimit = std::chrono::seconds(options.stallSeconds.value_or(session.params.StallMinutes * 60L));
  if (options.command == CliCommand::Convert) {
    request.player = session.player;
    PrintPreRunLines(session);
  }
  const RunResult result = conversion.Execute(request);

  int status = kExitOk;
  const std::vector<std::string>& log = state.Errors.Lines();
  if (options.logFile) {
    // Written even when empty, so the file never shows the failures of an earlier run.
    try {
      SaveErrorLog(log, *options.logFile);
    } catch (const SystemError& error) {
      PrintToStderr(error.what());
      status = kExitFailed;
    }
  } else if (!log.empty()) {
    PrintToStderr(ErrorLogFileText(log));
  }
  switch (result.end) {
    case RunEnd::Completed:
      if (result.aborted) return kExitAborted;
      if (options.strict && result.notForPlayerCount > 0) return kExitFailed;
      return result.errorCount > 0 ? kExitFailed : status;
    case RunEnd::InvalidSizeLimit:
    case RunEnd::RefusedSettings:
      return kExitRefused;
    case RunEnd::NoEncoder:
      return kExitNoEncoder;
    case RunEnd::NoCheckedFiles:
      return status;
    case RunEnd::MissingCodec:
    case RunEnd::MissingFilter:
    case RunEnd::CannotCreateDir:
    case RunEnd::SystemFailure:
      break;
  }
  return kExitFailed;
}
}  // namespace

int RunCli(const std::vector<std::string>& args) {
  const CliParseResult parsed = ParseCliArguments(args);
  if (!parsed.options) {
    std::fprintf(stderr, "vardeno-cli: %s\n", parsed.error.c_str());
    return kExitUsage;
  }
  const CliOptions& options = *parsed.options;
  try {
    switch (options.command) {
      case CliCommand::Help:
        std::fputs(CliHelpText().c_str(), stdout);
        return kExitOk;
      case CliCommand::Version:
        std::printf("vardeno-cli %s\n", VARDENO_VERSION);
        return kExitOk;
      default:
        break;
    }
    Session session(options);
    switch (options.command) {
      case CliCommand::Preview:
        return Preview(session);
      case CliCommand::Probe:
        return Probe(session, options.files.at(0));
      case CliCommand::Info:
        return Info(session, options.files.at(0));
      case CliCommand::Check:
        return Check(session, options.files);
      default:
        return Convert(session, options);
    }
  } catch (const UsageError& error) {
    std::fprintf(stderr, "vardeno-cli: %s\n", error.message.c_str());
    return kExitUsage;
  } catch (const std::exception& error) {
    PrintToStderr(std::string("vardeno-cli: ") + error.what());
    return kExitFailed;
  }
}

}  // namespace vardeno
