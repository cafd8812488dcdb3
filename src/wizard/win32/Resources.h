#pragma once

// Resource identifiers of Dovrel.exe; shared by Dovrel.rc and the code.
#define IDR_TREE_PICTURES 201
#define IDR_BUTTON_PICTURES 202
#define IDR_ENCRYPT_PAGE 211
#define IDR_DECRYPT_PAGE 212
#define IDR_SHRED_PAGE 213
#define IDR_HIDE_PAGE 214
#define IDR_SHOW_PAGE 215
#define IDR_ABOUT_PICTURE 216
