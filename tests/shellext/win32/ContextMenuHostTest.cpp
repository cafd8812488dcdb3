// A host that uses the extension as the file manager does: the class is registered by the
// library itself, created through COM, handed a selection and asked for its menu.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>

#include "DropDataObject.h"
#include "HostSupport.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel::test {
namespace {

const CLSID kClassId = {
    0x6F1D3A50, 0x2C47, 0x4E8B, {0x9A, 0x15, 0xD0, 0xC3, 0xB7, 0xE2, 0x4F, 0x98}};
const std::wstring kProgramKey = L"Software\\Kestrane\\Dovrel";

using TCanUnloadNow = HRESULT(WINAPI*)();
using TGetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

template <class Interface>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    void** Out() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void Reset() {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
    }

private:
    Interface* pointer_ = nullptr;
};

struct TMenuItem {
    bool separator = false;
    UINT id = 0;
    std::wstring text;
    HBITMAP unchecked = nullptr;
    HBITMAP checked = nullptr;
};

TMenuItem ItemAt(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_CHECKMARKS;
    info.dwTypeData = text;
    info.cch = 255;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    return {(info.fType & MFT_SEPARATOR) != 0, info.wID, text, info.hbmpUnchecked,
            info.hbmpChecked};
}

std::wstring ListFilePath() {
    wchar_t folder[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::wstring(folder) + L"\\Dovrel\\todo";
}

std::wstring HelpText(IContextMenu* menu, UINT_PTR offset, UINT size = 256) {
    std::wstring buffer(size, L'#');
    const HRESULT result = menu->GetCommandString(offset, GCS_HELPTEXTW, nullptr,
                                                  reinterpret_cast<CHAR*>(buffer.data()), size);
    EXPECT_EQ(result, S_OK);
    return buffer.c_str();
}

class ContextMenuHost : public testing::Test {
protected:
    // As a registration tool does it; Dovrel.exe /activate would need a display for its
    // windows.
    static void SetUpTestSuite() {
        RemoveAllRegistration();
        const HMODULE library = LoadLibraryW((BinFolder() + L"TOLV_CONTEXT_MENU.dll").c_str());
        ASSERT_NE(library, nullptr);
        const auto registerServer = ExportOf<HRESULT(WINAPI*)()>(library, "DllRegisterServer");
        ASSERT_NE(registerServer, nullptr);
        EXPECT_EQ(registerServer(), S_OK);
        FreeLibrary(library);
    }
    static void TearDownTestSuite() { RemoveAllRegistration(); }

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        savedAppPath_ = ReadValue(HKEY_CURRENT_USER, kProgramKey, L"AppPath");
        savedList_ = ReadFileBytes(ListFilePath());
        // A stand-in program where "AppPath" points, which records how it was started.
        program_ = temp_.Path(L"program") + L"\\";
        std::filesystem::create_directories(program_);
        ASSERT_TRUE(CopyFileW((BinFolder() + L"dovrel_standin.exe").c_str(),
                              (program_ + L"Dovrel.exe").c_str(), FALSE));
        WriteValue(HKEY_CURRENT_USER, kProgramKey, L"AppPath", program_);
    }
    void TearDown() override {
        if (savedAppPath_)
            WriteValue(HKEY_CURRENT_USER, kProgramKey, L"AppPath", *savedAppPath_);
        std::error_code ignored;
        std::filesystem::remove_all(ListFilePath(), ignored);
        if (savedList_)
            std::ofstream(std::filesystem::path(ListFilePath()), std::ios::binary) << *savedList_;
        CoUninitialize();
    }

    std::wstring File(const std::wstring& name) {
        const std::wstring path = temp_.Path(name);
        std::ofstream(std::filesystem::path(path)) << "x";
        return path;
    }

    // A menu object through COM, initialised with `paths`.
    void Create(const std::vector<std::wstring>& paths, TComPtr<IContextMenu>& menu) {
        TComPtr<IShellExtInit> init;
        ASSERT_EQ(CoCreateInstance(kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   init.Out()),
                  S_OK);
        TDropDataObject data(paths);
        ASSERT_EQ(init->Initialize(nullptr, &data, nullptr), S_OK);
        EXPECT_EQ(TDropDataObject::MediaAlive(), 0) << "the storage medium is released";
        ASSERT_EQ(init->QueryInterface(IID_IContextMenu, menu.Out()), S_OK);
    }

    static TCanUnloadNow CanUnloadNow() {
        const HMODULE module = GetModuleHandleW(L"TOLV_CONTEXT_MENU.dll");
        return module == nullptr ? nullptr : ExportOf<TCanUnloadNow>(module, "DllCanUnloadNow");
    }

    TempFolder temp_;
    std::wstring program_;
    std::optional<std::wstring> savedAppPath_;
    std::optional<std::string> savedList_;
};

