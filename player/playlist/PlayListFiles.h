#pragma once

#include <functional>
#include <string>

class FileAdder;
class PlayList;

// Loading and saving the play list in its two file forms, the player's own (.qpl) and M3U.
// The form read follows the file name's extension; the form written follows the type chosen in
// the save dialog. Files are written through SaveFile, so a failed save leaves the old file
// whole. Errors of reading and writing are EInOutError with the runtime's text. Blocks on the
// file system; user-interface thread (it fills the play list).
class PlayListFiles {
public:
    enum class Form { Own, M3u };
    enum class LoadOutcome {
        Missing,    // no file of that name: the list was emptied and stays empty
        AllAdded,   // every record became an entry
        SomeFailed  // at least one record named nothing that could be added
    };

    static constexpr const char* OpenTitle = "Open PlayList";
    static constexpr const char* OpenFilter =
        "Quavrel PlayList|*.qpl|WinAmp Playlist|*.m3u|All Files|*.*";
    static constexpr const char* SaveTitle = "Save PlayList";
    static constexpr const char* SaveFilter =
        "Quavrel Playlist|*.qpl|WinAmp PlayList|*.m3u|All Files|*.*";
    static constexpr const char* DefaultExt = "qpl";
    static constexpr const char* InitialFileName = "*.qpl";
    static constexpr int M3uFilterIndex = 2;
    static constexpr const char* FailureCaption = "Error";
    static constexpr const char* FailureText =
        "For some reason some of the files from the playlist\r could not be loaded.   Check if "
        "these files exists and\rif the file type filter is capable of loading these filetypes";

    // M3U when the name's extension (from the last "." of its last component) is ".m3u" in any
    // letter case; the own form otherwise.
    static Form FormOf(const std::string& fileName);
    // The folder of a file name, cut after its last "/" (trailing "/" kept); "" without one.
    static std::string FolderOf(const std::string& fileName);
    // The caption an M3U entry gets: its file name cut before the last "." (the whole name
    // when it has no ".").
    static std::string CaptionOf(const std::string& path);
    // A path read from a list, resolved against the list's own folder when it is relative, as
    // every M3U reader does; absolute and empty paths stay as they are.
    static std::string Resolve(const std::string& listFolder, const std::string& path);

    // Empties list, then adds the file's records in order through adder (a file, or a folder's
    // tree), each entry made for a record captioned by its caption line (own form) or by
    // CaptionOf (M3U). The entries reach list in one batch, after the whole file was read.
    // progress (FileAdder::Progress) hears after each record and inside folder walks; when it
    // cancels, the entries made so far are kept and the rest of the file is left unread.
    static LoadOutcome Load(const std::string& fileName, PlayList& list, const FileAdder& adder,
                            const std::function<bool(int added)>& progress = {});

    // Writes every entry, or only the selected ones, in the form of the dialog's type: the M3U
    // type writes M3U, any other the own form.
    static void Save(const std::string& fileName, int filterIndex, const PlayList& list,
                     bool selectedOnly);
};
