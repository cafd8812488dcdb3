#pragma once

#include <windows.h>

#include <new>

#include "platform/Error.h"

namespace dovrel::shellext {

// Runs the body of a COM entry inside the file manager's process: no exception may leave
// it, so each becomes a failure code.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (const Error& error) {
        return error.SystemCode() != 0 ? HRESULT_FROM_WIN32(error.SystemCode()) : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace dovrel::shellext
