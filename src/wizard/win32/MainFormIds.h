#pragma once

// Control identifiers of the main window; clear of IDOK and IDCANCEL, which the dialog
// keys send.
namespace dovrel::mainform {

enum : int {
    kOptionsButton = 100,
    kHelpButton,
    kBackButton,
    kNextButton,
    kExitButton,
    kFinishButton,
    kOperationsListBox,
    kFilesTreeView,
    kEncryptAlgorithmComboBox,
    kShredAlgorithmComboBox,
    kEncryptPasswordEdit,
    kDecryptPasswordEdit,
    kEncryptMaskPasswordCheckBox,
    kDecryptMaskPasswordCheckBox,
    kEncryptDeleteAfterCheckBox,
    kDecryptDeleteAfterCryptCheckBox,
    kEncryptLoadPassdButton,
    kDecryptLoadPassButton,
    kChangeMainPassLabel1,
    kChangeMainPassLabel2,
    kHiddenFilesListBox,
    kStatusBar,
};

}  // namespace dovrel::mainform

#include <windows.h>

namespace dovrel::mainform {

// Where the pages draw their pictures: the strip on the left of every page, and the taller
// one of the finish page.
inline constexpr RECT kPagePicture{0, 4, 290, 414};
inline constexpr RECT kFinishPicture{0, 0, 290, 500};

}  // namespace dovrel::mainform
