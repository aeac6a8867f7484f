#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

// The enumerations, sets and records of the file list views, ordinals as designed.

// Attributes an entry may be listed with (FileTypes of the explorer list).
enum TFileType { ftArchive, ftReadonly, ftSystem, ftHidden, ftTemporary, ftAll };
// The pieces of information a column can show (ViewColumns, SortColumn).
enum TFileInfo {
    fiName,
    fiSize,
    fiType,
    fiModified,
    fiCreated,
    fiLastAccess,
    fiAttributes,
    fiDosName,
    fiDosExt,
    fiPath,
    fiAll
};
inline constexpr int kFileInfoColumns = fiAll;  // fiName to fiPath

// A set of an enumeration, one bit per ordinal.
template <typename Enum>
class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<Enum> values) {
        for (Enum value : values)
            bits_ |= Bit(value);
    }
    constexpr bool Contains(Enum value) const { return (bits_ & Bit(value)) != 0; }
    constexpr void Insert(Enum value) { bits_ |= Bit(value); }
    constexpr void Erase(Enum value) { bits_ &= ~Bit(value); }
    constexpr bool operator==(const EnumSet&) const = default;

private:
    static constexpr std::uint32_t Bit(Enum value) { return std::uint32_t{1} << value; }
    std::uint32_t bits_ = 0;
};

using TFileTypes = EnumSet<TFileType>;
using TFileInfos = EnumSet<TFileInfo>;

enum class TAlignment { Left, Right };

// One column a TFileInfo can be shown in.
struct TColumnInfo {
    std::string Caption;
    int Width = 0;  // pixels
    TAlignment Alignment = TAlignment::Left;
    int Column = -1;  // index in the view's columns; -1 when not shown
};

// A directory entry as the listing reads it (the design's find record). Attributes follow the
// desktop's meaning: archive a regular file, read-only not writable by the user, hidden a name
// starting with ".", system neither a regular file nor a folder; a symbolic link counts as
// what it points to. Times are seconds since 1970-01-01 UTC.
struct FindData {
    enum Attribute : std::uint32_t {
        Archive = 1,
        ReadOnly = 2,
        Hidden = 4,
        System = 8,
        Temporary = 16,
        Directory = 32,
    };
    std::uint32_t Attributes = 0;
    std::int64_t CreationTime = 0;  // the birth time where the file system keeps one
    std::int64_t LastAccessTime = 0;
    std::int64_t LastWriteTime = 0;
    std::uint64_t Size = 0;
    std::string Name;
    std::string DosName;  // no 8.3 names on Linux: the long name

    bool Is(Attribute attribute) const { return (Attributes & attribute) != 0; }
};
