#include "app/MessageCatalogue.h"

#include "platform/Error.h"

namespace dovrel {

namespace {

struct TDefaultMessage {
    const wchar_t* key;
    const wchar_t* text;
};

// The English texts, kept word for word as the program has always shown them.
constexpr TDefaultMessage kEnglish[] = {
    {L"Cancel", L"&Cancel"},
    {L"Choose_files_to_encrypt", L"Choose files, folders or drives to encrypt:"},
    {L"Choose_files_to_encrypt_full",
     L"Choose files, folders and drives to encrypt. Encrypted file with .enc extension will be "
     L"created for each selected file and for each file inside selected folders or drives. "
     L"Folders hierarchy will stay untouched."},
    {L"Choose_files_to_shred", L"Choose files or folders to shred:"},
    {L"Choose_files_to_shred_full",
     L"Choose files or folders you want to shred. Shredded files and folders can''t be "
     L"restored!"},
    {L"Choose_file_to_decrypt", L"Choose encrypted .enc files, folders or drives to decrypt:"},
    {L"Choose_file_to_decrypt_full",
     L"Choose encrypted .enc files to decrypt. Alternatively, choose folders or drives which "
     L"contain .enc files. All .enc files inside selected folders or drives will be decrypted."},
    {L"Choose_file_to_hide", L"Choose files, folders or drives to hide:"},
    {L"Choose_file_to_hide_full",
     L"Choose files, folders or drives you want to hide from Explorer. Use Change Main Password "
     L"link to change the password program asks before this step."},
    {L"Decrypt", L"Decrypt"},
    {L"decrypted", L"decrypted"},
    {L"Decrypting_files_step1", L"Decrypting files - Step 1 of 2"},
    {L"Decrypting_files_step2", L"Decrypting files - Step 2 of 2"},
    {L"Decryption_completed", L"Decryption completed"},
    {L"Decrypt_desc", L"Decrypt previously encrypted files"},
    {L"Encrypt", L"Encrypt"},
    {L"encrypted", L"encrypted"},
    {L"Encrypting_files_step1", L"Encrypting files - Step 1 of 2"},
    {L"Encrypting_files_step2", L"Encrypting files - Step 2 of 2"},
    {L"Encryption_algo_not_found", L"Encryption algorithm for %s not found"},
    {L"Encryption_completed", L"Encryption completed"},
    {L"Encrypt_desc", L"Encrypt files and change their extensions to .enc"},
    {L"Enter_password_first", L"Enter password before perfom this operation please."},
    {L"Enter_valid_pass", L"Enter vaild password for %s"},
    {L"Exit", L"Exit"},
    {L"Files_were", L"%d files were %s"},
    {L"File_was", L"%d file was %s"},
    {L"hidden", L"hidden"},
    {L"Hide", L"Hide"},
    {L"Hide_desc", L"Hide files, folders or drives from Explorer"},
    {L"Hide_operation_completed", L"Hide operation completed"},
    {L"Hiding_files_step1", L"Hiding files - Step 1 of 1"},
    {L"Next_", L"Next"},
    {L"Percent", L"%d of %d"},
    {L"Percent_completed", L"%d%% completed..."},
    {L"Please_select_files", L"Please select some files"},
    {L"Second_pass_not_equal_first",
     L"Password you entered second time is different from the one you entered first time!"},
    {L"Show", L"Show"},
    {L"Showing_files_step1", L"Showing files - Step 1 of 1"},
    {L"shown", L"shown"},
    {L"Show_desc", L"Show hidden files, folders or drives"},
    {L"Show_operation_completed", L"Show operation completed"},
    {L"Shred", L"Shred"},
    {L"shredded", L"shredded"},
    {L"Shredding_completed", L"Shredding completed"},
    {L"Shredding_files_step1", L"Shredding files - Step 1 of 2"},
    {L"Shredding_files_step2", L"Shredding files - Step 2 of 2"},
    {L"Shred_desc", L"Securely delete files"},
    {L"Wrong_password", L"You entered wrong password!"},
};

}  // namespace

TMessageCatalogue::TMessageCatalogue() {
    for (const auto& message : kEnglish)
        defaults_.Add(message.key, message.text);
    UseTexts(nullptr);
}

const std::wstring& TMessageCatalogue::Lookup(std::wstring_view key) const {
    const auto index = defaults_.IndexOf(key);
    if (!index)
        throw Error(L"Constant \"" + std::wstring(key) + L"\" not found");
    return current_[*index];
}

void TMessageCatalogue::UseTexts(const TKeyedTexts* texts) {
    current_.clear();
    current_.reserve(defaults_.Entries().size());
    for (const auto& entry : defaults_.Entries()) {
        const std::wstring* text = texts != nullptr ? texts->Find(entry.key) : nullptr;
        current_.push_back(text != nullptr ? *text : entry.text);
    }
}

}  // namespace dovrel
