/* The lab's brindora.conf, written by the installer from RESULTSFOLDER and ASKPUPIL and removed
   with the program; built into the MSI's Binary table as a custom-action DLL. */
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string.h>

/* The first line of every file the installer writes: uninstall removes only such a file. */
static const char kMarker[] = "# Written by the Brindora installer; removed when Brindora is uninstalled.";

static void logLine(MSIHANDLE install, INSTALLMESSAGE kind, const wchar_t* text) {
    MSIHANDLE record = MsiCreateRecord(1);
    MsiRecordSetStringW(record, 0, L"Brindora: [1]");
    MsiRecordSetStringW(record, 1, text);
    MsiProcessMessage(install, kind, record);
    MsiCloseHandle(record);
}

/* CustomActionData, split at '|' (a character no Windows path may hold) into exactly n fields. */
static int splitData(MSIHANDLE install, wchar_t* buffer, DWORD size, wchar_t** fields, int n) {
    DWORD length = size;
    if (MsiGetPropertyW(install, L"CustomActionData", buffer, &length) != ERROR_SUCCESS)
        return 0;
    int count = 0;
    wchar_t* at = buffer;
    fields[count++] = at;
    for (; *at; ++at) {
        if (*at != L'|')
            continue;
        if (count == n)
            return 0;
        *at = 0;
        fields[count++] = at + 1;
    }
    return count == n;
}

/* A folder every PC of the lab means the same by: a share (\\server\share) or a drive path. */
static int folderAcceptable(const wchar_t* folder) {
    for (const wchar_t* c = folder; *c; ++c)
        if (*c < 0x20 || *c == 0x7f || *c == L'"' || *c == L'<' || *c == L'>')
            return 0;
    if (folder[0] == L'\\' && folder[1] == L'\\' && folder[2] && folder[2] != L'\\')
        return 1;
    const wchar_t letter = folder[0] & ~0x20;
    return letter >= L'A' && letter <= L'Z' && folder[1] == L':' &&
           (folder[2] == L'\\' || folder[2] == L'/');
}

static int appendUtf8(char* out, int at, int size, const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out + at, size - at, NULL, NULL);
    return n > 0 ? at + n - 1 : -1;
}

static int appendText(char* out, int at, int size, const char* text) {
    const int n = (int)strlen(text);
    if (at < 0 || at + n >= size)
        return -1;
    memcpy(out + at, text, n + 1);
    return at + n;
}

/* The file written whole beside, flushed, then moved over any earlier one. */
static int writeWhole(const wchar_t* path, const char* text, int length) {
    wchar_t folder[MAX_PATH + 1], beside[MAX_PATH + 8];
    if (wcslen(path) >= MAX_PATH)
        return 0;
    wcscpy(folder, path);
    wchar_t* slash = wcsrchr(folder, L'\\');
    if (!slash)
        return 0;
    *slash = 0;
    if (!CreateDirectoryW(folder, NULL) && GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;
    wcscpy(beside, path);
    wcscat(beside, L".new");
    HANDLE file = CreateFileW(beside, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text, (DWORD)length, &written, NULL) &&
                    written == (DWORD)length && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok && MoveFileExW(beside, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 1;
    DeleteFileW(beside);
    return 0;
}

/* Deferred, as the system: CustomActionData is "<conf path>|<RESULTSFOLDER>|<ASKPUPIL>". */
UINT __stdcall WriteLabSettings(MSIHANDLE install) {
    static wchar_t data[3 * 32768];
    wchar_t* field[3];
    if (!splitData(install, data, sizeof data / sizeof data[0], field, 3)) {
        logLine(install, INSTALLMESSAGE_ERROR,
                L"RESULTSFOLDER must not contain '|'; nothing was installed.");
        return ERROR_INSTALL_FAILURE;
    }
    const wchar_t *path = field[0], *folder = field[1], *ask = field[2];
    if (*folder && !folderAcceptable(folder)) {
        logLine(install, INSTALLMESSAGE_ERROR,
                L"RESULTSFOLDER must be a share (\\\\server\\share\\folder) or a full path "
                L"(D:\\folder), with no control characters or quotes; nothing was installed.");
        return ERROR_INSTALL_FAILURE;
    }
    if (*ask && wcscmp(ask, L"0") != 0 && wcscmp(ask, L"1") != 0) {
        logLine(install, INSTALLMESSAGE_ERROR, L"ASKPUPIL must be 0 or 1; nothing was installed.");
        return ERROR_INSTALL_FAILURE;
    }

    static char text[4 * 32768 + 512];
    int at = appendText(text, 0, sizeof text, kMarker);
    at = appendText(text, at, sizeof text, "\r\n[results]\r\n");
    if (*folder) {
        at = appendText(text, at, sizeof text, "folder=");
        at = at < 0 ? -1 : appendUtf8(text, at, sizeof text, folder);
        at = appendText(text, at, sizeof text, "\r\n");
    }
    if (*ask) {
        at = appendText(text, at, sizeof text, "ask_pupil=");
        at = appendText(text, at, sizeof text, *ask == L'1' ? "1\r\n" : "0\r\n");
    }
    if (at < 0 || !writeWhole(path, text, at)) {
        logLine(install, INSTALLMESSAGE_ERROR, L"could not write brindora.conf.");
        return ERROR_INSTALL_FAILURE;
    }
    logLine(install, INSTALLMESSAGE_INFO, path);
    return ERROR_SUCCESS;
}

/* Deferred (uninstall) and rollback: CustomActionData is "<conf path>". A file whose first line
   is not the installer's is the technician's own and stays; so does a folder that is not empty. */
UINT __stdcall RemoveLabSettings(MSIHANDLE install) {
    static wchar_t path[32768];
    wchar_t* field[1];
    if (!splitData(install, path, sizeof path / sizeof path[0], field, 1))
        return ERROR_SUCCESS;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return ERROR_SUCCESS;
    char head[sizeof kMarker];
    DWORD got = 0;
    const BOOL read = ReadFile(file, head, sizeof kMarker - 1, &got, NULL);
    CloseHandle(file);
    if (read && got == sizeof kMarker - 1 && memcmp(head, kMarker, got) == 0) {
        DeleteFileW(path);
        wchar_t* slash = wcsrchr(path, L'\\');
        if (slash) {
            *slash = 0;
            RemoveDirectoryW(path);
        }
        logLine(install, INSTALLMESSAGE_INFO, L"removed the lab's brindora.conf");
    }
    return ERROR_SUCCESS;
}
