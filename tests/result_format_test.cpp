// Facts about the bytes of the result file: decimal-comma fields, the angle cell,
// the header's decimal point, Windows-1252 letters and CR LF line ends.
#include "result/text_format.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace zelm {
namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr float nan = std::numeric_limits<float>::quiet_NaN();

std::string decimal_comma(float v) {
    std::array<char, max_decimal_comma_length> text{};
    return {text.data(), put_decimal_comma(text.data(), v)};
}

TEST(DecimalComma, Fields) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.38F, " 0,38"},
        {0.07F, " 0,07"},  // one-digit hundredths get a leading 0
        {2.05F, " 2,05"},
        {0.0F, " 0,00"},
        {20.0F, " 20,00"},
        {13.86F, " 13,86"},
        {2.0999999F, " 2,10"},  // hundredths 9.99999 print 10
        {2.8999994F, " 2,90"},
        {2.9999998F, " 3,00"},  // hundredths round to 100: carried
        {0.995F, " 1,00"},      // 99.5 rounds to even, 100
        {0.9949999F, " 0,99"},
        {0.125F, " 0,12"},  // an exact half of a hundredth goes to even
        {0.375F, " 0,38"},
        {16777216.0F, " 16777216,00"},
        {5e9F, " 5000000000,00"},  // beyond 32 bits: all digits
        {3.4028235e38F, " 340282346638528859811704183484516925440,00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decimal_comma(c.value), c.text) << c.value;
    }
}

TEST(DecimalComma, NegativeValuesCarryAMinusSign) {
    EXPECT_EQ(decimal_comma(-1.25F), " -1,25");
    EXPECT_EQ(decimal_comma(-0.25F), " -0,25");
    EXPECT_EQ(decimal_comma(-1.0F), " -1,00");
    EXPECT_EQ(decimal_comma(-0.07F), " -0,07");
    EXPECT_EQ(decimal_comma(-2.9999998F), " -3,00");
    EXPECT_EQ(decimal_comma(-5e9F), " -5000000000,00");
    // What prints as zero has no sign.
    EXPECT_EQ(decimal_comma(-0.0F), " 0,00");
    EXPECT_EQ(decimal_comma(-0.004F), " 0,00");
}

TEST(DecimalComma, NonFiniteValuesAreEmptyCells) {
    EXPECT_EQ(decimal_comma(inf), "");
    EXPECT_EQ(decimal_comma(-inf), "");
    EXPECT_EQ(decimal_comma(nan), "");
}

std::string row_text(SweepRow row) {
    RowBuffer buffer;
    return std::string(format_row(buffer, row));
}

TEST(Row, FieldsTabsAndCrLf) {
    EXPECT_EQ(row_text({2.0F, 0.38F, 0.69F, 85.8958F}), " 2,00\t 0,38\t 0,69\t86\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.38F, 1.39F, 90.0F}), " 1,00\t 0,38\t 1,39\t90\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.38F, 1.39F, 12.5F}), " 1,00\t 0,38\t 1,39\t12\t\r\n");  // half to even
    EXPECT_EQ(row_text({1.0F, 0.38F, 1.39F, 85.5F}), " 1,00\t 0,38\t 1,39\t86\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.38F, 1.39F, -0.4F}), " 1,00\t 0,38\t 1,39\t-0\t\r\n");
}

TEST(Row, UnknownOrNonFiniteAnglesLeaveTheCellEmpty) {
    EXPECT_EQ(row_text({1.0F, 0.15F, 4.54F, std::nullopt}), " 1,00\t 0,15\t 4,54\t\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.10F, 1.0F, nan}), " 1,00\t 0,10\t 1,00\t\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.60F, -1e20F, -inf}), " 1,00\t 0,60\t -100000002004087734272,00\t\t\r\n");
    EXPECT_EQ(row_text({1.0F, 0.0F, inf, std::nullopt}), " 1,00\t 0,00\t\t\t\r\n");
    EXPECT_TRUE(has_empty_angle({1.0F, 0.1F, 1.0F, nan}));
    EXPECT_FALSE(has_empty_angle({1.0F, 0.38F, 0.69F, 86.0F}));
}

TEST(Row, LongestRowFitsTheBuffer) {
    const float big = -std::numeric_limits<float>::max();
    const std::string row = row_text({big, big, big, big});
    EXPECT_LE(row.size(), max_row_length);
    EXPECT_EQ(row.substr(row.size() - 3), "\t\r\n");
}

TEST(Header, DecimalPointWindows1252AndCrLf) {
    const std::string expected =
        "Par\xE0metres\tdensitat\t2.5\tTn/m3\r\n"
        "geomec\xE0nics\tAngle\t30.0\tgraus\r\n"
        "\tCohesi\xF3\t2.0\tTn/m2\r\n"
        "\r\n"
        "ABAC 1\tFS 1.5\r\n"
        "H\tTg (Phi)/FS=\tC'/(d*H*Tg Phi)\tangle\r\n";
    EXPECT_EQ(header_text({30.0F, 2.0F, 2.5F, 20.0F, 1.0F, 1.5F}), expected);
}

TEST(Header, OneDecimalRoundedLikePrintf) {
    const std::string header = header_text({0.05F, 1e-3F, -2.25F, 1.0F, 1.0F, 1.25F});
    EXPECT_NE(header.find("\tdensitat\t-2.2\t"), std::string::npos);  // exact half: to even
    EXPECT_NE(header.find("\tAngle\t0.1\t"), std::string::npos);      // 0.0500000007 is above the half
    EXPECT_NE(header.find("\t0.0\tTn/m2"), std::string::npos);
    EXPECT_NE(header.find("FS 1.2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zelm
