#include "conversion/ConversionRun.h"

#include <filesystem>
#include <optional>
#include <thread>

#include "app/EncoderMissing.h"
#include "base/StringUtil.h"
#include "conversion/OutputPath.h"
#include "encoder/GenerationAdapter.h"
#include "encoder/OutputFormat.h"
#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#include "texts/ConversionTexts.h"

namespace {
constexpr std::chrono::milliseconds kRowPause{150};
constexpr std::chrono::milliseconds kProbePause{150};

// The codec name of a piece such as "-vcodec libx264" (options may follow it, as the modern
// adapter adds to libx264); "" for "-vn", "-an" or no codec.
std::string CodecOf(const std::string& piece) {
  const auto words = SplitArgumentText(piece);
  return words.size() >= 2 ? words[1] : std::string();
}

bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) == 0 &&
         !error;
}

// Ends the run however it ends: Running and BatchMode are cleared (a script is written only by
// the run that was asked to write it) and the main window is enabled again.
class RunCleanup {
 public:
  RunCleanup(RunState& run, ConversionView& view) : run_(run), view_(view) {}
  ~RunCleanup() {
    run_.Running = false;
    run_.BatchMode = false;
    view_.EnableAll();
  }
  RunCleanup(const RunCleanup&) = delete;
  RunCleanup& operator=(const RunCleanup&) = delete;

 private:
  RunState& run_;
  ConversionView& view_;
};
}  // namespace

