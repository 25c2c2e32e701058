#include "conversion/RowSteps.h"

#include <algorithm>
#include <filesystem>

#include "base/FsPath.h"
#include "base/PathSyntax.h"
#include "base/StringUtil.h"
#include "conversion/SubtitleLookup.h"
#include "encoder/ArgumentBuilder.h"
#include "platform/ArgumentText.h"
#include "platform/FileSystem.h"
#include "player/PlayerReport.h"
#include "texts/ConversionTexts.h"

namespace vardeno {

namespace {
bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(FsPath(path), error) && std::filesystem::file_size(FsPath(path), error) == 0 &&
         !error;
}
}  // namespace

OutputDirCheck PrepareOutputDir(const ConversionRequest& request) {
  OutputDirCheck check;
  if (request.outputToInputDir) return check;
  check.dir = Trim(request.outputDir);
  if (check.dir.empty()) {
    check.problem = OutputDirCheck::Problem::NoName;
    return check;
  }
  std::error_code ignored;
  std::filesystem::create_directories(FsPath(check.dir), ignored);
  if (!std::filesystem::is_directory(FsPath(check.dir), ignored)) check.problem = OutputDirCheck::Problem::CannotCreate;
  return check;
}

void ReportOutputDirProblem(const OutputDirCheck& check, ConversionView& view, UiLanguage lang) {
  switch (check.problem) {
    case OutputDirCheck::Problem::None:
      break;
    case OutputDirCheck::Problem::NoName:
      view.ShowSystemError(kUnableToCreateDir(lang));
      break;
    case OutputDirCheck::Problem::CannotCreate:
      view.ShowWarning(kCannotCreateDirHead(lang) + check.dir + kCannotCreateDirTail(lang));
      break;
  }
}

RowPlanner::RowPlanner(const ConversionRequest& request, const FileList& files, const UiLanguage& language)
    : request_(request), files_(files), language_(language), ext_(GetExt(request.settings, true)) {}

std::string RowPlanner::InputPath(std::size_t row) const {
  return MakeInputPath(files_.Row(row).Directory, files_.Row(row).Name);
}

bool RowPlanner::IsInputOfRun(const std::string& path) {
  if (!runInputs_) {
    runInputs_.emplace();
    for (const FileListRow& r : files_.Rows())
      if (r.Checked) runInputs_->Add(MakeInputPath(r.Directory, r.Name));
  }
  return runInputs_->Contains(path);
}

RowPlan RowPlanner::Plan(std::size_t row, const std::string& outputDir) {
  const UiLanguage lang = language_;
  RowPlan plan;
  plan.row = row;
  plan.input = InputPath(row);
  plan.output = MakeOutputPath(plan.input, outputDir, ext_);
  plan.status = kStatusDone(lang);
  plan.examined.push_back(plan.output);
  const auto givenToEarlierRow = [&](const std::string& path) { return claims_.TakenByOtherRow(path, row); };
  const auto plannedOnly = [&](const std::string& path) { return request_.batchMode && givenToEarlierRow(path); };
  if (!PathExists(plan.output) && !plannedOnly(plan.output)) {
    claims_.Give(plan.output, row);
    return plan;
  }

  int policy = request_.outputExistsPolicy;
  // Overwriting (or no choice, where the encoder's "-y" overwrites too) never replaces a file
  // that this run converts or has made: such an output gets a numbered name instead.
  if (policy != 0 && policy != 2 && (IsInputOfRun(plan.output) || givenToEarlierRow(plan.output))) policy = 0;
  switch (policy) {
    case 0: {
      const std::string mapped = plan.output;
      plan.output = MakeUniqueFileName(
          mapped, "_", 3,
          [&](const std::string& candidate) {
            if (candidate != mapped) plan.examined.push_back(candidate);
          },
          plannedOnly);
      plan.status = kStatusRenamed(lang);
      break;
    }
    case 1:
      plan.status = kStatusOverwritten(lang);
      break;
    case 2:
      plan.status = kStatusSkipped(lang);
      plan.skip = true;
      break;
    default:
      break;
  }
  if (!plan.skip) claims_.Give(plan.output, row);
  return plan;
}

