#include "tags/TagLibReader.h"

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/itfile.h>
#include <taglib/modfile.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/s3mfile.h>
#include <taglib/speexfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tpropertymap.h>
#include <taglib/trueaudiofile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xmfile.h>

#include <initializer_list>
#include <memory>
#include <mutex>
#include <string_view>

#include "tags/AsfSanity.h"
#include "tags/MediaFileStream.h"
#include "tags/TagLibCover.h"
#include "tags/TagText.h"
#include "textfile/AsciiCase.h"

namespace {

enum class Kind {
    None,
    Mpeg,
    Flac,
    Ogg,
    Opus,
    Speex,
    Mp4,
    Asf,
    WavPack,
    Ape,
    Mpc,
    Wav,
    Aiff,
    Tta,
    Mod,
    S3m,
    It,
    Xm
};

Kind KindOf(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return Kind::None;
    const std::string_view extension = path.substr(dot + 1);
    static constexpr std::pair<const char*, Kind> kinds[] = {
        {"mp3", Kind::Mpeg},  {"mp2", Kind::Mpeg}, {"mp1", Kind::Mpeg},  {"mpga", Kind::Mpeg},
        {"flac", Kind::Flac}, {"ogg", Kind::Ogg},  {"oga", Kind::Ogg},   {"opus", Kind::Opus},
        {"spx", Kind::Speex}, {"m4a", Kind::Mp4},  {"m4b", Kind::Mp4},   {"m4p", Kind::Mp4},
        {"mp4", Kind::Mp4},   {"m4v", Kind::Mp4},  {"3gp", Kind::Mp4},   {"alac", Kind::Mp4},
        {"wma", Kind::Asf},   {"wmv", Kind::Asf},  {"asf", Kind::Asf},   {"wv", Kind::WavPack},
        {"ape", Kind::Ape},   {"mpc", Kind::Mpc},  {"mp+", Kind::Mpc},   {"mpp", Kind::Mpc},
        {"wav", Kind::Wav},   {"aif", Kind::Aiff}, {"aiff", Kind::Aiff}, {"aifc", Kind::Aiff},
        {"tta", Kind::Tta},   {"mod", Kind::Mod},  {"s3m", Kind::S3m},   {"it", Kind::It},
        {"xm", Kind::Xm}};
    for (const auto& [name, kind] : kinds) {
        if (EqualsIgnoringAsciiCase(name, extension))
            return kind;
    }
    return Kind::None;
}

// An Ogg file may hold Vorbis, Opus, Speex or FLAC whatever its name: the first page says.
Kind OggKind(MediaFileStream& stream) {
    stream.seek(0);
    const TagLib::ByteVector head = stream.readBlock(64);
    stream.seek(0);
    if (head.find("OpusHead") >= 0)
        return Kind::Opus;
    if (head.find("Speex   ") >= 0)
        return Kind::Speex;
    if (head.find("FLAC") >= 0)
        return Kind::Flac;
    return Kind::Ogg;
}

// The ASF header's counts, checked before TagLib believes them (see AsfSanity.h).
bool AsfHeaderFits(MediaFileStream& stream) {
    stream.seek(0);
    const TagLib::ByteVector head = stream.readBlock(256 * 1024);
    stream.seek(0);
    return AsfCountsFit(std::string_view(head.data(), head.size()));
}

std::unique_ptr<TagLib::File> OpenAs(Kind kind, MediaFileStream& stream, bool ogg) {
    using TagLib::AudioProperties;
    constexpr auto style = AudioProperties::Average;
    TagLib::ID3v2::FrameFactory* frames = TagLib::ID3v2::FrameFactory::instance();
    switch (kind) {
        case Kind::Mpeg:
            return std::make_unique<TagLib::MPEG::File>(&stream, frames, true, style);
        case Kind::Flac:
            if (ogg)
                return std::make_unique<TagLib::Ogg::FLAC::File>(&stream, true, style);
            return std::make_unique<TagLib::FLAC::File>(&stream, frames, true, style);
        case Kind::Ogg:
            return std::make_unique<TagLib::Ogg::Vorbis::File>(&stream, true, style);
        case Kind::Opus:
            return std::make_unique<TagLib::Ogg::Opus::File>(&stream, true, style);
        case Kind::Speex:
            return std::make_unique<TagLib::Ogg::Speex::File>(&stream, true, style);
        case Kind::Mp4:
            return std::make_unique<TagLib::MP4::File>(&stream, true, style);
        case Kind::Asf:
            return std::make_unique<TagLib::ASF::File>(&stream, true, style);
        case Kind::WavPack:
            return std::make_unique<TagLib::WavPack::File>(&stream, true, style);
        case Kind::Ape:
            return std::make_unique<TagLib::APE::File>(&stream, true, style);
        case Kind::Mpc:
            return std::make_unique<TagLib::MPC::File>(&stream, true, style);
        case Kind::Wav:
            return std::make_unique<TagLib::RIFF::WAV::File>(&stream, true, style);
        case Kind::Aiff:
            return std::make_unique<TagLib::RIFF::AIFF::File>(&stream, true, style);
        case Kind::Tta:
            return std::make_unique<TagLib::TrueAudio::File>(&stream, frames, true, style);
        case Kind::Mod:
            return std::make_unique<TagLib::Mod::File>(&stream, true, style);
        case Kind::S3m:
            return std::make_unique<TagLib::S3M::File>(&stream, true, style);
        case Kind::It:
            return std::make_unique<TagLib::IT::File>(&stream, true, style);
        case Kind::Xm:
            return std::make_unique<TagLib::XM::File>(&stream, true, style);
        case Kind::None:
            break;
    }
    return nullptr;
}

// A file opened for reading with its stream; the stream outlives the file.
struct OpenedFile {
    explicit OpenedFile(const std::string& path) : stream(path) {
        Kind kind = KindOf(path);
        if (kind == Kind::None || !stream.isOpen())
            return;
        const bool ogg = kind == Kind::Ogg;
        if (ogg)
            kind = OggKind(stream);
        if (kind == Kind::Asf && !AsfHeaderFits(stream))
            return;
        file = OpenAs(kind, stream, ogg);
        if (file && !file->isValid())
            file.reset();
    }