void ConversionView::Pause(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

std::string ConversionArguments(const std::string& inputPath, const ArgumentPieces& p, const std::string& outputPath) {
  return "-y -i " + QuoteArgument(inputPath) + " " + p.videoCodec + " " + p.videoParams + " " + p.audioCodec + " " +
         p.audioParams + " " + p.advanced + " " + p.additional + " " + QuoteArgument(outputPath);
}

ConversionRun::ConversionRun(ConversionState state, EncoderAccess& encoder, ConversionView& view, PowerControl& power,
                             AfterRunHost& host)
    : s_(state), encoder_(encoder), view_(view), power_(power), host_(host) {}

RunResult ConversionRun::Execute(const ConversionRequest& request) {
  const EncoderSettings& settings = request.settings;
  const UiLanguage lang = s_.language;
  RunState& run = s_.run;
  RunResult result;

  if (settings.SizeLimit && !GetSizeLimitBytes(settings)) {
    view_.ShowWarning(kSizeLimitNotNumber(lang));
    result.end = RunEnd::InvalidSizeLimit;
    return result;
  }

  run.DurationLimitOn = settings.TimeLimitDuration;
  run.StartLimitOn = settings.TimeLimitStart;
  run.DurationLimit = GetTimeLimitD(settings);
  run.AbortRequested = false;
  run.Running = true;
  run.AudioOnly = false;
  run.BatchMode = request.batchMode;
  run.BatchFileName = request.batchFileName;
  run.FileCount = 0;
  run.FileNo = 0;
  ResetErrorLog(s_.errorLog, run);
  view_.SetErrorsCaption(ErrorsWindowCaption(lang, 0));

  bool completed = false;
  {
    RunCleanup cleanup(run, view_);
    view_.DisableAll();
    try {
      result.end = [&] {
        const std::string encoderPath = GetEncoderPath(s_.appParams, s_.programDir);
        if (encoderPath.empty()) {
          ShowEncoderMissing(view_, lang);
          return RunEnd::NoEncoder;
        }
        const auto classic = BuildArgumentPieces(settings, request.resolutions, lang, view_);
        if (!classic) return RunEnd::RefusedSettings;
        const EncoderGeneration generation = encoder_.Generation(encoderPath);
        const ArgumentPieces pieces = AdaptPieces(*classic, generation);

        ConversionScript script(request.scriptFormat, encoderPath, pieces, SplitArgumentText(pieces.additional));
        view_.SetProgress(0);
        view_.SetAbortCaption(kAbortCaption(lang));
        run.FileCount = s_.files.GetCheckedCount();
        run.FileNo = 0;
        if (run.FileCount == 0) return RunEnd::NoCheckedFiles;

        // A modern encoder build may lack the chosen codec: say so before any file is touched
        // (and only when there is a file to convert).
        if (!request.batchMode) {
          for (const std::string& codec : {CodecOf(pieces.videoCodec), CodecOf(pieces.audioCodec)}) {
            if (codec.empty() || encoder_.HasEncoder(encoderPath, codec).value_or(true)) continue;
            view_.ShowWarning(kEncoderLacksCodecHead(lang) + codec + kEncoderLacksCodecTail(lang));
            return RunEnd::MissingCodec;
          }
        }
        if (!request.batchMode) view_.ShowProgressWindow();
        run.AudioOnly = !HasVideo(settings.OutputFormat);

        ProgressHandler progress({s_.outputLines, run, s_.currentProbe, s_.language}, view_, view_,
                                 [this](const std::string& path) { return encoder_.Terminate(path); });
        progress.SetEncoder(encoderPath, generation);
        const RunEnd end = RunRows(request, encoderPath, pieces, script, progress);
        if (end != RunEnd::Completed) return end;

        script.Finish();
        if (request.batchMode) script.Save(request.batchFileName);
        view_.SetAbortCaption(kCloseCaption(lang));
        return RunEnd::Completed;
      }();
      completed = result.end == RunEnd::Completed;
    } catch (const SystemError& error) {
      result.end = RunEnd::SystemFailure;
      view_.ShowSystemError(error.what());
    }
  }

  result.fileCount = run.FileCount;
  result.errorCount = run.ErrorCount;
  result.aborted = run.AbortRequested;
  if (!completed) return result;

  if (run.ErrorCount > 0) {
    if (!run.AbortRequested) view_.ShowErrorsWindow();
    view_.SetErrorsCaption(ErrorsWindowCaption(lang, run.ErrorCount));
  }
  result.afterRun = TakeAfterConversionAction(request.afterConversion, run, power_, host_);
  return result;
}

RunEnd ConversionRun::RunRows(const ConversionRequest& request, const std::string& encoderPath,
                              const ArgumentPieces& pieces, ConversionScript& script, ProgressHandler& progress) {
  const UiLanguage lang = s_.language;
  RunState& run = s_.run;
  const std::string ext = GetExt(request.settings, true);
  const size_t rowCount = s_.files.Count();

  // The files of the checked rows, gathered when an existing output first needs the test.
  std::optional<FileIdentitySet> runInputs;
  const auto isInputOfRun = [&](const std::string& path) {
    if (!runInputs) {
      runInputs.emplace();
      for (const FileListRow& r : s_.files.Rows())
        if (r.Checked) runInputs->Add(MakeInputPath(r.Directory, r.Name));
    }
    return runInputs->Contains(path);
  };

  for (size_t row = 0; row < rowCount; ++row) {
    if (!s_.files.Row(row).Checked) continue;
    view_.Pause(kRowPause);
    ++run.FileNo;

    const std::string input = MakeInputPath(s_.files.Row(row).Directory, s_.files.Row(row).Name);
    view_.SetInputFile(input);
    view_.SetStatus("", StatusTone::Normal);

    std::string outputDir;
    if (!request.outputToInputDir) {
      outputDir = Trim(request.outputDir);
      if (outputDir.empty()) {
        view_.ShowSystemError(kUnableToCreateDir(lang));
        return RunEnd::CannotCreateDir;
      }
      std::error_code ignored;
      std::filesystem::create_directories(outputDir, ignored);
      if (!std::filesystem::is_directory(outputDir, ignored)) {
        view_.ShowWarning(kCannotCreateDirHead(lang) + outputDir + kCannotCreateDirTail(lang));
        return RunEnd::CannotCreateDir;
      }
    }
    std::string output = MakeOutputPath(input, outputDir, ext);

    if (!run.BatchMode) s_.files.SetStatus(row, kStatusConverting(lang));
    std::string status = kStatusDone(lang);
    if (PathExists(output)) {
      int policy = request.outputExistsPolicy;
      // Overwriting (or no choice, where the encoder's "-y" overwrites too) never replaces a
      // file that this run converts: such an output gets a numbered name instead.
      if (policy != 0 && policy != 2 && isInputOfRun(output)) policy = 0;
      switch (policy) {
        case 0:
          output = MakeUniqueFileName(output, "_", 3);
          status = kStatusRenamed(lang);
          break;
        case 1:
          status = kStatusOverwritten(lang);
          break;
        case 2:
          status = kStatusSkipped(lang);
          if (!run.BatchMode) s_.files.SetStatus(row, status);
          view_.SetStatus(status, StatusTone::Normal);
          view_.SetOutputFile(output);
          view_.RowFinished(row, status, output);
          continue;
        default:
          break;
      }
    }

    view_.SetProgress(0);
    view_.SetOutputFile(output);
    view_.SetPbColor(s_.appParams.PbColor);
    const std::string arguments = ConversionArguments(input, pieces, output);

    view_.ClearEncoderOutput();
    view_.SetStatus(kPleaseWait(lang), StatusTone::Normal);
    view_.ProcessPendingEvents();

    s_.currentProbe = MediaProbe{};
    if (!run.BatchMode) {
      s_.currentProbe = encoder_.Probe(input, encoderPath);
      view_.Pause(kProbePause);
    }
    script.AddConversion(input, output);

    std::uint32_t exitCode = 0;
    if (!run.BatchMode) {
      s_.outputLines.clear();
      progress.StartFile();
      exitCode = encoder_.Run(encoderPath, arguments, s_.outputLines, progress.LineHandler(), progress.Idle());
      if (exitCode != 0) {
        status = kStatusError(lang) + " (" + std::to_string(exitCode) + ")";
        LogFailedRun(s_.errorLog, run, ExitCodeEntryText(exitCode, s_.outputLines));
      }
    }

    if (!run.AbortRequested) view_.SetProgress(100);
    if (run.AbortRequested) status = kStatusAborted(lang);
    view_.SetStatus(status, !run.AbortRequested && exitCode == 0 ? StatusTone::Ok : StatusTone::Error);
    if (!run.BatchMode) s_.files.SetStatus(row, status);

    // An encoder that wrote nothing leaves no empty file behind. Only a file known to be empty
    // goes: one that merely cannot be opened may be someone's data.
    if (IsEmptyFile(output)) ForceDeleteFile(output);
    view_.RowFinished(row, status, output);
    if (run.AbortRequested) break;
  }
  return RunEnd::Completed;
}
