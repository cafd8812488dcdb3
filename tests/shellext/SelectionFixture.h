#pragma once

#include <string>

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

namespace dovrel::test {

// A temporary folder with the files and folders a selection is made of.
class SelectionFixture {
public:
    // `relative` uses "/" between its parts.
    std::wstring File(const std::wstring& relative) {
        const std::wstring path = Path(relative);
        CreateFolderChain(path.substr(0, path.rfind(kPathDelim) + 1));
        TFileStream(path, TFileMode::fmCreate).WriteBuffer("x", 1);
        return path;
    }
    std::wstring Folder(const std::wstring& relative) {
        const std::wstring path = Path(relative);
        CreateFolderChain(path);
        return path;
    }
    std::wstring Path(std::wstring relative) const {
        for (wchar_t& c : relative) {
            if (c == L'/')
                c = kPathDelim;
        }
        return temp_.Path(relative);
    }

private:
    TempFolder temp_;
};

}  // namespace dovrel::test
