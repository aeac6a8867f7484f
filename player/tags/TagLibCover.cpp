#include "tags/TagLibCover.h"

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/asfpicture.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/speexfile.h>
#include <taglib/trueaudiofile.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>

namespace {

// One candidate picture: front covers win over the first picture met.
class Choice {
public:
    explicit Choice(bool bytes) : bytes_(bytes) {}

    void Offer(bool front, const TagLib::String& mimeType, const TagLib::ByteVector& data) {
        if (data.isEmpty() || data.size() > TagReader::MaxCoverBytes)
            return;
        if (found_ && (frontFound_ || !front))
            return;
        found_ = true;
        frontFound_ = front;
        picture_.MimeType = mimeType.to8Bit(true);
        if (picture_.MimeType.empty() || picture_.MimeType.find('/') == std::string::npos)
            picture_.MimeType = SniffedType(data);
        picture_.Bytes = bytes_ ? std::string(data.data(), data.size()) : std::string();
    }
    bool Done() const { return frontFound_; }
    std::optional<CoverPicture> Result() const {
        return found_ ? std::optional<CoverPicture>(picture_) : std::nullopt;
    }

private:
    // Old ID3v2.2 frames say "JPG" or "PNG"; some taggers say nothing.
    static std::string SniffedType(const TagLib::ByteVector& data) {
        if (data.startsWith(TagLib::ByteVector("\x89PNG", 4)))
            return "image/png";
        if (data.startsWith(TagLib::ByteVector("GIF8", 4)))
            return "image/gif";
        if (data.startsWith(TagLib::ByteVector("BM", 2)))
            return "image/bmp";
        return "image/jpeg";
    }

    bool bytes_;
    bool found_ = false;
    bool frontFound_ = false;
    CoverPicture picture_;
};

void FromId3v2(const TagLib::ID3v2::Tag* tag, Choice& choice) {
    if (!tag)
        return;
    const auto& frames = tag->frameListMap();
    const auto apic = frames.find("APIC");
    if (apic == frames.end())
        return;
    for (TagLib::ID3v2::Frame* frame : apic->second) {
        const auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (picture)
            choice.Offer(picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover,
                         picture->mimeType(), picture->picture());
    }
}

void FromFlacPictures(const TagLib::List<TagLib::FLAC::Picture*>& pictures, Choice& choice) {
    for (const TagLib::FLAC::Picture* picture : pictures)
        choice.Offer(picture->type() == TagLib::FLAC::Picture::FrontCover, picture->mimeType(),
                     picture->data());
}

void FromXiph(TagLib::Ogg::XiphComment* tag, Choice& choice) {
    if (tag)
        FromFlacPictures(tag->pictureList(), choice);
}

// APE tags keep a picture as a binary item: a file name, a NUL, then the image.
void FromApe(const TagLib::APE::Tag* tag, Choice& choice) {
    if (!tag)
        return;
    const TagLib::APE::ItemListMap& items = tag->itemListMap();
    for (const char* key : {"COVER ART (FRONT)", "COVER ART (OTHER)"}) {
        const auto item = items.find(key);
        if (item == items.end() || item->second.type() != TagLib::APE::Item::Binary)
            continue;
        const TagLib::ByteVector data = item->second.binaryData();
        const int nul = data.find('\0');
        if (nul >= 0)
            choice.Offer(key[11] == 'F', TagLib::String(),
                         data.mid(static_cast<unsigned int>(nul) + 1));
    }
}

void FromMp4(const TagLib::MP4::Tag* tag, Choice& choice) {
    if (!tag || !tag->contains("covr"))
        return;
    for (const TagLib::MP4::CoverArt& art : tag->item("covr").toCoverArtList()) {
        const char* type = art.format() == TagLib::MP4::CoverArt::PNG   ? "image/png"
                           : art.format() == TagLib::MP4::CoverArt::BMP ? "image/bmp"
                           : art.format() == TagLib::MP4::CoverArt::GIF ? "image/gif"
                                                                        : "image/jpeg";
        choice.Offer(true, type, art.data());
        if (choice.Done())
            return;
    }
}

void FromAsf(const TagLib::ASF::Tag* tag, Choice& choice) {
    if (!tag)
        return;
    const TagLib::ASF::AttributeListMap& attributes = tag->attributeListMap();
    const auto pictures = attributes.find("WM/Picture");
    if (pictures == attributes.end())
        return;
    for (const TagLib::ASF::Attribute& attribute : pictures->second) {
        const TagLib::ASF::Picture picture = attribute.toPicture();
        if (picture.isValid())
            choice.Offer(picture.type() == TagLib::ASF::Picture::FrontCover, picture.mimeType(),
                         picture.picture());
    }
}

}  // namespace

std::optional<CoverPicture> FindCover(TagLib::File& file, bool bytes) {
    Choice choice(bytes);
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        if (mpeg->hasID3v2Tag())
            FromId3v2(mpeg->ID3v2Tag(), choice);
        if (mpeg->hasAPETag())
            FromApe(mpeg->APETag(), choice);
    } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        FromFlacPictures(flac->pictureList(), choice);
    } else if (auto* vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File*>(&file)) {
        FromXiph(vorbis->tag(), choice);
    } else if (auto* opus = dynamic_cast<TagLib::Ogg::Opus::File*>(&file)) {
        FromXiph(opus->tag(), choice);
    } else if (auto* speex = dynamic_cast<TagLib::Ogg::Speex::File*>(&file)) {
        FromXiph(speex->tag(), choice);
    } else if (auto* oggFlac = dynamic_cast<TagLib::Ogg::FLAC::File*>(&file)) {
        FromXiph(oggFlac->tag(), choice);
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        FromMp4(mp4->tag(), choice);
    } else if (auto* asf = dynamic_cast<TagLib::ASF::File*>(&file)) {
        FromAsf(asf->tag(), choice);
    } else if (auto* wavPack = dynamic_cast<TagLib::WavPack::File*>(&file)) {
        if (wavPack->hasAPETag())
            FromApe(wavPack->APETag(), choice);
    } else if (auto* ape = dynamic_cast<TagLib::APE::File*>(&file)) {
        if (ape->hasAPETag())
            FromApe(ape->APETag(), choice);
    } else if (auto* mpc = dynamic_cast<TagLib::MPC::File*>(&file)) {
        if (mpc->hasAPETag())
            FromApe(mpc->APETag(), choice);
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
        if (wav->hasID3v2Tag())
            FromId3v2(wav->ID3v2Tag(), choice);
    } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(&file)) {
        if (aiff->hasID3v2Tag())
            FromId3v2(aiff->tag(), choice);
    } else if (auto* tta = dynamic_cast<TagLib::TrueAudio::File*>(&file)) {
        if (tta->hasID3v2Tag())
            FromId3v2(tta->ID3v2Tag(), choice);
    }
    return choice.Result();
}
