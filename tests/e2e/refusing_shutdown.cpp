// A stand-in for the system's shutdown.exe that refuses every command line,
// as Windows XP's does with a comment longer than 127 characters: it notes
// the line it was given in shutdown-stand-in.log, in the directory it was
// started in, and ends with a failure code without doing anything.
#include <windows.h>

#include "win32_text/text.h"

int wmain() {
    const std::string line = kalvoro::win32::Utf8(GetCommandLineW()) + "\n";
    HANDLE file = CreateFileW(L"shutdown-stand-in.log", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 1;
}
