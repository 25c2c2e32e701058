// Run-time texts of a conversion run: row statuses and the run's messages.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kStatusConverting{"Converting", "Konwertowanie"};
inline constexpr LangText kStatusDone{"Done", "Zrobiono"};
inline constexpr LangText kStatusRenamed{"OK - Renamed", "OK - Zmieniono nazwę"};
inline constexpr LangText kStatusOverwritten{"OK - Overwritten", "OK - Nadpisano"};
inline constexpr LangText kStatusSkipped{"Skipped", "Pominięto"};
inline constexpr LangText kStatusError{"Error", "Błąd"};
inline constexpr LangText kStatusAborted{"Aborted", "Przerwano"};

inline constexpr LangText kAbortCaption{"Abort", "Przerwij"};
inline constexpr LangText kCloseCaption{"Close", "Zamknij"};
inline constexpr LangText kPleaseWait{"Please wait...", "Proszę czekać..."};
// An error log line, followed by the folder: the encoder ended well, but the folder it wrote into
// had gone (removed, or its disk unplugged), so no output is there.
inline constexpr LangText kOutputFolderGone{"The output folder is gone, so nothing was kept: ",
                                            "Katalog docelowy zniknął, więc nic nie zostało zapisane: "};

inline constexpr LangText kSizeLimitNotNumber{"File size limit must be a number!",
                                              "Limit wielkości pliku wynikowego musi być liczbą!"};
// Followed by the directory and kCannotCreateDirTail.
inline constexpr LangText kCannotCreateDirHead{"Couldn't create directory \"", "Nie można utworzyć katalogu \""};
inline constexpr LangText kCannotCreateDirTail{"\" !", "\" !"};
inline constexpr LangText kUnableToCreateDir{"Unable to create directory", "Unable to create directory"};

// The output-exists choices, in list order.
inline constexpr LangText kOutputExistsRename{"Rename file", "Zmień nazwę"};
inline constexpr LangText kOutputExistsOverwrite{"Overwrite it", "Nadpisz"};
inline constexpr LangText kOutputExistsSkip{"Skip file", "Pomiń plik"};

// Shown before a run when the encoder program lacks an encoder the chosen format needs.
inline constexpr LangText kEncoderLacksCodecHead{"The FFmpeg program in use cannot encode with \"",
                                                 "Używany program FFmpeg nie potrafi kodować za pomocą \""};
inline constexpr LangText kEncoderLacksCodecTail{
    "\".\r\nChoose another output format or install an FFmpeg build that has this encoder.",
    "\".\r\nWybierz inny format wyjściowy albo zainstaluj wersję FFmpeg z tym koderem."};

// Burned-in subtitles. An error log note (not an error: the file is converted without them).
inline constexpr LangText kNoSubtitleFileHead{
    "No subtitle file (.srt, .ass, .ssa, .vtt) was found beside \"",
    "Nie znaleziono pliku napisów (.srt, .ass, .ssa, .vtt) obok \""};
inline constexpr LangText kNoSubtitleFileTail{"\"; it was converted without subtitles.",
                                              "\"; przekonwertowano go bez napisów."};
// Followed by the track's number (1 the first), kNoSubtitleTrackMiddle, the file, kNoSubtitleTrackTail.
inline constexpr LangText kNoSubtitleTrackHead{"There is no subtitle track ", "Brak ścieżki napisów nr "};
inline constexpr LangText kNoSubtitleTrackMiddle{" in \"", " w \""};
inline constexpr LangText kNoSubtitleTrackTail{"\"; it was converted without subtitles.",
                                               "\"; przekonwertowano go bez napisów."};
// Shown before a run when the encoder program cannot draw subtitles.
inline constexpr LangText kEncoderLacksSubtitles{
    "The FFmpeg program in use cannot burn in subtitles: it was built without the \"subtitles\" "
    "filter (libass).\r\nSet Subtitles to \"None\" or install an FFmpeg build with libass.",
    "Używany program FFmpeg nie potrafi wtopić napisów: nie ma filtru \"subtitles\" (libass).\r\n"
    "Ustaw Napisy na \"Brak\" albo zainstaluj wersję FFmpeg z libass."};
// Why the subtitle choice is disabled for the 2009 encoder.
inline constexpr LangText kClassicEncoderNoSubtitles{
    "The FFmpeg program in use (a 2009 build) has no filters, so it cannot burn in subtitles.",
    "Używany program FFmpeg (wersja z 2009 roku) nie ma filtrów, więc nie potrafi wtopić napisów."};

}  // namespace vardeno
