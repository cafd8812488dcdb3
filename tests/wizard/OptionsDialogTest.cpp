#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "WizardFakes.h"
#include "app/OptionsUnit.h"
#include "hiding/HiddenConfig.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Path.h"
#include "platform/PortableIniFile.h"
#include "support/TempFolder.h"
#include "wizard/OptionsFormUnit.h"

namespace dovrel {
namespace {

class TTickedBoxes final : public TOptionsView {
public:
    TShellOptions Ticks() const override { return ticks; }
    void SetTicks(const TShellOptions& value) override { ticks = value; }
    TShellOptions ticks;
};

class OptionsDialog : public testing::Test {
protected:
    std::wstring OptionsPath() const { return temp.Path(L"options.ini"); }
    TOptions Open() const { return TOptions(OpenIniFile(OptionsPath())); }
    std::string StoredBytes() const {
        if (!GetAttributeData(OptionsPath()))
            return "(none)";
        TFileStream file(OptionsPath(), TFileMode::fmOpenRead);
        std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
        file.ReadBuffer(bytes.data(), bytes.size());
        return bytes;
    }
    // What the dialog shows when opened over the options file as it is now.
    TShellOptions Shown() {
        TTickedBoxes boxes;
        boxes.ticks = {!boxes.ticks.Integrate, !boxes.ticks.Cascaded};
        auto options = Open();
        SetOptionsToGUI(boxes, options);
        return boxes.ticks;
    }
    TProcessStarter Recorder(unsigned error = 0) {
        return [this, error](const std::wstring& commandLine) {
            started.push_back(commandLine);
            return error;
        };
    }

    test::TempFolder temp;
    std::vector<std::wstring> started;
    const std::wstring program = L"C:\\Program Files\\Dovrel\\Dovrel.exe";
};

TEST_F(OptionsDialog, ShowsTheOptionsFileOrItsDefaults) {
    EXPECT_EQ(Shown(), (TShellOptions{true, false})) << "no options file";
    Open().WriteBool(L"IntegrateContextMenu", false);
    Open().WriteBool(L"CascadeContextMenu", true);
    EXPECT_EQ(Shown(), (TShellOptions{false, true}));
}

TEST_F(OptionsDialog, OkWritesBothBoxesThenRegistersOrRemovesTheExtension) {
    const struct {
        TShellOptions ticks;
        const char* stored;
        const wchar_t* switchText;
    } cases[] = {
        {{true, false},
         "[Options]\r\nIntegrateContextMenu=1\r\nCascadeContextMenu=0\r\n",
         L"/activate"},
        {{false, true},
         "[Options]\r\nIntegrateContextMenu=0\r\nCascadeContextMenu=1\r\n",
         L"/deactivate"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        started.clear();
        TTickedBoxes boxes;
        boxes.ticks = c.ticks;
        auto options = Open();
        OptionsOkClick(boxes, options, program, Recorder());
        EXPECT_EQ(StoredBytes(), c.stored);
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0], L"\"" + program + L"\" " + c.switchText);
        EXPECT_EQ(Shown(), c.ticks) << "the next showing reads back what OK wrote";
    }
}

TEST_F(OptionsDialog, AFailedStartIsNotReported) {
    TTickedBoxes boxes;
    auto options = Open();
    EXPECT_NO_THROW(OptionsOkClick(boxes, options, program, Recorder(2)));
    EXPECT_EQ(started.size(), 1u);
}

TEST_F(OptionsDialog, AnUnwritableOptionsFileStopsOkBeforeAnythingStarts) {
    const std::wstring path = temp.Path(L"missing") + kPathDelim + L"options.ini";
    TOptions options(OpenIniFile(path));
    TTickedBoxes boxes;
    try {
        OptionsOkClick(boxes, options, program, Recorder());
        FAIL() << "OK must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"Unable to write to " + path);
    }
    EXPECT_TRUE(started.empty());
}

TEST(ShellIntegration, TheProgramPathIsQuotedSoItsBlanksDoNotSplitIt) {
    const std::wstring line =
        ShellIntegrationCommandLine(L"C:\\Program Files\\My Tools\\Dovrel.exe", true);
    EXPECT_EQ(line, L"\"C:\\Program Files\\My Tools\\Dovrel.exe\" /activate");
}

TEST(IntegrateCheckBox, TheDesignedProductNameBecomesTheProgramsInAnyCase) {
    EXPECT_EQ(IntegrateCaption(L"&Integrate Tolvarin into shell"), L"&Integrate Dovrel into shell");
    EXPECT_EQ(IntegrateCaption(L"tolvarin, TOLVARIN"), L"Dovrel, Dovrel");
    EXPECT_EQ(IntegrateCaption(L"Tolvari"), L"Tolvari");
}

class ChangeMainPassButton : public testing::Test {
protected:
    test::TempFolder temp;
    THiddenConfig store{temp.Folder()};
    test::TScriptedEntryDialog entry;
    test::TScriptedNewPassDialog newPass;
    test::TRecordedPasswordMessages messages;
};

TEST_F(ChangeMainPassButton, WithoutAMainPasswordAsksForTheNewOneAtOnce) {
    newPass.typed = L"first";
    ChooseMainPassButtonClick(store, entry, newPass, messages);
    EXPECT_EQ(entry.shown, 0);
    EXPECT_EQ(newPass.shown, 1);
    EXPECT_EQ(store.Password, L"first");
}

TEST_F(ChangeMainPassButton, WithAMainPasswordAsksForItFirst) {
    store.Password = L"old";
    newPass.typed = L"new";
    entry.answers = {{TModalResult::mrOk, L"OLD"}, {TModalResult::mrCancel, L""}};
    ChooseMainPassButtonClick(store, entry, newPass, messages);
    EXPECT_EQ(messages.shown.size(), 1u) << "the wrong password is refused";
    EXPECT_EQ(newPass.shown, 0) << "cancelled: no new password";
    EXPECT_EQ(store.Password, L"old");

    entry.answers = {{TModalResult::mrOk, L"old"}};
    ChooseMainPassButtonClick(store, entry, newPass, messages);
    EXPECT_EQ(newPass.shown, 1);
    EXPECT_EQ(store.Password, L"new");
}

}  // namespace
}  // namespace dovrel
