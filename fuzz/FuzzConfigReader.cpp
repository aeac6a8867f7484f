// The configuration reader on any bytes: it applies values or stops with a conversion error,
// never anything else, and applies nothing when the header is wrong.
#include <stdexcept>

#include "FuzzSupport.h"
#include "config/ConfigReader.h"
#include "config/StrToInt.h"
#include "textfile/TextLineReader.h"

namespace {

// Counts what is applied and keeps nothing.
class CountingTarget final : public ConfigTarget {
public:
    int calls = 0;

    void SetLastPlayListFile(const std::string&) override { ++calls; }
    void SetViewStyle(const std::string& word) override {
        FUZZ_CHECK(word == "Large Icon" || word == "Small Icon" || word == "Detailed" ||
                   word == "List");
        ++calls;
    }
    void Maximize() override { ++calls; }
    void SetFormLeft(std::int32_t) override { ++calls; }
    void SetFormTop(std::int32_t) override { ++calls; }
    void SetFormWidth(std::int32_t) override { ++calls; }
    void SetFormHeight(std::int32_t) override { ++calls; }
    void HideExplorer() override { ++calls; }
    void SetExplorerHeight(std::int32_t) override { ++calls; }
    void SetToolbarDock(ToolbarId, DockSide) override { ++calls; }
    void SetToolbarLeft(ToolbarId, std::int32_t) override { ++calls; }
    void SetToolbarTop(ToolbarId, std::int32_t) override { ++calls; }
    void SetTrackBarWidth(std::int32_t) override { ++calls; }
    void SetTrackBarHeight(std::int32_t) override { ++calls; }
    void ShowForm() override { ++calls; }
    void SetHotTrack(bool) override { ++calls; }
    void HideToolbar(ToolbarId) override { ++calls; }
    void AfterToolbarOptions() override { ++calls; }
    void SetLoop(bool) override { ++calls; }
    void SetShuffle(bool) override { ++calls; }
    void TextOff() override { ++calls; }
    void FilteringOff() override { ++calls; }
    void SetPlayListDir(const std::string&) override { ++calls; }
    void UseNormalColors() override { ++calls; }
    void SetBrowseDir(const std::string&) override { ++calls; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Half the inputs get the right header, so the fuzzer reaches the value lines at once.
    std::string bytes = Bytes(data, size);
    if (size > 0 && data[0] % 2 == 0)
        bytes = "Quavrel v2.0 ConfigFile\r\n" + bytes.substr(1);
    TextLineReader reader(bytes);
    CountingTarget target;
    try {
        if (!ApplyConfig(reader, target))
            FUZZ_CHECK(target.calls == 0);
    } catch (const EConvertError&) {
        // A line that must hold a number and does not: the reading stops there, as designed.
    }
    return 0;
}
