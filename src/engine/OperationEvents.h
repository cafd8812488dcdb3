#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace dovrel {

// The three callbacks a run gives every per-file procedure (ciphers, shredding schemes).
//
// OnCheckCancel is polled before every chunk of work; true stops the procedure at once and
// it reports that it did not complete. OnProgress follows every chunk: bytes of the current
// item done and total (in the procedure's own unit), the chunk's share of the item's size
// (its bytes divided by the procedure's number of passes) and the seconds it took.
// OnAskPassword asks for another password for one file; true means `password` now holds it.
using TCheckCancelEvent = std::function<bool()>;
using TProgressEvent =
    std::function<void(std::int64_t done, std::int64_t total, std::int64_t delta, double seconds)>;
using TAskPasswordEvent = std::function<bool(const std::wstring& fileName, std::string& password)>;

struct TOperationEvents {
    TCheckCancelEvent OnCheckCancel;
    TProgressEvent OnProgress;
    TAskPasswordEvent OnAskPassword;
};

}  // namespace dovrel