TEST_F(ContextMenuHost, TheRegisteredLibraryIsLoadedAndRefusesWhatItCannotUse) {
    TComPtr<IShellExtInit> init;
    ASSERT_EQ(
        CoCreateInstance(kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.Out()),
        S_OK);
    wchar_t loaded[MAX_PATH * 4];
    GetModuleFileNameW(GetModuleHandleW(L"TOLV_CONTEXT_MENU.dll"), loaded, MAX_PATH * 4);
    EXPECT_EQ(CompareStringOrdinal(loaded, -1, (BinFolder() + L"TOLV_CONTEXT_MENU.dll").c_str(), -1,
                                   TRUE),
              CSTR_EQUAL);
    EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), E_INVALIDARG);
    TDropDataObject noDrop({L"C:\\x"}, false);
    EXPECT_EQ(init->Initialize(nullptr, &noDrop, nullptr), DV_E_FORMATETC);
}

TEST_F(ContextMenuHost, InsertsTheOfferedCommandsBetweenSeparatorsWithTheirPictures) {
    TComPtr<IContextMenu> menu;
    Create({File(L"notes.txt"), File(L"old.enc")}, menu);
    const HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 1, L"Open");
    AppendMenuW(popup, MF_STRING, 2, L"Properties");
    const HRESULT result = menu->QueryContextMenu(popup, 1, 100, 0x7FFF, CMF_NORMAL);
    ASSERT_TRUE(SUCCEEDED(result));
    EXPECT_EQ(HRESULT_CODE(result), 6);
    ASSERT_EQ(GetMenuItemCount(popup), 8);
    EXPECT_EQ(ItemAt(popup, 0).text, L"Open");
    EXPECT_TRUE(ItemAt(popup, 1).separator);
    EXPECT_TRUE(ItemAt(popup, 6).separator);
    EXPECT_EQ(ItemAt(popup, 7).text, L"Properties");
    const wchar_t* captions[] = {L"Decrypt with Dovrel...", L"Encrypt with Dovrel...",
                                 L"Hide with Dovrel...", L"Shred with Dovrel..."};
    HBITMAP previous = nullptr;
    for (UINT i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TMenuItem item = ItemAt(popup, 2 + i);
        EXPECT_FALSE(item.separator);
        EXPECT_EQ(item.id, 100 + i);
        EXPECT_EQ(item.text, captions[i]);
        EXPECT_EQ(item.checked, nullptr);
        ASSERT_NE(item.unchecked, nullptr);
        EXPECT_NE(item.unchecked, previous) << "each command has its own picture";
        previous = item.unchecked;
        BITMAP bitmap{};
        ASSERT_EQ(GetObjectW(item.unchecked, sizeof bitmap, &bitmap), int{sizeof bitmap});
        EXPECT_EQ(bitmap.bmWidth, 15);
        EXPECT_EQ(bitmap.bmHeight, 15);
        EXPECT_EQ(bitmap.bmBitsPixel, 24);
    }
    EXPECT_EQ(HelpText(menu.Get(), 0), L"Decrypt previously encrypted files");
    EXPECT_EQ(HelpText(menu.Get(), 1), L"Encrypt files and change their extensions to .enc");
    EXPECT_EQ(HelpText(menu.Get(), 2), L"Hide files, folders or drives from Explorer");
    EXPECT_EQ(HelpText(menu.Get(), 3), L"Securely delete files");
    EXPECT_EQ(HelpText(menu.Get(), 3, 9), L"Securely") << "cut to the buffer, terminator included";
    wchar_t buffer[64];
    EXPECT_EQ(menu->GetCommandString(0, GCS_VERBW, nullptr, reinterpret_cast<CHAR*>(buffer), 64),
              E_INVALIDARG);
    EXPECT_EQ(
        menu->GetCommandString(4, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(buffer), 64),
        E_INVALIDARG);
    DestroyMenu(popup);
}