bool NeedsProbeForSubtitles(const EncoderSettings& settings, EncoderGeneration generation) {
  return BurnsSubtitles(settings, generation) && settings.Subtitles == static_cast<int>(SubtitleMode::OwnTrack);
}

RowPicture PlanRowPicture(const ConversionRequest& request, EncoderGeneration generation, const std::string& input,
                          const MediaProbe& probe, UiLanguage lang) {
  if (!BurnsSubtitles(request.settings, generation)) return {};
  const SubtitleLookup lookup = LookUpSubtitles(request.settings, input, probe, lang);
  return {BuildPictureFilter(request.settings, request.resolutions, generation, lookup.source), lookup.missing};
}

void NoteMissingSubtitles(const RowPicture& picture, ErrorLog& log) {
  if (!picture.missingNote.empty()) AddErrorLogEntry(log, picture.missingNote, 0);
}

std::string StatusAfterEncoder(const std::string& input, const std::string& planned, std::uint32_t exitCode,
                               const EncoderOutputLines& lines, ErrorLog& log, RunState& run, UiLanguage lang,
                               const std::string& note) {
  if (exitCode == 0) return planned;
  std::string entry = ExitCodeEntryText(exitCode, lines);
  if (!note.empty()) entry.insert(entry.find("\r\n") + 2, note + "\r\n");
  LogFailedRun(log, run, input + "\r\n" + entry);
  return kStatusError(lang) + " (" + std::to_string(exitCode) + ")";
}

namespace {
std::string FolderOf(const std::string& path) {
  const std::size_t separator = LastPathSeparator(path);
  return separator == std::string::npos ? std::string() : path.substr(0, std::max(separator, PathRootLength(path)));
}
}  // namespace

bool OutputFolderGone(const std::string& output) {
  const std::string folder = FolderOf(output);
  return !folder.empty() && !IsFolder(folder);
}

std::string OutputFolderGoneStatus(const std::string& input, const std::string& output,
                                   const EncoderOutputLines& lines, ErrorLog& log, RunState& run, UiLanguage lang) {
  std::string entry = ExitCodeEntryText(0, lines);
  entry.insert(entry.find("\r\n") + 2, kOutputFolderGone(lang) + FolderOf(output) + "\r\n");
  LogFailedRun(log, run, input + "\r\n" + entry);
  return kStatusError(lang) + " (0)";
}

std::string StatusAfterOutputCheck(const std::string& planned, const std::string& output, const MediaProbe& outputProbe,
                                   PlayerId player, ErrorLog& log, RunState& run, UiLanguage lang) {
  const PlayerVerdict verdict = CheckProbeForPlayer(outputProbe, player, lang);
  const std::string entry = PlayerLogEntry(output, verdict, lang);
  if (entry.empty()) return planned;
  AddErrorLogEntry(log, entry, 0);
  ++run.NotForPlayerCount;
  return StatusAfterPlayerCheck(planned, verdict, lang);
}

std::string AbortedStatus(UiLanguage lang) { return kStatusAborted(lang); }

void DeleteEmptyOutput(const std::string& output) {
  if (IsEmptyFile(output)) ForceDeleteFile(output);
}

std::string ConversionArguments(const std::string& inputPath, const ArgumentPieces& p, const std::string& outputPath,
                                const PictureFilter& picture) {
  const std::string filter = picture.option.empty() ? "" : " " + picture.option + " " + QuoteArgument(picture.graph);
  return "-y -i " + QuoteArgument(inputPath) + " " + p.videoCodec + " " + p.videoParams + " " + p.audioCodec + " " +
         p.audioParams + " " + p.advanced + filter + " " + p.additional + " " + QuoteArgument(outputPath);
}

}  // namespace vardeno
