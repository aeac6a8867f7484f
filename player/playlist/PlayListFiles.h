#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/PlayListRecord.h"

class FileAdder;
class PlayList;

// Loading and saving the play list. Read: the player's own form (.qpl), M3U (.m3u, plain or
// extended, in UTF-8 or Windows-1252), M3U8 (.m3u8, always UTF-8), PLS (.pls), XSPF (.xspf),
// CUE sheets (.cue, each track a part of its file) and Windows Media lists (.wpl, .asx);
// written: the own form, plain M3U (CR LF, as the Windows program writes them), extended M3U
// in UTF-8, PLS and XSPF. The form read follows the file name's extension; so does the form
// written, and the type chosen in the save dialog decides only for a name whose extension is
// none of the written forms', so a list loaded and saved again keeps its form. Files are written
// through SaveFile, so a failed save leaves the old file whole. Errors of reading and writing are
// EInOutError with the runtime's text; a list broken as a whole (XML that is not well-formed) is
// EPlayListFormatError. Blocks on the file system; user-interface thread (it fills the play list).
class PlayListFiles {
public:
    enum class Form { Own, M3u, M3u8, Pls, Xspf, Cue, Wpl, Asx };
    enum class LoadOutcome {
        Missing,    // no file of that name: the list was emptied and stays empty
        AllAdded,   // every record became an entry
        SomeFailed  // at least one record named nothing that could be added
    };

    static constexpr const char* OpenTitle = "Open PlayList";
    static constexpr const char* OpenFilter =
        "Quavrel PlayList|*.qpl|WinAmp Playlist|*.m3u|All Files|*.*|"
        "M3U8 Playlist|*.m3u8|PLS Playlist|*.pls|XSPF Playlist|*.xspf|CUE Sheet|*.cue|"
        "Windows Media Playlist|*.wpl|ASX Playlist|*.asx";
    static constexpr const char* SaveTitle = "Save PlayList";
    static constexpr const char* SaveFilter =
        "Quavrel Playlist|*.qpl|WinAmp PlayList|*.m3u|All Files|*.*|"
        "Extended M3U (UTF-8)|*.m3u8|PLS Playlist|*.pls|XSPF Playlist|*.xspf";
    static constexpr const char* DefaultExt = "qpl";
    static constexpr const char* InitialFileName = "*.qpl";
    static constexpr int M3uFilterIndex = 2;
    static constexpr int ExtM3uFilterIndex = 4;
    static constexpr int PlsFilterIndex = 5;
    static constexpr int XspfFilterIndex = 6;
    static constexpr const char* FailureCaption = "Error";
    static constexpr const char* FailureText =
        "For some reason some of the files from the playlist\r could not be loaded.   Check if "
        "these files exists and\rif the file type filter is capable of loading these filetypes";

    // By the name's extension (from the last "." of its last component), in any letter case:
    // ".m3u", ".m3u8", ".pls", ".xspf", ".cue", ".wpl", ".asx"; the own form for every other.
    static Form FormOf(const std::string& fileName);
    // The form a save writes: that of the name's extension where it is one of the written
    // forms (".qpl" the own form, ".m3u" plain M3U, ".m3u8" extended M3U, ".pls", ".xspf");
    // else that of the dialog's type (2 plain M3U, 4 extended M3U, 5 PLS, 6 XSPF, others own).
    static Form SaveFormOf(const std::string& fileName, int filterIndex);
    // The save dialog's type for a name, where its extension is one of the written forms'.
    static std::optional<int> FilterIndexOf(const std::string& fileName);
    // The name the save dialog offers for the current list: the name itself, but for a list
    // of a form that is read and not written (a CUE sheet, a Windows Media list), which a save
    // must not replace with another form: that name with ".qpl" for its extension.
    static std::string SaveNameOf(const std::string& currentListFile);
    // The folder of a file name, cut after its last "/" (trailing "/" kept); "" without one.
    static std::string FolderOf(const std::string& fileName);
    // The caption an M3U entry gets: its file name cut before the last "." (the whole name
    // when it has no ".").
    static std::string CaptionOf(const std::string& path);
    // True for the names play lists are read from: ".qpl" and the forms above, in any letter
    // case. A file of such a name dropped or given on the command line is read as a list.
    static bool IsPlayListFile(const std::string& fileName);

    // The records of a list's bytes in the given form. Throws EPlayListFormatError.
    static std::vector<PlayListRecord> Read(Form form, std::string_view bytes);

    // Empties list, then adds the file's records in order through adder (a file, or a folder's
    // tree), each path resolved by ListPathResolver's rules (a path that can name no local file
    // counts as failed without reaching adder). Captions: the own form's caption line; in the
    // other forms the #EXTINF, Title or <title> text, else CaptionOf the path. A caption that
    // is not UTF-8 is shown read as Windows-1252 (not in .m3u8 and .xspf, which are UTF-8 by
    // definition); a path keeps its bytes. The entries reach list in one batch, after the
    // whole file was read. A list broken as a whole throws EPlayListFormatError (its text
    // names the file) after the list was emptied.
    // progress (FileAdder::Progress) hears after each record and inside folder walks; when it
    // cancels, the entries made so far are kept and the rest of the file is left unread.
    static LoadOutcome Load(const std::string& fileName, PlayList& list, const FileAdder& adder,
                            const std::function<bool(int added)>& progress = {});
    // As Load, but the entries are added after those the list holds (a list dropped on the
    // play list). Missing: no file of that name, nothing added.
    static LoadOutcome Append(const std::string& fileName, PlayList& list, const FileAdder& adder,
                              const std::function<bool(int added)>& progress = {});

    // Writes every entry, or only the selected ones, in the form SaveFormOf gives. A part of a
    // file (a CUE track) is written as its track path in the own form and PLS (so that other
    // programs count the line as failed rather than play the whole file), with VLC's start and
    // stop times in M3U and XSPF.
    static void Save(const std::string& fileName, int filterIndex, const PlayList& list,
                     bool selectedOnly);
};
