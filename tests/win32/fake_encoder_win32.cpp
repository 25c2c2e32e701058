// A stand-in encoder for the batch-file tests: copies the file after "-i" to the last argument,
// as the encoder would write its output; exits 1 without writing when the input cannot be read.
// Every run also appends its arguments, one per line in UTF-8, to "encoder-runs.txt" beside it.
#include <windows.h>

#include <string>

namespace {
std::string Utf8(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), length, nullptr, nullptr);
  bytes.pop_back();
  return bytes;
}

void Append(const std::wstring& file, const std::string& bytes) {
  const HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(handle);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[32768];
  const std::wstring exe(self, GetModuleFileNameW(nullptr, self, 32768));
  const std::wstring log = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"encoder-runs.txt";
  std::string line;
  for (int i = 1; i < argc; ++i) line += Utf8(argv[i]) + "\n";
  Append(log, line + "--\n");

  const wchar_t* input = nullptr;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"-i") input = argv[i + 1];
  if (!input || argc < 2) return 2;
  const HANDLE in = CreateFileW(input, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (in == INVALID_HANDLE_VALUE) return 1;
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(in);
  const HANDLE out = CreateFileW(argv[argc - 1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(out, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(out);
  return 0;
}
