#pragma once

#include "foundation/datum.h"

#include <cstdint>
#include <string>
#include <vector>

struct stat;

// Paths, directories and files with their German error texts. The separator is "/"; a "\" in a
// path that comes in is taken as a separator too and turned into "/". The read-only attribute of a
// file is its owner's write permission. Messages name the path as the caller gave it and carry the
// system's reason in a second line: message + "\n(" + cause + ")".
namespace lorvan {

// The path with every "\" turned into "/", and with exactly one trailing "/" (wanted) or without
// the one trailing "/" (not wanted). An empty path stays empty.
std::string withSeparator(const std::string& path, bool wanted);

// An entry of that name exists and is not a directory.
bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);
// Some entry of the directory that is not a directory matches the pattern ("*.azr"; letter case
// is ignored, "*.*" matches every name).
bool directoryHasFiles(const std::string& directory, const std::string& pattern);

// The process's current directory without trailing "/" (except "/" itself); raises
// "Das aktuelle Anwendungsverzeichnis konnte nicht bestimmt werden.\n(cause)".
std::string currentDirectory();
// Makes the directory current and returns the previous one; an empty directory changes nothing.
// Raises "Das Verzeichnis '...' konnte nicht gesetzt werden.\n(cause)".
std::string setCurrentDirectory(const std::string& directory);

// The directory part of the path with its trailing "/"; when there is none and currentIfEmpty is
// set, the current directory with a trailing "/".
std::string directoryOfPath(const std::string& path, bool currentIfEmpty);
// File name and extension of the path.
std::string fileNameOfPath(const std::string& path);
// The longest existing directory that the path begins with, with trailing "/", or empty.
std::string nearestExistingDirectory(const std::string& path);

// The path made absolute, relative paths taken from the base directory (or the current directory
// when the base is empty), "." and ".." resolved; with a trailing "/". The process's current
// directory is not touched. Raises "Das absolute Verzeichnis für '...' konnte nicht ermittelt
// werden.\n(Das Zielverzeichnis ist ungültig. ...)" when the result is too long for the system.
std::string absolutePath(const std::string& path, const std::string& baseDirectory);

// Creates the directory with all missing levels. On failure the levels created by this call are
// removed again and errorText is "Das Verzeichnis '...' konnte nicht angelegt werden.\n(cause)".
// An empty path and an existing directory are a success. absolutePath may raise.
bool createDirectoryPath(const std::string& path, std::string& errorText, const std::string& baseDirectory);
// Removes the innermost directory and then levelCount - 1 levels above it, one after the other;
// errorText "Das Verzeichnis '...' konnte nicht entfernt werden.\n(cause)".
bool removeCreatedDirectories(const std::string& innermost, std::string& errorText, int levelCount);

// Deletes the file; a missing file counts as deleted. A read-only file is deleted only with
// removeWriteProtection, which first gives it its write permission back.
bool deleteFile(const std::string& path, std::string& errorText, bool removeWriteProtection);
// Copies the file with its permissions; an existing target (a link included) is never overwritten.
// A link as source is copied as the file it names. The copy appears whole or not at all
// (AtomicFileWriter). On failure errorText is the cause alone.
bool copyFile(const std::string& source, const std::string& target, std::string& errorText);

// The German text of the last system error of this thread (errno), trimmed;
// "Kein Fehlertext vorhanden." when there is none.
std::string lastErrorText();

struct DateTime {
    Datum date;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The file's last modification time in local time; 01.01.1980 00:00:00 when its status cannot be
// read.
DateTime fileModificationTime(const std::string& path);

// What the change check before overwriting a file compares: the modification time at the full
// resolution of the file system, the size and the file's identity (every save replaces the file,
// so a save by somebody else gives a new inode even within the same clock tick).
struct FileStamp {
    bool exists = false;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;
    int64_t size = 0;
    uint64_t device = 0;
    uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp fileStamp(const std::string& path);
// The stamp of what fstat or stat reported.
FileStamp fileStampOf(const struct ::stat& status);

// Appends the full path of every file below the directory whose name in upper case, without its
// last suffixLength characters, equals the stem in upper case. Subdirectories of the directory
// itself are searched when subdirectoryName is empty or equals their name in upper case; below
// them every subdirectory is searched. Entries are visited in name order; symbolic links to
// directories are not followed.
void findFilesByStem(const std::string& directory, const std::string& stem, size_t suffixLength,
                     const std::string& subdirectoryName, std::vector<std::string>& files);

// What the desktop tells about the user's folders.
struct UserEnvironment {
    std::string home;            // $HOME, else the home directory of the user's account
    std::string documentsFolder; // $XDG_DOCUMENTS_DIR, may be empty

    // Read from this process's environment.
    static UserEnvironment ofProcess();
};

// $XDG_DOCUMENTS_DIR, else ~/Documents when that directory exists, else empty.
std::string documentsFolder(const UserEnvironment& environment);
// The documents folder + "TwDaten/"; without a documents folder ~/TwDaten/.
std::string defaultDataDirectory(const UserEnvironment& environment);

// A size in hundredths of a millimetre converted to pixels at 96 per inch (truncated).
int32_t himetricToPixels(int32_t himetric);

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;
};

// Reads the size of an uncompressed Windows bitmap (".bmp" with an info header of 40 bytes or
// more, or the old 12-byte core header). False with "Die Datei '...' existiert nicht." or "Das
// Bildformat der Datei '...' wird nicht unterstützt.\nBitte verwenden Sie eine Bitmap.".
bool loadPicture(const std::string& path, PictureSize& size, std::string& errorText);

} // namespace lorvan
