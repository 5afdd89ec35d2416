#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <new>
#include <random>
#include <string_view>

#include "platform/win32/handle.h"
#include "platform/win32/owner_only.h"
#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

TextRead failedRead(ReadFailure failure) { return {std::nullopt, failure}; }

ReadFailure failureOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_NETPATH:
            return ReadFailure::missing;
        default:
            return ReadFailure::unreadable;
    }
}

// Reads to the end, or one byte past the limit to tell a file that is too large.
TextRead readAll(HANDLE file, std::size_t limit, std::size_t expected) {
    std::string text;
    text.reserve(std::min(expected, limit));
    char chunk[64 * 1024];
    for (;;) {
        const std::size_t room = limit - text.size();
        const DWORD wanted = static_cast<DWORD>(room < sizeof chunk ? room + 1 : sizeof chunk);
        DWORD got = 0;
        if (!::ReadFile(file, chunk, wanted, &got, nullptr)) return failedRead(ReadFailure::unreadable);
        if (got == 0) return {std::move(text), ReadFailure::none};
        if (got > room) return failedRead(ReadFailure::tooLarge);
        text.append(chunk, got);
    }
}

// Neither a folder nor a reparse point (a symbolic link, a junction), as
// the open handle tells.
bool isPlainFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    return ::GetFileInformationByHandle(file, &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

namespace {

// A symbolic link or a junction is a reparse point: with follow false it is
// not a regular file, neither as asked first nor on the handle, which is
// opened on the link itself should one be put there meanwhile.
TextRead readRegularFile(const std::string& path, std::size_t limit, bool follow) {
    if (path.empty()) return failedRead(ReadFailure::missing);
    const std::wstring file = widen(path);
    // A folder cannot even be opened as a file; asked first to say so.
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return failedRead(failureOf(::GetLastError()));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return failedRead(ReadFailure::notRegularFile);
    if (!follow && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return failedRead(ReadFailure::notRegularFile);
    // Others may go on writing or replacing the file while it is read (the
    // client writes the block count into it).
    const DWORD flags = FILE_FLAG_SEQUENTIAL_SCAN | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    const Handle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, flags, nullptr));
    if (!handle) return failedRead(failureOf(::GetLastError()));
    // A device (NUL, CON, COM1) or a pipe is never read: it may never end.
    if (::GetFileType(handle.get()) != FILE_TYPE_DISK) return failedRead(ReadFailure::notRegularFile);
    if (!follow && !isPlainFile(handle.get())) return failedRead(ReadFailure::notRegularFile);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle.get(), &size)) return failedRead(ReadFailure::unreadable);
    if (static_cast<std::uint64_t>(size.QuadPart) > limit) return failedRead(ReadFailure::tooLarge);
    try {
        return readAll(handle.get(), limit, static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return failedRead(ReadFailure::unreadable);
    }
}

}  // namespace

TextRead Win32FileSystem::readText(const std::string& path, std::size_t limit) {
    return readRegularFile(path, limit, true);
}

TextRead Win32FileSystem::readTextNoFollow(const std::string& path, std::size_t limit) {
    return readRegularFile(path, limit, false);
}

namespace {

constexpr std::wstring_view temporarySuffix = L".tmp-";
constexpr std::size_t temporaryRandomLength = 6;
constexpr std::wstring_view randomLetters = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

std::wstring randomName() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, randomLetters.size() - 1);
    std::wstring name;
    for (std::size_t i = 0; i < temporaryRandomLength; ++i) name += randomLetters[pick(generator)];
    return name;
}

// "<name>.tmp-" and six letters or digits: a temporary file of a write of
// <name> that never reached its move.
bool isTemporaryOf(std::wstring_view entry, std::wstring_view name) {
    if (entry.size() != name.size() + temporarySuffix.size() + temporaryRandomLength) return false;
    if (::CompareStringOrdinal(entry.data(), static_cast<int>(name.size()), name.data(), static_cast<int>(name.size()),
                               TRUE) != CSTR_EQUAL)
        return false;
    if (entry.substr(name.size(), temporarySuffix.size()) != temporarySuffix) return false;
    const std::wstring_view random = entry.substr(name.size() + temporarySuffix.size());
    return std::all_of(random.begin(), random.end(),
                       [](wchar_t c) { return randomLetters.find(c) != std::wstring_view::npos; });
}

// A write cut short before its move (power cut, the process ended) leaves
// its temporary file behind; the next write of the same file removes it.
void removeLeftTemporaries(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\/");
    const std::wstring folder = separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
    const std::wstring name = separator == std::wstring::npos ? path : path.substr(separator + 1);
    if (name.empty()) return;
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = path + std::wstring(temporarySuffix) + L"*";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) &&
            isTemporaryOf(found.cFileName, name))
            ::DeleteFileW((folder + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

bool writeAll(HANDLE file, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

}  // namespace

bool Win32FileSystem::writeText(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    const std::wstring target = widen(path);
    removeLeftTemporaries(target);
    std::wstring temporary;
    Handle file;
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary = target + std::wstring(temporarySuffix) + randomName();
        file = Handle(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, ownerOnlyFile(), CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (!file) return false;
    const bool written = writeAll(file.get(), text) && ::FlushFileBuffers(file.get());
    file = Handle();
    if (!written ||
        !::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool Win32FileSystem::writeCommandText(const std::string& path, const std::string& text) {
    const std::optional<std::string> oem = inOemCodePage(text);
    return oem && writeText(path, *oem);
}

TextRead Win32FileSystem::readCommandText(const std::string& path, std::size_t limit) {
    TextRead read = readText(path, limit);
    if (read.text) read.text = fromOemCodePage(*read.text);
    return read;
}

bool Win32FileSystem::folderExists(const std::string& path) { return !path.empty() && isFolder(widen(path)); }

bool Win32FileSystem::createFolder(const std::string& path) {
    if (path.empty()) return false;
    const std::wstring folder = widen(path);
    if (::CreateDirectoryW(folder.c_str(), ownerOnlyFolder())) return true;
    return ::GetLastError() == ERROR_ALREADY_EXISTS && isFolder(folder);
}

bool Win32FileSystem::removeFile(const std::string& path) {
    if (path.empty()) return false;
    if (::DeleteFileW(widen(path).c_str())) return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Opened for appending only, so every write lands at the end whatever
// another writer did; the whole line goes in one write. A link at the path
// is opened as itself, never followed, and refused.
bool Win32FileSystem::appendLine(const std::string& path, const std::string& line) {
    if (path.empty()) return false;
    const std::wstring target = widen(path);
    if (isFolder(target)) return false;
    const Handle file(::CreateFileW(target.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ, ownerOnlyFile(),
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file || ::GetFileType(file.get()) != FILE_TYPE_DISK || !isPlainFile(file.get())) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) return false;
    std::string text;
    if (size.QuadPart > 0) {
        LARGE_INTEGER at{};
        at.QuadPart = size.QuadPart - 1;
        char last = 0;
        DWORD got = 0;
        if (!::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) || !::ReadFile(file.get(), &last, 1, &got, nullptr) ||
            got != 1)
            return false;
        if (last != '\n') text = "\r\n";
    }
    text += line;
    return writeAll(file.get(), text) && ::FlushFileBuffers(file.get());
}

std::optional<std::uint64_t> Win32FileSystem::freeBytes(const std::string& path) {
    ULARGE_INTEGER available{};
    if (path.empty() || !::GetDiskFreeSpaceExW(widen(path).c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

}  // namespace syncward
