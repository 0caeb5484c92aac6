#include "toolkit/win32/Registry.h"

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
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
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

TEST_F(RegistryTest, WritesDwordsOverValuesOfAnyTypeAndDeletes)
{
    Write("Mode", REG_SZ, "1", 2);
    TRegistry settings(HKEY_CURRENT_USER, kTestKey);
    settings.WriteInteger("Mode", 2);
    settings.WriteBool("FloodFill", true);
    settings.WriteInteger("MarkerColor", static_cast<int>(0xFF0000FFu));
    EXPECT_EQ(settings.ReadInteger("Mode"), 2);
    EXPECT_EQ(settings.ReadInteger("FloodFill"), 1);
    EXPECT_EQ(static_cast<DWORD>(settings.ReadInteger("MarkerColor")), 0xFF0000FFu);

    // Read back from outside: a real REG_DWORD of four bytes.
    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kTestKey, "Mode", RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 2u);

    EXPECT_TRUE(settings.DeleteValue("Mode"));
    EXPECT_FALSE(settings.ValueExists("Mode"));
    EXPECT_FALSE(settings.DeleteValue("Mode")) << "deleting what is not there is no error";
}

TEST_F(RegistryTest, WritesUnicodeTexts)
{
    TRegistry settings(HKEY_CURRENT_USER, kTestKey);
    const std::wstring path = L"\"C:\\Program Files\\Zelvora \u0103\u0163\\Zelvora.exe\"";
    settings.WriteString("Zelvora", path);
    wchar_t read[MAX_PATH] = {};
    DWORD type = 0, size = sizeof read;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Ombrix\\ZelvoraRegistryTest", L"Zelvora",
                           RRF_RT_ANY, &type, read, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(read), path);
}

TEST_F(RegistryTest, WithoutAKeyWritesFailNamingTheValue)
{
    // A path under a root that cannot be opened for writing leaves the object without a key.
    TRegistry nowhere(HKEY_CURRENT_USER, std::string(300, 'x') + "\\" + std::string(300, 'y'));
    ASSERT_FALSE(nowhere.HasCurrentKey());
    try {
        nowhere.WriteInteger("MarkerSize", 1);
        FAIL() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Fehler beim Setzen der Daten f\xFCr 'MarkerSize'");
    }
    EXPECT_THROW(nowhere.WriteString("Zelvora", L"x"), ERegistryException);
    EXPECT_FALSE(nowhere.DeleteValue("Zelvora"));
}

}  // namespace
}  // namespace zelvora