TEST_F(ContextMenuHost, ThreeCommandsGiveFiveEntriesAndVerbRequestsGiveNone) {
    TComPtr<IContextMenu> menu;
    Create({File(L"report.ENC")}, menu);
    const HMENU popup = CreatePopupMenu();
    EXPECT_EQ(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_DEFAULTONLY), E_FAIL);
    EXPECT_EQ(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_VERBSONLY), E_FAIL);
    EXPECT_EQ(GetMenuItemCount(popup), 0);
    const HRESULT result = menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_EXPLORE);
    EXPECT_EQ(HRESULT_CODE(result), 5);
    ASSERT_EQ(GetMenuItemCount(popup), 5);
    EXPECT_EQ(ItemAt(popup, 1).text, L"Encrypt with Dovrel...");
    EXPECT_EQ(ItemAt(popup, 3).text, L"Shred with Dovrel...");
    EXPECT_EQ(ItemAt(popup, 3).id, 3u);
    DestroyMenu(popup);
}

TEST_F(ContextMenuHost, InvokeWritesTheListAndStartsTheProgramWithTheOneSwitch) {
    const std::vector<std::wstring> paths = {File(L"notes.txt"), File(L"old.enc")};
    TComPtr<IContextMenu> menu;
    Create(paths, menu);
    const HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)));
    DestroyMenu(popup);

    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = "open";
    EXPECT_EQ(menu->InvokeCommand(&info), E_FAIL) << "a verb given as text";
    EXPECT_FALSE(ReadFileBytes(program_ + L"started.txt"));

    info.lpVerb = MAKEINTRESOURCEA(0);  // Decrypt: it applies to one of the two
    ASSERT_EQ(menu->InvokeCommand(&info), S_OK);
    EXPECT_EQ(ReadFileBytes(ListFilePath()), ToAnsi(paths[0]) + "\r\n" + ToAnsi(paths[1]) + "\r\n");
    const auto started = WaitForFile(program_ + L"started.txt", 30000);
    ASSERT_TRUE(started) << "the stand-in program was not started";
    std::wstring folder = program_;
    folder.pop_back();
    EXPECT_EQ(FromUtf8(*started), L"/decrypt\n" + folder + L"\n");
}

TEST_F(ContextMenuHost, PathsOfAnyLengthOrAlphabetReachTheList) {
    std::wstring longPath = temp_.Folder();
    while (longPath.size() < 300)
        longPath += L"a long folder name\\";
    longPath += L"file.txt";
    const std::wstring foreign = File(L"\u0416\u6587.txt");
    TComPtr<IContextMenu> menu;
    Create({File(L"plain.txt"), longPath, foreign}, menu);
    const HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)));
    DestroyMenu(popup);
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(0);
    ASSERT_EQ(menu->InvokeCommand(&info), S_OK);
    const auto list = ReadFileBytes(ListFilePath());
    ASSERT_TRUE(list);
    // The code page has no such letters: the whole list is UTF-8 behind its mark.
    EXPECT_EQ(*list, "\xEF\xBB\xBF" + ToUtf8(temp_.Path(L"plain.txt") + L"\r\n" + longPath +
                                             L"\r\n" + foreign + L"\r\n"));
}

TEST_F(ContextMenuHost, AListThatCannotBeWrittenFailsTheCommandAndStartsNothing) {
    TComPtr<IContextMenu> menu;
    Create({File(L"a.txt")}, menu);
    const HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)));
    DestroyMenu(popup);
    // A folder where the list file should be.
    std::filesystem::remove(ListFilePath());
    std::filesystem::create_directories(ListFilePath());
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(0);
    EXPECT_TRUE(FAILED(menu->InvokeCommand(&info)));
    EXPECT_FALSE(WaitForFile(program_ + L"started.txt", 2000));
}

