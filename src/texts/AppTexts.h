// Run-time texts about the program's own files and the encoder program.
#pragma once

#include "texts/Language.h"

namespace vardeno {

#if defined(_WIN32)
// On Windows ffmpeg.exe comes in the same archive and setup program as Vardeno.exe, beside it.
inline constexpr LangText kEncoderMissing{
    "Could not find FFmpeg encoder!\r\n\r\n"
    "Remember to extract all files from the original ZIP archive (Vardeno.zip). Especially all EXE files.\r\n\r\n"
    "You can download the latest version of Vardeno from vardeno.org.",
    "Nie można odnaleźć kodera FFmpeg!\r\n\r\n"
    "Przed rozpoczęciem korzystania z programu Vardeno należy wypakować WSZYSTKIE pliki z dystrybucyjnego "
    "archiwum Vardeno.zip (a w szczególności wszystkie pliki EXE).\r\n\r\n"
    "Jeśli przez przypadek usunąłeś potrzebne pliki, możesz pobrać najnowszą wersję programu ze strony "
    "vardeno.pl."};
#else
inline constexpr LangText kEncoderMissing{
    "Could not find FFmpeg encoder!\r\n\r\n"
    "Install FFmpeg (on Debian or Ubuntu: \"sudo apt install ffmpeg\"), or write the full path of the "
    "ffmpeg program as the value of the key \"ffmpeg\" in the section [Main] of the settings file "
    "Vardeno.ini.\r\n\r\n"
    "You can download the latest version of Vardeno from vardeno.org.",
    "Nie można odnaleźć kodera FFmpeg!\r\n\r\n"
    "Zainstaluj FFmpeg (w Debianie lub Ubuntu: \"sudo apt install ffmpeg\") albo wpisz pełną ścieżkę "
    "programu ffmpeg jako wartość klucza \"ffmpeg\" w sekcji [Main] pliku ustawień Vardeno.ini.\r\n\r\n"
    "Jeśli przez przypadek usunąłeś potrzebne pliki, możesz pobrać najnowszą wersję programu ze strony "
    "vardeno.pl."};
#endif

}  // namespace vardeno
