#include "platform/IniFile.h"

#include "platform/Error.h"

namespace dovrel {

void TIniFile::FailWrite() const {
    throw Error(L"Unable to write to " + FileName());
}

}  // namespace dovrel