// The file manager's process must survive whatever it hands over: null pointers and
// commands that do not exist are refused, and a selection of 10,000 items reaches the list.
TEST_F(ContextMenuHost, HostileCallsAreRefusedAndHugeSelectionsListed) {
    TComPtr<IShellExtInit> init;
    ASSERT_EQ(
        CoCreateInstance(kClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.Out()),
        S_OK);
    EXPECT_TRUE(FAILED(init->Initialize(nullptr, nullptr, nullptr)));
    EXPECT_EQ(init->QueryInterface(IID_IContextMenu, nullptr), E_POINTER);
    const auto getClassObject =
        ExportOf<TGetClassObject>(GetModuleHandleW(L"TOLV_CONTEXT_MENU.dll"), "DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);
    EXPECT_EQ(getClassObject(kClassId, IID_IClassFactory, nullptr), E_POINTER);

    std::vector<std::wstring> paths;
    for (int i = 0; i < 10000; ++i)
        paths.push_back(temp_.Path(L"item" + std::to_wstring(i) + L".txt"));
    for (int i = 0; i < 3; ++i)
        File(L"item" + std::to_wstring(i) + L".txt");
    TComPtr<IContextMenu> menu;
    Create(paths, menu);
    EXPECT_TRUE(FAILED(menu->QueryContextMenu(nullptr, 0, 1, 0x7FFF, CMF_NORMAL)));
    const HMENU popup = CreatePopupMenu();
    ASSERT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup, 0, 1, 0x7FFF, CMF_NORMAL)));
    DestroyMenu(popup);
    EXPECT_TRUE(FAILED(menu->InvokeCommand(nullptr)));
    char buffer[16];
    EXPECT_TRUE(FAILED(menu->GetCommandString(0, GCS_HELPTEXTW, nullptr, nullptr, 16)));
    EXPECT_TRUE(FAILED(menu->GetCommandString(999, GCS_HELPTEXTW, nullptr, buffer, 8)));
    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof info;
    info.lpVerb = MAKEINTRESOURCEA(999);
    EXPECT_TRUE(FAILED(menu->InvokeCommand(&info)));
    EXPECT_FALSE(ReadFileBytes(program_ + L"started.txt")) << "nothing started";

    info.lpVerb = MAKEINTRESOURCEA(0);
    ASSERT_EQ(menu->InvokeCommand(&info), S_OK);
    const auto list = ReadFileBytes(ListFilePath());
    ASSERT_TRUE(list);
    std::string expected;
    for (const std::wstring& path : paths)
        expected += ToAnsi(path) + "\r\n";
    EXPECT_EQ(*list, expected);
}

TEST_F(ContextMenuHost, TheLibraryStaysLoadedWhileAnObjectOrALockIsAlive) {
    {
        TComPtr<IContextMenu> menu;
        Create({File(L"a.txt")}, menu);
        const TCanUnloadNow canUnloadNow = CanUnloadNow();
        ASSERT_NE(canUnloadNow, nullptr);
        EXPECT_EQ(canUnloadNow(), S_FALSE);
    }
    const TCanUnloadNow canUnloadNow = CanUnloadNow();
    ASSERT_NE(canUnloadNow, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);

    const auto getClassObject =
        ExportOf<TGetClassObject>(GetModuleHandleW(L"TOLV_CONTEXT_MENU.dll"), "DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, &other), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(other, nullptr);
    TComPtr<IShellExtInit> wrong;
    EXPECT_EQ(getClassObject(kClassId, IID_IShellExtInit, wrong.Out()), E_NOINTERFACE);
    TComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(kClassId, IID_IClassFactory, factory.Out()), S_OK);
    TComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.Get()), IID_IUnknown,
                                      aggregated.Out()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a client holds the factory";
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "locked";
    // The lock is released through a fresh factory reference, as a client would.
    ASSERT_EQ(getClassObject(kClassId, IID_IClassFactory, factory.Out()), S_OK);
    factory->LockServer(FALSE);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
}  // namespace dovrel::test