    MediaFileStream stream;
    std::unique_ptr<TagLib::File> file;
};

std::string Text(const TagLib::PropertyMap& map, const char* key) {
    const auto found = map.find(key);
    if (found == map.end() || found->second.isEmpty())
        return {};
    return CleanTagText(found->second.front().to8Bit(true));
}

// The first of the keys with a text: some writers name a field their own way (ffmpeg's APE
// tags say "ALBUM_ARTIST").
std::string Text(const TagLib::PropertyMap& map, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        std::string text = Text(map, key);
        if (!text.empty())
            return text;
    }
    return {};
}

// Texts of single-byte fields (ID3v1, ID3v2 Latin-1 frames, RIFF INFO), cut at a NUL: UTF-8
// when they are valid UTF-8 (ffmpeg and many taggers write it there), else Windows-1252.
TagLib::String FromSingleBytes(const TagLib::ByteVector& data) {
    const std::string_view bytes(data.data(), data.size());
    return TagLib::String(CleanTagText(bytes.substr(0, bytes.find('\0'))), TagLib::String::UTF8);
}

class Id3v1Text final : public TagLib::ID3v1::StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override {
        return FromSingleBytes(data);
    }
};

class Id3v2Latin1Text final : public TagLib::ID3v2::Latin1StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override {
        return FromSingleBytes(data);
    }
};

class InfoText final : public TagLib::RIFF::Info::StringHandler {
public:
    TagLib::String parse(const TagLib::ByteVector& data) const override {
        return FromSingleBytes(data);
    }
};

// TagLib prints what it finds wrong in a file; garbage files are expected here.
class Silence final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String&) override {}
};

// TagLib's handlers are process-wide: set once, before the first read, and never changed.
void SetTextHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        static Id3v1Text id3v1;
        static Id3v2Latin1Text id3v2;
        static InfoText info;
        static Silence silence;
        TagLib::ID3v1::Tag::setStringHandler(&id3v1);
        TagLib::ID3v2::Tag::setLatin1StringHandler(&id3v2);
        TagLib::RIFF::Info::Tag::setStringHandler(&info);
        TagLib::setDebugListener(&silence);
    });
}

}  // namespace

TagLibReader::TagLibReader() {
    SetTextHandlers();
}

bool TagLibReader::Reads(const std::string& path) {
    return KindOf(path) != Kind::None;
}

std::optional<TrackTags> TagLibReader::Read(const std::string& path) {
    // TagLib believes sizes it reads: garbage can make it ask for more memory than there is.
    try {
        return ReadTags(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<CoverPicture> TagLibReader::ReadCover(const std::string& path) {
    try {
        return ReadPicture(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<TrackTags> TagLibReader::ReadTags(const std::string& path) {
    OpenedFile opened(path);
    if (!opened.file)
        return std::nullopt;
    TagLib::File& file = *opened.file;
    const TagLib::PropertyMap map = file.properties();
    TrackTags tags;
    tags.Title = Text(map, "TITLE");
    tags.Artist = Text(map, "ARTIST");
    tags.Album = Text(map, "ALBUM");
    tags.AlbumArtist = Text(map, {"ALBUMARTIST", "ALBUM ARTIST", "ALBUM_ARTIST"});
    tags.Genre = Text(map, "GENRE");
    tags.Track = LeadingNumber(Text(map, "TRACKNUMBER"));
    tags.Disc = LeadingNumber(Text(map, "DISCNUMBER"));
    tags.Year = YearOf(Text(map, {"DATE", "YEAR", "ORIGINALDATE"}));
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        const int ms = audio->lengthInMilliseconds();
        if (ms > 0)
            tags.LengthMs = ms;
    }
    tags.HasCover = FindCover(file, false).has_value();
    if (tags == TrackTags{})
        return std::nullopt;
    return tags;
}

std::optional<CoverPicture> TagLibReader::ReadPicture(const std::string& path) {
    OpenedFile opened(path);
    if (!opened.file)
        return std::nullopt;
    return FindCover(*opened.file, true);
}
