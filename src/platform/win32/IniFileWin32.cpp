#include <windows.h>

#include "platform/IniFile.h"

namespace dovrel {

namespace {

// The system's own private-profile routines.
class TWin32IniFile final : public TIniFile {
public:
    explicit TWin32IniFile(std::wstring fileName) : TIniFile(std::move(fileName)) {}

    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) override {
        wchar_t buffer[kMaxValueLength + 1];
        const DWORD length =
            GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                     kMaxValueLength + 1, FileName().c_str());
        return std::wstring(buffer, length);
    }

    void WriteString(const std::wstring& section, const std::wstring& key,
                     const std::wstring& value) override {
        if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(),
                                        FileName().c_str())) {
            FailWrite();
        }
    }

    std::vector<std::wstring> ReadSections() override {
        // The names come as a list of texts ended by an empty one; grow until it fits.
        std::vector<wchar_t> buffer(16384);
        DWORD length = 0;
        for (;;) {
            length = GetPrivateProfileSectionNamesW(
                buffer.data(), static_cast<DWORD>(buffer.size()), FileName().c_str());
            if (length + 2 < buffer.size())
                break;
            buffer.resize(buffer.size() * 2);
        }
        std::vector<std::wstring> names;
        for (DWORD at = 0; at < length;) {
            std::wstring name(buffer.data() + at);
            at += static_cast<DWORD>(name.size()) + 1;
            if (!name.empty())
                names.push_back(std::move(name));
        }
        return names;
    }

    void EraseSection(const std::wstring& section) override {
        if (!WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, FileName().c_str()))
            FailWrite();
    }
};

}  // namespace

std::unique_ptr<TIniFile> OpenIniFile(const std::wstring& fileName) {
    return std::make_unique<TWin32IniFile>(fileName);
}

}  // namespace dovrel
