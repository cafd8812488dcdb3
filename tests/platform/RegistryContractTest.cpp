// One suite for the in-memory registry and, under Wine, the system registry.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "platform/Error.h"
#include "platform/Registry.h"
#include "platform/memory/MemoryRegistry.h"

namespace dovrel {
namespace {

struct Implementation {
    const char* name;
    std::function<std::unique_ptr<TRegistry>()> create;
};

void PrintTo(const Implementation& implementation, std::ostream* out) {
    *out << implementation.name;
}

class RegistryContract : public testing::TestWithParam<Implementation> {
protected:
    void SetUp() override {
        registry = GetParam().create();
        base = L"Software\\DovrelTests\\Run" + std::to_wstring(std::random_device{}());
    }
    void TearDown() override { registry->DeleteKeyTree(TRootKey::CurrentUser, base); }

    std::unique_ptr<TRegistry> registry;
    std::wstring base;
};

TEST_P(RegistryContract, WritesCreateTheKeyAndReadBack) {
    const std::wstring key = base + L"\\Dovrel\\";
    EXPECT_FALSE(registry->KeyExists(TRootKey::CurrentUser, key));
    registry->WriteString(TRootKey::CurrentUser, key, L"AppPath", L"C:\\Program Files\\Dovrel\\");
    registry->WriteDword(TRootKey::CurrentUser, key, L"NoDrives", 0x80000004u);
    EXPECT_TRUE(registry->KeyExists(TRootKey::CurrentUser, key));
    EXPECT_EQ(registry->ReadString(TRootKey::CurrentUser, key, L"apppath"),
              L"C:\\Program Files\\Dovrel\\");
    EXPECT_EQ(registry->ReadDword(TRootKey::CurrentUser, key, L"NoDrives"), 0x80000004u);
}

TEST_P(RegistryContract, MissingOrMistypedValuesReadAsNothing) {
    const std::wstring key = base + L"\\Values";
    EXPECT_FALSE(registry->ReadString(TRootKey::CurrentUser, key, L"AppPath"));
    registry->WriteString(TRootKey::CurrentUser, key, L"Text", L"1");
    registry->WriteDword(TRootKey::CurrentUser, key, L"Number", 1);
    EXPECT_FALSE(registry->ReadDword(TRootKey::CurrentUser, key, L"Text"));
    EXPECT_FALSE(registry->ReadString(TRootKey::CurrentUser, key, L"Number"));
    EXPECT_FALSE(registry->ReadString(TRootKey::CurrentUser, key, L"Absent"));
}

TEST_P(RegistryContract, DefaultValueAndEmptyStrings) {
    const std::wstring key = base + L"\\CLSID";
    registry->WriteString(TRootKey::CurrentUser, key, L"", L"context menu");
    registry->WriteString(TRootKey::CurrentUser, key, L"Empty", L"");
    EXPECT_EQ(registry->ReadString(TRootKey::CurrentUser, key, L""), L"context menu");
    EXPECT_EQ(registry->ReadString(TRootKey::CurrentUser, key, L"Empty"), L"");
}

TEST_P(RegistryContract, DeletesValuesAndWholeTrees) {
    const std::wstring key = base + L"\\Tree";
    registry->WriteString(TRootKey::CurrentUser, key + L"\\Child\\Grandchild", L"v", L"1");
    registry->WriteDword(TRootKey::CurrentUser, key, L"Flag", 1);
    EXPECT_TRUE(registry->DeleteValue(TRootKey::CurrentUser, key, L"Flag"));
    EXPECT_FALSE(registry->DeleteValue(TRootKey::CurrentUser, key, L"Flag"));
    EXPECT_FALSE(registry->ReadDword(TRootKey::CurrentUser, key, L"Flag"));
    registry->WriteString(TRootKey::CurrentUser, base + L"\\TreeSibling", L"v", L"keep");
    EXPECT_TRUE(registry->DeleteKeyTree(TRootKey::CurrentUser, key));
    EXPECT_FALSE(registry->KeyExists(TRootKey::CurrentUser, key + L"\\Child"));
    EXPECT_FALSE(registry->KeyExists(TRootKey::CurrentUser, key));
    EXPECT_EQ(registry->ReadString(TRootKey::CurrentUser, base + L"\\TreeSibling", L"v"), L"keep");
    EXPECT_FALSE(registry->DeleteKeyTree(TRootKey::CurrentUser, key));
}

TEST_P(RegistryContract, RootsAreSeparate) {
    const std::wstring key = base + L"\\Roots";
    registry->CreateKey(TRootKey::CurrentUser, key);
    EXPECT_TRUE(registry->KeyExists(TRootKey::CurrentUser, key));
    EXPECT_FALSE(registry->KeyExists(TRootKey::LocalMachine, key));
}

std::vector<Implementation> Implementations() {
    std::vector<Implementation> list{
        {"Memory", [] { return std::make_unique<TMemoryRegistry>(); }}};
#ifdef _WIN32
    list.push_back({"System", [] { return CreateSystemRegistry(); }});
#endif
    return list;
}

INSTANTIATE_TEST_SUITE_P(All, RegistryContract, testing::ValuesIn(Implementations()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryRegistry, RefusedWritesRaiseTheRegistryError) {
    TMemoryRegistry registry;
    registry.SetReadOnly(true);
    try {
        registry.WriteString(TRootKey::ClassesRoot, L"*\\shellex", L"", L"x");
        FAIL() << "a refused write must raise";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Failed to set data for ''");
    }
}

}  // namespace
}  // namespace dovrel
