#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace syncward {

// Why a file could not be read.
enum class ReadFailure {
    none,
    missing,          // no such file (or a folder on the way is missing)
    notRegularFile,   // a folder, a device, a pipe, a socket: never read
    tooLarge,         // more bytes than the reader accepts
    unreadable,       // no permission, an I/O error
};

// A file read whole: the text, or why there is none.
struct TextRead {
    std::optional<std::string> text;  // set exactly when failure is none
    ReadFailure failure = ReadFailure::none;
};

// How much a reader accepts, by what the file holds. A path may name
// anything, and a file may have grown without bound; past these the reading
// fails as too large instead of filling memory.
namespace read_limits {
inline constexpr std::size_t blockCount = 4 * 1024;             // a number, or the client's short complaint
inline constexpr std::size_t shownInWindow = 16 * 1024 * 1024;  // a text a window shows whole
inline constexpr std::size_t runHistory = 64 * 1024 * 1024;     // years of weekly runs, and far more
}  // namespace read_limits

// Plain text files and folders. Texts are bytes as they stand on disk.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole regular file, every byte, when it holds at most limit bytes.
    // Special files (a device that never ends, a pipe that blocks) are
    // refused without reading.
    virtual TextRead readText(const std::string& path, std::size_t limit) = 0;
    // As readText, but a symbolic link at the path itself (to a file, to a
    // folder, to nothing at all) is never followed and reads as
    // notRegularFile: for the files this program keeps and appends to, which
    // a link must not lead to another file.
    virtual TextRead readTextNoFollow(const std::string& path, std::size_t limit) = 0;
    // Creates or replaces the file whole (a reader never sees half of it),
    // readable by its owner only. False when it could not be written.
    virtual bool writeText(const std::string& path, const std::string& text) = 0;
    // A command file, as writeText, but in the encoding its shell reads it
    // in; false also when the text cannot be written in that encoding. A
    // POSIX shell takes UTF-8 as it is. cmd.exe reads a batch file in the
    // console's (OEM) code page: a folder named with accents, written in
    // UTF-8, would reach it garbled.
    virtual bool writeCommandText(const std::string& path, const std::string& text) { return writeText(path, text); }
    // A command file read back into the program's UTF-8.
    virtual TextRead readCommandText(const std::string& path, std::size_t limit) { return readText(path, limit); }
    virtual bool folderExists(const std::string& path) = 0;
    // Creates one folder; its parent must exist. True if it exists afterwards.
    virtual bool createFolder(const std::string& path) = 0;
    // Removes one file (never a folder). True when no file is there
    // afterwards, also when there was none.
    virtual bool removeFile(const std::string& path) = 0;
    // Adds one whole line (its line end included) at the end of the file,
    // created readable by its owner only when there is none. A file whose
    // last line was cut short gets a line end first, so the new line stands
    // on its own. Earlier lines are never rewritten. A symbolic link at the
    // path is never followed (nor a file created where it points): no line
    // is written. False when the line could not be written.
    virtual bool appendLine(const std::string& path, const std::string& line) = 0;
    // The bytes still free for this user on the disk that holds the path;
    // nullopt when the system cannot tell.
    virtual std::optional<std::uint64_t> freeBytes(const std::string& path) = 0;
};

}  // namespace syncward
