#include "app/MainFormProperties.h"

namespace dovrel {

namespace {

// Language files name the properties by these numbers; never renumber them.
constexpr TTranslatableProperty kMainForm[] = {
    {L"", L"Caption", 1},
    {L"FinishButton", L"Caption", 2},
    {L"ExitButton", L"Hint", 3},
    {L"ExitButton", L"Caption", 4},
    {L"HelpButton", L"Hint", 5},
    {L"HelpButton", L"Caption", 6},
    {L"BackButton", L"Hint", 7},
    {L"BackButton", L"Caption", 8},
    {L"NextButton", L"Hint", 9},
    {L"NextButton", L"Caption", 10},
    {L"OptionsButton", L"Hint", 12},
    {L"Label2", L"Caption", 13},
    {L"Label1", L"Caption", 14},
    {L"OperationsListBox", L"Items", 17},
    {L"Label9", L"Caption", 18},
    {L"Label5", L"Caption", 19},
    {L"AlgorithmChooseLabel", L"Caption", 20},
    {L"EncryptAlgorithmComboBox", L"Hint", 21},
    {L"EncryptAlgorithmComboBox", L"Text", 22},
    {L"EncryptAlgorithmComboBox", L"Items", 23},
    {L"EncryptMaskPasswordCheckBox", L"Caption", 24},
    {L"EncryptDeleteAfterCheckBox", L"Caption", 25},
    {L"ChooseFilesDescLabel", L"Caption", 26},
    {L"ChooseFilesHeaderLabel", L"Caption", 27},
    {L"ChangeMainPassLabel1", L"Caption", 28},
    {L"ChangeMainPassLabel1", L"Text", 29},
    {L"Label4", L"Caption", 30},
    {L"DecryptMaskPasswordCheckBox", L"Caption", 31},
    {L"DecryptDeleteAfterCryptCheckBox", L"Caption", 32},
    {L"Label6", L"Caption", 33},
    {L"ShredAlgorithmDecsLabel", L"Caption", 34},
    {L"ShredAlgorithmComboBox", L"Text", 35},
    {L"ShredAlgorithmComboBox", L"Items", 36},
    {L"Label3", L"Caption", 37},
    {L"Label7", L"Caption", 38},
    {L"ChangeMainPassLabel2", L"Caption", 39},
    {L"ChangeMainPassLabel2", L"Text", 40},
    {L"FinishInfoLabel", L"Caption", 41},
    {L"FilesLabel", L"Caption", 42},
    {L"PasswordOpenDialog", L"Filter", 43},
    {L"PasswordOpenDialog", L"Title", 44},
};

}  // namespace

std::span<const TTranslatableProperty> MainFormProperties() noexcept {
    return kMainForm;
}

}  // namespace dovrel
