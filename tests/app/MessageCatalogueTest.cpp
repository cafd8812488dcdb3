#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/KeyedTexts.h"
#include "app/LanguageTestFiles.h"
#include "app/MessageCatalogue.h"
#include "platform/Text.h"

namespace dovrel {
namespace {

using test::ErrorOf;

TEST(KeyedTexts, KeysMustBeIdentifiers) {
    struct Case {
        const wchar_t* key;
        bool valid;
    };
    const Case cases[] = {
        {L"Cancel", true},      {L"Next_", true},
        {L"_x1", true},         {L"A9_b", true},
        {L"", false},           {L"1st", false},
        {L"a-b", false},        {L"a b", false},
        {L"$CONSTANTS", false}, {L"gr\u00FC\u00DF", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.key));
        EXPECT_EQ(IsConstantName(c.key), c.valid);
        TKeyedTexts texts;
        const std::wstring error = ErrorOf([&] { texts.Add(c.key, L"text"); });
        if (c.valid)
            EXPECT_EQ(error, L"(no error)");
        else
            EXPECT_EQ(error, L"Invalid constant name (\"" + std::wstring(c.key) + L"\")");
    }
}

TEST(KeyedTexts, KeysAreUniqueAndFoundWithoutRegardToCase) {
    TKeyedTexts texts;
    // Inserted out of order; "_" sorts after every letter, so bisection must agree.
    for (const wchar_t* key : {L"Decrypt_desc", L"decrypted", L"Decrypt", L"Decryption_completed",
                               L"Choose_file_to_hide", L"Choose_files_to_shred", L"Z", L"a"})
        texts.Add(key, std::wstring(L"text of ") + key);

    std::vector<std::wstring> order;
    for (const auto& entry : texts.Entries())
        order.push_back(entry.key);
    EXPECT_EQ(order, (std::vector<std::wstring>{L"a", L"Choose_files_to_shred",
                                                L"Choose_file_to_hide", L"Decrypt", L"decrypted",
                                                L"Decryption_completed", L"Decrypt_desc", L"Z"}));

    for (const auto& key : order) {
        SCOPED_TRACE(ToUtf8(key));
        ASSERT_NE(texts.Find(key), nullptr);
        EXPECT_EQ(*texts.Find(key), L"text of " + key);
    }
    ASSERT_NE(texts.Find(L"DECRYPT_DESC"), nullptr);
    EXPECT_EQ(*texts.Find(L"DECRYPT_DESC"), L"text of Decrypt_desc");
    EXPECT_EQ(texts.Find(L"Decrypt_des"), nullptr);
    EXPECT_EQ(texts.Find(L""), nullptr);

    EXPECT_EQ(ErrorOf([&] { texts.Add(L"DECRYPTED", L"again"); }),
              L"Duplicate constant name (\"DECRYPTED\")");
    EXPECT_EQ(*texts.Find(L"decrypted"), L"text of decrypted");
}

TEST(MessageCatalogue, HoldsEveryKeyWithItsEnglishText) {
    const std::vector<std::wstring> keys = {L"Cancel",
                                            L"Choose_files_to_encrypt",
                                            L"Choose_files_to_encrypt_full",
                                            L"Choose_files_to_shred",
                                            L"Choose_files_to_shred_full",
                                            L"Choose_file_to_decrypt",
                                            L"Choose_file_to_decrypt_full",
                                            L"Choose_file_to_hide",
                                            L"Choose_file_to_hide_full",
                                            L"Decrypt",
                                            L"decrypted",
                                            L"Decrypting_files_step1",
                                            L"Decrypting_files_step2",
                                            L"Decryption_completed",
                                            L"Decrypt_desc",
                                            L"Encrypt",
                                            L"encrypted",
                                            L"Encrypting_files_step1",
                                            L"Encrypting_files_step2",
                                            L"Encryption_algo_not_found",
                                            L"Encryption_completed",
                                            L"Encrypt_desc",
                                            L"Enter_password_first",
                                            L"Enter_valid_pass",
                                            L"Exit",
                                            L"Files_were",
                                            L"File_was",
                                            L"hidden",
                                            L"Hide",
                                            L"Hide_desc",
                                            L"Hide_operation_completed",
                                            L"Hiding_files_step1",
                                            L"Next_",
                                            L"Percent",
                                            L"Percent_completed",
                                            L"Please_select_files",
                                            L"Second_pass_not_equal_first",
                                            L"Show",
                                            L"Showing_files_step1",
                                            L"shown",
                                            L"Show_desc",
                                            L"Show_operation_completed",
                                            L"Shred",
                                            L"shredded",
                                            L"Shredding_completed",
                                            L"Shredding_files_step1",
                                            L"Shredding_files_step2",
                                            L"Shred_desc",
                                            L"Wrong_password"};
    const TMessageCatalogue catalogue;
    std::vector<std::wstring> held;
    for (const auto& entry : catalogue.Defaults().Entries())
        held.push_back(entry.key);
    EXPECT_EQ(held, keys) << "the catalogue's keys, in key order";

    // The texts users know, down to their slips of the pen.
    const std::pair<const wchar_t*, const wchar_t*> texts[] = {
        {L"Cancel", L"&Cancel"},
        {L"Next_", L"Next"},
        {L"Enter_password_first", L"Enter password before perfom this operation please."},
        {L"Enter_valid_pass", L"Enter vaild password for %s"},
        {L"Choose_files_to_shred_full",
         L"Choose files or folders you want to shred. Shredded files and folders can''t be "
         L"restored!"},
        {L"Files_were", L"%d files were %s"},
        {L"File_was", L"%d file was %s"},
        {L"Percent", L"%d of %d"},
        {L"Percent_completed", L"%d%% completed..."},
        {L"Encryption_algo_not_found", L"Encryption algorithm for %s not found"},
        {L"Hide_desc", L"Hide files, folders or drives from Explorer"},
        {L"Second_pass_not_equal_first",
         L"Password you entered second time is different from the one you entered first time!"},
    };
    for (const auto& [key, text] : texts) {
        SCOPED_TRACE(ToUtf8(key));
        EXPECT_EQ(catalogue.Lookup(key), text);
    }
}

TEST(MessageCatalogue, AnAbsentKeyIsAnError) {
    const TMessageCatalogue catalogue;
    for (const wchar_t* key : {L"Wrong_passwords", L"", L"Constant"}) {
        EXPECT_EQ(ErrorOf([&] { catalogue.Lookup(key); }),
                  L"Constant \"" + std::wstring(key) + L"\" not found");
    }
}

TEST(MessageCatalogue, TextsOfALanguageFallBackToEnglishPerKey) {
    TMessageCatalogue catalogue;
    TKeyedTexts german;
    german.Add(L"wrong_password", L"Falsches Passwort!");
    german.Add(L"Not_in_catalogue", L"ignored");
    catalogue.UseTexts(&german);
    EXPECT_EQ(catalogue.Lookup(L"Wrong_password"), L"Falsches Passwort!");
    EXPECT_EQ(catalogue.Lookup(L"Exit"), L"Exit");
    EXPECT_EQ(ErrorOf([&] { catalogue.Lookup(L"Not_in_catalogue"); }),
              L"Constant \"Not_in_catalogue\" not found");

    catalogue.UseTexts(nullptr);
    EXPECT_EQ(catalogue.Lookup(L"Wrong_password"), L"You entered wrong password!");
}

}  // namespace
}  // namespace dovrel
