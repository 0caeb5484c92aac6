#include "toolkit/Registry.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr char kTestKey[] = "Software\\Ombrix\\ZelvoraRegistryTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey); }

    static void Write(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        UniqueRegistryKey owned(key);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
};

TEST_F(RegistryTest, CreatesTheKeyAndReadsDwords)
{
    const DWORD twenty = 20;
    Write("MarkerSize", REG_DWORD, &twenty, sizeof twenty);
    TRegistry settings(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(settings.HasCurrentKey());
    EXPECT_TRUE(settings.ValueExists("MarkerSize"));
    EXPECT_EQ(settings.ReadInteger("MarkerSize"), 20);
    EXPECT_FALSE(settings.ValueExists("Mode"));
}

TEST_F(RegistryTest, WrongTypeIsAnErrorNamingTheValue)
{
    Write("Mode", REG_SZ, "1", 2);
    const char longText[] = "a text much longer than four bytes";
    Write("Lang", REG_SZ, longText, sizeof longText);
    TRegistry settings(HKEY_CURRENT_USER, kTestKey);
    try {
        settings.ReadInteger("Mode");
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Ung\xFCltiger Datentyp f\xFCr 'Mode'");
    }
    EXPECT_THROW(settings.ReadInteger("Lang"), ERegistryException);
}

TEST_F(RegistryTest, MissingValueCannotBeRead)
{
    TRegistry settings(HKEY_CURRENT_USER, kTestKey);
    try {
        settings.ReadBool("FloodFill");
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Fehler beim Holen der Daten f\xFCr 'FloodFill'");
    }
}

}  // namespace
}  // namespace zelvora
