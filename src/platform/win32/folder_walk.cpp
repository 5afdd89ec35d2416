#include "platform/win32/folder_walk.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

// Closes a search however the walk leaves it.
class Search {
public:
    Search(const std::wstring& pattern, WIN32_FIND_DATAW& first)
        // The short names are not wanted, and fetching larger batches
        // spares calls on a folder of thousands of block files.
        : handle_(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH)) {}
    ~Search() {
        if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    bool opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& entry) { return ::FindNextFileW(handle_, &entry); }

private:
    HANDLE handle_;
};

bool isDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// For a reparse point the listing names its tag; a file with another tag
// (a deduplicated or cloud file) still holds its bytes.
bool isLink(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (entry.dwReserved0 == IO_REPARSE_TAG_SYMLINK || entry.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder, const std::atomic<bool>* stop) {
    if (folder.empty()) return std::nullopt;
    std::wstring root = widen(folder);
    if (!isFolder(root)) return std::nullopt;
    if (root.back() != L'\\' && root.back() != L'/') root += L'\\';
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };

    std::uint64_t total = 0;
    std::vector<std::wstring> folders{root};
    while (!folders.empty()) {
        const std::wstring path = std::move(folders.back());
        folders.pop_back();
        WIN32_FIND_DATAW entry{};
        Search search(path + L"*", entry);
        if (!search.opened()) {
            // A sub-folder removed meanwhile holds nothing; one that cannot be
            // read fails the measurement: a sum that silently leaves part of
            // the chain out would be reported as its size.
            const DWORD error = ::GetLastError();
            if (path != root && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) continue;
            return std::nullopt;
        }
        do {
            if (stopped()) return std::nullopt;
            if (isDotEntry(entry.cFileName) || isLink(entry)) continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    folders.push_back(path + entry.cFileName + L"\\");
            } else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)) {
                total += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            }
        } while (search.next(entry));
        if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
    }
    return total;
}

}  // namespace syncward
