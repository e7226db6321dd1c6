#include "app/progress_text.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

constexpr UiLanguage PT = UiLanguage::Portuguese;
constexpr UiLanguage EN = UiLanguage::English;

TEST(ProgressLine, StepsWalksAndStoppingInBothLanguages) {
    const MessagePair listing = {"Listando as pastas do dispositivo", "Listing the device's folders"};
    const struct {
        UiLanguage language;
        ProgressState state;
        std::uint64_t seconds;
        std::string line;
    } cases[] = {
        {PT, {}, 0, "0:00 - Em andamento"},
        {EN, {}, 59, "0:59 - Running"},
        {PT, {listing, "K:\\Pasta03\\", 12345}, 7, "0:07 - Listando as pastas do dispositivo - 12.345 itens - K:\\Pasta03\\"},
        {EN, {listing, "K:\\Pasta03\\", 1234567}, 61, "1:01 - Listing the device's folders - 1,234,567 entries - K:\\Pasta03\\"},
        {EN, {{"Removendo", "Removing"}, "", 0}, 3725, "1:02:05 - Removing"},
        {PT, {listing, "K:\\", 5, true}, 12, "0:12 - Parando no próximo ponto seguro..."},
        {EN, {listing, "K:\\", 5, true}, 12, "0:12 - Stopping at the next safe point..."},
    };
    for (const auto& c : cases) EXPECT_EQ(ProgressLine(c.language, c.state, c.seconds), c.line);
}

TEST(ProgressLine, CountsGroupedByThousands) {
    EXPECT_EQ(CountText(PT, 0), "0");
    EXPECT_EQ(CountText(PT, 999), "999");
    EXPECT_EQ(CountText(PT, 1000), "1.000");
    EXPECT_EQ(CountText(EN, 100000), "100,000");
}

}  // namespace
}  // namespace kv
