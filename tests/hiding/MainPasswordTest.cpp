#include <gtest/gtest.h>

#include <deque>

#include "hiding/MainPassword.h"
#include "platform/Text.h"
#include "support/TempFolder.h"

namespace dovrel {
namespace {

const std::wstring kWrongPassword = L"You entered wrong password!";
const std::wstring kNotEqual =
    L"Password you entered second time is different from the one you entered first time!";

struct TEntry {
    TModalResult result;
    std::wstring typed;
};

// Plays the user's answers in turn; running out of them is a fault of the test.
class TScriptedEntryDialog final : public TMainPassDialog {
public:
    explicit TScriptedEntryDialog(std::deque<TEntry> answers) : answers_(std::move(answers)) {}

    TModalResult ShowModal() override {
        ++shown;
        if (answers_.empty()) {
            ADD_FAILURE() << "the dialog was shown once too often";
            return TModalResult::mrCancel;
        }
        current_ = answers_.front();
        answers_.pop_front();
        return current_.result;
    }
    std::wstring Password() const override { return current_.typed; }

    int shown = 0;

private:
    std::deque<TEntry> answers_;
    TEntry current_{TModalResult::mrCancel, L""};
};

struct TPress {
    std::wstring password;
    std::wstring again;
};

// Presses OK with each pair of texts until the handler closes the dialog, then Cancel.
class TScriptedNewPassDialog final : public TNewPassDialog {
public:
    explicit TScriptedNewPassDialog(std::vector<TPress> presses) : presses_(std::move(presses)) {}

    TModalResult ShowModal(const TNewPassHandler& onOk) override {
        for (const TPress& press : presses_) {
            if (onOk(press.password, press.again))
                return TModalResult::mrOk;
        }
        return TModalResult::mrCancel;
    }

private:
    std::vector<TPress> presses_;
};

class TRecordedMessages final : public TPasswordMessages {
public:
    void ShowError(const std::wstring& text) override { shown.push_back(text); }
    std::vector<std::wstring> shown;
};

class MainPassword : public testing::Test {
protected:
    test::TempFolder temp_;
    THiddenConfig store_{temp_.Folder()};
    TRecordedMessages messages_;
};

TEST_F(MainPassword, CheckLoopsUntilTheRightPasswordOrCancel) {
    using enum TModalResult;
    const struct {
        const wchar_t* stored;
        std::deque<TEntry> answers;
        bool accepted;
        int wrongMessages;
        const wchar_t* storedAfter;
    } cases[] = {
        // First use: whatever is typed becomes the password, nothing included.
        {L"", {{mrOk, L"First pass"}}, true, 0, L"First pass"},
        {L"", {{mrOk, L""}}, true, 0, L""},
        {L"", {{mrCancel, L"typed"}}, false, 0, L""},
        {L"Secret", {{mrOk, L"Secret"}}, true, 0, L"Secret"},
        // Letter case and blanks count.
        {L"Secret", {{mrOk, L"secret"}, {mrOk, L"Secret "}, {mrOk, L"Secret"}}, true, 2, L"Secret"},
        {L"Secret",
         {{mrOk, L"a"}, {mrOk, L"b"}, {mrOk, L"c"}, {mrCancel, L""}},
         false,
         3,
         L"Secret"},
        // A dialog closed some other way comes back without a message.
        {L"Secret", {{mrOther, L"x"}, {mrOk, L"Secret"}}, true, 0, L"Secret"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.stored) + " then " + std::to_string(c.answers.size()) + " answers");
        store_.Password = c.stored;
        messages_.shown.clear();
        TScriptedEntryDialog dialog(c.answers);
        EXPECT_EQ(CheckMainPassword(store_, dialog, messages_), c.accepted);
        EXPECT_EQ(dialog.shown, static_cast<int>(c.answers.size()));
        EXPECT_EQ(messages_.shown, std::vector<std::wstring>(c.wrongMessages, kWrongPassword));
        EXPECT_EQ(store_.Password, c.storedAfter);
    }
}

TEST_F(MainPassword, FirstAnswerIsRequiredByTheNextCheck) {
    TScriptedEntryDialog first({{TModalResult::mrOk, L"Mine"}});
    ASSERT_TRUE(CheckMainPassword(store_, first, messages_));
    TScriptedEntryDialog next({{TModalResult::mrOk, L"Other"}, {TModalResult::mrCancel, L""}});
    EXPECT_FALSE(CheckMainPassword(store_, next, messages_));
    EXPECT_EQ(messages_.shown, std::vector<std::wstring>{kWrongPassword});
}

TEST_F(MainPassword, NewPasswordNeedsTheSameTextTwice) {
    const struct {
        const wchar_t* stored;
        std::vector<TPress> presses;
        bool set;
        int notEqualMessages;
        const wchar_t* storedAfter;
    } cases[] = {
        {L"", {{L"abc", L"abc"}}, true, 0, L"abc"},
        {L"old", {{L"abc", L"abd"}, {L"Abc", L"abc"}, {L"new", L"new"}}, true, 2, L"new"},
        {L"old", {{L"abc", L"abd"}}, false, 1, L"old"},  // then Cancel
        {L"old", {}, false, 0, L"old"},
        {L"old", {{L"", L""}}, true, 0, L""},  // two empty texts unset it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.stored) + " then " + std::to_string(c.presses.size()) + " presses");
        store_.Password = c.stored;
        messages_.shown.clear();
        TScriptedNewPassDialog dialog(c.presses);
        EXPECT_EQ(ChangeMainPassword(store_, dialog, messages_), c.set);
        EXPECT_EQ(messages_.shown, std::vector<std::wstring>(c.notEqualMessages, kNotEqual));
        EXPECT_EQ(store_.Password, c.storedAfter);
    }
}

TEST_F(MainPassword, UnsetPasswordLetsTheNextCheckTakeAnything) {
    store_.Password = L"Secret";
    TScriptedNewPassDialog unset(std::vector<TPress>{{L"", L""}});
    ASSERT_TRUE(ChangeMainPassword(store_, unset, messages_));
    TScriptedEntryDialog check({{TModalResult::mrOk, L"anything"}});
    EXPECT_TRUE(CheckMainPassword(store_, check, messages_));
    EXPECT_EQ(store_.Password, L"anything");
}

TEST_F(MainPassword, DialogClosedWithOkButRefusedTextsSetsNothing) {
    // A dialog that ends with OK although its handler kept it open reports no change.
    class TStubborn final : public TNewPassDialog {
    public:
        TModalResult ShowModal(const TNewPassHandler& onOk) override {
            onOk(L"one", L"two");
            return TModalResult::mrOk;
        }
    } dialog;
    store_.Password = L"old";
    EXPECT_FALSE(ChangeMainPassword(store_, dialog, messages_));
    EXPECT_EQ(store_.Password, L"old");
}

}  // namespace
}  // namespace dovrel
