// What the file information window shows of a probe result, and the text it saves.
#pragma once

#include <string>
#include <vector>

#include "probe/MediaProbe.h"

namespace vardeno {

struct StreamRow {
  std::string key;    // the stream text before its first ":", trimmed; "" without ":"
  std::string value;  // the rest, trimmed
};

struct FileInfoView {
  std::string fileName;   // the probed path's file name
  std::string directory;  // the probed path's folder
  std::string sizeText;   // FormatFileSize of the size
  std::string durationText;
  std::string fpsText;    // the frame rate with two decimals
  std::vector<StreamRow> streams;  // one per present stream entry
};

// decimalMark is the locale's decimal mark for the frame rate ("25.00" or "25,00").
FileInfoView MakeFileInfoView(const MediaProbe& probe, char decimalMark = '.');

// The saved text: "File: ", "File size: ", "Duration: ", "FPS: ", "Audio & Video streams:" and one
// "  key - value" line per stream row (one empty row when there is none); each line ends with
// lineEnd. The labels are English in every interface language.
std::string FileInfoText(const FileInfoView& view, const std::string& lineEnd = "\r\n");

// The file's full path as the window forms it from its two labels.
std::string FileInfoPath(const FileInfoView& view);

}  // namespace vardeno
