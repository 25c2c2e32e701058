#include "conversion/ConversionRun.h"

#include <filesystem>
#include <optional>
#include <thread>

#include "base/StringUtil.h"
#include "conversion/OutputPath.h"
#include "conversion/RowSteps.h"
#include "conversion/UnattendedText.h"
#include "encoder/GenerationAdapter.h"
#include "encoder/OutputFormat.h"
#include "platform/ArgumentText.h"
#include "platform/SystemError.h"
#include "texts/ConversionTexts.h"
#include "texts/UnattendedTexts.h"

namespace vardeno {

namespace {
constexpr std::chrono::milliseconds kRowPause{150};
constexpr std::chrono::milliseconds kProbePause{150};

// The codec name of a piece such as "-vcodec libx264" (options may follow it, as the modern
// adapter adds to libx264); "" for "-vn", "-an" or no codec.
std::string CodecOf(const std::string& piece) {
  const auto words = SplitArgumentText(piece);
  return words.size() >= 2 ? words[1] : std::string();
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
  run.NotForPlayerCount = 0;
  ResetErrorLog(s_.errorLog, run);
  view_.SetErrorsCaption(ErrorsWindowCaption(lang, 0));

  bool completed = false;
  {
    RunCleanup cleanup(run, view_);
    view_.DisableAll();
    try {
      result.end = [&] {
        const std::string encoderPath = s_.findEncoder();
        if (encoderPath.empty()) {
          s_.showEncoderMissing(view_, lang);
          return RunEnd::NoEncoder;
        }
        const auto classic = BuildArgumentPieces(settings, request.resolutions, lang, view_);
        if (!classic) return RunEnd::RefusedSettings;
        const EncoderGeneration generation = encoder_.Generation(encoderPath);
        // With subtitles burned in, each file has a picture filter of its own, which crops too.
        const bool burnSubtitles = BurnsSubtitles(settings, generation);
        const ArgumentPieces pieces = AdaptPieces(*classic, generation, burnSubtitles);

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
        if (burnSubtitles && !encoder_.HasFilter(encoderPath, "subtitles").value_or(true)) {
          view_.ShowWarning(kEncoderLacksSubtitles(lang));
          return RunEnd::MissingFilter;
        }
        if (!request.batchMode) view_.ShowProgressWindow();
        run.AudioOnly = !HasVideo(settings.OutputFormat);
        // Held until the rows are done, however the run ends.
        std::unique_ptr<SleepLock> awake;
        if (!request.batchMode && keepAwake_) {
          awake = keepAwake_(SleepLockReason(lang, run.FileCount));
          if (!awake) view_.ShowRunNotice(kMaySleepNotice(lang));
        }

        RunEnd end = RunEnd::Completed;
        if (scheduler_ && !request.batchMode) {
          end = scheduler_->RunRows({request, encoderPath, generation, pieces, s_, encoder_, view_});
        } else {
          ProgressHandler progress({s_.outputLines, run, s_.currentProbe, s_.language}, view_, view_,
                                   [this](const std::string& path) { return encoder_.Terminate(path); });
          progress.SetEncoder(encoderPath, generation);
          progress.SetStallLimit(request.stallLimit);
          end = RunRows(request, encoderPath, generation, pieces, script, progress);
        }
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
  result.notForPlayerCount = run.NotForPlayerCount;
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
                              EncoderGeneration generation, const ArgumentPieces& pieces, ConversionScript& script,
                              ProgressHandler& progress) {
  const UiLanguage lang = s_.language;
  RunState& run = s_.run;
  RowPlanner planner(request, s_.files, s_.language);
  const size_t rowCount = s_.files.Count();

  for (size_t row = 0; row < rowCount; ++row) {
    if (!s_.files.Row(row).Checked) continue;
    view_.Pause(kRowPause);
    ++run.FileNo;

    view_.SetInputFile(planner.InputPath(row));
    view_.SetStatus("", StatusTone::Normal);
    const OutputDirCheck outputDir = PrepareOutputDir(request);
    if (outputDir.problem != OutputDirCheck::Problem::None) {
      ReportOutputDirProblem(outputDir, view_, lang);
      return RunEnd::CannotCreateDir;
    }
    const RowPlan plan = planner.Plan(row, outputDir.dir);
    const std::string& input = plan.input;
    const std::string& output = plan.output;

    if (!run.BatchMode) s_.files.SetStatus(row, kStatusConverting(lang));
    std::string status = plan.status;
    if (plan.skip) {
      if (!run.BatchMode) s_.files.SetStatus(row, status);
      view_.SetStatus(status, StatusTone::Normal);
      view_.SetOutputFile(output);
      view_.RowFinished(row, status, output);
      continue;
    }

    view_.SetProgress(0);
    view_.SetOutputFile(output);
    view_.SetPbColor(s_.progressColor);

    view_.ClearEncoderOutput();
    view_.SetStatus(kPleaseWait(lang), StatusTone::Normal);
    view_.ProcessPendingEvents();

    s_.currentProbe = MediaProbe{};
    // A script needs the probe only to tell a video's text subtitle track from a picture one.
    if (!run.BatchMode || NeedsProbeForSubtitles(request.settings, generation)) {
      // Events and an abort are handled while the probe waits, so an encoder that hangs there
      // can still be aborted.
      s_.currentProbe = encoder_.Probe(input, encoderPath, progress.Idle());
      if (!run.BatchMode) view_.Pause(kProbePause);
    }
    const RowPicture picture = PlanRowPicture(request, generation, input, s_.currentProbe, lang);
    NoteMissingSubtitles(picture, s_.errorLog);
    const std::string arguments = ConversionArguments(input, pieces, output, picture.filter);
    script.AddConversion(input, output, picture.filter);

    std::uint32_t exitCode = 0;
    bool failed = false;
    if (!run.BatchMode && !run.AbortRequested) {
      s_.outputLines.clear();
      progress.StartFile();
      exitCode = encoder_.Run(encoderPath, arguments, s_.outputLines, progress.LineHandler(), progress.EncoderIdle());
      status = StatusAfterEncoder(input, status, exitCode, s_.outputLines, s_.errorLog, run, lang,
                                  progress.Stalled() ? StalledEncoderText(lang, request.stallLimit) : "");
      failed = exitCode != 0;
      if (!failed && !run.AbortRequested && OutputFolderGone(output)) {
        status = OutputFolderGoneStatus(input, output, s_.outputLines, s_.errorLog, run, lang);
        failed = true;
      }
      if (!failed && !run.AbortRequested && request.player != PlayerId::None)
        status = StatusAfterOutputCheck(status, output, encoder_.Probe(output, encoderPath, progress.Idle()),
                                        request.player, s_.errorLog, run, lang);
    }

    if (!run.AbortRequested) view_.SetProgress(100);
    if (run.AbortRequested) status = AbortedStatus(lang);
    view_.SetStatus(status, !run.AbortRequested && !failed ? StatusTone::Ok : StatusTone::Error);
    if (!run.BatchMode) s_.files.SetStatus(row, status);

    DeleteEmptyOutput(output);
    view_.RowFinished(row, status, output);
    if (run.AbortRequested) break;
  }
  return RunEnd::Completed;
}

}  // namespace vardeno
