#include "platform/dosattrib.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using platform::decodeDosAttrib;
using platform::encodeDosAttrib;

namespace
{

std::string fixture(const std::string &name)
{
    std::ifstream file(std::string(RAVO2_TEST_DATA) + "/dosattrib/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    if (!file)
        ADD_FAILURE() << "missing fixture " << name;
    return bytes.str();
}

} // namespace

TEST(DosAttrib, TextFormIsLowerHexWithoutDirectoryBit)
{
    EXPECT_EQ(encodeDosAttrib(0x5), "0x5");
    EXPECT_EQ(encodeDosAttrib(0x2A), "0x2a");
    EXPECT_EQ(encodeDosAttrib(0x10 | 0x1), "0x1");
    EXPECT_EQ(encodeDosAttrib(0x827), "0x827");
}

TEST(DosAttrib, TextFormRoundTripsAndToleratesItsVariants)
{
    for (std::uint32_t value : {0x0u, 0x1u, 0x2u, 0x5u, 0x20u, 0x827u, 0xFFFFFFEFu})
        EXPECT_EQ(decodeDosAttrib(encodeDosAttrib(value)), value) << value;
    EXPECT_EQ(decodeDosAttrib("22"), 0x22u);
    EXPECT_EQ(decodeDosAttrib("0X1F"), 0x1Fu);
    EXPECT_EQ(decodeDosAttrib(std::string("0x2\0", 4)), 0x2u);
    EXPECT_EQ(decodeDosAttrib("0x6\n"), 0x6u);
    EXPECT_EQ(decodeDosAttrib("0x00000000021"), 0x21u);
}

TEST(DosAttrib, MalformedTextIsAbsent)
{
    for (const char *text : {"", "0x", "0xg", "0x2 junk", "-1", " 0x2", "0x123456789", "zz"})
        EXPECT_EQ(decodeDosAttrib(text), std::nullopt) << '"' << text << '"';
}

TEST(DosAttrib, SambaVersion5BlobsWrittenBySmbd)
{
    EXPECT_EQ(decodeDosAttrib(fixture("samba-4.17-file-hidden.bin")), 0x2u);
    EXPECT_EQ(decodeDosAttrib(fixture("samba-4.17-folder-cleared.bin")), 0x10u);
}

TEST(DosAttrib, SambaBlobWithoutValidAttributesIsAbsent)
{
    EXPECT_EQ(decodeDosAttrib(fixture("samba-v5-attrib-flag-clear.bin")), std::nullopt);
}

TEST(DosAttrib, OtherSambaShapesAreAbsent)
{
    const std::string good = fixture("samba-4.17-file-hidden.bin");
    ASSERT_EQ(good.size(), 24u);
    std::string otherVersion = good;
    otherVersion[2] = otherVersion[4] = 4;
    EXPECT_EQ(decodeDosAttrib(otherVersion), std::nullopt);
    std::string mismatchedLevel = good;
    mismatchedLevel[4] = 3;
    EXPECT_EQ(decodeDosAttrib(mismatchedLevel), std::nullopt);
    EXPECT_EQ(decodeDosAttrib(good.substr(0, 23)), std::nullopt);
    EXPECT_EQ(decodeDosAttrib(good + '\0'), std::nullopt);
    EXPECT_EQ(decodeDosAttrib(std::string(24, '\0')), std::nullopt);
    EXPECT_EQ(decodeDosAttrib(std::string(1, '\0')), std::nullopt);
    // Older Samba put a hex string before a version 1-3 structure.
    EXPECT_EQ(decodeDosAttrib(std::string("0x20\0\x03\0\x03\0\0\0", 12)), std::nullopt);
}

// Only the managed bits change; Samba's record keeps its creation time and other fields.
TEST(DosAttrib, ChangingBitsKeepsTheRestAndSambasRecord)
{
    using platform::dosAttribFor;
    using platform::mergeAttributes;
    EXPECT_EQ(mergeAttributes(0x22, 0x1, 0x5), 0x23u);  // hidden, archive stay
    EXPECT_EQ(mergeAttributes(0x37, 0x80, 0x5), 0x32u); // removal takes R and S only
    EXPECT_EQ(mergeAttributes(0x80, 0x1, 0x5), 0x1u);   // "normal" goes with the first bit
    EXPECT_EQ(dosAttribFor("0x2", 0x3), "0x3");
    EXPECT_EQ(dosAttribFor("", 0x10), "");
    EXPECT_EQ(dosAttribFor("0x1", 0x80), "");

    const std::string record = fixture("samba-4.17-file-hidden.bin");
    ASSERT_EQ(record.size(), 24u);
    for (std::uint32_t bits : {0x0u, 0x3u, 0x27u}) {
        const std::string changed = dosAttribFor(record, bits);
        EXPECT_EQ(decodeDosAttrib(changed), bits);
        EXPECT_EQ(changed.substr(0, 12), record.substr(0, 12)) << "header and valid flags";
        EXPECT_EQ(changed.substr(16), record.substr(16)) << "creation time";
    }
    // A record whose attributes were not valid gets them, and says so.
    const std::string unflagged = fixture("samba-v5-attrib-flag-clear.bin");
    EXPECT_EQ(decodeDosAttrib(dosAttribFor(unflagged, 0x2)), 0x2u);
    EXPECT_EQ(dosAttribFor(unflagged, 0x2).substr(16), unflagged.substr(16));
}
