#include "platform/IniFile.h"
#include "platform/PortableIniFile.h"
#include "platform/memory/MemoryDrives.h"
#include "platform/memory/MemoryRegistry.h"

namespace dovrel {

// Linux has neither a registry nor drive letters; the program's hiding features, which
// need them, are offered on Windows only.
std::unique_ptr<TRegistry> CreateSystemRegistry() {
    return std::make_unique<TMemoryRegistry>();
}

std::unique_ptr<TDrives> CreateSystemDrives() {
    return std::make_unique<TMemoryDrives>();
}

std::unique_ptr<TIniFile> OpenIniFile(const std::wstring& fileName) {
    return std::make_unique<TPortableIniFile>(fileName);
}

}  // namespace dovrel
