// Texts of the player checks: the players' names, each kind of problem, the verdicts and the
// row status of an output the chosen player does not play as it is.
#pragma once

#include "texts/Language.h"

namespace vardeno {

inline constexpr LangText kPlayerZune30{"Zune 30", "Zune 30"};
inline constexpr LangText kPlayerZune{"Zune 4, 8, 16, 80, 120", "Zune 4, 8, 16, 80, 120"};
inline constexpr LangText kPlayerZuneHD{"Zune HD", "Zune HD"};
inline constexpr LangText kPlayerNone{"Other player (no checks)", "Inny odtwarzacz (bez sprawdzania)"};

// Each problem: head, the value, middle, the limit, tail.
struct ProblemTexts {
  LangText head;
  LangText middle;
  LangText tail;
};
inline constexpr ProblemTexts kProblemFileType{{"file type ", "typ pliku "},
                                               {" is not one it takes (", " nie jest przez niego przyjmowany ("},
                                               {")", ")"}};
inline constexpr ProblemTexts kProblemVideoCodec{{"video codec ", "kodek obrazu "},
                                                 {" is not one it plays (", " nie jest przez niego odtwarzany ("},
                                                 {")", ")"}};
inline constexpr ProblemTexts kProblemVideoProfile{{"video profile ", "profil obrazu "},
                                                   {" is not one it plays (", " nie jest przez niego odtwarzany ("},
                                                   {")", ")"}};
inline constexpr ProblemTexts kProblemPixelFormat{{"pixel format ", "format pikseli "},
                                                  {" is not ", " nie jest "},
                                                  {"", ""}};
inline constexpr ProblemTexts kProblemFrameSize{{"frame size ", "rozmiar obrazu "},
                                                {" is above ", " przekracza "},
                                                {"", ""}};
inline constexpr ProblemTexts kProblemFrameRate{{"frame rate ", "liczba klatek "},
                                                {" fps is above ", " kl/s przekracza "},
                                                {" fps", " kl/s"}};
inline constexpr ProblemTexts kProblemVideoBitrate{{"video bit rate ", "przepływność obrazu "},
                                                   {" kbit/s is above the peak of ", " kbit/s przekracza szczytową "},
                                                   {" kbit/s", " kbit/s"}};
inline constexpr ProblemTexts kProblemAudioCodec{{"audio codec ", "kodek dźwięku "},
                                                 {" is not one it plays (", " nie jest przez niego odtwarzany ("},
                                                 {")", ")"}};
inline constexpr ProblemTexts kProblemAudioProfile{{"AAC profile ", "profil AAC "},
                                                   {" is not ", " nie jest "},
                                                   {"", ""}};
inline constexpr ProblemTexts kProblemAudioBitrate{{"audio bit rate ", "przepływność dźwięku "},
                                                   {" kbit/s is above ", " kbit/s przekracza "},
                                                   {" kbit/s", " kbit/s"}};
inline constexpr ProblemTexts kProblemSampleRate{{"sampling rate ", "częstotliwość próbkowania "},
                                                 {" Hz is above ", " Hz przekracza "},
                                                 {" Hz", " Hz"}};
inline constexpr ProblemTexts kProblemChannels{{"", "liczba kanałów "}, {" channels, more than ", " przekracza "}, {"", ""}};

// After a problem the Zune software solves by converting the file when it syncs it.
inline constexpr LangText kConvertedAtSync{": the Zune software converts it at sync, slowly",
                                           ": oprogramowanie Zune przekonwertuje go przy synchronizacji, powoli"};

// Verdict lines, each followed by the player's name (and ": " and the reasons).
inline constexpr LangText kVerdictPlays{"plays on ", "odtwarzany na "};
inline constexpr LangText kVerdictDoesNotPlay{"does not play on ", "nie jest odtwarzany na "};
inline constexpr LangText kVerdictCannotTell{"cannot tell for ", "nie można ocenić dla "};
inline constexpr LangText kVerdictNotChecked{"not checked (other player)", "nie sprawdzono (inny odtwarzacz)"};
inline constexpr LangText kCannotTellNoFile{"the file is missing, cannot be opened or is empty",
                                            "pliku nie ma, nie można go otworzyć albo jest pusty"};
inline constexpr LangText kCannotTellNoStreams{
    "the encoder read no video or audio stream from it (not a media file, damaged, or no answer in time)",
    "koder nie odczytał z niego strumienia obrazu ani dźwięku (to nie plik multimedialny, jest uszkodzony "
    "albo brak odpowiedzi w czasie)"};

// Before a run, followed by the player's name, ": " and the problem.
inline constexpr LangText kNotForHead{"Not for ", "Nie dla "};

// Row statuses, followed by the player's name.
inline constexpr LangText kStatusNotFor{"OK - Not for ", "OK - Nie dla "};
inline constexpr LangText kStatusNotCheckedFor{"OK - Not checked for ", "OK - Nie sprawdzono dla "};

// The error log entry of an output the player does not play: these heads, then the values.
inline constexpr LangText kLogFile{"File: ", "Plik: "};
inline constexpr LangText kLogPlayer{"Player: ", "Odtwarzacz: "};
inline constexpr LangText kLogDoesNotPlay{"It does not play there as it is:", "Nie zostanie tam odtworzony w tej postaci:"};
inline constexpr LangText kLogCannotTell{"Whether it plays there cannot be told: ", "Nie można ocenić, czy zostanie tam odtworzony: "};

}  // namespace vardeno
