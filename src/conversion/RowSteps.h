// The steps one checked row of a conversion run goes through, shared by the job loop (one row
// after another) and by any scheduler that converts several rows at once: the output folder, the
// output name and the output-exists policy, the status after the encoder, the error log entry of
// a failed run, and the deletion of an empty output. The probe and the encoder run between them
// are calls of EncoderAccess.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conversion/ConversionRequest.h"
#include "conversion/ConversionView.h"
#include "conversion/ErrorLog.h"
#include "conversion/OutputPath.h"
#include "conversion/RunState.h"
#include "encoder/ArgumentBuilder.h"
#include "encoder/PictureChain.h"
#include "filelist/FileList.h"
#include "player/PlayerId.h"
#include "probe/MediaProbe.h"
#include "texts/Language.h"

namespace vardeno {

// The output folder of the rows, made when missing; checked again for every row.
struct OutputDirCheck {
  enum class Problem { None, NoName, CannotCreate };
  Problem problem = Problem::None;
  std::string dir;  // the folder (trimmed); "" when the outputs go beside their inputs
};
OutputDirCheck PrepareOutputDir(const ConversionRequest& request);
// Shows why the folder cannot be used (an error box for an empty name, else the warning).
void ReportOutputDirProblem(const OutputDirCheck& check, ConversionView& view, UiLanguage lang);

// What a checked row will do, decided before its encoder starts.
struct RowPlan {
  std::size_t row = 0;
  std::string input;
  std::string output;
  // The result text if the encoder succeeds ("Done", "OK - Renamed", "OK - Overwritten"), or
  // "Skipped" for a row that is skipped.
  std::string status;
  bool skip = false;
  // Every path whose existence decided output, in the order they were looked at (the first is
  // the output the row maps to, the rest the numbered names tried). A row converting into one
  // of them at the same time would change the decision.
  std::vector<std::string> examined;
};

// Decides the rows' inputs and outputs the same way for every caller.
class RowPlanner {
 public:
  // All three must outlive the planner; the file list's checked rows must not change meanwhile.
  RowPlanner(const ConversionRequest& request, const FileList& files, const UiLanguage& language);

  // The input path of the row.
  std::string InputPath(std::size_t row) const;
  // Input, output and status of the row by the output-exists policy, as things are on disk now.
  // outputDir as PrepareOutputDir gave it. No output is given to two rows: in a script run (where
  // nothing is written between rows) an output planned for an earlier row counts as existing, and
  // an existing output that an earlier row of this run made is never overwritten but numbered.
  RowPlan Plan(std::size_t row, const std::string& outputDir);

 private:
  bool IsInputOfRun(const std::string& path);

  const ConversionRequest& request_;
  const FileList& files_;
  const UiLanguage& language_;
  std::string ext_;
  // The files of the checked rows, gathered when an existing output first needs the test.
  std::optional<FileIdentitySet> runInputs_;
  // The outputs planned so far.
  OutputClaims claims_;
};

// Whether a row's subtitles can only be chosen after its probe (the video's own track).
bool NeedsProbeForSubtitles(const EncoderSettings& settings, EncoderGeneration generation);

// The picture filter of one row (encoder/PictureChain.h): empty unless subtitles are burned in.
// A video without the subtitles asked for is converted without them; missingNote then says so,
// for an unnumbered entry of the error log (the row is no failure): NoteMissingSubtitles.
struct RowPicture {
  PictureFilter filter;
  std::string missingNote;
};
RowPicture PlanRowPicture(const ConversionRequest& request, EncoderGeneration generation, const std::string& input,
                          const MediaProbe& probe, UiLanguage lang);
void NoteMissingSubtitles(const RowPicture& picture, ErrorLog& log);

// The row's result text after its encoder ran: the planned status when the exit code is 0; else
// "Error (code)" and one entry in the error log (the input's path, so that entries of files
// converted at once tell whose they are, then ExitCode and the encoder's output lines), which
// raises run.ErrorCount. note, when not empty, is a line of the entry between the exit code and
// the encoder's lines (why the run ended it).
std::string StatusAfterEncoder(const std::string& input, const std::string& planned, std::uint32_t exitCode,
                               const EncoderOutputLines& lines, ErrorLog& log, RunState& run, UiLanguage lang,
                               const std::string& note = "");

// The folder of output is not there (any more): removed while the encoder wrote, or its disk gone.
bool OutputFolderGone(const std::string& output);

// The row's result when the encoder ended well but OutputFolderGone: "Error (0)" and one entry in
// the error log (the input's path first) that says why, rather than "Done" with no file.
std::string OutputFolderGoneStatus(const std::string& input, const std::string& output,
                                   const EncoderOutputLines& lines, ErrorLog& log, RunState& run, UiLanguage lang);

// The row's status after its output, converted well, was probed (outputProbe) and compared with
// player: planned when it plays, else the player's own status ("OK - Not for Zune HD", or "OK - Not
// checked for ..." when the output could not be read), an error log entry without a number (the
// file, the player, each value against its limit) and run.NotForPlayerCount raised. No error is
// counted: the output is kept as it is.
std::string StatusAfterOutputCheck(const std::string& planned, const std::string& output, const MediaProbe& outputProbe,
                                   PlayerId player, ErrorLog& log, RunState& run, UiLanguage lang);

// The text an aborted row shows.
std::string AbortedStatus(UiLanguage lang);

// An encoder that wrote nothing leaves no empty file behind. Only a file known to be empty goes:
// one that merely cannot be opened may be someone's data.
void DeleteEmptyOutput(const std::string& output);

// The argument text of one conversion: -y -i "input", the six pieces, the file's picture filter
// (when it has one, after the advanced piece), then "output".
std::string ConversionArguments(const std::string& inputPath, const ArgumentPieces& pieces,
                                const std::string& outputPath, const PictureFilter& picture = {});

}  // namespace vardeno
