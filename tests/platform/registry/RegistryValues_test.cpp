#include "tests/platform/registry/RegistryFixture.h"

namespace win {
namespace {

using namespace std::string_literals;
using Values = test::RegistryTest;

TEST_F(Values, StoresEachTypeExactlyAsGiven) {
    HKEY key = Create("Software\\Values");
    ASSERT_EQ(SetBytes(key, "WithNul", REG_SZ, "text\0"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "WithoutNul", REG_SZ, "text"), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Empty", REG_SZ, ""), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "Number", 0xDEADBEEF), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "Blob", REG_BINARY, "\x00\xff\x10"s), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, nullptr, REG_SZ, "default\0"s), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(Query(key, "withnul", &type), "text\0"s);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(Query(key, "WithoutNul"), "text");
    EXPECT_EQ(Query(key, "Empty"), "");
    EXPECT_EQ(Query(key, "Number", &type), "\xef\xbe\xad\xde"s);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(Query(key, "Blob", &type), "\x00\xff\x10"s);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(Query(key, ""), "default\0"s);
    EXPECT_EQ(Query(key, "Missing"), "<error 2>");
}

TEST_F(Values, ATooSmallBufferGivesMoreDataAndTheSizeAndStaysUntouched) {
    HKEY key = Create("Software\\Values");
    ASSERT_EQ(SetBytes(key, "s", REG_SZ, "0123456789\0"s), ERROR_SUCCESS);
    BYTE buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, "s", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    for (BYTE b : buffer) EXPECT_EQ(b, 'x');
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "s", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 11u);
}

TEST_F(Values, EnumeratesInInsertionOrderAndOverwritingKeepsThePlace) {
    HKEY key = Create("Software\\Order");
    for (const char* name : {"zulu", "alpha", "Mike"}) ASSERT_EQ(SetDword(key, name, 1), ERROR_SUCCESS);
    ASSERT_EQ(SetBytes(key, "ALPHA", REG_SZ, "changed"), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"zulu", "alpha", "Mike"}));
    EXPECT_EQ(Query(key, "alpha"), "changed");
    ASSERT_EQ(RegDeleteValueA(key, "zulu"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "zulu"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"alpha", "Mike"}));
}

TEST_F(Values, EnumerationLeavesBuffersUntouchedWhenEitherIsTooSmall) {
    HKEY key = Create("Software\\Enum");
    ASSERT_EQ(SetBytes(key, "LongName", REG_BINARY, "0123456789"), ERROR_SUCCESS);
    char name[16];
    BYTE data[16];
    auto enumerate = [&](DWORD nameRoom, DWORD dataRoom, DWORD& nameLength, DWORD& dataLength) {
        std::memset(name, 'n', sizeof name);
        std::memset(data, 'd', sizeof data);
        nameLength = nameRoom;
        dataLength = dataRoom;
        DWORD type = 0;
        return RegEnumValueA(key, 0, name, &nameLength, nullptr, &type, data, &dataLength);
    };
    DWORD nameLength = 0, dataLength = 0;
    EXPECT_EQ(enumerate(8, 16, nameLength, dataLength), ERROR_MORE_DATA);  // needs 9 with the NUL
    EXPECT_EQ(name[0], 'n');
    EXPECT_EQ(data[0], 'd');
    EXPECT_EQ(enumerate(16, 9, nameLength, dataLength), ERROR_MORE_DATA);
    EXPECT_EQ(dataLength, 10u);
    EXPECT_EQ(name[0], 'n');
    EXPECT_EQ(data[0], 'd');
    EXPECT_EQ(enumerate(9, 10, nameLength, dataLength), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name, nameLength + 1), "LongName\0"s);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), dataLength), "0123456789");
    EXPECT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
}

TEST_F(Values, QueryInfoReportsCountsAndLargestSizes) {
    HKEY key = Create("Software\\Info");
    Create("Software\\Info\\Sub");
    Create("Software\\Info\\LongerSub");
    ASSERT_EQ(SetBytes(key, "a", REG_BINARY, std::string(300, 'x')), ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, "LongestName", 1), ERROR_SUCCESS);
    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxName = 0, maxData = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values, &maxName,
                               &maxData, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 2u);
    EXPECT_EQ(maxSubKey, 9u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(maxName, 11u);
    EXPECT_EQ(maxData, 300u);
}

}  // namespace
}  // namespace win
