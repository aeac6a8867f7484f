// The tag reader on garbage and cut files of every type it reads: the first byte picks the
// type (the file's extension), the rest is the file. Tags come out as clean UTF-8 on one
// line and within their limits; a cover within its limit; nothing crashes or hangs.
#include <unistd.h>

#include <array>
#include <cstdio>

#include "FuzzSupport.h"
#include "tags/TagLibReader.h"
#include "tags/TagText.h"
#include "textfile/TextEncoding.h"

namespace {

constexpr std::array<const char*, 19> Extensions = {
    "mp3", "flac", "ogg", "opus", "spx", "m4a", "wma", "wv",  "ape", "mpc",
    "wav", "aiff", "tta", "mod",  "s3m", "it",  "xm",  "oga", "mp4"};

void CheckText(const std::string& text) {
    FUZZ_CHECK(IsValidUtf8(text));
    FUZZ_CHECK(text.size() <= MaxTagTextBytes);
    for (const char c : text)
        FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

// The file lives in memory-backed /dev/shm when there is one: a write per input.
std::string FolderForFiles() {
    return ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static TagLibReader reader;
    static const std::string folder = FolderForFiles();
    const std::string path = folder + "/qvrl-fuzz-tags-" + std::to_string(::getpid()) + "." +
                             Extensions[data[0] % Extensions.size()];
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data + 1, 1, size - 1, file);
    std::fclose(file);
    if (const std::optional<TrackTags> tags = reader.Read(path)) {
        for (const std::string* text :
             {&tags->Title, &tags->Artist, &tags->Album, &tags->AlbumArtist, &tags->Genre})
            CheckText(*text);
        FUZZ_CHECK(tags->Track >= 0 && tags->Disc >= 0 && tags->Year >= 0);
        FUZZ_CHECK(tags->LengthMs == -1 || tags->LengthMs > 0);
    }
    if (const std::optional<CoverPicture> cover = reader.ReadCover(path)) {
        FUZZ_CHECK(!cover->Bytes.empty() && cover->Bytes.size() <= TagReader::MaxCoverBytes);
        FUZZ_CHECK(cover->Bytes.size() < size);
    }
    std::remove(path.c_str());
    return 0;
}
