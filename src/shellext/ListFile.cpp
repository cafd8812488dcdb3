#include "shellext/ListFile.h"

#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "shellext/ExtensionIdentity.h"

namespace dovrel::shellext {

namespace {

constexpr const wchar_t* kListFileName = L"todo";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The code page maps some letters to look-alikes and others to "?": only a text that
// comes back unchanged fits it.
bool FitsAnsiCodePage(const std::wstring& text) {
    return FromAnsi(ToAnsi(text)) == text;
}

}  // namespace

std::wstring ListFileFolder(const std::wstring& roamingAppData) {
    // A relative folder would put the file wherever the file manager happens to be.
    if (roamingAppData.empty())
        throw Error(L"The application-data folder is unknown.");
    return roamingAppData + kPathDelim + kDisplayName + kPathDelim;
}

std::string EncodeListFile(const std::vector<std::wstring>& paths) {
    std::wstring text;
    bool fitsAnsi = true;
    for (const std::wstring& path : paths) {
        fitsAnsi = fitsAnsi && FitsAnsiCodePage(path);
        text += path;
        text += L"\r\n";
    }
    // Code-page bytes that open like a byte-order mark would be read in another encoding.
    std::string ansi = ToAnsi(text);
    const bool looksMarked = ansi.starts_with("\xFF\xFE") || ansi.starts_with("\xFE\xFF") ||
                             ansi.starts_with(kUtf8ByteOrderMark);
    if (fitsAnsi && !looksMarked)
        return ansi;
    return std::string(kUtf8ByteOrderMark) + ToUtf8(text);
}

void WriteListFile(const std::wstring& folder, const std::vector<std::wstring>& paths) {
    if (!CreateFolderChain(folder))
        throw Error(L"Cannot create folder \"" + folder + L"\".");
    const std::string bytes = EncodeListFile(paths);
    TFileStream file(folder + kListFileName, TFileMode::fmCreate);
    file.WriteBuffer(bytes.data(), bytes.size());
    file.Flush();
}

}  // namespace dovrel::shellext
